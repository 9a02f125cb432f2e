// The tessellation's scenes in a results folder (the cell scene and premier.wrl) are written to include the
// protein scenes of the working folder ("../prot.wrl"), which the next protein replaces. The results folder
// holds its own copies of those scenes, so its scenes are made to include the copies: a results folder then
// shows its protein alone, whatever ran after it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace mirelda::workflow {

// The scene with every Inline address "../NAME" of its header (the lines before the first cell block)
// made "NAME"; the rest is unchanged.
std::string LocalInlines(std::string_view scene);

// Rewrites name + ".wrl" and premier.wrl of the results folder so (an absent one is left absent).
// Returns what failed.
std::string KeepResultScenesLocal(const std::filesystem::path& resultsFolder, const std::string& proteinName);

}  // namespace mirelda::workflow
