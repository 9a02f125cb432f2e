#include "mirelda/model/protein_scenes.h"

#include <array>
#include <cmath>

#include "brindel/exchange/scene_blocks.h"
#include "mirelda/model/scene_numbers.h"

namespace mirelda::model {
namespace {

constexpr double kCameraHeight = 200.0;  // above the CA centroid, far enough to see a whole domain
constexpr double kLabelOffset = 0.7;     // labels sit beside their CA, in x and y only
// Lengths are written with three decimals: a shorter stick would get a height (or half height) of ".",
// which is no number, so it is not drawn at all.
constexpr double kShortestStick = 0.001;

constexpr std::string_view kCarbonBall =
    "Shape { geometry Sphere {radius .3} appearance Appearance { material Material {emissiveColor 0.3 0.3 "
    "0.3 "
    "ambientIntensity 0.9 shininess 1}}}]}";
constexpr std::string_view kNitrogenBall =
    "Shape { geometry Sphere {radius .3} appearance Appearance { material Material {emissiveColor 0 0 1 "
    "ambientIntensity 0.9 shininess 1}}}]}";
constexpr std::string_view kOxygenBall =
    "Shape { geometry Sphere {radius .3} appearance Appearance { material Material {emissiveColor 1 0 0 "
    "ambientIntensity 0.9 shininess 1}}}]}";
constexpr std::string_view kSulphurBall =
    "Shape { geometry Sphere {radius .3} appearance Appearance { material Material {emissiveColor 1 1 0 "
    "ambientIntensity 0.9 shininess 1}}}]}";
constexpr std::string_view kTraceBall =
    "Shape { geometry Sphere {radius .3} appearance Appearance { material Material {diffuseColor 1 1 1 "
    "ambientIntensity 0.9 shininess 1}}}]}";
constexpr std::string_view kProtStickTail =
    " radius 0.1 top FALSE side TRUE bottom FALSE } appearance Appearance {material Material {emissiveColor "
    "0.3 0.3 0.3 ambientIntensity .9 shininess 1}}}]}]}]}";
constexpr std::string_view kTraceStickTail =
    " radius 0.1 top FALSE side TRUE bottom FALSE } appearance Appearance {material Material {diffuseColor 1 "
    "1 1 ambientIntensity .9 shininess 1}}}]}]}]}";

constexpr std::array<std::string_view, 17> kCarbons{"CA",  "CB",  "C",   "CG",  "CG1", "CG2",
                                                    "CD",  "CD1", "CD2", "CE",  "CE1", "CE2",
                                                    "CE3", "CZ",  "CZ2", "CZ3", "CH2"};
constexpr std::array<std::string_view, 9> kNitrogens{"N",  "ND2", "ND1", "NE2", "NZ",
                                                     "NE", "NH1", "NH2", "NE1"};
constexpr std::array<std::string_view, 8> kOxygens{"O", "OD1", "OD2", "OE1", "OE2", "OG", "OG1", "OH"};
constexpr std::array<std::string_view, 2> kSulphurs{"SG", "SD"};

template <std::size_t N>
bool In(const std::array<std::string_view, N>& names, std::string_view name) {
  for (std::string_view n : names)
    if (n == name) return true;
  return false;
}

void AppendLine(std::string& scene, std::string_view line) {
  scene += line;
  scene += kSceneLineEnd;
}

std::string TranslationOpening(const PointTriple& p) {
  return "Transform { translation " + SignedText(p[0]) + " " + SignedText(p[1]) + " " + SignedText(p[2]) +
         " children [";
}

void AppendMarker(std::string& scene, std::string_view kind, std::string_view code, std::string_view chain,
                  long long number) {
  AppendLine(scene, exchange::FormatBlockMarker(kind, code, chain, number));
}

}  // namespace

AtomElement ElementOfAtom(std::string_view atomName) {
  if (In(kCarbons, atomName)) return AtomElement::Carbon;
  if (In(kNitrogens, atomName)) return AtomElement::Nitrogen;
  if (In(kOxygens, atomName)) return AtomElement::Oxygen;
  if (In(kSulphurs, atomName)) return AtomElement::Sulphur;
  return AtomElement::None;
}

void AppendSceneHeader(std::string& scene) { AppendLine(scene, "#VRML V2.0 utf8"); }

void AppendStartMarker(std::string& scene, std::string_view code, std::string_view chain, long long number) {
  AppendMarker(scene, exchange::BlockStartMarker, code, chain, number);
}

void AppendEndMarker(std::string& scene, std::string_view code, std::string_view chain, long long number) {
  AppendMarker(scene, exchange::BlockEndMarker, code, chain, number);
}

bool AppendAtomBall(std::string& prot, std::string_view atomName, const PointTriple& position) {
  std::string_view shape;
  switch (ElementOfAtom(atomName)) {
    case AtomElement::Carbon:
      shape = kCarbonBall;
      break;
    case AtomElement::Nitrogen:
      shape = kNitrogenBall;
      break;
    case AtomElement::Oxygen:
      shape = kOxygenBall;
      break;
    case AtomElement::Sulphur:
      shape = kSulphurBall;
      break;
    case AtomElement::None:
      return false;
  }
  AppendLine(prot, TranslationOpening(position));
  AppendLine(prot, shape);
  return true;
}

void AppendTraceBall(std::string& trace, const PointTriple& position) {
  AppendLine(trace, TranslationOpening(position));
  AppendLine(trace, kTraceBall);
}

void AppendLabel(std::string& label, std::string_view text, const PointTriple& position) {
  AppendLine(label,
             TranslationOpening({position[0] + kLabelOffset, position[1] + kLabelOffset, position[2]}));
  std::string shape = "Shape { geometry Text {string \"";
  shape += text;
  shape +=
      "\" fontStyle FontStyle {size .9}} appearance Appearance { material Material {diffuseColor 1 1 1 "
      "ambientIntensity 0.9 shininess 1}}}]}";
  AppendLine(label, shape);
}

void AppendTraceFooter(std::string& trace) { AppendLine(trace, "Inline {url \"view.wrl\"}"); }

std::string ViewpointFile(const PointTriple& centre) {
  std::string view;
  AppendSceneHeader(view);
  AppendLine(view, "Viewpoint {position " + SignedText(centre[0]) + " " + SignedText(centre[1]) + " " +
                       SignedText(centre[2] + kCameraHeight) + " orientation " + SignedText(centre[0]) + " " +
                       SignedText(centre[1]) + " " + SignedText(centre[2]) + " 0}");
  return view;
}

bool WriteBond(std::string& scene, const PointTriple& from, const PointTriple& to, BondTarget target) {
  const double dx = to[0] - from[0];
  const double dy = to[1] - from[1];
  const double dz = to[2] - from[2];
  const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
  if (!(length >= kShortestStick)) return false;  // two atoms at one place (or NaN): no stick

  std::string axisX = PatternText(dz, kPatternOneInteger);
  std::string axisZ = PatternText(-dx, kPatternOneInteger);
  std::string angle;
  if (axisX == "0." && axisZ == "0.") {
    // Along y: the rotation axis y x d vanishes. Keep the cylinder upright, or turn it over about x.
    axisX = "1.";
    axisZ = "0.";
    angle = PatternText(dy > 0 ? 0.0 : std::acos(-1.0), kPatternOneInteger);
  } else {
    const double c = std::fmax(-1.0, std::fmin(1.0, dy / length));
    const double a = std::atan(-c / std::sqrt(1.0 - c * c)) + 2.0 * std::atan(1.0);  // arccos(c)
    angle = PatternText(a, kPatternOneInteger);
  }

  std::string first = "Transform {translation " + SignedText(from[0]) + " " + SignedText(from[1]) + " " +
                      SignedText(from[2]) + " children [";
  first += "Transform {rotation " + axisX + " 0 " + axisZ + " " + angle + " children [";
  first += "Transform {translation 0 " + PatternText(length / 2.0, kPatternOptionalInteger) + " 0 children [";
  AppendLine(scene, first);
  std::string second = "Shape { geometry Cylinder { height " + PatternText(length, kPatternOptionalInteger);
  second += target == BondTarget::Prot ? kProtStickTail : kTraceStickTail;
  AppendLine(scene, second);
  return true;
}

}  // namespace mirelda::model
