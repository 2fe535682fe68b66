// SPDX-License-Identifier: GPL-3.0-or-later
// Where the moving parts of the views stand, checked without a window.
#include "classroom/view/drawn_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/sky.h"

namespace {

using namespace sky;

constexpr double kKm = 1e-6;

// The view axes are east, north and along the drawn sight line: the Moon and the drawn P lie
// on that line, so they differ only along it, by their distance; the grey line starts at P
// only when P is behind the plane through the Earth's centre across the sight line.
TEST(DrawnGeometry, MoonAndDrawnStationShareTheSightLine) {
  const struct {
    Vec3 moon;
    double g, lat, lon;
  } rows[] = {{{300000, 150000, 120000}, 0.4, 35, 330}, {{-250000, 260000, -90000}, 2.0, -40, 200}};
  for (const auto& row : rows) {
    const Vec3 drawnP = Scale(StationAt(row.lat, row.lon).zenith, kEarthR * 15);
    const Vec3 moonFixed = TurnEarth(row.g, row.moon);
    const double c = std::cos(row.g), s = std::sin(row.g);
    const DrawnGeometry g =
        ComputeDrawnGeometry(Rows({c, s, 0}, {-s, c, 0}, {0, 0, 1}), row.moon, drawnP);
    EXPECT_NEAR(g.L.x, g.P.x, kKm);
    EXPECT_NEAR(g.L.y, g.P.y, kKm);
    EXPECT_NEAR(g.L.z - g.P.z, Len(VecSub(moonFixed, drawnP)), kKm);
    // P's distance along the sight line from the Earth's centre decides where the line starts.
    const double along =
        Dot(drawnP, Scale(VecSub(moonFixed, drawnP), 1 / Len(VecSub(moonFixed, drawnP))));
    EXPECT_NEAR(g.P.z, along, kKm);
    EXPECT_EQ(g.rearZ, along > 0 ? 0 : g.P.z);
    // a, b and c, d are cosine-sine pairs.
    EXPECT_NEAR(g.a * g.a + g.b * g.b, 1, 1e-12);
    EXPECT_NEAR(g.c * g.c + g.d * g.d, 1, 1e-12);

    // Every view is a plane through the sight line, so the Moon and P stand their full
    // distance apart in each; the grey lines start at the Moon or end there.
    const SceneDrawing scene = ComputeSceneDrawing(g);
    for (const ViewDrawing* v : {&scene.bessel, &scene.meridian, &scene.plan}) {
      EXPECT_NEAR(std::hypot(v->moon.x - v->station.x, v->moon.y - v->station.y), g.L.z - g.P.z,
                  kKm);
    }
    EXPECT_EQ(scene.bessel.sight[0].to.x, scene.bessel.moon.x);
    EXPECT_EQ(scene.meridian.sight[1].from.y, scene.meridian.moon.y);
    // The Earth's pole lies on the polar axis: straight up in the meridian view, d drawn
    // radii along the sight line's horizontal direction in the plan view.
    EXPECT_NEAR(std::hypot(scene.pole.x, scene.pole.y), std::fabs(g.d) * kEarthRadiusDrawn, kKm);
  }
}

// Each half of the node line reaches 1.6 semi-major axes, 616000 km, toward its node.
TEST(DrawnGeometry, NodeLineReachesPastTheOrbit) {
  for (const double theta : {0.0, 1.0, 2.5, 5.5}) {
    const NodeLineReach e = NodeLineReachOf(theta);
    EXPECT_NEAR(std::hypot(e.x, e.y), 616000, kKm);
    EXPECT_NEAR(std::atan2(e.y, e.x), std::remainder(theta, 2 * 3.14159265358979323846), 1e-12);
  }
}

}  // namespace
