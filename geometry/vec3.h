// Vec3: three doubles, a plain value type; positions in km, velocities in m/s.
#pragma once

struct Vec3 {
  double x = 0;
  double y = 0;
  double z = 0;
  bool operator==(const Vec3&) const = default;
};

// a - b, component by component.
[[nodiscard]] constexpr Vec3 VecSub(const Vec3& a, const Vec3& b) noexcept {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

// Distance from the z axis and length of v, and their squares:
// rho2 = x² + y², r2 = z² + rho2 (in that order of addition), rho and r their roots.
void VecNorms(const Vec3& v, double& rho, double& r, double& rho2, double& r2) noexcept;
