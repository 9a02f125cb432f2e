#include "tools/trainer/training_split.h"

#include <algorithm>
#include <map>
#include <set>

#include "tools/trainer/tsv_rows.h"

namespace mirelda::trainer {

std::string ChainEntry::Id() const {
  std::string stem = file.substr(0, file.find('.'));
  return stem + '_' + (chain == ' ' ? '_' : chain);
}

std::vector<ChainEntry> ParseChainList(std::istream& in) {
  std::vector<ChainEntry> chains;
  ForEachTsvRow(in, [&](const std::vector<std::string>& fields) {
    if (fields.size() < 4) return;
    ChainEntry entry;
    entry.file = fields[0];
    entry.chain = fields[1].empty() ? ' ' : fields[1][0];
    entry.residues = std::atoi(fields[2].c_str());
    entry.cluster40 = fields[3];
    chains.push_back(entry);
  });
  return chains;
}

std::uint64_t ClusterHash(std::string_view clusterId) {
  constexpr std::uint64_t kOffsetBasis = 14695981039346656037ull;
  constexpr std::uint64_t kPrime = 1099511628211ull;
  std::uint64_t hash = kOffsetBasis;
  for (char c : clusterId) {
    hash ^= static_cast<unsigned char>(c);
    hash *= kPrime;
  }
  return hash;
}

ChainSplit SplitByCluster(const std::vector<ChainEntry>& chains) {
  std::map<std::string, int> chainsPerCluster;
  for (const ChainEntry& chain : chains) ++chainsPerCluster[chain.cluster40];
  std::vector<std::string> order;
  order.reserve(chainsPerCluster.size());
  for (const auto& [cluster, count] : chainsPerCluster) order.push_back(cluster);
  std::sort(order.begin(), order.end(), [](const std::string& a, const std::string& b) {
    const std::uint64_t ha = ClusterHash(a), hb = ClusterHash(b);
    return ha != hb ? ha < hb : a < b;
  });

  const auto clusterCount = static_cast<long long>(order.size());
  const auto chainCount = static_cast<long long>(chains.size());
  std::set<std::string> validationClusters;
  long long validationChains = 0;
  for (const std::string& cluster : order) {
    const auto clustersTaken = static_cast<long long>(validationClusters.size());
    if (clustersTaken * ValidationShareDenominator >= clusterCount &&
        validationChains * ValidationShareDenominator >= chainCount) {
      break;
    }
    validationClusters.insert(cluster);
    validationChains += chainsPerCluster[cluster];
  }

  ChainSplit split;
  for (const ChainEntry& chain : chains) {
    (validationClusters.count(chain.cluster40) ? split.validation : split.training).push_back(chain);
  }
  return split;
}

}  // namespace mirelda::trainer
