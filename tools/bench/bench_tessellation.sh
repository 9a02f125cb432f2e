#!/usr/bin/env bash
# Times brindel (on every core and held to one thread), relaxation (nine passes) and voro++ (the radical
# tessellation of the same points and weights on one core, tools/bench/voro_timing.cpp) side by side, and
# prints the ratios and the exponent of brindel's one-thread time fitted over the point counts. Wall times
# (best of the repeats) make the ratios; the CPU times of brindel on one thread and of voro++ (user and
# system) make one more ratio, which stands when other jobs share the cores and stretch the wall times.
# voro++ is timed inside its process, around the tessellation alone; brindel and relaxation are timed as
# whole runs (start-up, reading, and every file written), which weighs most on the smallest cases. The
# "files" column is the time to copy brindel's files of its last run into one fresh file: a floor that the
# writing alone sets for any program that writes them, whatever its tessellation costs ("f/voro").
#
# Cases: CA points of real proteins inside their environment shell (orvane, then nine relaxations for
# brindel's input), from about 300 residues (../shared/structures) to 2 750 (4JSV of the samples) and
# assemblies of 2 and 4 copies of 4JSV on a square grid (5 500 and 11 000 residues); random points
# (1 000, 10 000, 50 000 in a cube, one point per 250 cubic angstroms, names in turn for the weights).
# The inputs are made once into build/bench/tessellation/ with the programs of the application folder.
#
# Usage: tools/bench/bench_tessellation.sh [--app DIR] [--max-points N] [--relaxation-max-points N]
#   --app DIR                   the programs to time (default build/app); another build's app folder
#                               gives the table of another version on the same inputs
#   --max-points N              skip cases with more points (default 60000)
#   --relaxation-max-points N   time relaxation only up to N points (default 60000)
#   --repeats N                 best of N runs of brindel and of relaxation (default 3 below 20 000
#                               points, else 1)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${MIRELDA_BUILD_DIR:-$root/build}" && pwd)"
app="$build/app"
maxPoints=60000
relaxMax=60000
repeatCount=""
while [ "$#" -gt 0 ]; do
  case "$1" in
    --app) app="$2"; shift 2 ;;
    --max-points) maxPoints="$2"; shift 2 ;;
    --relaxation-max-points) relaxMax="$2"; shift 2 ;;
    --repeats) repeatCount="$2"; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done
maker="$build/app"  # makes the inputs
voro="$build/bench/voro_timing"
structures="${MIRELDA_STRUCTURES_DIR:-$root/../shared/structures}"
samples="$("$root/tools/fetch-samples.sh")"
writer="$build/tools/inputs/mirelda-inputs"  # writes the inputs with the project's own writers
for program in "$writer" "$maker/orvane" "$maker/relaxation" "$app/brindel" "$app/relaxation" "$voro"; do
  [ -x "$program" ] || { echo "build first: $program is missing" >&2; exit 1; }
done
inputs="$build/bench/tessellation"
mkdir -p "$inputs"

# file_00 of the CA points of a protein (radius 6.5, thickness 3.5), in `copies` copies 200 A apart on a
# square grid, so that four fit within the environment's reach.
protein_points() { "$writer" points "$1" | "$writer" copies "${2:-1}" 200; }

# Makes case folder $1 from file_00 on standard input: file_01 (orvane), file_02 (relaxed).
make_protein_case() {
  local dir="$inputs/$1"
  if [ -s "$dir/file_02" ]; then cat > /dev/null; return 0; fi
  rm -rf "$dir" && mkdir -p "$dir/tess"
  cat > "$dir/file_00"
  cp "$maker/spherepack_1.txt" "$dir/"
  "$writer" relaxation-options tess 8 > "$dir/option.txt"
  (cd "$dir" && "$maker/orvane" 2> /dev/null && cp file_01 file_01.orvane && "$maker/relaxation" 2> /dev/null)
}

make_random_case() {
  local dir="$inputs/random-$1"
  [ -s "$dir/file_02" ] && return 0
  rm -rf "$dir" && mkdir -p "$dir/tess"
  "$writer" random-points "$1" 7 > "$dir/file_02"
}

cases=()
for entry in 1hyh 3qeu; do
  if [ -f "$structures/$entry.pdb" ]; then
    protein_points "$structures/$entry.pdb" | make_protein_case "$entry"; cases+=("$entry")
  fi
done
if [ -f "$samples/4JSV.pdb" ]; then
  protein_points "$samples/4JSV.pdb" | make_protein_case 4jsv; cases+=(4jsv)
  for copies in 2 4; do
    protein_points "$samples/4JSV.pdb" "$copies" | make_protein_case "4jsv-x$copies"
    cases+=("4jsv-x$copies")
  done
fi
for n in 1000 10000 50000; do make_random_case "$n"; cases+=("random-$n"); done

