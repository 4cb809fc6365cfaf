// The netCDF grid read back through the netCDF library, against the model's own point queries.
#include "formats/grid_netcdf.h"

#include <gtest/gtest.h>
#include <netcdf.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "support/hand_model.h"
#include "support/scratch_dir.h"

namespace {

// Two columns of cells whose top rises from 0 at X 0 to 50 at X 100; bottom flat at -100.
BCEQuasiGrid SlopingTop() {
  BCEQuasiGrid g;
  static_cast<BCQuasiGrid&>(g) =
      HandModel({0, 50, 100}, {-100, -50, 0, -100, -40, 25, -100, -50, 50});
  g.VV = {1000, 1000, 2000, 3000, 3000, 4000, 3000, 3000, 4000};
  return g;
}

std::vector<float> ReadVariable(int nc, const char* name, size_t count) {
  int var = -1;
  EXPECT_EQ(nc_inq_varid(nc, name, &var), NC_NOERR) << name;
  std::vector<float> values(count);
  EXPECT_EQ(nc_get_var_float(nc, var, values.data()), NC_NOERR) << name;
  return values;
}

TEST(NetcdfGrid, SamplesMatchThePointQueriesAndAreNaNAboveASlopingTop) {
  const BCEQuasiGrid g = SlopingTop();
  ScratchDir dir;
  GridSampling sampling;
  sampling.Dx = sampling.Dz = 10;
  ASSERT_EQ(WriteNetcdfGrid(g, sampling, dir.File("cell.nc")), "");
  int nc = -1;
  ASSERT_EQ(nc_open(dir.File("cell.nc").c_str(), NC_NOWRITE, &nc), NC_NOERR);
  size_t nx = 0, nz = 0;
  int dim = -1;
  nc_inq_dimid(nc, "x", &dim);
  nc_inq_dimlen(nc, dim, &nx);
  nc_inq_dimid(nc, "z", &dim);
  nc_inq_dimlen(nc, dim, &nz);
  ASSERT_EQ(nx, 10u);  // centres 5 .. 95
  ASSERT_EQ(nz, 15u);  // centres -95 .. 45, up to the highest node
  const std::vector<float> xs = ReadVariable(nc, "x", nx);
  const std::vector<float> zs = ReadVariable(nc, "z", nz);
  const std::vector<float> v = ReadVariable(nc, "velocity", nx * nz);
  const auto text = [nc](const char* var, const char* name) {
    int id = NC_GLOBAL;
    if (var != nullptr) nc_inq_varid(nc, var, &id);
    size_t length = 0;
    nc_inq_attlen(nc, id, name, &length);
    std::string t(length, '\0');
    nc_get_att_text(nc, id, name, t.data());
    return t;
  };
  EXPECT_EQ(text(nullptr, "Conventions"), "CF-1.8");
  EXPECT_EQ(text("z", "positive"), "up");
  nc_close(nc);
  BCEQuasiGrid zoomed = g;
  int nan = 0;
  for (size_t j = 0; j < nz; ++j) {
    for (size_t i = 0; i < nx; ++i) {
      BCCellInfo info{xs[i], zs[j], 0, 0, 0, 0, 0};
      const float sample = v[j * nx + i];
      if (zoomed.GetCellInfo(info, false)) {
        EXPECT_EQ(sample, info.V) << xs[i] << " " << zs[j];
      } else {
        EXPECT_TRUE(std::isnan(sample)) << xs[i] << " " << zs[j];
        ++nan;
      }
    }
  }
  EXPECT_GT(nan, 10);
}

TEST(NetcdfGrid, NodeSamplesInterpolateTheCornerVelocities) {
  const BCEQuasiGrid g = SlopingTop();
  // The upper cell of the left column: corners 2000 (top left), 4000 (top right), 1000 and 3000
  // below. At X 25 (halfway) the top edge carries 3000 at Z 12.5 and the lower one 2000 at -45.
  const float z = -45 + (57.5f * 0.4f);
  EXPECT_FLOAT_EQ(SampleVelocity(g, 25, z, GridSample::kNode), 2000 + 1000 * 0.4f);
  EXPECT_EQ(SampleVelocity(g, 25, z, GridSample::kCell), 2000);
  EXPECT_TRUE(std::isnan(SampleVelocity(g, 25, 20, GridSample::kNode)));  // above the top there
}

TEST(NetcdfGrid, RefusesSpacingsThatMakeNoGrid) {
  const BCEQuasiGrid g = SlopingTop();
  ScratchDir dir;
  // X spacing, Z spacing, a piece of the refusal.
  for (const auto& [dx, dz, message] :
       {std::tuple{0.0f, 10.0f, "X spacing must be a number above 0"},
        {10, NAN, "Z spacing must be a number above 0"},
        {200, 10, "X spacing is wider than the model"},
        {1e-7f, 10, "too fine"},
        {1e-4f, 1e-3f, "more than"}}) {
    GridSampling sampling;
    sampling.Dx = dx;
    sampling.Dz = dz;
    EXPECT_NE(WriteNetcdfGrid(g, sampling, dir.File("g.nc")).find(message), std::string::npos)
        << message;
  }
}

}  // namespace
