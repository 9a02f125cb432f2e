// The file edge of the protein reader: reads a protein file from disk, and writes the report and the
// four scene files of a reading into a folder (the application folder).
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "mirelda/model/protein_reader.h"

namespace mirelda::workflow {

// The file names a reading leaves in the application folder.
inline constexpr const char* kProblemReportFile = "tampon";
inline constexpr const char* kProtSceneFile = "prot.wrl";
inline constexpr const char* kTraceSceneFile = "trace.wrl";
inline constexpr const char* kLabelSceneFile = "label.wrl";
inline constexpr const char* kViewSceneFile = "view.wrl";

// Reads and parses a protein file; a file that cannot be read gives a failed reading ("cannot open ...").
model::ProteinReading ReadProteinFile(const std::filesystem::path& path,
                                      const std::function<void(long long)>& progress = {});

// Writes tampon, prot.wrl, trace.wrl, label.wrl and view.wrl (replacing older ones) into the folder.
// Returns an empty text on success, otherwise what failed.
std::string WriteProteinFiles(const model::ProteinReading& reading, const std::filesystem::path& folder);

}  // namespace mirelda::workflow
