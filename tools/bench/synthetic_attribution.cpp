// The synthetic protein of the attribution benchmark, written with the project's own writers: a random
// sparse contact matrix of N residues (chain neighbours, about a dozen close contacts per residue and
// parallel and antiparallel strand ladders) as FOLDER/bnch/bnch_contact, and pattern tables FOLDER/Tab_cen_2
// and FOLDER/Tab_ext_2 holding an entry for every pattern of the matrix, counts favouring one state.
// Usage: synthetic_attribution N SEED FOLDER
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "attribution/pattern_table.h"
#include "attribution/pattern_table_file.h"
#include "brindel/exchange/contact_file.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: synthetic_attribution N SEED FOLDER\n", stderr);
    return 1;
  }
  const int n = std::stoi(argv[1]);
  std::mt19937 random(static_cast<unsigned>(std::stoul(argv[2])));
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  const std::filesystem::path folder = argv[3];
  std::filesystem::create_directories(folder / "bnch");

  std::vector<std::map<int, char>> rows(static_cast<std::size_t>(n));
  const auto add = [&](int i, int j, char c) {
    if (i < 0 || j < 0 || i >= n || j >= n || i == j) return;
    rows[static_cast<std::size_t>(i)][j] = c;
    rows[static_cast<std::size_t>(j)][i] = c;
  };
  for (int i = 0; i + 1 < n; ++i) add(i, i + 1, '1');
  for (int i = 0; i < n; ++i)
    for (int k = 0; k < 6; ++k) {
      const int d = 2 + static_cast<int>(uniform(random) * 28);
      add(i, i + d, d <= 6 && uniform(random) < 0.3 ? '2' : '1');
    }
  // A ladder of 5 to 8 pairs every 40 residues with a partner run far along the chain.
  for (int i = 0; i + 8 < n; i += 40) {
    const int length = 5 + static_cast<int>(uniform(random) * 4);
    const int j = i + 20 + static_cast<int>(uniform(random) * (n - i));
    const bool antiparallel = uniform(random) < 0.5;
    for (int m = 0; m < length; ++m) add(i + m, antiparallel ? j + length - 1 - m : j + m, '1');
  }

  std::ofstream contact(folder / "bnch/bnch_contact", std::ios::binary);
  std::vector<std::string> text;
  for (const auto& row : rows) {
    const std::vector<std::pair<int, char>> entries(row.begin(), row.end());
    text.push_back(mirelda::exchange::FormatContactRow(n, entries));
    contact << text.back();
  }

  std::ofstream central(folder / "Tab_cen_2", std::ios::binary), terminal(folder / "Tab_ext_2", std::ios::binary);
  std::set<std::pair<bool, std::string>> written;
  for (int i = 0; i < n; ++i) {
    const bool atEnd = n < 13 || i < 6 || i >= n - 6;
    std::string key;
    for (int o = -6; o <= 6; ++o) {
      if (o >= -1 && o <= 1) continue;
      const int t = i + o;
      if (t < 0 || t >= n) {
        key += '2';  // beyond the chain's end, which only a terminal pattern reaches
        continue;
      }
      const char c = text[static_cast<std::size_t>(i)][static_cast<std::size_t>(t)];
      key += atEnd ? (c == '0' ? '0' : '1') : c;
    }
    if (!written.insert({atEnd, key}).second) continue;
    mirelda::attribution::PatternEntry entry;
    entry.keyText = key;
    const int favoured = static_cast<int>(uniform(random) * 3);
    for (int m = 0; m < mirelda::attribution::CountsPerEntry; ++m) {
      int count = uniform(random) < 0.05 ? static_cast<int>(uniform(random) * 50) : 0;
      if (m / 81 == favoured && uniform(random) < 0.3) count += static_cast<int>(uniform(random) * 200);
      entry.counts[static_cast<std::size_t>(m)] = count;
    }
    if (const auto line = mirelda::attribution::FormatPatternEntryLine(entry))
      (atEnd ? terminal : central) << *line << '\n';
  }
  return 0;
}
