// Where the tests find the built programs, the project's fixtures and the real proteins.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace mirelda::testing {

std::filesystem::path AppDir();         // the application folder with the programs and data files
std::filesystem::path TestDataDir();    // tests/data
std::filesystem::path StructuresDir();  // real PDB entries beside the project (may be absent)
std::filesystem::path SamplesDir();     // sample proteins from Debian packages (may be absent)

// A sample protein unpacked by tools/fetch-samples.sh, such as "1A8O.pdb"; nullopt when absent.
std::optional<std::filesystem::path> SampleProtein(const std::string& fileName);

// A real structure of the shared folder, such as "1a8o.pdb"; nullopt when absent.
std::optional<std::filesystem::path> Structure(const std::string& fileName);

// Reads a whole file as bytes; empty when it cannot be read.
std::string ReadFileText(const std::filesystem::path& path);
void WriteFileText(const std::filesystem::path& path, const std::string& text);

}  // namespace mirelda::testing
