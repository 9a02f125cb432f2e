#!/usr/bin/env bash
# Times the attribution program on a synthetic protein: a random sparse contact matrix of N residues
# (chain neighbours, about a dozen close contacts per residue and parallel and antiparallel strand
# ladders) and pattern tables that hold an entry for every pattern of the matrix, so that every stage,
# the ladder walks included, has work to do. Prints N, the wall-clock seconds and the peak resident memory.
# Usage: tools/bench/bench_attribution.sh [N] [seed]   (default 3000 residues, seed 1; the program is
# build/app/attribution, or the path in $ATTRIBUTION)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
program="${ATTRIBUTION:-$root/build/app/attribution}"
n="${1:-3000}"
seed="${2:-1}"
[ -x "$program" ] || { echo "no program at $program: build the attribution target first" >&2; exit 1; }
[ -x "$root/build/tools/bench/synthetic_attribution" ] || { echo "build first (tools/build.sh)" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A tiny runner that reports the child's wall-clock time and peak resident set (getrusage through wait4),
# as /usr/bin/time is not always installed.
c++ -O2 -std=c++20 -x c++ -o "$work/measure" - <<'EOF'
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <cstdio>
int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execv(argv[1], argv + 1);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  std::printf("%.3f %ld %d\n", elapsed.count(), usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  return 0;
}
EOF

run="$work/run"
mkdir -p "$run/bnch"
"$root/build/tools/inputs/mirelda-inputs" tessellation-options bnch > "$run/option_bis.txt"

# The contact file, then the two tables: each distinct pattern gets random counts that favour one state.
"$root/build/tools/bench/synthetic_attribution" "$n" "$seed" "$run"

read -r seconds peak status < <(cd "$run" && "$work/measure" "$program" 2> /dev/null)
[ "$status" = 0 ] || { echo "attribution ended with status $status" >&2; exit 1; }
classes="$(sort "$run/bnch/bnch_resu" | uniq -c | awk '{printf "%s%s %s", sep, $2, $1; sep = ", "}')"
echo "attribution: N = $n residues, $(wc -l < "$run/Tab_cen_2") central and $(wc -l < "$run/Tab_ext_2") terminal entries"
echo "  seconds: $seconds"
echo "  peak memory: $((peak / 1024)) MB ($peak kB)"
echo "  classes: $classes"
