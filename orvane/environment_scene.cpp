#include "orvane/environment_scene.h"

#include "brindel/exchange/fixed_format.h"

using namespace mirelda::exchange;

namespace mirelda::environment {

std::string SceneTransform(const PointRecord& point) {
  return "Transform {translation " + Fixed(point.x, 7, 3) + ' ' + Fixed(point.y, 7, 3) + ' ' +
         Fixed(point.z, 7, 3) + " children [\n" +
         (point.IsEnvironment() ? EnvironmentSphereShape : ProteinSphereShape);
}

void WriteEnvironmentScene(std::ostream& out, const std::vector<PointRecord>& points) {
  out << EnvironmentSceneHeader;
  for (const PointRecord& point : points) out << SceneTransform(point);
}

}  // namespace mirelda::environment
