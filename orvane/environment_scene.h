// The scene of an environment run, environment.wrl: the protein trace scene inlined, then one sphere per
// point, red for protein points and blue for environment points, all Transforms on one line.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "brindel/exchange/point_file.h"

namespace mirelda::environment {

inline constexpr const char* EnvironmentSceneHeader =
    "#VRML V2.0 utf8\n"
    "NavigationInfo {type [\"FLY\",\"ANY\"]}\n"
    "Inline {url \"trace.wrl\"}\n";
inline constexpr const char* EnvironmentSphereShape =
    "Shape {geometry Sphere {radius 0.6} appearance Appearance {material Material{diffuseColor 0.1 0.2 1 "
    "ambientIntensity 0.9 shininess 1 }}}]}";
inline constexpr const char* ProteinSphereShape =
    "Shape {geometry Sphere {radius 0.6} appearance Appearance {material Material{diffuseColor 1 0.1 0.2 "
    "ambientIntensity 0.9 shininess 1 }}}]}";

// "Transform {translation %7.3f %7.3f %7.3f children [\n" and the point's shape, with no line end after it.
std::string SceneTransform(const exchange::PointRecord& point);

// Writes the whole scene for the points in list order.
void WriteEnvironmentScene(std::ostream& out, const std::vector<exchange::PointRecord>& points);

}  // namespace mirelda::environment
