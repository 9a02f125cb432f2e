// The fixed names of the files and programs of the pipeline in the application folder: point files,
// option files, and each console program with the marker it creates as its last action.
#pragma once

#include "brindel/exchange/run_files.h"

namespace mirelda::workflow {

inline constexpr const char* kFile00 = "file_00";  // written by the front-end: one point per residue
inline constexpr const char* kFile01 = "file_01";  // written by orvane: protein and environment points
inline constexpr const char* kFile02 = "file_02";  // the points the tessellation reads
inline constexpr const char* kTessellationOptions = "option_bis.txt";
inline constexpr const char* kRelaxationOptions = "option.txt";
inline constexpr const char* kEnvironmentScene = "environment.wrl";

// A console program of the application folder and the marker file that tells its run completed.
struct ConsoleProgram {
  const char* program;
  const char* marker;
};

inline constexpr ConsoleProgram kTessellationProgram{"brindel", exchange::TessellationMarker};
inline constexpr ConsoleProgram kRelaxationProgram{"relaxation", exchange::RelaxationMarker};
inline constexpr ConsoleProgram kEnvironmentProgram{"orvane", exchange::EnvironmentMarker};
inline constexpr ConsoleProgram kAttributionProgram{"attribution", exchange::AttributionMarker};

// The data files of the application folder that the console programs read: orvane's packing template and
// attribution's two pattern tables.
inline constexpr const char* kDataFiles[] = {"spherepack_1.txt", "Tab_cen_2", "Tab_ext_2"};

}  // namespace mirelda::workflow
