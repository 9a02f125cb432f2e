#include "mirelda/batch/summary_table.h"

#include "brindel/exchange/decimal_reading.h"
#include "brindel/exchange/fixed_format.h"

namespace mirelda::batch {
namespace {

constexpr const char* kMissing = "NA";
constexpr std::size_t kColumns = 8;

std::string Count(const std::optional<int>& value) { return value ? std::to_string(*value) : kMissing; }

// A field that is a whole number, or NA; false for anything else.
bool ReadCount(std::string_view field, std::optional<int>& value) {
  if (field == kMissing) {
    value.reset();
    return true;
  }
  const auto number = exchange::ReadLeadingInteger(field);
  if (!number.found || number.end != field.size() || field.front() == ' ') return false;
  value = static_cast<int>(number.value);
  return true;
}

}  // namespace

std::string SummaryHeader() {
  return "stem\tresidues\tproblems\tnot_in_bulk\tclasses_given\tseconds\tstatus\tmessage\n";
}

std::string SummaryLine(const SummaryRow& row) {
  std::string message = row.message;
  for (char& c : message)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  return row.stem + '\t' + Count(row.residues) + '\t' + Count(row.problems) + '\t' + Count(row.notInBulk) +
         '\t' + Count(row.classesGiven) + '\t' + exchange::Fixed(row.seconds, 0, 1) + '\t' + row.status +
         '\t' + message + '\n';
}

std::string SummaryTsv(const std::vector<SummaryRow>& rows) {
  std::string text = SummaryHeader();
  for (const SummaryRow& row : rows) text += SummaryLine(row);
  return text;
}

std::optional<SummaryRow> ParseSummaryLine(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  std::vector<std::string_view> fields;
  for (std::size_t from = 0;;) {
    const std::size_t tab = line.find('\t', from);
    fields.push_back(line.substr(from, tab == std::string_view::npos ? std::string_view::npos : tab - from));
    if (tab == std::string_view::npos) break;
    from = tab + 1;
  }
  if (fields.size() != kColumns || fields[0].empty()) return std::nullopt;
  SummaryRow row;
  row.stem = fields[0];
  if (!ReadCount(fields[1], row.residues) || !ReadCount(fields[2], row.problems) ||
      !ReadCount(fields[3], row.notInBulk) || !ReadCount(fields[4], row.classesGiven))
    return std::nullopt;
  const auto seconds = exchange::ReadLeadingDouble(fields[5]);
  if (!seconds.found || seconds.end != fields[5].size()) return std::nullopt;
  row.seconds = seconds.value;
  row.status = fields[6];
  if (row.status != SummaryRow::kDone && row.status != SummaryRow::kSkipped &&
      row.status != SummaryRow::kFailed)
    return std::nullopt;
  row.message = fields[7];
  return row;
}

}  // namespace mirelda::batch
