#include "tools/trainer/dssp_states.h"

#include "brindel/exchange/decimal_reading.h"
#include "tools/trainer/tsv_rows.h"

using namespace mirelda::exchange;

namespace mirelda::trainer {

std::vector<DsspChain> ParseDsspTable(std::istream& in) {
  std::vector<DsspChain> chains;
  ForEachTsvRow(in, [&](const std::vector<std::string>& fields) {
    if (fields.size() < 6) return;
    DsspChain chain;
    chain.file = fields[0];
    chain.chain = fields[1].empty() ? ' ' : fields[1][0];
    chain.residueIds = SplitFields(fields[3], ',');
    chain.ss8 = fields[5];
    if (chain.residueIds.size() != chain.ss8.size()) return;
    chains.push_back(std::move(chain));
  });
  return chains;
}

char ThreeState(char ss8) {
  switch (ss8) {
    case 'H':
    case 'G':
    case 'I':
      return 'a';
    case 'E':
    case 'B':
      return 'b';
    default:
      return 'c';
  }
}

std::map<int, char> StatesByNumber(const DsspChain& chain) {
  std::map<int, char> states;
  for (std::size_t k = 0; k < chain.residueIds.size(); ++k) {
    const LeadingNumber<std::int64_t> number = ReadLeadingInteger(chain.residueIds[k]);
    if (!number.found) continue;
    states.emplace(static_cast<int>(number.value), ThreeState(chain.ss8[k]));  // the first entry stays
  }
  return states;
}

AlignedStates AlignStates(const std::vector<int>& residueNumbers, const std::map<int, char>& byNumber) {
  AlignedStates aligned;
  aligned.states.reserve(residueNumbers.size());
  for (int number : residueNumbers) {
    const auto found = byNumber.find(number);
    if (found == byNumber.end()) {
      aligned.states.push_back(MissingDsspState);
      ++aligned.missing;
    } else {
      aligned.states.push_back(found->second);
    }
  }
  return aligned;
}

}  // namespace mirelda::trainer
