#!/usr/bin/env bash
# Measures attribution on the validation chains (the 40 % clusters the training never sees): runs the
# default pipeline (CA points, environment 6.5 / 3.5, weights off) and `attribution` with the tables of the
# application folder on each chain, then prints Q3 of the final classes and of s0 alone, per-class
# precision and recall, the confusion matrix, and how many proteins had every residue in the bulk.
# Usage: tools/evaluate-attribution.sh [zero|default [RLX]]   (weights, and relaxation passes when given)
# Environment: MIRELDA_STRUCTURES_DIR (default ../shared/structures), MIRELDA_JOBS (default 2).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
structures="${MIRELDA_STRUCTURES_DIR:-$root/../shared/structures}"
jobs="${MIRELDA_JOBS:-2}"
weights="${1:-zero}" rlx="${2:-}"
variant="$weights${rlx:+-rlx$rlx}"
work="$root/build/evaluation"
trainer="$root/build/tools/trainer/train_attribution"
[ -f "$structures/CHAINS.tsv" ] && [ -f "$structures/DSSP_SS.tsv" ] ||
  { echo "no CHAINS.tsv and DSSP_SS.tsv in $structures: set MIRELDA_STRUCTURES_DIR" >&2; exit 1; }
started="$(date +%s)"

cmake --build "$root/build" -j "$jobs" --target orvane relaxation brindel attribution attribution_tables \
    train_attribution > /dev/null
mkdir -p "$work/split"
"$trainer" split "$structures/CHAINS.tsv" "$work/split" > /dev/null
list="$work/split/validation.tsv"
runs="$work/$variant"
rm -rf "$runs" && mkdir -p "$runs"
tail -n +2 "$list" | awk -F'\t' -v into="$runs" -v s="$structures" -v w="$weights" -v r="$rlx" \
    '{ print into "/" $5, s "/" $1, $2, w, "attribution" (r == "" ? "" : " " r) }' |
  xargs -r -P "$jobs" -L 1 "$root/tools/trainer/tessellate-chain.sh" || echo "some chains failed (see above)"
echo "validation runs ($variant): $(find "$runs" -name test_attribution | wc -l)" \
     "of $(( $(wc -l < "$list") - 1 )) chains, $(( $(date +%s) - started )) s"
"$trainer" evaluate "$list" "$runs" "$structures/DSSP_SS.tsv" "$root/build/app"
