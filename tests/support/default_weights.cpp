#include "tests/support/default_weights.h"

#include <utility>

#include "brindel/exchange/fixed_format.h"

using namespace mirelda::exchange;

namespace mirelda::testing {
namespace {

constexpr std::pair<char, double> kDefaultWeights[] = {
    {'A', 91.5},  {'C', 114.4}, {'D', 135.2}, {'E', 154.6}, {'F', 198.8}, {'G', 67.5},  {'H', 162.3},
    {'I', 162.6}, {'K', 162.5}, {'L', 163.4}, {'M', 165.9}, {'N', 138.3}, {'P', 123.4}, {'Q', 156.4},
    {'R', 196.1}, {'S', 102.0}, {'T', 126.0}, {'U', 143.8}, {'V', 138.4}, {'W', 237.2}, {'Y', 209.8}};

}  // namespace

WeightTable DefaultWeights() {
  WeightTable weights{};
  for (const auto& [letter, weight] : kDefaultWeights) weights[letter - 'A'] = weight;
  return weights;
}

std::string DefaultTessellationOptions(const std::string& proteinName) {
  std::string text = "NOM_PROT:" + proteinName + "\r\nDCUT:16\r\nRCUT:10\r\n";
  for (const auto& [letter, weight] : kDefaultWeights) {
    text += std::string(">") + letter + ":" + Fixed(weight, 0, 1) + "\r\n";
  }
  return text;
}

}  // namespace mirelda::testing
