// Geometry primitives: a float rectangle with top above bottom, and a point of X, elevation and w.
#pragma once

struct BCFRect {
  float left = 0, top = 0, right = 0, bottom = 0;

  BCFRect() = default;
  BCFRect(float l, float t, float r, float b) : left(l), top(t), right(r), bottom(b) {}

  float Width() const { return right - left; }
  float Height() const { return top - bottom; }
  // Well formed: left strictly below right, bottom strictly below top (false for NaN).
  bool IsNormal() const { return left < right && bottom < top; }
  bool operator==(const BCFRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

struct BCFPoint {
  float x = 0;  // X
  float z = 0;  // elevation
  float w = 0;  // third value; the grid sets it to 0

  BCFPoint() = default;
  BCFPoint(const BCFPoint&) = default;
  BCFPoint& operator=(const BCFPoint&) = default;
  BCFPoint(float x_, float z_, float w_) : x(x_), z(z_), w(w_) {}
};

inline BCFPoint FPoint(float x, float z) {
  return BCFPoint(x, z, 0);
}
