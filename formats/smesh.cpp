// Reading, converting and writing sheared tomography meshes.
#include "formats/smesh.h"

#include <algorithm>
#include <cmath>

#include "formats/internal/new_grid.h"
#include "formats/internal/number_text.h"
#include "formats/internal/text_input.h"
#include "platform/strings.h"

namespace {

// One line holds at most a row of X values of the largest mesh.
constexpr size_t kMaxLineLength = size_t{1} << 25;

void ReadValues(FieldInput& in, size_t count, const char* what, std::vector<float>& values) {
  values.resize(count);
  for (size_t i = 0; i < count; ++i)
    values[i] = in.NextFloat(std::string(what) + " " + std::to_string(i + 1));
}

void RequireAscending(const std::vector<float>& values, int line, const char* what) {
  for (size_t i = 1; i < values.size(); ++i) {
    if (!(values[i] > values[i - 1]))
      FailAtLine(line, std::string(what) + " " + std::to_string(i + 1) + " (" +
                           NumberText(values[i]) + ") is not above the one before it (" +
                           NumberText(values[i - 1]) + ")");
  }
}

void ReadHeader(FieldInput& in, SmeshMesh& mesh) {
  mesh.Nx = in.NextInt("nx");
  mesh.Nz = in.NextInt("nz");
  if (mesh.Nx < 2 || mesh.Nz < 2)
    FailAtLine(in.LineNo(), "nx and nz must be at least 2, got " + std::to_string(mesh.Nx) +
                                " and " + std::to_string(mesh.Nz));
  if (const std::string why = NodeCountProblem(mesh.Nx, mesh.Nz + 1LL); !why.empty())
    FailAtLine(in.LineNo(), "the model of this mesh (one more H-line) would have " + why);
  mesh.VWater = in.NextFloat("v_water");
  mesh.VAir = in.NextFloat("v_air");
}

void ReadBody(FieldInput& in, SmeshMesh& mesh) {
  const auto nx = static_cast<size_t>(mesh.Nx);
  const auto nz = static_cast<size_t>(mesh.Nz);
  ReadValues(in, nx, "X value", mesh.X);
  RequireAscending(mesh.X, in.LineNo(), "X value");
  ReadValues(in, nx, "topography value", mesh.Topography);
  ReadValues(in, nz, "offset", mesh.Offsets);
  RequireAscending(mesh.Offsets, in.LineNo(), "offset");
  mesh.V.resize(nx * nz);
  for (size_t i = 0; i < nx; ++i) {
    for (size_t k = 0; k < nz; ++k) {
      const std::string what =
          "velocity " + std::to_string(k + 1) + " of column " + std::to_string(i + 1);
      const float v = in.NextFloat(what);
      if (v < 0) FailAtLine(in.LineNo(), what + " (" + NumberText(v) + ") is negative");
      mesh.V[i * nz + k] = v;
    }
  }
  in.ExpectEnd();
}

// Elevation of mesh node (i, k) in the file's units.
float NodeElevation(const SmeshMesh& mesh, size_t i, size_t k) {
  return -(mesh.Topography[i] + mesh.Offsets[k]);
}

}  // namespace

std::string ReadSmesh(std::istream& in, SmeshMesh& mesh) {
  try {
    FieldInput fields(in, kMaxLineLength);
    ReadHeader(fields, mesh);
    ReadBody(fields, mesh);
  } catch (const FormatError& e) {
    return e.what();
  }
  return {};
}

std::string SmeshToModel(const SmeshMesh& mesh, float scale, BCEQuasiGrid& model,
                         bool& lostLastColumn) {
  const auto nx = static_cast<size_t>(mesh.Nx);
  const auto nz = static_cast<size_t>(mesh.Nz);
  const int modelNz = mesh.Nz + 1;
  if (std::string why = NodeCountProblem(mesh.Nx, modelNz); !why.empty()) return why;
  if (mesh.Nz < 2 || mesh.X.size() != nx || mesh.Topography.size() != nx ||
      mesh.Offsets.size() != nz || mesh.V.size() != nx * nz)
    return "the mesh's arrays do not hold nx and nz values";
  float deepest = NodeElevation(mesh, 0, nz - 1);
  for (size_t i = 1; i < nx; ++i) deepest = std::min(deepest, NodeElevation(mesh, i, nz - 1));
  const float bottom = deepest - (mesh.Offsets[nz - 1] - mesh.Offsets[nz - 2]);
  if (!std::isfinite(bottom * scale) || !(bottom < deepest))
    return "the mesh is too deep for its offset step (the bottom line would not lie below it)";

  std::vector<float> xx(nx);
  std::vector<float> zz(nx * static_cast<size_t>(modelNz));
  std::vector<float> vv(zz.size());
  for (size_t i = 0; i < nx; ++i) {
    xx[i] = mesh.X[i] * scale;
    float* z = &zz[i * static_cast<size_t>(modelNz)];
    float* v = &vv[i * static_cast<size_t>(modelNz)];
    z[0] = bottom * scale;
    v[0] = mesh.V[i * nz + nz - 1] * scale;
    // Row izrel = nz - k: the mesh counts from the surface down, the model from the bottom up.
    for (size_t k = 0; k < nz; ++k) {
      z[nz - k] = NodeElevation(mesh, i, k) * scale;
      v[nz - k] = mesh.V[i * nz + k] * scale;
    }
    for (size_t r = 1; r <= nz; ++r) {
      if (!std::isfinite(z[r]) || !std::isfinite(v[r]) || !(z[r] > z[r - 1]))
        return "column " + std::to_string(i + 1) + ": node " + std::to_string(nz - r + 1) +
               " does not lie above the node below it in float arithmetic";
    }
    if (!std::isfinite(xx[i]) || (i > 0 && !(xx[i] > xx[i - 1])))
      return "X value " + std::to_string(i + 1) + " does not lie right of the one before it";
  }
  lostLastColumn = !std::equal(mesh.V.end() - static_cast<std::ptrdiff_t>(nz), mesh.V.end(),
                               mesh.V.end() - 2 * static_cast<std::ptrdiff_t>(nz));
  AdoptNewGrid(model, xx, modelNz, zz, vv);
  return {};
}

