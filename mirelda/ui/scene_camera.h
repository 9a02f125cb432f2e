// The camera of the 3-D view: placed at the scene's first Viewpoint (or so that the whole scene is seen),
// and moved by the mouse: turned about the point it looks at, brought nearer or farther, slid sideways.
// Coin math only, testable without a GL context.
#pragma once

#include <Inventor/SbLinear.h>
#include <Inventor/SbViewportRegion.h>

#include <optional>

#include "mirelda/ui/vrml_scene.h"

class SoPerspectiveCamera;
class SoNode;

namespace mirelda::ui {

// Radians of turn per pixel of drag: a drag across a 500-pixel view turns about 1.6 turns.
inline constexpr float kRotationPerPixel = 0.01f;
// Distance factor per wheel notch (120 units) and per pixel of right-button drag.
inline constexpr float kZoomPerNotch = 0.85f;
inline constexpr float kZoomPerPixel = 1.01f;
// The nearest the camera comes to the point it looks at, against zooming through it.
inline constexpr float kMinFocalDistance = 0.01f;

// Places the camera at the viewpoint, looking at the centre of the scene's bounds along its direction
// (the focal distance is how far that centre lies ahead); without a viewpoint the whole scene is framed.
void PlaceCamera(SoPerspectiveCamera& camera, SoNode* scene, const std::optional<ViewpointSetting>& viewpoint,
                 const SbViewportRegion& viewport);

// Turns the camera about its focal point by a drag of (dx, dy) pixels (x to the right, y down).
void OrbitCamera(SoPerspectiveCamera& camera, float dx, float dy);
// Multiplies the distance to the focal point by factor (below 1 comes nearer).
void ZoomCamera(SoPerspectiveCamera& camera, float factor);
// Slides the camera and its focal point so that the scene follows a drag of (dx, dy) pixels in a view
// viewportHeight pixels high.
void PanCamera(SoPerspectiveCamera& camera, float dx, float dy, int viewportHeight);

SbVec3f FocalPoint(const SoPerspectiveCamera& camera);

// The near plane is at least this fraction of the far one: the depth buffer keeps its precision.
inline constexpr float kNearToFar = 0.001f;

// The bounds of a scene, for the clipping planes (computed once per loaded scene).
SbBox3f SceneBounds(SoNode* scene, const SbViewportRegion& viewport);
// Puts the near and far planes just around the box as the camera sees it.
void FitClippingPlanes(SoPerspectiveCamera& camera, const SbBox3f& bounds);

}  // namespace mirelda::ui
