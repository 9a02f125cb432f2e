// The training chains and their split by 40 % sequence cluster into a training and a validation set, so
// that no validation chain has a close homologue among the chains the tables and areas are learnt from.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace mirelda::trainer {

// At least this share of the clusters, and of the chains, goes to validation.
inline constexpr int ValidationShareDenominator = 5;  // one fifth

struct ChainEntry {
  std::string file;  // "1a2y.pdb"
  char chain = ' ';
  std::string cluster40;  // the 40 % identity cluster id
  int residues = 0;       // residues with a CA atom, as listed

  // A name for the chain's working folder: "1a2y_A" (a blank chain reads '_').
  std::string Id() const;
};

// The rows of a chain list (tab-separated: file, chain, n_residues_with_CA, cluster40, ...), header
// skipped; rows with fewer than four fields are dropped.
std::vector<ChainEntry> ParseChainList(std::istream& in);

// FNV-1a over the cluster id: a fixed, platform-independent order of the clusters.
std::uint64_t ClusterHash(std::string_view clusterId);

struct ChainSplit {
  std::vector<ChainEntry> training;    // in input order
  std::vector<ChainEntry> validation;  // in input order
};

// Takes whole clusters into validation in the order of their hash (ties by id) until at least a fifth of
// the clusters and a fifth of the chains are there; all other chains train. Deterministic and disjoint
// by cluster.
ChainSplit SplitByCluster(const std::vector<ChainEntry>& chains);

}  // namespace mirelda::trainer
