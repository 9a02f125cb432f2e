// A small cell scene for the viewer's tests, written as the tessellation writes its cells (blocks between
// residue markers, one coloured polyhedron each) with the viewpoint file it includes beside it.
#pragma once

#include <filesystem>

namespace mirelda::testing {

// Writes "cells.wrl" (two boxes, one of them transparent, and an Inline "view.wrl") and "view.wrl" (a
// viewpoint 40 units in front of them) into the folder; returns the path of cells.wrl.
std::filesystem::path WriteCellScene(const std::filesystem::path& folder);

}  // namespace mirelda::testing
