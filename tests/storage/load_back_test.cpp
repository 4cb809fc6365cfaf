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
#include "support/model_tables.h"

namespace {

// A bare grid: V-lines at xx, elevations and velocities as given, no flags.
BCQuasiGrid Grid(std::vector<float> xx, int nz, std::vector<float> zz, std::vector<float> vv) {
  BCQuasiGrid g;
  g.XX = std::move(xx);
  g.Nz = nz;
  g.ZZ = std::move(zz);
  g.VV = std::move(vv);
  g.CellFlags.assign(g.ZZ.size(), 0);
  return g;
}

// nx V-lines spread evenly over x0..x1 (in float), nz H-lines 10 apart, velocity 1500.
BCQuasiGrid EvenGrid(int nx, int nz, double x0, double x1) {
  std::vector<float> xx(nx), zz, vv;
  for (int c = 0; c < nx; ++c) xx[c] = static_cast<float>(x0 + (x1 - x0) * c / (nx - 1));
  for (int c = 0; c < nx; ++c)
    for (int k = 0; k < nz; ++k) zz.push_back(-10.0f * static_cast<float>(nz - 1 - k));
  vv.assign(zz.size(), 1500.0f);
  return Grid(xx, nz, zz, vv);
}

std::vector<uint32_t> Bits(const std::vector<float>& values) {
  std::vector<uint32_t> bits;
  for (float v : values) bits.push_back(std::bit_cast<uint32_t>(v));
  return bits;
}

// Saves g (which trims it) and loads it back: true when Nz, XX, ZZ and VV return bit for bit.
bool ReloadsTheSame(BCQuasiGrid& g, const TableDirs& dirs) {
  BCQuasiGrid back;
  return g.SaveModelDb(dirs.db.Path(), false, 3) &&
         back.LoadModelDb(dirs.db.Path(), false, 5, true) && back.Nz == g.Nz &&
         Bits(back.XX) == Bits(g.XX) && Bits(back.ZZ) == Bits(g.ZZ) && Bits(back.VV) == Bits(g.VV);
}

// Either the check refuses, and then a save does not load back the same, or the grid comes back.
void ExpectCheckMatchesReload(BCQuasiGrid g, const TableDirs& dirs, const char* label) {
  const AnsiString problem = LoadBackProblem(g);
  EXPECT_EQ(ReloadsTheSame(g, dirs), problem.empty()) << label << ": " << problem;
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
  std::vector<float> xx(nx), zz, vv;
  xx[0] = static_cast<float>(origins[pick(rng) % 5]);
  for (int c = 1; c < nx; ++c) xx[c] = xx[c - 1] + static_cast<float>(step());
  for (float& x : xx) x = special(x);
  for (int c = 0; c < nx; ++c) {
    float z = static_cast<float>(-1000 * unit(rng));
    for (int k = 0; k < nz; ++k, z += static_cast<float>(step())) zz.push_back(special(z));
  }
  for (size_t i = 0; i < zz.size(); ++i)
    vv.push_back(special(static_cast<float>(6000 * unit(rng))));
  return Grid(xx, nz, zz, vv);
}

TEST(LoadBackProblem, RandomGridsAreRefusedOrComeBackBitForBit) {
  TableDirs dirs;
  std::mt19937 rng(20261206);
  int accepted = 0;
  for (int run = 0; run < 150; ++run) {
    BCQuasiGrid g = RandomGrid(rng);
    accepted += LoadBackProblem(g).empty();
    ExpectCheckMatchesReload(g, dirs, ("run " + std::to_string(run)).c_str());
  }
  EXPECT_GT(accepted, 20);  // both sides are exercised
  EXPECT_LT(accepted, 130);
}

TEST(LoadBackProblem, BothSidesOfEachLimit) {
  TableDirs dirs;
  const float justAbove = std::nextafter(1e-5f, 1.0f);  // the X resolution of the extent 0..1
  struct Case {
    const char* label;
    BCQuasiGrid grid;
    bool refused;
  };
  const Case cases[] = {
      // V-lines 0.0083 apart over 0..1000, where the X resolution is 0.01; 0.0111 apart load.
      {"120000 x 2 over 0..1000", EvenGrid(120000, 2, 0, 1000), true},
      {"90000 x 2 over 0..1000", EvenGrid(90000, 2, 0, 1000), false},
      // Float cannot hold X 10000000.5: the middle V-line falls onto the first.
      {"3 V-lines over 1e7..1e7+1", EvenGrid(3, 3, 1e7, 1e7 + 1), true},
      {"2 V-lines over 1e7..1e7+1", EvenGrid(2, 3, 1e7, 1e7 + 1), false},
      // A gap equal to the resolution merges; the next float above it does not.
      {"gap at the resolution", EvenGrid(3, 2, 0, 1), true},
      {"gap one float above", EvenGrid(3, 2, 0, 1), false},
      {"one V-line", EvenGrid(2, 2, 0, 1), true},
      {"one H-line", EvenGrid(2, 1, 0, 1), true},
      {"two of each", EvenGrid(2, 2, 0, 1), false},
      {"infinite velocity", EvenGrid(2, 2, 0, 1), true},
      {"negative zeros", EvenGrid(2, 2, 0, 1), false},
  };
  std::vector<Case> all(std::begin(cases), std::end(cases));
  all[4].grid.XX = {0, 1e-5f, 1};
  all[5].grid.XX = {0, justAbove, 1};
  all[6].grid.XX.resize(1);
  all[6].grid.ZZ.resize(2);
  all[6].grid.VV.resize(2);
  all[9].grid.VV[1] = INFINITY;
  all[10].grid.XX[0] = all[10].grid.ZZ[3] = all[10].grid.VV[0] = -0.0f;
  for (Case& c : all) {
    EXPECT_EQ(!LoadBackProblem(c.grid).empty(), c.refused) << c.label;
    ExpectCheckMatchesReload(c.grid, dirs, c.label);
  }
  // The node limit, checked without writing millions of records.
  EXPECT_NE(LoadBackProblem(EvenGrid(2500, 1000, 0, 25000)), "");
  EXPECT_EQ(LoadBackProblem(EvenGrid(2500, 999, 0, 25000)), "");
  // The text gives the numbers.
  EXPECT_EQ(LoadBackProblem(cases[0].grid),
            "V-lines 1 and 2 lie 0.008333403 apart, within the X resolution 0.01 of the extent 0 "
            "to 1000: they would merge on loading");
}

// NULL, text and blobs refuse the load whichever field the load reads them from, while the
// filer's own reads still take them as 0; the store's failures leave their text.
TEST(LoadModelDb, RefusesFieldsThatHoldNoNumber) {
  TableDirs dirs;
  BCQuasiGrid g = EvenGrid(3, 2, 0, 20);
  ASSERT_TRUE(g.SaveModelDb(dirs.db.Path(), false, 3));
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(dirs.table.c_str(), &db), SQLITE_OK);
  auto exec = [&](const std::string& sql) {
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
  };
  for (const char* field : {"X", "Z", "V", "Fix", "V2"}) {
    for (const char* value : {"NULL", "'abc'", "x'00'"}) {
      exec(std::string("UPDATE model SET ") + field + " = " + value + " WHERE rowid = 4");
      BCQuasiGrid loaded = EvenGrid(2, 3, 5, 6);
      const bool v2 = std::string(field) == "V2";
      EXPECT_FALSE(loaded.LoadModelDb(dirs.db.Path(), false, v2 ? 7 : 5, false)) << field << value;
      EXPECT_EQ(loaded.XX, (std::vector<float>{5, 6})) << "unchanged after a refusal";
      EXPECT_EQ(v2, loaded.LoadModelDb(dirs.db.Path(), false, 5, false)) << field << value;
      ASSERT_TRUE(g.SaveModelDb(dirs.db.Path(), false, 3));
    }
  }
  exec("UPDATE model SET RayCov = NULL");  // a field the load does not read
  sqlite3_close(db);
  EXPECT_TRUE(g.LoadModelDb(dirs.db.Path(), false, 5, false));
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
