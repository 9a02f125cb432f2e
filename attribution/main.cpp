// attribution: assigns every residue of the protein named in option_bis.txt a class letter from its
// contact file and the two pattern tables, writes the class file and then the marker test_attribution.
#include <cstdio>
#include <fstream>
#include <new>
#include <string>

#include "attribution/attribution.h"
#include "attribution/contact_file.h"
#include "attribution/pattern_table_file.h"
#include "brindel/exchange/option_files.h"
#include "brindel/exchange/run_files.h"

using namespace mirelda::exchange;
using namespace mirelda::attribution;

namespace {

constexpr const char* kOptionFile = "option_bis.txt";
constexpr const char* kCentralTableFile = "Tab_cen_2";
constexpr const char* kTerminalTableFile = "Tab_ext_2";

// Closes an input and reports a failed close; the run goes on.
void CloseInput(std::ifstream& in, const std::string& stillOpenMessage) {
  in.clear();
  in.close();
  if (in.fail()) std::fputs(stillOpenMessage.c_str(), stderr);
}

// A table that cannot be opened stays empty: its patterns then find no entry.
PatternTable ReadTable(const char* path, const char* shortName) {
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) {
    std::fprintf(stderr, "cannot open %s\n", shortName);
    return {};
  }
  std::fprintf(stderr, "reading %s ...\n", path);
  PatternTable table = ReadPatternTable(in);
  CloseInput(in, std::string(shortName) + " still open\n");
  return table;
}

ExitStatus WriteClassFile(const std::string& path, const StateLetters& classes) {
  std::FILE* out = std::fopen(path.c_str(), "w");
  if (out == nullptr) {
    std::fprintf(stderr, "cannot open %s\n", path.c_str());
    return OutputFailed;
  }
  bool written = true;
  for (int r = 1; r <= classes.Size(); ++r) written = std::fprintf(out, "%c\n", classes.At(r)) > 0 && written;
  if (std::fclose(out) != 0 || !written) {
    std::fprintf(stderr, "%s still open\n ", path.c_str());
    return OutputFailed;
  }
  return Success;
}

ExitStatus Run() {
  std::ifstream optionFile(kOptionFile, std::ios::binary);
  if (!optionFile.is_open()) {
    std::fprintf(stderr, "cannot open %s\n", kOptionFile);
    return InputMissing;
  }
  const std::string name = ReadTessellationOptions(optionFile).proteinName;
  CloseInput(optionFile, std::string(kOptionFile) + " still open\n ");

  const PatternTable centralTable = ReadTable(kCentralTableFile, "Tab_cen");
  const PatternTable terminalTable = ReadTable(kTerminalTableFile, "Tab_ext");
  std::fprintf(stderr, "%s\n", name.c_str());

  const std::string contactPath = ResultPath(name, name + "_contact");
  std::ifstream contactFile(contactPath, std::ios::binary);
  if (!contactFile.is_open()) {
    // Without contacts nothing can be computed: no class file and no marker.
    std::fprintf(stderr, "cannot open %s\n", contactPath.c_str());
    return InputMissing;
  }
  std::fprintf(stderr, "reading %s ...\n", contactPath.c_str());
  const ContactMatrix matrix = ReadContactMatrix(contactFile);
  CloseInput(contactFile, contactPath + " still open\n ");

  const Attribution attribution = AssignClasses(matrix, centralTable, terminalTable);
  for (const MalformedPattern& pattern : attribution.malformed) {
    std::fprintf(stderr, pattern.terminal ? "Nter : AUTRE ERREUR : %s %d\n" : "AUTRE ERREUR : %s %d\n",
                 pattern.text.c_str(), static_cast<int>(pattern.text.size()));
  }

  const ExitStatus written = WriteClassFile(ResultPath(name, name + "_resu"), attribution.s2);
  if (written != Success) return written;
  if (!CreateMarker(AttributionMarker)) {
    std::fprintf(stderr, "cannot open %s\n", AttributionMarker);
    return OutputFailed;
  }
  return Success;
}

}  // namespace

int main() {
  try {
    return Run();
  } catch (const std::bad_alloc&) {
    std::fputs("not enough memory\n", stderr);
    return CapacityExceeded;
  }
}
