// Tests that a model either is refused by the load-back check or, saved and loaded, gives its
// grid back bit for bit; and that the loader refuses fields that hold no number.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "editing/equasigrid.h"
#include "platform/table.h"
#include "storage/model_check.h"
#include "support/hand_grid.h"
#include "support/hand_model.h"
#include "support/model_tables.h"

namespace {

// nx V-lines spread evenly over x0..x1 (in float), nz H-lines 10 apart.
BCQuasiGrid EvenGrid(int nx, int nz, double x0, double x1) {
  std::vector<float> xs(nx), zs(nz);
  for (int c = 0; c < nx; ++c) xs[c] = static_cast<float>(x0 + (x1 - x0) * c / (nx - 1));
  for (int k = 0; k < nz; ++k) zs[k] = -10.0f * static_cast<float>(nz - 1 - k);
  return HandGrid(xs, zs, 1500);
}

std::vector<uint32_t> Bits(const std::vector<float>& values) {
  std::vector<uint32_t> bits;
  for (float v : values) bits.push_back(std::bit_cast<uint32_t>(v));
  return bits;
}

// Either the check refuses, and then a save does not load back the same, or the grid comes back
// bit for bit (the save trims g first).
void ExpectCheckMatchesReload(BCQuasiGrid g, const TableDirs& dirs, const std::string& label) {
  const AnsiString problem = LoadBackProblem(g);
  BCQuasiGrid back;
  const bool same = g.SaveModelDb(dirs.db.Path(), false, 3) &&
                    back.LoadModelDb(dirs.db.Path(), false, 5, true) && back.Nz == g.Nz &&
                    Bits(back.XX) == Bits(g.XX) && Bits(back.ZZ) == Bits(g.ZZ) &&
                    Bits(back.VV) == Bits(g.VV);
  EXPECT_EQ(same, problem.empty()) << label << ": " << problem;
}

// Spacings drawn over nine decades reach below the X resolution of the extent, whose origin
// lies far from 0; values include -0 and, now and then, a value that is not finite.
BCQuasiGrid RandomGrid(std::mt19937& rng) {
  std::uniform_int_distribution<int> count(1, 6), pick(0, 19);
  std::uniform_real_distribution<double> decade(-6, 3), unit(0, 1);
  const double origins[] = {0, 1e7, -3.5e5, 123.456, -1e-3};
  auto step = [&] {
    const int p = pick(rng);
    return p == 0 ? 0.0 : p == 1 ? -1e-4 : std::pow(10.0, decade(rng));
  };
  auto special = [&](float v) {
    const int p = pick(rng);
    return p == 0 ? -0.0f : p == 1 && unit(rng) < 0.1 ? NAN : p == 2 ? 0x1p-149f : v;
  };
  const int nx = count(rng), nz = count(rng);
  std::vector<float> xx(nx), zz;
  xx[0] = static_cast<float>(origins[pick(rng) % 5]);
  for (int c = 1; c < nx; ++c) xx[c] = xx[c - 1] + static_cast<float>(step());
  for (float& x : xx) x = special(x);
  for (int c = 0; c < nx; ++c) {
    float z = static_cast<float>(-1000 * unit(rng));
    for (int k = 0; k < nz; ++k, z += static_cast<float>(step())) zz.push_back(special(z));
  }
  BCQuasiGrid g = HandModel(xx, zz);
  for (float& v : g.VV) v = special(static_cast<float>(6000 * unit(rng)));
  return g;
}

TEST(LoadBackProblem, RandomGridsAreRefusedOrComeBackBitForBit) {
  TableDirs dirs;
  std::mt19937 rng(20261206);
  int accepted = 0;
  for (int run = 0; run < 150; ++run) {
    const BCQuasiGrid g = RandomGrid(rng);
    accepted += LoadBackProblem(g).empty();
    ExpectCheckMatchesReload(g, dirs, "run " + std::to_string(run));
  }
  EXPECT_GT(accepted, 20);  // both sides are exercised
  EXPECT_LT(accepted, 130);
}

TEST(LoadBackProblem, BothSidesOfEachLimit) {
  TableDirs dirs;
  BCQuasiGrid infinite = HandGrid({0, 1}, {-10, 0}), zeros = HandGrid({0, 1}, {-10, 0});
  infinite.VV[1] = INFINITY;
  zeros.XX[0] = zeros.ZZ[3] = zeros.VV[0] = -0.0f;
  const struct {
    const char* label;
    BCQuasiGrid grid;
    bool refused;
  } cases[] = {
      // V-lines 0.0083 apart over 0..1000, where the X resolution is 0.01; 0.0111 apart load.
      {"120000 x 2 over 0..1000", EvenGrid(120000, 2, 0, 1000), true},
      {"90000 x 2 over 0..1000", EvenGrid(90000, 2, 0, 1000), false},
      // Float cannot hold X 10000000.5: the middle V-line falls onto the first.
      {"3 V-lines over 1e7..1e7+1", EvenGrid(3, 3, 1e7, 1e7 + 1), true},
      {"2 V-lines over 1e7..1e7+1", EvenGrid(2, 3, 1e7, 1e7 + 1), false},
      // A gap equal to the X resolution of the extent 0..1 merges; the next float above it not.
      {"gap at the resolution", HandGrid({0, 1e-5f, 1}, {-10, 0}), true},
      {"gap one float above", HandGrid({0, std::nextafter(1e-5f, 1.0f), 1}, {-10, 0}), false},
      {"one V-line", HandGrid({0}, {-10, 0}), true},
      {"infinite velocity", infinite, true},
      {"negative zeros", zeros, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(!LoadBackProblem(c.grid).empty(), c.refused) << c.label;
    ExpectCheckMatchesReload(c.grid, dirs, c.label);
  }
  // The node limit, checked without writing millions of records.
  EXPECT_NE(LoadBackProblem(EvenGrid(2500, 1000, 0, 25000)), "");
  EXPECT_EQ(LoadBackProblem(EvenGrid(2500, 999, 0, 25000)), "");
  EXPECT_EQ(LoadBackProblem(cases[0].grid),
            "V-lines 1 and 2 lie 0.008333403 apart, within the X resolution 0.01 of the extent 0 "
            "to 1000: they would merge on loading");
}

// A field that holds no number refuses only the load that reads it (the table check's cases
// cover the others), while the filer's own reads take it as 0; the store's failures leave their
// text.
TEST(LoadModelDb, RefusesFieldsThatHoldNoNumberOnlyWhereItReadsThem) {
  TableDirs dirs;
  BCQuasiGrid g = EvenGrid(3, 2, 0, 20);
  ASSERT_TRUE(g.SaveModelDb(dirs.db.Path(), false, 3));
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(dirs.table.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(
                db, "UPDATE model SET V2 = 'abc' WHERE rowid = 4; UPDATE model SET RayCov = NULL",
                nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  BCQuasiGrid loaded = EvenGrid(2, 3, 5, 6);
  EXPECT_FALSE(loaded.LoadModelDb(dirs.db.Path(), false, 7, false));
  EXPECT_EQ(loaded.XX, (std::vector<float>{5, 6}));
  EXPECT_TRUE(loaded.LoadModelDb(dirs.db.Path(), false, 5, false));
  std::vector<float> coverage;
  EXPECT_TRUE(BCEQuasiGrid().LoadRayCoverage(dirs.db.Path(), coverage));
  EXPECT_EQ(coverage, std::vector<float>(6, 0.0f));
  EXPECT_EQ(LastTableStoreError(), "");

  dirs.db.Write("model.db", std::string(4096, 'x'));
  EXPECT_FALSE(g.LoadModelDb(dirs.db.Path(), false, 5, false));
  EXPECT_NE(LastTableStoreError().find("file is not a database"), std::string::npos)
      << LastTableStoreError();
}

}  // namespace
