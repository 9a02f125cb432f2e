// attribution: assigns every residue of the protein named in option_bis.txt a class letter from its
// contact file and the two pattern tables, writes the class file and then the marker test_attribution.
// A missing, empty or cut pattern table ends the run with status 1 and no marker, as a missing contact file.
#include <cstdio>
#include <fstream>
#include <new>
#include <optional>
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

// A table that cannot be opened, or is cut short or empty, ends the run: without it every residue
// would silently become coil.
std::optional<PatternTable> ReadTable(const char* path, const char* shortName) {
  RunInput in(path, shortName);
  if (!in.IsOpen()) return std::nullopt;
  std::fprintf(stderr, "reading %s ...\n", path);
  PatternTableReading reading = ReadCheckedPatternTable(in.Stream());
  in.Close(std::string(shortName) + " still open\n");
  if (!reading.Usable()) {
    std::fprintf(stderr, "%s %s\n", path, reading.Problem().c_str());
    return std::nullopt;
  }
  return std::move(reading.table);
}

ExitStatus WriteClassFile(const std::string& path, const StateLetters& classes) {
  RunOutput out(path);
  if (!out.IsOpen()) return OutputFailed;
  for (int r = 1; r <= classes.Size(); ++r) out.Stream() << classes.At(r) << '\n';
  return out.Close(path + " still open\n ") ? Success : OutputFailed;
}

ExitStatus Run() {
  RunInput optionFile(kOptionFile);
  if (!optionFile.IsOpen()) return InputMissing;
  const TessellationOptions options = ReadTessellationOptions(optionFile.Stream());
  optionFile.Close(std::string(kOptionFile) + " still open\n ");
  if (options.nameRefused) ReportRefusedName(options.proteinName);
  const std::string& name = options.proteinName;

  const std::optional<PatternTable> centralTable = ReadTable(kCentralTableFile, "Tab_cen");
  if (!centralTable) return InputMissing;
  const std::optional<PatternTable> terminalTable = ReadTable(kTerminalTableFile, "Tab_ext");
  if (!terminalTable) return InputMissing;
  std::fprintf(stderr, "%s\n", name.c_str());

  const std::string contactPath = ResultPath(name, name + "_contact");
  RunInput contactFile(contactPath);
  // Without contacts nothing can be computed: no class file and no marker.
  if (!contactFile.IsOpen()) return InputMissing;
  std::fprintf(stderr, "reading %s ...\n", contactPath.c_str());
  const ContactMatrix matrix = ReadContactMatrix(contactFile.Stream());
  contactFile.Close(contactPath + " still open\n ");

  const Attribution attribution = AssignClasses(matrix, *centralTable, *terminalTable);
  for (const MalformedPattern& pattern : attribution.malformed) {
    std::fprintf(stderr, pattern.terminal ? "Nter : AUTRE ERREUR : %s %d\n" : "AUTRE ERREUR : %s %d\n",
                 pattern.text.c_str(), static_cast<int>(pattern.text.size()));
  }

  const ExitStatus written = WriteClassFile(ResultPath(name, name + "_resu"), attribution.s2);
  if (written != Success) return written;
  return CreateRunMarker(AttributionMarker) ? Success : OutputFailed;
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
