// What the console programs share around their files: the exit statuses, the marker files that signal a
// completed run, and the paths of the results folder. The computational cores never use this.
#pragma once

#include <string>
#include <string_view>

namespace mirelda::exchange {

// Exit statuses of the console programs. A run that ends with anything but Success creates no marker.
enum ExitStatus : int {
  Success = 0,
  InputMissing = 1,     // an input file could not be opened: nothing could be computed
  OutputFailed = 2,     // an output file could not be opened or written completely
  CapacityExceeded = 3  // a design limit was reached ("IVMAX too small")
};

inline constexpr const char* TessellationMarker = "test_tessellation";
inline constexpr const char* RelaxationMarker = "test_relaxation";
inline constexpr const char* EnvironmentMarker = "test_environnement";
inline constexpr const char* AttributionMarker = "test_attribution";

// Creates an empty marker file (opened for writing and closed at once); false when that failed.
bool CreateMarker(const char* name);

// Path of a file of a protein's results folder: ResultPath("1abc", "C1abc") is "1abc/C1abc".
std::string ResultPath(std::string_view proteinName, std::string_view fileName);

}  // namespace mirelda::exchange
