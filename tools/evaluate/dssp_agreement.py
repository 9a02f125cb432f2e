#!/usr/bin/env python3
"""Agreement of mirelda-batch's results with DSSP on the validation chains (standard library only).

Usage: dssp_agreement.py VALIDATION.tsv DSSP_SS.tsv RUNS
VALIDATION.tsv: the trainer's split (file, chain, ...); DSSP_SS.tsv: DSSP's eight states per residue;
RUNS/<file>/<name>/<name>.residues.tsv and RUNS/<file>/<name>.dssp: a batch run and mkdssp's output.
Prints Q3 of the classes (a: helix H G I, b: strand E B, c: the rest) and the Spearman correlation of
the exposure with DSSP's relative accessibility (ACC over the residue type's largest accessible area).
"""
import csv
import os
import statistics
import sys

# Largest accessible surface area of each residue type, square angstroms (Tien et al. 2013, theoretical).
MAX_ASA = {"A": 129, "R": 274, "N": 195, "D": 193, "C": 167, "E": 223, "Q": 225, "G": 104, "H": 224,
           "I": 197, "L": 201, "K": 236, "M": 224, "F": 240, "P": 159, "S": 155, "T": 172, "W": 285,
           "Y": 263, "V": 174}


def three_state(ss8):
    return "a" if ss8 in "HGI" else "b" if ss8 in "EB" else "c"


def read_tsv(path):
    with open(path, newline="") as f:
        return list(csv.DictReader(f, delimiter="\t"))


def dssp_accessibility(path):
    """(chain, residue id) -> relative accessibility, from a classic DSSP file."""
    values, started = {}, False
    with open(path) as f:
        for line in f:
            if line.startswith("  #  RESIDUE"):
                started = True
                continue
            if not started or len(line) < 38 or line[13] == "!":
                continue
            number, code, chain, aa = line[5:10].strip(), line[10].strip(), line[11], line[13]
            aa = "C" if aa.islower() else aa  # half-cystines are written as lower-case letters
            if aa in MAX_ASA:
                values[(chain, number + code)] = min(float(line[34:38]) / MAX_ASA[aa], 1.0)
    return values


def ranks(values):
    order = sorted(range(len(values)), key=lambda i: values[i])
    result = [0.0] * len(values)
    i = 0
    while i < len(order):
        j = i
        while j + 1 < len(order) and values[order[j + 1]] == values[order[i]]:
            j += 1
        for k in range(i, j + 1):
            result[order[k]] = (i + j) / 2 + 1
        i = j + 1
    return result


def spearman(xs, ys):
    rx, ry = ranks(xs), ranks(ys)
    mx, my = statistics.fmean(rx), statistics.fmean(ry)
    sxy = sum((a - mx) * (b - my) for a, b in zip(rx, ry))
    sxx = sum((a - mx) ** 2 for a in rx)
    syy = sum((b - my) ** 2 for b in ry)
    return sxy / (sxx * syy) ** 0.5 if sxx > 0 and syy > 0 else float("nan")


def main(validation_path, dssp_path, runs):
    states = {(row["file"], row["chain"]): dict(zip(row["residue_ids"].split(","), row["ss8"]))
              for row in read_tsv(dssp_path)}
    chains = [(row["file"], row["chain"]) for row in read_tsv(validation_path)]
    ran = classified = 0
    right = total = 0
    pooled_exposure, pooled_rsa, per_chain = [], [], []
    for file, chain in chains:
        name = os.path.basename(file)[:4].removesuffix(".pdb")
        folder = os.path.join(runs, file)
        table = os.path.join(folder, name, name + ".residues.tsv")
        if not os.path.exists(table):
            continue
        ran += 1
        rows = [row for row in read_tsv(table) if row["chain"] == chain]
        ids = lambda row: row["resSeq"] + ("" if row["iCode"] == "NA" else row["iCode"])
        ss = states.get((file, chain), {})
        if rows and all(row["class"] != "NA" for row in rows):
            classified += 1
            for row in rows:
                if ids(row) in ss:
                    total += 1
                    right += row["class"] == three_state(ss[ids(row)])
        dssp_file = os.path.join(folder, name + ".dssp")
        if not os.path.exists(dssp_file):
            continue
        rsa = dssp_accessibility(dssp_file)
        pairs = [(float(row["exposure"]), rsa[(chain, ids(row))]) for row in rows
                 if row["exposure"] != "NA" and (chain, ids(row)) in rsa]
        if len(pairs) >= 10:
            xs, ys = zip(*pairs)
            pooled_exposure += xs
            pooled_rsa += ys
            per_chain.append(spearman(list(xs), list(ys)))

    print(f"validation chains: {len(chains)}, run: {ran}, with classes (every residue in the bulk): "
          f"{classified}")
    if total:
        print(f"Q3 of the classes against DSSP: {right / total:.3f} ({right} of {total} residues)")
    if per_chain:
        print(f"Spearman of exposure and DSSP relative accessibility: pooled {spearman(pooled_exposure, pooled_rsa):.3f}"
              f" ({len(pooled_rsa)} residues), per chain median {statistics.median(per_chain):.3f}"
              f" (quartiles {statistics.quantiles(per_chain, n=4)[0]:.3f}-{statistics.quantiles(per_chain, n=4)[2]:.3f},"
              f" {len(per_chain)} chains)")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
