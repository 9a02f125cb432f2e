#include "mirelda/workflow/run_steps.h"

#include "brindel/exchange/text_lines.h"
#include "mirelda/model/decimal_text.h"
#include "mirelda/workflow/environment_step.h"
#include "mirelda/workflow/field_rules.h"
#include "mirelda/workflow/folder_operations.h"
#include "mirelda/workflow/local_scenes.h"
#include "mirelda/workflow/option_writers.h"
#include "mirelda/workflow/pipeline_files.h"
#include "mirelda/workflow/toggle_cells.h"

using namespace mirelda::exchange;
using namespace mirelda::model;

namespace mirelda::workflow {
namespace {

std::string BulkQuestion(int count, const std::string& reportName) {
  return std::to_string(count) + " amino acids are NOT in the bulk ! Do you want to see " + reportName +
         " for details ?";
}

constexpr std::string_view kRelaxationKey = "RELAXATION";
constexpr std::size_t kRelaxationKeyWindow = 10;    // the key is looked for in the first 10 characters
constexpr std::size_t kRelaxationNumberStart = 11;  // the pass number follows "RELAXATION:"

}  // namespace

TessellationErrors CheckTessellationErrors(const std::filesystem::path& resultsFolder,
                                           const std::string& proteinName) {
  TessellationErrors result;
  const std::string name = proteinName + "_error2";
  const std::filesystem::path path = resultsFolder / name;
  const std::optional<std::string> text = ReadTextFile(path);
  if (!text) {
    result.failure = "cannot open " + path.string();
    return result;
  }
  result.notInBulk = CountLines(*text);
  if (result.notInBulk > 0) {
    result.question = BulkQuestion(result.notInBulk, name);
    result.report = path;
  } else {
    RemoveFileIfPresent(path);  // an empty report is not worth keeping; failing to delete it harms nothing
  }
  return result;
}

TessellationErrors RunTessellationStep(const std::filesystem::path& appFolder, const std::string& proteinName,
                                       bool weighted, const ProgramRunner& runTessellation) {
  TessellationErrors result;
  result.failure = WriteTessellationOptions(appFolder, proteinName, weighted);
  if (result.failure.empty()) result.failure = runTessellation();
  if (!result.failure.empty()) return result;
  const std::filesystem::path resultsFolder = ResultsFolderOf(appFolder, proteinName);
  result.failure = KeepResultScenesLocal(resultsFolder, proteinName);
  if (!result.failure.empty()) return result;
  return CheckTessellationErrors(resultsFolder, proteinName);
}

RelaxationErrors ParseRelaxationErrors(std::string_view text) {
  RelaxationErrors errors;
  for (std::string_view line : SplitLines(text)) {
    if (line.substr(0, kRelaxationKeyWindow).find(kRelaxationKey) != std::string_view::npos) {
      const std::string_view number =
          line.size() > kRelaxationNumberStart ? line.substr(kRelaxationNumberStart) : "";
      errors.lastRelaxation = RoundHalfEven(DecimalPrefixValue(TrimBlanks(number)));
    } else {
      ++errors.notInBulk;
    }
  }
  return errors;
}

RelaxationOutcome FinishRelaxationRun(const std::filesystem::path& appFolder,
                                      const std::filesystem::path& resultsFolder,
                                      const std::string& proteinName, const RelaxationRequest& request) {
  RelaxationOutcome outcome;
  if (request.lastFile) {
    const std::filesystem::path saved = resultsFolder / (proteinName + "_R" + request.countText);
    if (std::string failure = CopyFileReplacing(appFolder / kFile02, saved); !failure.empty())
      outcome.warnings.push_back(failure);
  }
  const std::string name = proteinName + "_error";
  const std::filesystem::path path = resultsFolder / name;
  const std::optional<std::string> text = ReadTextFile(path);
  if (!text) {
    outcome.failure = "cannot open " + path.string();
    return outcome;
  }
  const RelaxationErrors errors = ParseRelaxationErrors(*text);
  outcome.notInBulk = errors.notInBulk;
  outcome.relaxations = std::to_string(errors.lastRelaxation + 1);
  if (errors.notInBulk > 0) {
    outcome.question = BulkQuestion(errors.notInBulk, name);
    outcome.report = path;
  } else {
    RemoveFileIfPresent(path);
  }
  return outcome;
}

RelaxationOutcome RunRelaxationStep(const std::filesystem::path& appFolder, const std::string& proteinName,
                                    const RelaxationRequest& request, const ProgramRunner& runRelaxation) {
  RelaxationOutcome outcome;
  if (request.passes == 0) return outcome;
  outcome.failure =
      WriteRelaxationOptions(appFolder, proteinName, request.passes, request.eachFile, request.stopOnError);
  if (outcome.failure.empty()) outcome.failure = runRelaxation();
  if (!outcome.failure.empty()) return outcome;
  return FinishRelaxationRun(appFolder, ResultsFolderOf(appFolder, proteinName), proteinName, request);
}

std::string AppendClassColumn(GridModel& tab1, std::string_view classText) {
  if (tab1.Cols() <= kColumnFaceLink) return "the residue table holds no tessellation results";
  tab1.SetCols(tab1.Cols() + 1);
  tab1.SetWidth(tab1.Width() + kClassColumnWidth);
  const int classColumn = tab1.Cols() - 1;
  tab1.SetColAlignment(classColumn, kAlignCentre);
  tab1.SetColWidth(classColumn, kClassColumnWidth);
  tab1.SetCol(classColumn);
  int row = 1;
  for (std::string_view line : SplitLines(classText)) {
    const std::string_view letter = TrimBlanks(line);
    // Rows of residues without a cell carry no "+" and get no class.
    while (row < tab1.Rows() && tab1.TextAt(row, kColumnFaceLink) != "+") ++row;
    if (row >= tab1.Rows()) return "more classes than residues with a cell: the last ones are not shown";
    tab1.SetRow(row);
    tab1.SetCol(classColumn);
    tab1.SetText(letter);
    tab1.SetBackColor(kColourLightYellow);
    ++row;
  }
  return {};
}

std::string ShowAssignment(GridModel& tab1, const std::filesystem::path& resultsFolder,
                           const std::string& proteinName) {
  const std::filesystem::path path = resultsFolder / (proteinName + "_resu");
  const std::optional<std::string> text = ReadTextFile(path);
  if (!text) return "cannot open " + path.string();
  return AppendClassColumn(tab1, *text);
}

}  // namespace mirelda::workflow
