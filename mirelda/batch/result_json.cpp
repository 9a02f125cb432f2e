#include "mirelda/batch/result_json.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "brindel/exchange/decimal_reading.h"

namespace mirelda::batch {
namespace {

using Json = nlohmann::ordered_json;  // the keys in the order of the table's columns

constexpr const char* kIntegerColumns[] = {"resSeq", "faces", "closed", "bulk"};
constexpr const char* kDecimalColumns[] = {"x", "y", "z", "volume", "area", "exposure"};

bool Among(const std::string& column, std::span<const char* const> names) {
  return std::ranges::find(names, column) != names.end();
}

// A field of the table as JSON: NA as null, the number columns as numbers (read with '.', whatever the
// locale), the rest as text.
Json FieldValue(const std::string& column, const std::string& field) {
  if (field == kMissingField) return nullptr;
  if (Among(column, kIntegerColumns)) return exchange::ReadLeadingInteger(field).value;
  if (Among(column, kDecimalColumns)) return exchange::ReadLeadingDouble(field).value;
  return field;
}

// A decimal choice as a number: its text holds '.' decimals (BatchOptions).
double Number(const std::string& text) { return exchange::ReadLeadingDouble(text).value; }

}  // namespace

std::string ProgramVersion() { return MIRELDA_VERSION; }

std::string ResultJson(const BatchOptions& options, const RunCounts& counts, const TextTable& residues) {
  Json document;
  document["program"] = "mirelda-batch";
  document["version"] = ProgramVersion();

  Json& parameters = document["parameters"];
  parameters["protein"] = options.proteinFile;
  parameters["name"] = options.proteinName;
  parameters["point"] = options.point;
  parameters["environment"] = options.withEnvironment;
  parameters["radius"] = options.withEnvironment ? Json(Number(options.radiusText)) : Json(nullptr);
  parameters["thickness"] = options.withEnvironment ? Json(Number(options.thicknessText)) : Json(nullptr);
  parameters["relaxations"] = options.relaxations;
  parameters["weights"] = options.weighted;
  parameters["modified"] = options.modified;
  parameters["renumber"] = options.renumber;

  Json& tally = document["counts"];
  tally["residues"] = counts.residues;
  tally["problems"] = counts.problems;
  tally["notInBulk"] = counts.notInBulk;
  tally["classes"] = nullptr;
  const auto classColumn = std::ranges::find(residues.header, "class");
  if (counts.assigned && classColumn != residues.header.end()) {
    const auto column = static_cast<std::size_t>(classColumn - residues.header.begin());
    Json classes = {{"a", 0}, {"b", 0}, {"c", 0}};
    for (const std::vector<std::string>& row : residues.rows)
      if (column < row.size() && classes.contains(row[column]))
        classes[row[column]] = classes[row[column]].get<int>() + 1;
    tally["classes"] = classes;
  }

  document["problems"] = counts.problemLines;
  Json& rows = document["residues"] = Json::array();
  for (const std::vector<std::string>& row : residues.rows) {
    Json object = Json::object();
    for (std::size_t k = 0; k < residues.header.size() && k < row.size(); ++k)
      object[residues.header[k]] = FieldValue(residues.header[k], row[k]);
    rows.push_back(std::move(object));
  }
  return document.dump(2) + "\n";
}

}  // namespace mirelda::batch
