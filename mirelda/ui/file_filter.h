// The open-file chooser's filter in Qt's syntax, from the filter text of the protein chooser: pairs of a
// description and its patterns, each part followed by "|". Plain C++.
#pragma once

#include <string>
#include <string_view>

namespace mirelda::ui {

// "protein files|*.ent;*.pdb|all files (*.*)|*.*|" gives "protein files (*.ent *.pdb);;all files (*)".
// A description's own "(...)" is replaced by the patterns; "*.*" means every file, as it did on the
// platform the text comes from, and becomes "*" (on Linux "*.*" would skip names without a dot).
std::string QtFileFilter(std::string_view pipeFilter);

// The file list's pattern with the same meaning of "*.*": every file.
std::string QtNamePattern(std::string_view pattern);

}  // namespace mirelda::ui
