// How exact ROTATE_AXIS is far from the origin: the probe samples the axes
// with one-unit moves, so the float spacing of the position limits them.
// Prints the table kept in docs/rotation-accuracy.md.
#include <cstdio>

#include "plugin.h"
#include "rotation_reference.h"

using namespace reference;

namespace {

constexpr int cases_per_distance = 3000;

struct Accuracy {
  double worst_degrees = 0, mean_degrees = 0, worst_drift = 0;
};

Accuracy measure_at(double distance, Random& random) {
  Accuracy accuracy;
  for (int i = 0; i < cases_per_distance; ++i) {
    Vec direction = random.direction();
    double scale = distance / length(direction);
    Vec p{float(direction.x * scale), float(direction.y * scale), float(direction.z * scale)};
    Vec axis = random.direction();
    float angle = random.angle();
    place(1, p, random.angles());
    Mat before = orientation(1);
    cmd::rotate_axis(1, float(axis.x), float(axis.y), float(axis.z), angle);
    Mat expected = times(about({float(axis.x), float(axis.y), float(axis.z)}, angle), before);
    double error = angle_between(orientation(1), expected);
    Vec now = position(1);
    accuracy.worst_degrees = std::fmax(accuracy.worst_degrees, error);
    accuracy.mean_degrees += error / cases_per_distance;
    accuracy.worst_drift = std::fmax(accuracy.worst_drift, length({now.x - p.x, now.y - p.y, now.z - p.z}));
  }
  return accuracy;
}

}  // namespace

class RotationAccuracy : public plugin::HostTest {};

TEST_F(RotationAccuracy, LargestOrientationErrorByDistanceFromTheOrigin) {
  Random random;
  std::printf("| distance | float spacing | largest error (deg) | mean error (deg) | largest position drift |\n");
  std::printf("|---|---|---|---|---|\n");
  for (double distance : {0.0, 1e3, 1e5, 1e6}) {
    Accuracy a = measure_at(distance, random);
    double spacing = distance == 0 ? 0 : std::nextafter(float(distance), 1e30f) - float(distance);
    std::printf("| %g | %g | %.3g | %.3g | %.3g |\n", distance, spacing, a.worst_degrees, a.mean_degrees,
                a.worst_drift);
    if (distance <= 1e3) {
      EXPECT_LT(a.worst_degrees, 0.01) << distance;
    }
  }
}
