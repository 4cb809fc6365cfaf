// Regular-grid sampling of a model and its CF netCDF file.
#include "formats/grid_netcdf.h"

#include <netcdf.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr float kNoValue = std::numeric_limits<float>::quiet_NaN();

// Raised by Check with the library's reason; caught in WriteNetcdfGrid.
struct NetcdfFailure {
  int status;
};

void Check(int status) {
  if (status != NC_NOERR) throw NetcdfFailure{status};
}

void PutText(int nc, int var, const char* name, const std::string& text) {
  Check(nc_put_att_text(nc, var, name, text.size(), text.c_str()));
}

// The file's variables with their CF attributes, in define mode.
struct GridFile {
  int nc = -1;
  int x = -1;
  int z = -1;
  int v = -1;
};

void DefineGrid(GridFile& f, const GridSampling& sampling, size_t nx, size_t nz) {
  const std::string length = sampling.Kilometres ? "km" : "m";
  const std::string speed = sampling.Kilometres ? "km/s" : "m/s";
  int xDim = 0;
  int zDim = 0;
  Check(nc_def_dim(f.nc, "x", nx, &xDim));
  Check(nc_def_dim(f.nc, "z", nz, &zDim));
  Check(nc_def_var(f.nc, "x", NC_FLOAT, 1, &xDim, &f.x));
  Check(nc_def_var(f.nc, "z", NC_FLOAT, 1, &zDim, &f.z));
  const int dims[2] = {zDim, xDim};  // rows of constant elevation, bottom row first
  Check(nc_def_var(f.nc, "velocity", NC_FLOAT, 2, dims, &f.v));
  PutText(f.nc, NC_GLOBAL, "Conventions", "CF-1.8");
  PutText(f.nc, NC_GLOBAL, "title", "velocity model on a regular grid");
  PutText(f.nc, NC_GLOBAL, "source", "quasigrid export");
  PutText(f.nc, NC_GLOBAL, "comment",
          sampling.Sample == GridSample::kCell
              ? "each sample is the velocity of the model cell that holds it"
              : "each sample is interpolated from the node velocities of its model cell");
  PutText(f.nc, f.x, "long_name", "distance along the profile");
  PutText(f.nc, f.x, "units", length);
  PutText(f.nc, f.x, "axis", "X");
  PutText(f.nc, f.z, "long_name", "elevation");
  PutText(f.nc, f.z, "units", length);
  PutText(f.nc, f.z, "positive", "up");
  PutText(f.nc, f.z, "axis", "Z");
  PutText(f.nc, f.v, "long_name", "seismic velocity");
  PutText(f.nc, f.v, "units", speed);
  Check(nc_put_att_float(f.nc, f.v, "_FillValue", NC_FLOAT, 1, &kNoValue));
}

void WriteSamples(const GridFile& f, const BCEQuasiGrid& model, GridSample how,
                  const std::vector<float>& xs, const std::vector<float>& zs) {
  Check(nc_put_var_float(f.nc, f.x, xs.data()));
  Check(nc_put_var_float(f.nc, f.z, zs.data()));
  std::vector<float> row(xs.size());
  for (size_t j = 0; j < zs.size(); ++j) {
    for (size_t i = 0; i < xs.size(); ++i) row[i] = SampleVelocity(model, xs[i], zs[j], how);
    const size_t start[2] = {j, 0};
    const size_t count[2] = {1, xs.size()};
    Check(nc_put_vara_float(f.nc, f.v, start, count, row.data()));
  }
}

}  // namespace

float SampleVelocity(const BCEQuasiGrid& model, float x, float z, GridSample how) {
  BCCell cell{};
  if (!model.GetCell(x, z, cell, sgkWhole)) return kNoValue;
  const auto n = static_cast<size_t>(cell.Node);
  if (how == GridSample::kCell) return model.VV[n];
  BCCellInfo info{};
  info.X = x;
  info.Z = z;
  info.Node = cell.Node;
  info.Col = cell.Col + 1;
  float zBot = 0;
  float zTop = 0;
  model.GetCellZRange(info, zBot, zTop);
  const auto nz = static_cast<size_t>(model.Nz);
  const float xl = model.XX[static_cast<size_t>(cell.Col)];
  const float xr = model.XX[static_cast<size_t>(cell.Col) + 1];
  // A point drawn in from just beyond the last V-line takes that V-line's values.
  const float t = std::clamp((x - xl) / (xr - xl), 0.0f, 1.0f);
  const float vTop = model.VV[n] + (model.VV[n + nz] - model.VV[n]) * t;
  const float vBot = model.VV[n - 1] + (model.VV[n - 1 + nz] - model.VV[n - 1]) * t;
  const float s = zTop > zBot ? std::clamp((z - zBot) / (zTop - zBot), 0.0f, 1.0f) : 1.0f;
  return vBot + (vTop - vBot) * s;
}

std::string GridAxis(float lo, float hi, float step, const char* what, std::vector<float>& axis) {
  if (!(step > 0) || !std::isfinite(step))
    return std::string("the ") + what + " spacing must be a number above 0";
  const double steps = std::floor((static_cast<double>(hi) - lo) / step);
  if (steps < 1) return std::string("the ") + what + " spacing is wider than the model";
  if (steps > static_cast<double>(kMaxGridSamples))
    return std::string("the ") + what + " spacing is too fine for the model";
  axis.resize(static_cast<size_t>(steps));
  for (size_t i = 0; i < axis.size(); ++i)
    axis[i] = static_cast<float>(lo + (static_cast<double>(i) + 0.5) * step);
  return {};
}

std::string WriteNetcdfGrid(const BCEQuasiGrid& model, const GridSampling& sampling,
                            const std::string& path) {
  if (model.GetNx() < 2 || model.Nz < 2) return "the model is empty";
  std::vector<float> xs;
  std::vector<float> zs;
  const float top = *std::max_element(model.ZZ.begin(), model.ZZ.end());
  if (std::string why = GridAxis(model.XX.front(), model.XX.back(), sampling.Dx, "X", xs);
      !why.empty())
    return why;
  if (std::string why = GridAxis(model.ModelRect.bottom, top, sampling.Dz, "Z", zs); !why.empty())
    return why;
  if (static_cast<double>(xs.size()) * static_cast<double>(zs.size()) >
      static_cast<double>(kMaxGridSamples))
    return std::to_string(xs.size()) + " x " + std::to_string(zs.size()) +
           " samples are more than the " + std::to_string(kMaxGridSamples) + " a grid may have";
  GridFile f;
  try {
    Check(nc_create(path.c_str(), NC_CLOBBER | NC_64BIT_OFFSET, &f.nc));
    Check(nc_set_fill(f.nc, NC_NOFILL, nullptr));
    DefineGrid(f, sampling, xs.size(), zs.size());
    Check(nc_enddef(f.nc));
    WriteSamples(f, model, sampling.Sample, xs, zs);
    const int nc = f.nc;
    f.nc = -1;
    Check(nc_close(nc));
  } catch (const NetcdfFailure& e) {
    if (f.nc >= 0) nc_close(f.nc);
    return nc_strerror(e.status);
  }
  return {};
}
