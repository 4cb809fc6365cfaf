// Linear interpolation of a velocity profile in elevation, the profile's end velocities held
// beyond its ends: the column replacement, the column editor and the remesh re-sampling share it.
#pragma once

#include <cstddef>

// A profile of count points read with a stride, so that a caller's top-first arrays can be
// walked bottom first without a copy: point k is (z[k * step], v[k * step]). The elevations
// ascend with k.
struct VelocityProfile {
  const float* z;
  const float* v;
  std::ptrdiff_t step;
  int count;  // at least 1

  float Z(int k) const { return z[k * step]; }
  float V(int k) const { return v[k * step]; }
};

// Velocity of the profile at elevation e, evaluated in Real and rounded to float: at or below
// the first point its velocity, at or above the last point its velocity, otherwise
// v_k + (e - z_k) * (v_(k+1) - v_k) / (z_(k+1) - z_k) with k the last point not above e.
// A NaN e takes the first velocity. hint carries the interval found by the previous call, so a
// walk over ascending elevations costs one pass over the profile; any hint is safe, and a
// profile that does not ascend gives some value of the profile's range without reading beyond
// it.
template <typename Real>
float InterpolateProfile(const VelocityProfile& p, float e, int& hint) {
  const int last = p.count - 1;
  if (!(e > p.Z(0))) return p.V(0);
  if (!(e < p.Z(last))) return p.V(last);
  int k = hint < 0 ? 0 : (hint >= last ? last - 1 : hint);
  while (k > 0 && p.Z(k) > e) --k;
  while (k + 1 < last && p.Z(k + 1) <= e) ++k;
  hint = k;
  const Real zk = p.Z(k);
  const Real vk = p.V(k);
  return static_cast<float>(vk +
                            (Real(e) - zk) * (Real(p.V(k + 1)) - vk) / (Real(p.Z(k + 1)) - zk));
}
