#include "mirelda/results/result_files.h"

#include <fstream>
#include <iterator>

using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda::results {
namespace {

ReadReport CannotOpen(const std::filesystem::path& path) {
  ReadReport report;
  report.problems.push_back("cannot open " + path.string());
  return report;
}

}  // namespace

std::filesystem::path CellFilePath(const std::filesystem::path& resultsFolder,
                                   const std::string& proteinName) {
  return resultsFolder / ("C" + proteinName);
}

std::filesystem::path FaceFilePath(const std::filesystem::path& resultsFolder,
                                   const std::string& proteinName) {
  return resultsFolder / ("F" + proteinName);
}

std::filesystem::path ContactFilePath(const std::filesystem::path& resultsFolder,
                                      const std::string& proteinName) {
  return resultsFolder / (proteinName + "_contact");
}

std::filesystem::path CellScenePath(const std::filesystem::path& resultsFolder,
                                    const std::string& proteinName) {
  return resultsFolder / (proteinName + ".wrl");
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return text;
}

ReadReport lecture_C(const std::filesystem::path& resultsFolder, const std::string& proteinName,
                     Residues& residues, GridModel& tab1, const CellReadOptions& options) {
  const std::filesystem::path path = CellFilePath(resultsFolder, proteinName);
  const std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return CannotOpen(path);
  return ReadCellText(*text, path.filename().string(), residues, tab1, options);
}

ReadReport lecture_F(const std::filesystem::path& resultsFolder, const std::string& proteinName,
                     Residues& residues, const std::function<void()>& pumpEvents) {
  const std::filesystem::path path = FaceFilePath(resultsFolder, proteinName);
  const std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return CannotOpen(path);
  return ReadFaceText(*text, path.filename().string(), residues, pumpEvents);
}

std::string SceneWriting::Message() const {
  std::string message;
  for (const std::string& problem : problems) {
    if (!message.empty()) message += '\n';
    message += problem;
  }
  return message;
}

SceneWriting visualisation(const std::filesystem::path& resultsFolder, const std::string& proteinName,
                           const GridModel& tab1, const std::function<void()>& pumpEvents) {
  SceneWriting writing;
  writing.path = resultsFolder / std::string(kComposedSceneFile);
  const ComposedScene scene = ComposeResultScene(
      ResultSceneSources(proteinName, ReadWholeFile(CellScenePath(resultsFolder, proteinName)),
                         ReadWholeFile(resultsFolder / "prot.wrl"),
                         ReadWholeFile(resultsFolder / "trace.wrl"),
                         ReadWholeFile(resultsFolder / "label.wrl")),
      tab1, pumpEvents);
  writing.problems = scene.problems;
  std::ofstream out(writing.path, std::ios::binary | std::ios::trunc);
  out << scene.text;
  out.close();
  if (!out) {
    writing.problems.push_back("cannot write " + writing.path.string());
    return writing;
  }
  writing.written = true;
  return writing;
}

ContactDrawing Dessine(const std::filesystem::path& contactFile, int areaPixels) {
  const std::optional<std::string> text = ReadWholeFile(contactFile);
  if (!text) {
    ContactDrawing empty;
    empty.problem = "cannot open " + contactFile.string();
    return empty;
  }
  ContactDrawing drawing = DrawContactMatrix(*text, areaPixels);
  if (drawing.Rows() == 0) drawing.problem = contactFile.string() + " is empty";
  return drawing;
}

}  // namespace mirelda::results
