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

// Velocities of the profile at the n elevations e, written to out (which must not overlap the
// profile), each evaluated in Real and rounded to float: at or below the first point its
// velocity, at or above the last point its velocity, otherwise
// v_k + (e - z_k) * (v_(k+1) - v_k) / (z_(k+1) - z_k) with k the last point not above e.
// A NaN elevation takes the first velocity. The search starts from the interval of the previous
// elevation, so ascending elevations cost one pass over the profile; any order is safe, and a
// profile that does not ascend gives values of its own range without reading beyond it.
template <typename Real>
void InterpolateProfile(const VelocityProfile& p, const float* e, float* out, int n) {
  const int last = p.count - 1;
  int k = 0;
  for (int i = 0; i < n; ++i) {
    const float x = e[i];
    if (!(x > p.Z(0))) {
      out[i] = p.V(0);
      continue;
    }
    if (!(x < p.Z(last))) {
      out[i] = p.V(last);
      continue;
    }
    while (k > 0 && p.Z(k) > x) --k;
    while (k + 1 < last && p.Z(k + 1) <= x) ++k;
    const Real zk = p.Z(k);
    const Real vk = p.V(k);
    out[i] =
        static_cast<float>(vk + (Real(x) - zk) * (Real(p.V(k + 1)) - vk) / (Real(p.Z(k + 1)) - zk));
  }
}
