// The split by sequence cluster: whole clusters go to one side, at least a fifth to validation, and the
// same input always gives the same sets.
#include "tools/trainer/training_split.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

using namespace mirelda::trainer;

namespace mirelda {
namespace {

std::vector<ChainEntry> Chains() {
  std::vector<ChainEntry> chains;
  for (int k = 0; k < 200; ++k) {
    // Clusters of one to three chains.
    ChainEntry chain;
    chain.file = std::to_string(k);
    chain.file += ".pdb";
    chain.cluster40 = std::to_string(k / (1 + k % 3));
    chains.push_back(chain);
  }
  return chains;
}

std::set<std::string> Ids(const std::vector<ChainEntry>& chains) {
  std::set<std::string> ids;
  for (const ChainEntry& chain : chains) ids.insert(chain.Id());
  return ids;
}

TEST(TrainingSplit, IsDeterministicAndIndependentOfTheOrder) {
  std::vector<ChainEntry> chains = Chains();
  const ChainSplit first = SplitByCluster(chains);
  std::reverse(chains.begin(), chains.end());
  const ChainSplit reversed = SplitByCluster(chains);
  EXPECT_EQ(Ids(first.validation), Ids(reversed.validation));
  EXPECT_EQ(Ids(first.training), Ids(reversed.training));
}

TEST(TrainingSplit, ClustersAreDisjointAndAFifthValidates) {
  const std::vector<ChainEntry> chains = Chains();
  const ChainSplit split = SplitByCluster(chains);
  std::set<std::string> trainingClusters, validationClusters, allClusters;
  for (const ChainEntry& chain : split.training) trainingClusters.insert(chain.cluster40);
  for (const ChainEntry& chain : split.validation) validationClusters.insert(chain.cluster40);
  for (const ChainEntry& chain : chains) allClusters.insert(chain.cluster40);
  for (const std::string& cluster : validationClusters)
    EXPECT_FALSE(trainingClusters.count(cluster)) << cluster;
  EXPECT_EQ(split.training.size() + split.validation.size(), chains.size());
  EXPECT_GE(validationClusters.size() * ValidationShareDenominator, allClusters.size());
  EXPECT_GE(split.validation.size() * ValidationShareDenominator, chains.size());
  EXPECT_LT(split.validation.size() * 3, chains.size());  // not much more than needed
}

TEST(TrainingSplit, ChainListRowsAreRead) {
  std::istringstream in(
      "file\tchain\tn_residues_with_CA\tcluster40\n1a2y.pdb\tB\t116\t170\t1098\tQV\nshort\trow\n");
  const std::vector<ChainEntry> chains = ParseChainList(in);
  ASSERT_EQ(chains.size(), 1u);
  EXPECT_EQ(chains[0].Id(), "1a2y_B");
  EXPECT_EQ(chains[0].cluster40, "170");
  EXPECT_EQ(chains[0].residues, 116);
  EXPECT_NE(ClusterHash("170"), ClusterHash("171"));
}

}  // namespace
}  // namespace mirelda
