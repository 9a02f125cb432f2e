// A small three-component vector of doubles for the tessellation geometry: the offsets, plane normals and
// vertices of one cell, with the few operations the construction uses.
#pragma once

#include <cmath>

namespace mirelda::tessellation {

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(double s, Vec3 a) { return {s * a.x, s * a.y, s * a.z}; }
inline Vec3 operator/(Vec3 a, double s) { return {a.x / s, a.y / s, a.z / s}; }
inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Norm2(Vec3 a) { return a.x * a.x + a.y * a.y + a.z * a.z; }
inline double Norm(Vec3 a) { return std::sqrt(Norm2(a)); }

}  // namespace mirelda::tessellation
