// Where the tests find the built programs, the project's fixtures and the real proteins.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace mirelda::testing {

std::filesystem::path AppDir();           // the application folder with the programs and data files
std::filesystem::path TestDataDir();      // tests/data
std::filesystem::path TestProteinsDir();  // tests/data/proteins/*.pdb.gz, unpacked by the build
std::filesystem::path StructuresDir();    // real PDB entries beside the project (may be absent)
std::filesystem::path SamplesDir();       // sample proteins from Debian packages (may be absent)

// True when CI=true: then every real input must be there, and a missing one fails its test.
bool RealInputsRequired();

// The one check of a real input a test cannot run without. Returns the file when it exists; otherwise
// skips the calling test, naming the file and how to get it (or fails it when RealInputsRequired(), so
// that a CI run never passes on tests that did not run) and returns nullopt: the caller then returns at
// once, as in `const auto protein = TestProtein("1A8O.pdb"); if (!protein) return;`.
std::optional<std::filesystem::path> RequireInput(const std::filesystem::path& file,
                                                  const std::string& howToGet);

// A protein committed under tests/data/proteins, such as "1A8O.pdb" (there after every build).
std::optional<std::filesystem::path> TestProtein(const std::string& fileName);

// A larger sample protein unpacked by tools/fetch-samples.sh, such as "7DDO.pdb".
std::optional<std::filesystem::path> SampleProtein(const std::string& fileName);

// A real structure of the shared folder, such as "1a8o.pdb"; nullopt when absent. That folder lies outside
// the project, so its absence is never a failure, not even under CI.
std::optional<std::filesystem::path> Structure(const std::string& fileName);

// Reads a whole file as bytes; empty when it cannot be read.
std::string ReadFileText(const std::filesystem::path& path);
void WriteFileText(const std::filesystem::path& path, const std::string& text);

}  // namespace mirelda::testing
