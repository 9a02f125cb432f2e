// The file edge of the results: the names of the tessellation's result files in a results folder, and
// the thin functions that read them (or write resultat.wrl) around the pure readers and composers.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "mirelda/results/cell_reader.h"
#include "mirelda/results/contact_matrix.h"
#include "mirelda/results/face_reader.h"
#include "mirelda/results/scene_composer.h"

namespace mirelda::results {

std::filesystem::path CellFilePath(const std::filesystem::path& resultsFolder,
                                   const std::string& proteinName);
std::filesystem::path FaceFilePath(const std::filesystem::path& resultsFolder,
                                   const std::string& proteinName);
std::filesystem::path ContactFilePath(const std::filesystem::path& resultsFolder,
                                      const std::string& proteinName);
std::filesystem::path CellScenePath(const std::filesystem::path& resultsFolder,
                                    const std::string& proteinName);

// A whole file as bytes; nullopt when it cannot be opened.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// The cell reader on the cell file "C" + name of the results folder. A missing file gives a report with
// read = false and "cannot open <path>", and leaves the residues and the table unchanged.
ReadReport lecture_C(const std::filesystem::path& resultsFolder, const std::string& proteinName,
                     model::Residues& residues, workflow::GridModel& tab1,
                     const CellReadOptions& options = {});

// The face reader on the face file "F" + name; a missing file is reported the same way.
ReadReport lecture_F(const std::filesystem::path& resultsFolder, const std::string& proteinName,
                     model::Residues& residues, const std::function<void()>& pumpEvents = {});

struct SceneWriting {
  bool written = false;  // resultat.wrl was written (possibly without the parts of a missing source)
  std::filesystem::path path;
  std::vector<std::string> problems;
  std::string Message() const;  // problems one a line, "" when none
};

// Composes resultat.wrl from the scenes of the results folder and writes it there (replacing it).
SceneWriting visualisation(const std::filesystem::path& resultsFolder, const std::string& proteinName,
                           const workflow::GridModel& tab1, const std::function<void()>& pumpEvents = {});

// The contact matrix of a contact file; a missing file gives an empty drawing whose problem says why.
ContactDrawing Dessine(const std::filesystem::path& contactFile, int areaPixels = kContactAreaPixels);

}  // namespace mirelda::results
