// Reading objects' vertices back from the stand-in host's scene.
#pragma once
#include <gtest/gtest.h>

#include <vector>

#include "../hostsim/basic3d_state.h"

namespace vertices {

// The limb's vertices, or none when the object has no such limb.
inline std::vector<hostsim::Vec3> of_limb(int object, int limb) {
  const hostsim::Object& found = hostsim::scene.objects.at(object);
  auto at = found.limbs.find(limb);
  return at == found.limbs.end() ? std::vector<hostsim::Vec3>{} : at->second.vertices;
}

// Exact, vertex by vertex.
inline void expect_equal(const std::vector<hostsim::Vec3>& actual, const std::vector<hostsim::Vec3>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_EQ(actual[i].x, expected[i].x) << "vertex " << i;
    EXPECT_EQ(actual[i].y, expected[i].y) << "vertex " << i;
    EXPECT_EQ(actual[i].z, expected[i].z) << "vertex " << i;
  }
}

}  // namespace vertices
