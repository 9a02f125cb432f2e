// The fragments of the four protein scene files (VRML 2.0): prot.wrl, the atomic model; trace.wrl, the CA
// trace; label.wrl, one label per residue; view.wrl, the viewpoint. Each writer appends whole CR LF lines
// to a text; the 3-D view later finds each residue's share of a file by its marker lines.
#pragma once

#include <string>
#include <string_view>

#include "mirelda/model/residue_records.h"

namespace mirelda::model {

inline constexpr std::string_view kSceneLineEnd = "\r\n";

// The two files a stick goes to; they differ in the stick's material (grey model, white trace).
enum class BondTarget { Prot, Trace };

// The ball colour of an atom name, by element; None for names outside the four lists (OXT, hydrogens).
enum class AtomElement { None, Carbon, Nitrogen, Oxygen, Sulphur };
AtomElement ElementOfAtom(std::string_view atomName);

void AppendSceneHeader(std::string& scene);
// "#AADEB-" + code + "=" + chain + "!" + number, and "#AAFIN-..." for the end.
void AppendStartMarker(std::string& scene, std::string_view code, std::string_view chain, long long number);
void AppendEndMarker(std::string& scene, std::string_view code, std::string_view chain, long long number);
// Writes the ball and returns true for an atom of the four element lists; writes nothing otherwise.
bool AppendAtomBall(std::string& prot, std::string_view atomName, const PointTriple& position);
void AppendTraceBall(std::string& trace, const PointTriple& position);
void AppendLabel(std::string& label, std::string_view text, const PointTriple& position);
void AppendTraceFooter(std::string& trace);
// The whole view.wrl: the camera 200 units above a centre along +z, looking along -z.
std::string ViewpointFile(const PointTriple& centre);

// The stick between two points: a cylinder of radius 0.1 and the points' distance as height, placed by
// three nested transforms around the standard cylinder (axis y, centred on the origin). Returns false
// and writes nothing for a stick of zero length (below 0.001, the resolution of the written lengths). A stick
// along the y axis (whose rotation axis would be null) gets no rotation upwards and a half turn about x
// downwards; "along y" means that both rounded axis components are 0, so no written rotation axis is ever (0,
// 0, 0).
bool WriteBond(std::string& scene, const PointTriple& from, const PointTriple& to, BondTarget target);

}  // namespace mirelda::model
