// Construction, initialisation from a regular description, copying and the whole-model
// accessors of the quasi-grid.
#include "model/quasigrid.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <utility>

namespace {

// Built once at load time, so that reporting an exhausted heap needs no allocation.
const AnsiString kTooThickGrid = "Memory allocation error: too thick grid.";

// The node arrays of a new model, built aside so that a failure leaves the model alone.
struct NodeArrays {
  std::vector<float> xx;
  std::vector<float> zz;
  std::vector<float> vv;
  std::vector<unsigned char> flags;
};

// Number of nodes of an nx x nz grid. Node indices are int throughout the library, so a count
// beyond their range cannot be held and counts as exhausted memory.
int NodeCount(int nx, int nz) {
  const int64_t total = static_cast<int64_t>(nx) * nz;
  if (total > INT_MAX) throw std::bad_alloc();
  return static_cast<int>(total);
}

// Writes count positions from lo to hi into out: lo plus a float step accumulated count - 2
// times, then hi exactly, so that the last position lies on the edge whatever the rounding.
void WriteRegularSteps(float* out, float lo, float hi, int count) {
  const float step = (hi - lo) / static_cast<float>(count - 1);
  float pos = lo;
  for (int i = 0; i < count - 1; ++i) {
    out[i] = pos;
    pos += step;
  }
  out[count - 1] = hi;
}

NodeArrays BuildRegularArrays(const TIniModel& m) {
  const int total = NodeCount(m.Nx, m.Nz);
  NodeArrays a;
  a.xx.resize(static_cast<size_t>(m.Nx));
  WriteRegularSteps(a.xx.data(), m.Rect.left, m.Rect.right, m.Nx);
  // Every V-line has the elevations of the first one.
  a.zz.resize(static_cast<size_t>(total));
  WriteRegularSteps(a.zz.data(), m.Rect.bottom, m.Rect.top, m.Nz);
  for (int col = 1; col < m.Nx; ++col) {
    std::copy_n(a.zz.begin(), m.Nz, a.zz.begin() + static_cast<ptrdiff_t>(col) * m.Nz);
  }
  a.vv.assign(static_cast<size_t>(total), 0.0f);
  a.flags.assign(static_cast<size_t>(total), 0);
  return a;
}

}  // namespace

BCQuasiGrid::BCQuasiGrid()
    : Nz(0),
      ModelHeight(0),
      WholeSubgrid{0, 0, 0, 0},
      ZoomSubgrid{0, 0, 0, 0},
      SelSubgrid{0, 0, 0, 0},
      SelActive(false),
      XRes(0),
      ZRes(0) {}

// The cursors are copied with the arrays they point into, as the copy constructor does, so an
// assigned model is the same value as a copied one.
BCQuasiGrid& BCQuasiGrid::operator=(const BCQuasiGrid& other) {
  if (this == &other) return *this;
  BCQuasiGrid copy(other);  // every allocation happens here; *this stays whole if one fails
  return *this = std::move(copy);
}

bool BCQuasiGrid::Init(TIniModel& m) {
  if (m.Nx < 2 || m.Nz < 2) return false;
  NodeArrays a;
  try {
    a = BuildRegularArrays(m);
  } catch (const std::bad_alloc&) {
    ShowError(kTooThickGrid);
    return false;
  } catch (const std::length_error&) {
    ShowError(kTooThickGrid);
    return false;
  }
  // Nothing below allocates: the model changes only once all its arrays exist.
  XX.swap(a.xx);
  ZZ.swap(a.zz);
  VV.swap(a.vv);
  CellFlags.swap(a.flags);
  Nz = m.Nz;
  ModelRect = IniRect = m.Rect;
  ModelHeight = m.Rect.Height();
  WholeSubgrid = {0, m.Nx - 1, 1, m.Nz - 1};
  ZoomSubgrid = WholeSubgrid;
  if (m.SetVel) {
    SelActive = true;
    SelSubgrid = WholeSubgrid;
    SetApexVels(m.VTopLeft, m.VTopRight, m.VBotLeft, m.VBotRight);
    TrimVelocity();
  }
  SelActive = false;
  return true;
}

void BCQuasiGrid::GetGridDimensions(int& nx, int& nz) {
  nx = GetNx();
  nz = Nz;
}

TPoint BCQuasiGrid::GetGridSize() {
  return TPoint(GetNx(), Nz);
}

TPoint BCQuasiGrid::GetColRow(int i) {
  return TPoint(i / Nz + 1, Nz - i % Nz);
}

float BCQuasiGrid::GetZMax() {
  if (ZZ.empty()) return -FLT_MAX;
  return *std::max_element(ZZ.begin(), ZZ.end());
}

void BCQuasiGrid::CopyVelocity(std::vector<float>* v) {
  if (v == nullptr) return;
  if (v->size() != XX.size() * static_cast<size_t>(Nz)) return;
  VV = *v;
}

void BCQuasiGrid::CopyModelArrays(float* x, float* z, float* v) const {
  const int nx = GetNx();
  int i = 0;
  for (int col = 0; col < nx; ++col) {
    for (int izrel = 0; izrel < Nz; ++izrel, ++i) {
      if (x != nullptr) x[i] = XX[col];
      if (z != nullptr) z[i] = ZZ[i];
      if (v != nullptr) v[i] = VV[i];
    }
  }
}
