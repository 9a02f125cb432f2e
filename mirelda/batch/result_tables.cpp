#include "mirelda/batch/result_tables.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <utility>

#include "brindel/contacts.h"
#include "brindel/exchange/decimal_reading.h"
#include "brindel/exchange/fixed_format.h"
#include "brindel/exchange/point_file.h"
#include "brindel/exchange/residue_codes.h"
#include "brindel/exchange/text_lines.h"
#include "mirelda/batch/result_json.h"
#include "mirelda/model/residue_types.h"
#include "mirelda/workflow/environment_dialog.h"
#include "mirelda/workflow/folder_operations.h"
#include "mirelda/workflow/protein_files.h"
#include "mirelda/workflow/residue_table_layout.h"
#include "mirelda/results/residue_rows.h"

using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda::batch {
namespace {

const std::string kMissing(kMissingField);

// The point record of a residue as the tessellation saw it, for the contact character.
exchange::PointRecord PointOf(int number, const std::string& code, const std::string& chain) {
  exchange::PointRecord point;
  point.residueNumber = number;
  point.letter = code.empty() ? '0' : code.front();
  point.chain = chain.empty() ? ' ' : chain.front();
  return point;
}

}  // namespace

TextTable ResidueRows(const GridModel& tab1, const Residues& residues, std::string_view pointChoice,
                      bool classColumn) {
  return {results::HeaderOf(results::kResidueColumns),
          results::ResidueRows(tab1, residues, pointChoice, classColumn)};
}

std::string ResiduesTsv(const TextTable& residues) {
  return results::DelimitedText(residues.header, residues.rows, '\t');
}

std::vector<ResidueValue> BfactorValues(const TextTable& residues, BfactorColumn column) {
  const std::string_view name = column == BfactorColumn::Volume ? "volume"
                                : column == BfactorColumn::Class ? "class"
                                                                  : "exposure";
  const auto columnOf = [&](std::string_view header) {
    return static_cast<std::size_t>(std::ranges::find(residues.header, header) - residues.header.begin());
  };
  const std::size_t chain = columnOf("chain"), number = columnOf("resSeq"), code = columnOf("iCode"),
                    value = columnOf(name);
  std::vector<ResidueValue> values;
  for (const std::vector<std::string>& row : residues.rows) {
    if (value >= row.size() || row[value] == kMissing || row[chain].empty()) continue;
    ResidueValue residue;
    residue.chain = row[chain].front();
    residue.number = static_cast<int>(exchange::ReadLeadingInteger(row[number]).value);
    residue.insertionCode = row[code] == kMissing || row[code].empty() ? ' ' : row[code].front();
    if (column == BfactorColumn::Class)
      residue.value = row[value] == "a" ? 1 : row[value] == "b" ? 2 : row[value] == "c" ? 3 : 0;
    else
      residue.value = exchange::ReadLeadingDouble(row[value]).value;
    values.push_back(residue);
  }
  return values;
}

std::string ContactsTsv(const Residues& residues) {
  const std::vector<std::string> header = {"chain1", "resSeq1", "iCode1", "chain2",    "resSeq2",
                                           "iCode2", "area",    "separation", "contact"};
  std::vector<results::TextRow> rows;
  // The file's number and insertion code of each residue, by its chain and number as the faces name it.
  std::map<std::pair<std::string, int>, std::pair<std::string, std::string>> fileIds;
  for (int r = 1; r <= residues.ResidueCount(); ++r)
    if (const DEF_AA* residue = residues.Find(r); residue != nullptr)
      fileIds[{residue->CHAIN(), residue->NUM()}] = {std::to_string(residue->FileNumber()),
                                                     results::InsertionCodeText(residue->InsertionCode())};
  const auto fileId = [&fileIds](const std::string& chain, int number) {
    const auto id = fileIds.find({chain, number});
    return id != fileIds.end() ? id->second : std::pair{std::to_string(number), kMissing};
  };
  for (int r = 1; r <= residues.ResidueCount(); ++r) {
    const DEF_AA* residue = residues.Find(r);
    if (residue == nullptr) continue;
    const auto [number1, code1] = fileId(residue->CHAIN(), residue->NUM());
    for (const Voisin& face : residue->VOIS()) {
      if (face.CHA.empty() || face.CHA.front() == exchange::EnvironmentChain) continue;
      const bool sameChain = face.CHA == residue->CHAIN();
      const char contact =
          tessellation::ContactCharacter(PointOf(residue->NUM(), residue->NAME(), residue->CHAIN()),
                                         PointOf(face.NUM, face.NOM, face.CHA), face.SUR);
      const auto [number2, code2] = fileId(face.CHA, face.NUM);
      rows.push_back({residue->CHAIN(), number1, code1, face.CHA, number2, code2,
                      exchange::Fixed(face.SUR, 0, 3), sameChain ? std::to_string(std::abs(residue->NUM() - face.NUM)) : kMissing,
                      std::string(1, contact)});
    }
  }
  return results::DelimitedText(header, rows, '\t');
}

ResultFilesWritten WriteResultFiles(const BatchRun& run, const BatchOptions& options) {
  ResultFilesWritten written;
  const std::string tables = (run.session.resultsFolder / options.proteinName).string();
  const protocol::FrontEndSession& session = run.session;
  const TextTable residueRows = ResidueRows(session.tab1, session.residues, options.point, run.assigned);
  RunCounts counts{session.residues.ResidueCount(), session.problemCount, run.notInBulk, run.assigned, {}};
  if (session.problemCount > 0)
    if (const auto report = workflow::ReadTextFile(session.appFolder / workflow::kProblemReportFile))
      for (const std::string_view line : exchange::SplitLines(*report))
        if (!exchange::TrimBlanks(line).empty()) counts.problemLines.emplace_back(line);
  const std::pair<std::filesystem::path, std::string> files[] = {
      {tables + ".residues.tsv", ResiduesTsv(residueRows)},
      {tables + ".contacts.tsv", ContactsTsv(session.residues)},
      {tables + ".json", ResultJson(options, counts, residueRows)}};
  for (const auto& [path, text] : files) {
    if (!WriteTextFile(path, text).empty()) {
      written.unwritten = path;
      return written;
    }
  }
  const std::string bfactor = tables + ".bfactor.";
  const workflow::BfactorWriting views = workflow::WriteBfactorFiles(
      options.proteinFile, BfactorValues(residueRows, options.bfactor), bfactor + "cif", bfactor + "pdb");
  if (!views.failure.empty())
    written.warnings.push_back("no B-factor files: " + views.failure);
  else if (!views.pdbProblem.empty())
    written.warnings.push_back("no " + bfactor + "pdb, only " + bfactor + "cif: " + views.pdbProblem);
  return written;
}

}  // namespace mirelda::batch
