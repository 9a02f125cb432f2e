#!/usr/bin/env bash
# Trains what attribution relies on, from the real structures beside the project, in one deterministic run:
#  1. splits the chains by 40 % sequence cluster into training and validation sets;
#  2. runs the default pipeline (CA points, environment 6.5 / 3.5, no relaxation) on every training chain,
#     with weights off and with the default weights, and derives the reference contact areas from the
#     faces: writes brindel/contact_area_table.cpp and rebuilds brindel;
#  3. reruns the training tessellations (weights off) with the new areas, counts the pattern tables from
#     their contact files and the DSSP states, and writes data/Tab_cen_2.gz and data/Tab_ext_2.gz.
# Validation chains are never read here. Usage: tools/train-attribution.sh   (after tools/build.sh)
# Environment: MIRELDA_STRUCTURES_DIR (default ../shared/structures), MIRELDA_JOBS (default 2).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
structures="${MIRELDA_STRUCTURES_DIR:-$root/../shared/structures}"
jobs="${MIRELDA_JOBS:-2}"
work="$root/build/training"
trainer="$root/build/tools/trainer/train_attribution"
started="$(date +%s)"
[ -f "$structures/CHAINS.tsv" ] && [ -f "$structures/DSSP_SS.tsv" ] ||
  { echo "no CHAINS.tsv and DSSP_SS.tsv in $structures: set MIRELDA_STRUCTURES_DIR" >&2; exit 1; }

stage() { echo "== $1 ($(( $(date +%s) - started )) s)"; }

# Runs the pipeline for every chain of a list into WORK/<id>: tessellate LIST WORK zero|default [attribution]
tessellate() {
  local list="$1" into="$2" weights="$3" classes="${4:-}"
  rm -rf "$into" && mkdir -p "$into"
  tail -n +2 "$list" | awk -F'\t' -v into="$into" -v s="$structures" -v w="$weights" -v c="$classes" \
      '{ print into "/" $5, s "/" $1, $2, w (c == "" ? "" : " " c) }' |
    xargs -r -P "$jobs" -L 1 "$root/tools/trainer/tessellate-chain.sh" ||
    echo "some chains failed (see above)"
  echo "$(find "$into" -name test_tessellation | wc -l) of $(( $(wc -l < "$list") - 1 )) chains tessellated"
}

stage "build"
cmake --build "$root/build" -j "$jobs" --target orvane brindel attribution train_attribution > /dev/null
mkdir -p "$work/split" "$work/tables"

stage "split"
"$trainer" split "$structures/CHAINS.tsv" "$work/split"

stage "tessellations for the areas"
tessellate "$work/split/training.tsv" "$work/areas-zero" zero
tessellate "$work/split/training.tsv" "$work/areas-default" default

stage "reference areas"
"$trainer" areas "$work/split/training.tsv" "$work/areas-zero" "$work/areas-default" \
    "$root/brindel/contact_area_table.cpp"
cmake --build "$root/build" -j "$jobs" --target brindel > /dev/null

stage "tessellations for the patterns"
tessellate "$work/split/training.tsv" "$work/patterns" zero

stage "pattern tables"
"$trainer" count "$work/split/training.tsv" "$work/patterns" "$structures/DSSP_SS.tsv" "$work/tables"
for table in Tab_cen_2 Tab_ext_2; do
  gzip -n -9 -c "$work/tables/$table" > "$root/data/$table.gz"
  echo "data/$table.gz: $(wc -c < "$root/data/$table.gz") bytes"
done
cmake --build "$root/build" -j "$jobs" --target attribution_tables > /dev/null
stage "done"
