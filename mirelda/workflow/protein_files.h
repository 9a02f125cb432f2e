// The file edge of the protein reader: reads a protein file (PDB or mmCIF, gzipped or not) from disk, and
// writes the report and the four scene files of a reading into a folder (the application folder).
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "mirelda/model/protein_reader.h"

namespace mirelda::workflow {

// The file names a reading leaves in the application folder.
inline constexpr const char* kProblemReportFile = "tampon";
inline constexpr const char* kProtSceneFile = "prot.wrl";
inline constexpr const char* kTraceSceneFile = "trace.wrl";
inline constexpr const char* kLabelSceneFile = "label.wrl";
inline constexpr const char* kViewSceneFile = "view.wrl";

// The formats of a protein file, and how a message names them.
enum class ProteinFormat { Pdb, Mmcif };
inline constexpr std::array<std::string_view, 4> kProteinFileExtensions = {".pdb", ".ent", ".cif", ".mmcif"};
inline constexpr std::string_view kProteinFormatsRead =
    "the formats read are PDB (.pdb, .ent) and mmCIF (.cif, .mmcif), each also gzipped (.gz)";

// The file name without ".gz", then without its protein extension (kProteinFileExtensions, any case); a
// name that is only an extension stays whole.
std::string ProteinStem(const std::filesystem::path& file);

// Reads and parses a protein file: PDB text with the protein reader's own rules, mmCIF through gemmi into
// the same rules (ReadMmcifProtein), either one gzipped or not. The format is the name's (".gz" aside);
// under another name a text opening with an mmCIF data block is mmCIF, any other is PDB. A file that
// cannot be read gives a failed reading ("cannot open ..."), a file without any atom record one that
// names the formats read.
model::ProteinReading ReadProteinFile(const std::filesystem::path& path,
                                      const std::function<void(long long)>& progress = {},
                                      const model::ReadingOptions& options = {});

// The text of a protein file (unpacked when gzipped) and its format, as ReadProteinFile takes them.
// Returns what failed, empty on success.
std::string ReadProteinText(const std::filesystem::path& path, std::string& text, ProteinFormat& format);

// Writes tampon, prot.wrl, trace.wrl, label.wrl and view.wrl (replacing older ones) into the folder.
// Returns an empty text on success, otherwise what failed.
std::string WriteProteinFiles(const model::ProteinReading& reading, const std::filesystem::path& folder);

}  // namespace mirelda::workflow
