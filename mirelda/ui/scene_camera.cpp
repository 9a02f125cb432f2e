#include "mirelda/ui/scene_camera.h"

#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>

#include <algorithm>
#include <cmath>

namespace mirelda::ui {
namespace {

SbVec3f ViewDirection(const SoPerspectiveCamera& camera) {
  SbVec3f direction;
  camera.orientation.getValue().multVec(SbVec3f(0.0f, 0.0f, -1.0f), direction);
  return direction;
}

}  // namespace

SbVec3f FocalPoint(const SoPerspectiveCamera& camera) {
  return camera.position.getValue() + ViewDirection(camera) * camera.focalDistance.getValue();
}

SbBox3f SceneBounds(SoNode* scene, const SbViewportRegion& viewport) {
  SoGetBoundingBoxAction bounds(viewport);
  bounds.apply(scene);
  return bounds.getBoundingBox();
}

void FitClippingPlanes(SoPerspectiveCamera& camera, const SbBox3f& bounds) {
  if (bounds.isEmpty()) return;
  const SbVec3f position = camera.position.getValue();
  const SbVec3f direction = ViewDirection(camera);
  const SbVec3f& low = bounds.getMin();
  const SbVec3f& high = bounds.getMax();
  float nearest = 0.0f, farthest = 0.0f;
  bool first = true;
  for (int corner = 0; corner < 8; ++corner) {
    const SbVec3f point((corner & 1) ? high[0] : low[0], (corner & 2) ? high[1] : low[1],
                        (corner & 4) ? high[2] : low[2]);
    const float depth = (point - position).dot(direction);
    nearest = first ? depth : std::min(nearest, depth);
    farthest = first ? depth : std::max(farthest, depth);
    first = false;
  }
  // A margin, so that faces on the box's surface are not cut.
  const float margin = 0.01f * std::max(farthest - nearest, 1.0f);
  const float far = std::max(farthest + margin, kMinFocalDistance);
  camera.farDistance = far;
  camera.nearDistance = std::max(nearest - margin, far * kNearToFar);
}

void PlaceCamera(SoPerspectiveCamera& camera, SoNode* scene, const std::optional<ViewpointSetting>& viewpoint,
                 const SbViewportRegion& viewport) {
  if (!viewpoint) {
    camera.orientation = SbRotation::identity();
    camera.viewAll(scene, viewport);
    return;
  }
  camera.position = viewpoint->position;
  camera.orientation = viewpoint->orientation;
  camera.heightAngle = viewpoint->fieldOfView;
  const SbBox3f box = SceneBounds(scene, viewport);
  float focal = 10.0f;
  if (!box.isEmpty()) {
    const SbVec3f toCentre = box.getCenter() - viewpoint->position;
    const float ahead = toCentre.dot(ViewDirection(camera));
    float dx = 0, dy = 0, dz = 0;
    box.getSize(dx, dy, dz);
    // A centre behind the camera gives no sensible focal point: look the box's size ahead instead.
    focal = ahead > kMinFocalDistance ? ahead : std::max({dx, dy, dz, 1.0f});
  }
  camera.focalDistance = focal;
}

void OrbitCamera(SoPerspectiveCamera& camera, float dx, float dy) {
  const SbVec3f focal = FocalPoint(camera);
  const SbRotation orientation = camera.orientation.getValue();
  // Turns in the camera's own frame, so that the scene follows the pointer: a horizontal drag about the
  // camera's up axis, a vertical one about its right axis.
  const SbRotation local = SbRotation(SbVec3f(1.0f, 0.0f, 0.0f), -dy * kRotationPerPixel) *
                           SbRotation(SbVec3f(0.0f, 1.0f, 0.0f), -dx * kRotationPerPixel);
  const SbRotation turned = local * orientation;
  camera.orientation = turned;
  SbVec3f direction;
  turned.multVec(SbVec3f(0.0f, 0.0f, -1.0f), direction);
  camera.position = focal - direction * camera.focalDistance.getValue();
}

void ZoomCamera(SoPerspectiveCamera& camera, float factor) {
  const SbVec3f focal = FocalPoint(camera);
  const float distance = std::max(camera.focalDistance.getValue() * factor, kMinFocalDistance);
  camera.focalDistance = distance;
  camera.position = focal - ViewDirection(camera) * distance;
}

void PanCamera(SoPerspectiveCamera& camera, float dx, float dy, int viewportHeight) {
  if (viewportHeight <= 0) return;
  // The size of one pixel at the focal distance.
  const float unit = 2.0f * camera.focalDistance.getValue() * std::tan(camera.heightAngle.getValue() / 2.0f) /
                     static_cast<float>(viewportHeight);
  SbVec3f right, up;
  const SbRotation orientation = camera.orientation.getValue();
  orientation.multVec(SbVec3f(1.0f, 0.0f, 0.0f), right);
  orientation.multVec(SbVec3f(0.0f, 1.0f, 0.0f), up);
  camera.position = camera.position.getValue() - right * (dx * unit) + up * (dy * unit);
}

}  // namespace mirelda::ui
