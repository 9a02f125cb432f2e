#include "mirelda/workflow/environment_step.h"

#include <fstream>
#include <system_error>

#include "brindel/exchange/point_file.h"

#include "mirelda/workflow/environment_dialog.h"
#include "mirelda/workflow/file_00.h"
#include "mirelda/workflow/folder_operations.h"
#include "mirelda/workflow/pipeline_files.h"
#include "mirelda/workflow/protein_files.h"

using namespace mirelda::model;

namespace mirelda::workflow {

namespace {

// Whether the point file holds protein points but no environment point: what a radius or thickness of 0
// gives, a protein "in its environment" that would be analysed as if it had none.
bool LacksEnvironmentPoints(const std::filesystem::path& pointFile) {
  std::ifstream in(pointFile, std::ios::binary);
  const exchange::PointFile file = exchange::ReadPointFile(in);
  return file.aminoAcidCount > 0 && file.points.size() == static_cast<std::size_t>(file.aminoAcidCount);
}

}  // namespace

std::filesystem::path ResultsFolderOf(const std::filesystem::path& appFolder,
                                      const std::string& proteinName) {
  return appFolder / proteinName;
}

std::string PrepareEnvironmentRun(const EnvironmentRequest& request, const Residues& residues) {
  // The name becomes a folder that is deleted with its contents: it must stay inside the application folder.
  if (!IsValidProteinName(request.proteinName))
    return "the protein name must be 4 letters or digits, not \"" + request.proteinName + "\"";
  const std::filesystem::path& app = request.appFolder;
  for (const char* name : {kFile00, kFile01})
    if (std::string failure = RemoveFileIfPresent(app / name); !failure.empty()) return failure;

  const std::filesystem::path results = ResultsFolderOf(app, request.proteinName);
  std::error_code error;
  std::filesystem::remove_all(results, error);
  if (error) return "cannot delete the folder " + results.string() + ": " + error.message();
  std::filesystem::create_directory(results, error);
  if (error) return "cannot create the folder " + results.string() + ": " + error.message();

  for (const char* scene : {kProtSceneFile, kViewSceneFile, kTraceSceneFile, kLabelSceneFile})
    if (std::string failure = CopyFileReplacing(app / scene, results / scene); !failure.empty())
      return failure;

  return WriteFile00(app, residues, request.pointChoice, request.radiusText, request.thicknessText);
}

EnvironmentOutcome CompleteEnvironmentRun(const EnvironmentRequest& request, const Residues& residues) {
  EnvironmentOutcome outcome;
  const int residueCount = residues.ResidueCount();
  const std::filesystem::path& app = request.appFolder;
  const std::filesystem::path results = ResultsFolderOf(app, request.proteinName);
  outcome.summary = {request.proteinName, results.string(), request.pointChoice, residueCount,
                     request.withEnvironment};

  if (request.withEnvironment) {
    if (LacksEnvironmentPoints(app / kFile01)) {
      outcome.failure = "no environment point around the protein: the radius (" + request.radiusText +
                        ") and the thickness (" + request.thicknessText + ") must be above 0";
      return outcome;
    }
    outcome.failure = CopyFileReplacing(app / kFile01, app / kFile02);
    if (!outcome.failure.empty()) return outcome;
    if (request.keepCopy) {
      outcome.failure = CopyFileReplacing(app / kFile01, results / (request.proteinName + "_envir0"));
      if (!outcome.failure.empty()) return outcome;
    }
  } else {
    outcome.failure = CopyFileReplacing(app / kFile00, app / kFile02);
    if (!outcome.failure.empty()) return outcome;
  }

  if (request.problemCount > 0) {
    outcome.problemReport = results / (request.proteinName + "_problems");
    if (std::string failure = CopyFileReplacing(app / kProblemReportFile, outcome.problemReport);
        failure.empty()) {
      outcome.problemQuestion = std::to_string(request.problemCount) + " problems in " + request.proteinName +
                                " ! Do you want to see " + request.proteinName + "_problems for details ?";
    } else {
      outcome.warnings.push_back(failure);
      outcome.problemReport.clear();
    }
  }

  for (std::string& hidden : File00HiddenResidues(residues, request.pointChoice))
    outcome.warnings.push_back(std::move(hidden));

  if (request.withEnvironment) {
    outcome.secondViewScene = app / kEnvironmentScene;
    if (std::string failure = CopyFileReplacing(app / kEnvironmentScene, results / kEnvironmentScene);
        !failure.empty())
      outcome.warnings.push_back(failure);
  } else {
    outcome.secondViewScene = app / kTraceSceneFile;
  }
  return outcome;
}

EnvironmentOutcome RunEnvironmentStep(const EnvironmentRequest& request, const Residues& residues,
                                      const std::function<std::string()>& runEnvironment) {
  EnvironmentOutcome outcome;
  outcome.failure = PrepareEnvironmentRun(request, residues);
  if (!outcome.failure.empty()) return outcome;
  if (request.withEnvironment) {
    outcome.failure = runEnvironment ? runEnvironment() : "no environment program to run";
    if (!outcome.failure.empty()) return outcome;
  }
  return CompleteEnvironmentRun(request, residues);
}

}  // namespace mirelda::workflow
