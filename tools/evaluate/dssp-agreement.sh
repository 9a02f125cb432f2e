#!/usr/bin/env bash
# Measures how mirelda-batch's results agree with DSSP on the validation chains (the 40 % sequence
# clusters the attribution tables never saw in training): runs build/app/mirelda-batch with its default
# choices on every structure that holds such a chain and mkdssp on the same file, then prints Q3 of the
# classes against DSSP's three states and the Spearman correlation of the exposure with DSSP's relative
# accessibility (dssp_agreement.py).
# Usage: tools/evaluate/dssp-agreement.sh
# Environment: MIRELDA_STRUCTURES_DIR (default ../shared/structures), MIRELDA_JOBS (default 2).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
structures="${MIRELDA_STRUCTURES_DIR:-$root/../shared/structures}"
jobs="${MIRELDA_JOBS:-2}"
work="$root/build/dssp-agreement"
[ -f "$structures/CHAINS.tsv" ] && [ -f "$structures/DSSP_SS.tsv" ] ||
  { echo "no CHAINS.tsv and DSSP_SS.tsv in $structures: set MIRELDA_STRUCTURES_DIR" >&2; exit 1; }
command -v mkdssp > /dev/null || { echo "mkdssp is missing: tools/setup.sh installs it" >&2; exit 1; }

cmake --build "$root/build" -j "$jobs" --target mirelda-batch train_attribution > /dev/null
rm -rf "$work" && mkdir -p "$work/split" "$work/runs"
"$root/build/tools/trainer/train_attribution" split "$structures/CHAINS.tsv" "$work/split" > /dev/null

# One run a structure, each in its own copy of the application folder (runs in one folder go one after
# another); the results go to runs/<file>/.
run_one() {
  local file="$1" name app
  name="$(basename "$file" .pdb | cut -c1-4)"
  app="$work/runs/$(basename "$file")"
  mkdir -p "$app"
  for f in mirelda-batch brindel relaxation orvane attribution Tab_cen_2 Tab_ext_2 spherepack_1.txt; do
    cp -a "$root/build/app/$f" "$app/"
  done
  if "$app/mirelda-batch" "$structures/$file" "$name" > "$app/stdout.txt" 2> "$app/stderr.txt"; then
    # mkdssp refuses PDB files without HEADER and CRYST1 records (and some charge columns): it gets the
    # coordinate records alone, cut after the element, under a neutral header and unit cell.
    if ! (mkdssp --output-format dssp "$structures/$file" "$app/$name.dssp") 2> /dev/null ||
       [ "$(sed -n '/  #  RESIDUE/,$p' "$app/$name.dssp" | wc -l)" -le 1 ]; then
      { printf 'HEADER    %-70s\nCRYST1    1.000    1.000    1.000  90.00  90.00  90.00 P 1           1\n' ""
        grep -E '^(ATOM  |HETATM|TER|MODEL |ENDMDL)' "$structures/$file" | cut -c1-78; echo END; } \
        > "$app/$name.plain.pdb"
      (mkdssp --output-format dssp "$app/$name.plain.pdb" "$app/$name.dssp") 2> /dev/null ||
        echo "mkdssp failed on $file" >&2
    fi
  else
    echo "mirelda-batch failed on $file: $(tail -n 1 "$app/stderr.txt")" >&2
  fi
}
export -f run_one
export root structures work
tail -n +2 "$work/split/validation.tsv" | cut -f1 | sort -u |
  xargs -r -P "$jobs" -I{} bash -c 'run_one "$1"' _ {}

python3 "$root/tools/evaluate/dssp_agreement.py" "$work/split/validation.tsv" "$structures/DSSP_SS.tsv" \
    "$work/runs"