namespace {

// Depth offset of row izrel below the top node on V-line col.
float OffsetAt(const BCQuasiGrid& model, int col, int izrel) {
  return model.ZZ[static_cast<size_t>(model.NodeIndex(col, model.Nz - 1))] -
         model.ZZ[static_cast<size_t>(model.NodeIndex(col, izrel))];
}

// Whether the bottom H-line is straight and lies one offset step below the deepest node above
// it, as SmeshToModel puts it.
bool HasAddedBottomLine(const BCQuasiGrid& model) {
  if (model.Nz < 3) return false;  // at least two mesh rows must remain
  const int nx = model.GetNx();
  const float bottom = model.ZZ[0];
  float deepest = model.ZZ[1];
  for (int c = 0; c < nx; ++c) {
    if (model.ZZ[static_cast<size_t>(model.NodeIndex(c, 0))] != bottom) return false;
    deepest = std::min(deepest, model.ZZ[static_cast<size_t>(model.NodeIndex(c, 1))]);
  }
  const float step = OffsetAt(model, 0, 1) - OffsetAt(model, 0, 2);
  return std::fabs((deepest - step) - bottom) <= model.ZRes;
}

}  // namespace

std::string ModelToSmesh(const BCQuasiGrid& model, float vWater, float vAir, SmeshMesh& mesh) {
  const int nx = model.GetNx();
  if (nx < 2 || model.Nz < 2) return "the model is empty";
  const int lowest = HasAddedBottomLine(model) ? 1 : 0;
  const int nz = model.Nz - lowest;
  mesh = SmeshMesh{};
  mesh.Nx = nx;
  mesh.Nz = nz;
  mesh.VWater = vWater;
  mesh.VAir = vAir;
  mesh.X = model.XX;
  for (int k = 0; k < nz; ++k) mesh.Offsets.push_back(OffsetAt(model, 0, model.Nz - 1 - k));
  mesh.V.reserve(static_cast<size_t>(nx) * static_cast<size_t>(nz));
  for (int c = 0; c < nx; ++c) {
    // 0 - z rather than -z: a surface at elevation 0 is depth 0, not -0.
    mesh.Topography.push_back(0.0f -
                              model.ZZ[static_cast<size_t>(model.NodeIndex(c, model.Nz - 1))]);
    for (int k = 0; k < nz; ++k) {
      const int izrel = model.Nz - 1 - k;
      const float offset = OffsetAt(model, c, izrel);
      if (!(std::fabs(offset - mesh.Offsets[static_cast<size_t>(k)]) <= model.ZRes))
        return FormatStr(
            "the nodes do not lie at common depths below the top H-line: on V-line "
            "%d, H-line %d lies %s below the top, on V-line 1 %s",
            c + 1, k + 1, NumberText(offset).c_str(),
            NumberText(mesh.Offsets[static_cast<size_t>(k)]).c_str());
      mesh.V.push_back(model.VV[static_cast<size_t>(model.NodeIndex(c, izrel))]);
    }
  }
  return {};
}

void WriteSmesh(const SmeshMesh& mesh, std::ostream& out) {
  const auto line = [&out](const std::vector<float>& values, size_t from, size_t count) {
    for (size_t i = 0; i < count; ++i) out << (i ? " " : "") << NumberText(values[from + i]);
    out << '\n';
  };
  out << FormatStr("%d %d ", mesh.Nx, mesh.Nz) << NumberText(mesh.VWater) << ' '
      << NumberText(mesh.VAir) << '\n';
  line(mesh.X, 0, mesh.X.size());
  line(mesh.Topography, 0, mesh.Topography.size());
  line(mesh.Offsets, 0, mesh.Offsets.size());
  const auto nz = static_cast<size_t>(mesh.Nz);
  for (size_t i = 0; i < static_cast<size_t>(mesh.Nx); ++i) line(mesh.V, i * nz, nz);
}
