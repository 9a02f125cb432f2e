#include "tests/frontend_gui/cell_scene.h"

#include <string>

#include "tests/support/test_paths.h"

namespace mirelda::testing {
namespace {

std::string Box(const std::string& marker, float x, const char* colour, const char* transparency) {
  const auto v = [x](float dx, float dy, float dz) {
    return std::to_string(x + dx) + " " + std::to_string(dy) + " " + std::to_string(dz) + ",";
  };
  return "#AADEB-" + marker + "\r\nShape {\r\nappearance Appearance {\r\nmaterial Material {\r\n" +
         "diffuseColor " + colour + "\r\n" + "transparency " + transparency + "\r\n}\r\n}\r\n" +
         "geometry IndexedFaceSet {\r\ncoord Coordinate { point [" + v(-4, -4, -4) + v(4, -4, -4) +
         v(4, 4, -4) + v(-4, 4, -4) + v(-4, -4, 4) + v(4, -4, 4) + v(4, 4, 4) + v(-4, 4, 4) +
         "] }\r\ncoordIndex [0,3,2,1,-1, 4,5,6,7,-1, 0,1,5,4,-1, 2,3,7,6,-1, 1,2,6,5,-1, "
         "0,4,7,3,-1]\r\n}\r\n}\r\n"
         "#AAFIN-" +
         marker + "\r\n";
}

}  // namespace

std::filesystem::path WriteCellScene(const std::filesystem::path& folder) {
  WriteFileText(folder / "view.wrl",
                "#VRML V2.0 utf8\r\nViewpoint {position 5 0 40 orientation 5 0 0 0}\r\n");
  WriteFileText(folder / "cells.wrl", "#VRML V2.0 utf8\r\nInline {url \"view.wrl\"}\r\n" +
                                          Box("K=A!1", 0.0f, "0.91796875 0.99609375 0", "0.0") +
                                          Box("L=A!2", 10.0f, "0.99609375 0.25 0.25", "0.7"));
  return folder / "cells.wrl";
}

}  // namespace mirelda::testing
