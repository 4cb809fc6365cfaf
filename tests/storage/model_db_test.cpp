// Tests of saving a model into a model table and loading it back, the loader's checks, and the
// per-node columns of the editable model.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/quasigrid.h"
#include "platform/files.h"
#include "storage/modelfiler.h"
#include "support/hand_model.h"
#include "support/model_tables.h"

namespace {

// Records of an nx x nz grid: X = 10 * column, Z = -5 * (nz - 1 - izrel), V = 100 + record.
std::vector<TableRecord> GridRecords(int nx, int nz) {
  std::vector<TableRecord> records(nx * nz);
  for (int i = 0; i < nx * nz; ++i) {
    records[i] = {i + 0.0, 10.0 * (i / nz), 0, -5.0 * (nz - 1 - i % nz), 100.0 + i, 0, 0, 0, 0};
  }
  return records;
}

// A 3 x 4 model with distinct untrimmed velocities, fixed cells 5 and 10, a selected cell 6, a
// zoom and a horizon: every failed load must leave all of it as it is.
BCQuasiGrid BusyModel() {
  BCQuasiGrid g = HandModel({0, 10, 25}, {-30, -20, -10, 0, -31, -21, -11, 1, -32, -22, -12, 2});
  for (size_t i = 0; i < g.VV.size(); ++i) g.VV[i] = 1000.0f + static_cast<float>(i) * 0.1f;
  g.CellFlags = {0, 0, 0, 0, 0, 2, 1, 0, 0, 0, 2, 0};
  g.SelActive = true;
  g.ZoomSubgrid = {1, 2, 5, 7};
  g.Hors.push_back(BCHor());
  return g;
}

// what = 3 writes a record per node in node order, trimmed first; what = 5 reads it back exactly.
TEST(ModelDb, SaveThenLoadRestoresTheGridBitForBit) {
  TableDirs dirs;
  BCQuasiGrid saved = BusyModel();
  saved.VV[2] = 0x1p-149f;        // the smallest float
  saved.CorrectUpperBound(0.5f);  // a raised top is not stored: the extent comes from the nodes
  ASSERT_TRUE(saved.SaveModelDb(dirs.db.Path(), false, 3));
  EXPECT_EQ(ReadRecords(dirs.table).at(5), (TableRecord{5, 10, 0, -21, saved.VV[5], 1, 0, 0, 0}));

  BCQuasiGrid loaded = HandModel({0, 1}, {0, 1, 0, 1});
  loaded.SelActive = true;
  loaded.Hors.push_back(BCHor());
  ASSERT_TRUE(loaded.LoadModelDb(dirs.db.Path(), false, 5, true));
  BCQuasiGrid expected = HandModel(saved.XX, saved.ZZ);
  expected.VV = saved.VV;
  expected.CellFlags[5] = expected.CellFlags[10] = 2;
  expected.XRes = 25 * 1e-5f;
  expected.ZRes = 34 * 1e-5f;
  EXPECT_TRUE(SameModel(loaded, expected));
  ASSERT_TRUE(loaded.LoadModelDb(dirs.db.Path(), false, 3, false));  // V2, saved as 0
  EXPECT_EQ(loaded.VV, std::vector<float>(12, 0.0f));
  EXPECT_EQ(loaded.CellFlags, std::vector<unsigned char>(12, 0));
}

// what = 2 rewrites Fix alone; refused: what = 0, a short table, 2,500,000 nodes, an empty model.
TEST(SaveModelDb, FixedFlagsAloneAndRefusals) {
  TableDirs dirs;
  std::vector<TableRecord> records = GridRecords(3, 4);
  for (TableRecord& r : records) r[mfRecNo] = r[mfRayCov] = 99;
  records.push_back({12, 99, 0, 0, 0, 1, 0, 0, 0});  // beyond the model's nodes
  WriteRecords(dirs.backupTable, records);
  BCQuasiGrid g = BusyModel();
  ASSERT_TRUE(g.SaveModelDb(dirs.db.Path(), true, 2));
  EXPECT_TRUE(SameModel(g, BusyModel()));  // no trim without the geometry
  records[5][mfFix] = records[10][mfFix] = 1;
  EXPECT_EQ(ReadRecords(dirs.backupTable), records);
  EXPECT_FALSE(g.SaveModelDb(dirs.db.Path(), false, 0));
  WriteRecords(dirs.backupTable, GridRecords(2, 4));
  EXPECT_FALSE(g.SaveModelDb(dirs.db.Path(), true, 2));
  EXPECT_EQ(ReadRecords(dirs.backupTable), GridRecords(2, 4));
  g = HandModel({0, 1}, {0, 1, 0, 1});
  g.XX.resize(2500);
  g.Nz = 1000;
  EXPECT_FALSE(g.SaveModelDb(dirs.db.Path(), false, 3));
  EXPECT_FALSE(g.SaveModelDb(dirs.db.Path(), false, 2));
  EXPECT_FALSE(FileExists(dirs.table));
  WriteRecords(dirs.table, GridRecords(2, 2));
  EXPECT_FALSE(BCQuasiGrid().SaveModelDb(dirs.db.Path(), false, 3));
  EXPECT_TRUE(ReadRecords(dirs.table).empty());
  EXPECT_EQ(dirs.errors, std::vector<AnsiString>(2, "Model database overflow at saving model."));
}

// Without bit value 1 the grid stays: 2 alone clears the flags, 4 sets them where Fix >= 0.0001.
TEST(LoadModelDb, BitsWithoutGeometryKeepTheGrid) {
  TableDirs dirs;
  std::vector<TableRecord> records = GridRecords(3, 4);
  const double fix[] = {0.00009, 0.0001, 1, -1, 0.5};
  for (int i = 0; i < 5; ++i) records[i][mfFix] = fix[i];
  WriteRecords(dirs.table, records);
  BCQuasiGrid g = BusyModel();
  BCQuasiGrid expected = BusyModel();
  expected.CellFlags.assign(12, 0);
  ASSERT_TRUE(g.LoadModelDb(dirs.db.Path(), false, 2, false));
  EXPECT_TRUE(SameModel(g, expected));
  ASSERT_TRUE(g.LoadModelDb(dirs.db.Path(), false, 4, true));
  expected.CellFlags = {0, 2, 2, 0, 2, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_TRUE(SameModel(g, expected));
  WriteRecords(dirs.table, GridRecords(3, 3));  // not one record per node
  EXPECT_FALSE(g.LoadModelDb(dirs.db.Path(), false, 4, false));
  EXPECT_FALSE(g.LoadModelDb(dirs.db.Path(), false, 2, false));
  EXPECT_TRUE(SameModel(g, expected));
}

// Tables the loader refuses (each kind of damage is the table check's case): the model stays.
TEST(LoadModelDb, ATableThatIsNotAGridLeavesTheModelUnchanged) {
  TableDirs dirs;
  // Empty, one node per V-line, 11 records on 3 V-lines, an X that is not finite.
  std::vector<std::vector<TableRecord>> tables = {
      {}, GridRecords(4, 1), GridRecords(3, 4), GridRecords(3, 4)};
  tables[2].pop_back();
  tables[3][6][mfX] = -HUGE_VAL;
  for (size_t k = 0; k <= tables.size(); ++k) {
    if (k < tables.size()) WriteRecords(dirs.table, tables[k]);
    if (k == tables.size()) dirs.db.Write("model.db", "not a table");
    BCQuasiGrid g = BusyModel();
    EXPECT_FALSE(g.LoadModelDb(dirs.db.Path(), false, 5, true)) << k;
    EXPECT_TRUE(SameModel(g, BusyModel())) << k;
  }
}

// A missing table is copied from the templates first; V-lines closer than XRes merge on load.
TEST(LoadModelDb, ReadsACopyOfTheTemplateAndMergesCloseVLines) {
  TableDirs dirs;
  BCQuasiGrid g = BusyModel();
  EXPECT_FALSE(g.LoadModelDb(dirs.db.Path(), false, 0, false));  // opens nothing
  EXPECT_FALSE(g.LoadModelDb(dirs.db.Path(), true, 1, false));   // the empty template
  EXPECT_TRUE(FileExists(dirs.backupTable));
  EXPECT_FALSE(FileExists(dirs.table));
  EXPECT_TRUE(SameModel(g, BusyModel()));
  std::vector<TableRecord> records = GridRecords(3, 2);
  const double xs[] = {0, 0, 0.0005, 0.0005, 100, 100};  // XRes = 100 * 1e-5
  for (int i = 0; i < 6; ++i) records[i][mfX] = xs[i];
  WriteRecords(dirs.templates.File("model.db"), records);
  ASSERT_TRUE(g.LoadModelDb(dirs.db.Path(), false, 1, false));
  EXPECT_EQ(ReadRecords(dirs.table), records);
  EXPECT_EQ(g.XX, (std::vector<float>{0, 100}));
  EXPECT_EQ(g.WholeSubgrid, (BCSubgrid{0, 1, 1, 2}));
}

}  // namespace