# "<wall seconds> <CPU seconds>" of a command (its children included).
seconds() { local TIMEFORMAT='%R %U %S'; { time "$@"; } 2>&1 | awk '{ printf "%s %.3f\n", $1, $2 + $3 }'; }
run_brindel() { (cd "$1" && "$app/brindel" > /dev/null 2> brindel.log); }
run_brindel_one_thread() { (cd "$1" && MIRELDA_THREADS=1 "$app/brindel" > /dev/null 2> brindel.log); }
run_relaxation() { (cd "$1/rlx" && "$app/relaxation" > /dev/null 2> relaxation.log); }
# Every timed run starts in an empty result folder, made before the clock starts: replacing the files of
# the run before (2.5 GB for 50 000 random points) would otherwise wait for the disk to take them, which
# measures the disk, not the program.
fresh_results() { rm -rf "$1/tess" && mkdir -p "$1/tess"; }
fresh_relaxation() { (cd "$1" && rm -rf rlx && mkdir -p rlx/tess && cp file_01.orvane rlx/file_01 && cp option.txt rlx/); }
# best_of N PREPARE DIR command...: "<least wall seconds> <least CPU seconds>" of N runs, each after
# PREPARE DIR (untimed).
best_of() {
  local n="$1" prepare="$2" dir="$3" r; shift 3
  for ((r = 0; r < n; ++r)); do "$prepare" "$dir"; seconds "$@"; done |
    awk 'NR == 1 || $1 < w { w = $1 } NR == 1 || $2 < c { c = $2 } END { print w, c }'
}

# The least wall seconds of N copies of brindel's files in DIR/tess into one file of a fresh folder, less
# the least of N copies of nothing (the start of the shell and of cat).
files_floor() {  # files_floor N DIR
  local n="$1" dir="$2" r
  for ((r = 0; r < n; ++r)); do
    rm -rf "$dir/copy" && mkdir -p "$dir/copy"
    echo "$(seconds sh -c 'cat "$1"/tess/* > "$1/copy/all"' sh "$dir" | cut -d' ' -f1)" \
         "$(seconds sh -c 'cat < /dev/null > "$1/copy/none"' sh "$dir" | cut -d' ' -f1)"
  done | awk 'NR == 1 || $1 < w { w = $1 } NR == 1 || $2 < e { e = $2 } END { print (w > e ? w - e : 0) }'
  rm -rf "$dir/copy"
}

printf '%-12s %7s %9s %8s %9s %7s %7s %8s %8s %7s %7s %10s %8s\n' case points residues brindel 1-thread \
       voro++ "b/voro" "b1/voro" "cpu b1/v" files "f/voro" relaxation "r/voro"
fit="$(mktemp)"
for name in "${cases[@]}"; do
  dir="$inputs/$name"
  points="$(grep -c '^ATOM' "$dir/file_02")"
  [ "$points" -le "$maxPoints" ] || continue
  residues="$(awk '/^ATOM/ && substr($0, 22, 1) != "&"' "$dir/file_02" | wc -l)"
  "$writer" tessellation-options tess default > "$dir/option_bis.txt"
  repeats=3; [ "$points" -lt 20000 ] || repeats=1; [ -z "$repeatCount" ] || repeats="$repeatCount"
  brindel="$(best_of "$repeats" fresh_results "$dir" run_brindel "$dir" | cut -d' ' -f1)"
  oneTimes="$(best_of "$repeats" fresh_results "$dir" run_brindel_one_thread "$dir")"
  one="$(echo "$oneTimes" | cut -d' ' -f1)"
  oneCpu="$(echo "$oneTimes" | cut -d' ' -f2)"
  files="$(files_floor "$repeats" "$dir")"
  voroLine="$("$voro" "$dir/file_02" "$dir/option_bis.txt" 3)"
  voroSeconds="$(echo "$voroLine" | cut -d' ' -f2)"
  voroCpu="$(echo "$voroLine" | cut -d' ' -f4)"
  relaxation="-"; relaxRatio="-"
  if [ -f "$dir/file_01.orvane" ] && [ "$points" -le "$relaxMax" ]; then
    # Best of the repeats, as for brindel: one run alone moves the ratio by a fifth on small cases.
    relaxation="$(best_of "$repeats" fresh_relaxation "$dir" run_relaxation "$dir" | cut -d' ' -f1)"
    relaxVoro="$("$voro" "$dir/file_01.orvane" - 3 | cut -d' ' -f2)"
    relaxRatio="$(awk -v r="$relaxation" -v v="$relaxVoro" 'BEGIN { printf "%.1f", r / v }')"
  fi
  awk -v n="$name" -v p="$points" -v a="$residues" -v b="$brindel" -v o="$one" -v v="$voroSeconds" \
      -v oc="$oneCpu" -v vc="$voroCpu" -v f="$files" -v r="$relaxation" -v rr="$relaxRatio" 'BEGIN {
        printf "%-12s %7d %9d %8.3f %9.3f %7.3f %7.2f %8.2f %8.2f %7.3f %7.2f %10s %8s\n", n, p, a, b, o, v,
               b / v, o / v, oc / vc, f, f / v, r, rr }'
  echo "$points $one" >> "$fit"
  # The results are not kept: the contact file of 50 000 amino acids alone holds 2.5 GB.
  rm -rf "$dir/tess" "$dir/rlx" && mkdir -p "$dir/tess"
done
# Least-squares slope of log(seconds) on log(points), one thread, cases of 1 000 points and more.
awk '$1 >= 1000 { x = log($1); y = log($2); n++; sx += x; sy += y; sxx += x * x; sxy += x * y }
     END { if (n > 1) printf "fitted exponent of brindel (one thread, %d cases from 1 000 points): %.2f\n", n,
                              (n * sxy - sx * sy) / (n * sxx - sx * sx) }' "$fit"
rm -f "$fit"
