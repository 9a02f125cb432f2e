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
awk -v n="$n" -v seed="$seed" -v dir="$run" '
function add(i, j, c) {
  if (i < 1 || j < 1 || i > n || j > n || i == j) return
  cell[i, j] = c; cell[j, i] = c
  if (!((i, j) in seen)) { seen[i, j] = 1; seen[j, i] = 1; list[i] = list[i] " " j; list[j] = list[j] " " i }
}
function entry(key, favoured,   line, m, count) {
  line = key " "
  for (m = 0; m < 243; m++) {
    count = (rand() < 0.05) ? int(rand() * 50) : 0
    if (int(m / 81) == favoured && rand() < 0.3) count += int(rand() * 200)
    line = line sprintf("%6d", count)
  }
  return line
}
BEGIN {
  srand(seed)
  for (i = 1; i < n; i++) add(i, i + 1, "1")
  for (i = 1; i <= n; i++)
    for (k = 0; k < 6; k++) {
      d = 2 + int(rand() * 28)
      add(i, i + d, (d <= 6 && rand() < 0.3) ? "2" : "1")
    }
  # A ladder of 5 to 8 pairs every 40 residues with a partner run far along the chain.
  for (i = 1; i + 8 <= n; i += 40) {
    len = 5 + int(rand() * 4); j = i + 20 + int(rand() * (n - i))
    anti = rand() < 0.5
    for (m = 0; m < len; m++) add(i + m, anti ? j + len - 1 - m : j + m, "1")
  }
  zeros = ""; for (t = 1; t <= n; t++) zeros = zeros "0"
  contact = dir "/bnch/bnch_contact"
  for (i = 1; i <= n; i++) {
    row[i] = zeros
    k = split(list[i], partners, " ")
    for (p = 1; p <= k; p++) { t = partners[p] + 0; row[i] = substr(row[i], 1, t - 1) cell[i, t] substr(row[i], t + 1) }
    print row[i] > contact
  }
  for (i = 1; i <= n; i++) {
    terminal = (n < 13 || i <= 6 || i > n - 6)
    key = ""
    for (o = -6; o <= 6; o++) {
      if (o >= -1 && o <= 1) continue
      t = i + o
      if (terminal) key = key ((t < 1 || t > n) ? "2" : (substr(row[i], t, 1) == "0" ? "0" : "1"))
      else key = key substr(row[i], t, 1)
    }
    table = terminal ? "Tab_ext_2" : "Tab_cen_2"
    if (!((table, key) in written)) { written[table, key] = 1; print entry(key, int(rand() * 3)) > (dir "/" table) }
  }
}'

read -r seconds peak status < <(cd "$run" && "$work/measure" "$program" 2> /dev/null)
[ "$status" = 0 ] || { echo "attribution ended with status $status" >&2; exit 1; }
classes="$(sort "$run/bnch/bnch_resu" | uniq -c | awk '{printf "%s%s %s", sep, $2, $1; sep = ", "}')"
echo "attribution: N = $n residues, $(wc -l < "$run/Tab_cen_2") central and $(wc -l < "$run/Tab_ext_2") terminal entries"
echo "  seconds: $seconds"
echo "  peak memory: $((peak / 1024)) MB ($peak kB)"
echo "  classes: $classes"
