#include "tools/trainer/confusion.h"

#include <algorithm>

using namespace mirelda::attribution;

namespace mirelda::trainer {
namespace {

double Share(long long part, long long whole) {
  return whole == 0 ? 0.0 : static_cast<double>(part) / static_cast<double>(whole);
}

}  // namespace

void Confusion::Add(std::string_view truth, std::string_view predicted) {
  const std::size_t n = std::min(truth.size(), predicted.size());
  for (std::size_t r = 0; r < n; ++r) {
    const std::optional<int> t = StateNumber(truth[r]), p = StateNumber(predicted[r]);
    if (t && p) ++counts_[*t][*p];
  }
}

long long Confusion::Total() const {
  long long total = 0;
  for (const auto& row : counts_) {
    for (long long count : row) total += count;
  }
  return total;
}

double Confusion::Q3() const {
  long long right = 0;
  for (int s = 0; s < StateCount; ++s) right += counts_[s][s];
  return Share(right, Total());
}

double Confusion::Precision(int state) const {
  long long predicted = 0;
  for (int t = 0; t < StateCount; ++t) predicted += counts_[t][state];
  return Share(counts_[state][state], predicted);
}

double Confusion::Recall(int state) const {
  long long actual = 0;
  for (int p = 0; p < StateCount; ++p) actual += counts_[state][p];
  return Share(counts_[state][state], actual);
}

}  // namespace mirelda::trainer
