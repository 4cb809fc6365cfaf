// Tests of saving a model into a model table and loading it back, the loader's checks, and the
// per-node columns of the editable model.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <limits>
#include <thread>
#include <vector>

#include "editing/equasigrid.h"
#include "model/quasigrid.h"
#include "platform/files.h"
#include "storage/modelfiler.h"
#include "support/hand_model.h"
#include "support/model_tables.h"

namespace {

const AnsiString kOverflow = "Model database overflow at saving model.";

// Records of an nx x nz grid: V-line c at X = 10c, node elevations -5 * (nz - 1 - izrel),
// velocity 100 + i.
std::vector<TableRecord> GridRecords(int nx, int nz) {
  std::vector<TableRecord> records;
  for (int i = 0; i < nx * nz; ++i) {
    const int izrel = i % nz;
    records.push_back({static_cast<double>(i), 10.0 * (i / nz), 0, -5.0 * (nz - 1 - izrel),
                       100.0 + i, 0, 0, 0, 0});
  }
  return records;
}

// A 3 x 4 model with distinct velocities, fixed cells 5 and 10 and a selected cell 6.
BCQuasiGrid SmallModel() {
  BCQuasiGrid g = HandModel({0, 10, 25}, {-30, -20, -10, 0, -31, -21, -11, 1, -32, -22, -12, 2});
  for (size_t i = 0; i < g.VV.size(); ++i) g.VV[i] = 1000.0f + static_cast<float>(i) * 0.1f;
  g.CellFlags[5] = 2;
  g.CellFlags[10] = 2;
  g.CellFlags[6] = 1;
  return g;
}

// A model that every failed load must leave exactly as it is: selection, zoom and a horizon.
BCQuasiGrid BusyModel() {
  BCQuasiGrid g = SmallModel();
  g.SelActive = true;
  g.SelSubgrid = {1, 2, 5, 6};
  g.ZoomSubgrid = {1, 2, 5, 7};
  g.Hors.push_back(BCHor());
  g.XRes = 0.5f;
  return g;
}

TEST(SaveModelDb, WritesOneRecordPerNodeInNodeOrder) {
  TableDirs dirs;
  BCQuasiGrid g = SmallModel();
  ASSERT_TRUE(g.SaveModelDb(dirs.Db(), false, 3));
  const std::vector<TableRecord> records = ReadRecords(dirs.Table());
  ASSERT_EQ(records.size(), 12u);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(records[i][0], i);
  // Record 5: the second V-line's node izrel 1, a fixed cell.
  EXPECT_EQ(records[5], (TableRecord{5, 10, 0, -21, g.VV[5], 1, 0, 0, 0}));
  // The model was trimmed before writing: copy nodes hold their neighbours' velocities.
  EXPECT_EQ(g.VV[4], g.VV[5]);
  EXPECT_EQ(g.VV[9], g.VV[5]);
  EXPECT_EQ(records[4][mfV], g.VV[5]);
  EXPECT_EQ(records[10][mfFix], 1);
  EXPECT_EQ(records[6][mfFix], 0);  // selected, not fixed
  EXPECT_FALSE(FileExists(dirs.Table(true)));
}

TEST(SaveModelDb, FixedFlagsAloneRewriteOnlyTheFixField) {
  TableDirs dirs;
  std::vector<TableRecord> before = GridRecords(3, 4);
  for (TableRecord& r : before) r[mfRayCov] = 0.5;
  before.push_back({12, 99, 0, 0, 0, 1, 0, 0, 0});  // beyond the model's nodes: untouched
  WriteRecords(dirs.Table(true), before);
  BCQuasiGrid g = SmallModel();
  const BCQuasiGrid unchanged = g;
  ASSERT_TRUE(g.SaveModelDb(dirs.Db(), true, 2));
  EXPECT_TRUE(SameModel(g, unchanged));  // no trim without the geometry
  std::vector<TableRecord> expected = before;
  expected[5][mfFix] = 1;
  expected[10][mfFix] = 1;
  EXPECT_EQ(ReadRecords(dirs.Table(true)), expected);

  // A table shorter than the model is refused and left as it is.
  WriteRecords(dirs.Table(true), GridRecords(2, 4));
  EXPECT_FALSE(g.SaveModelDb(dirs.Db(), true, 2));
  EXPECT_EQ(ReadRecords(dirs.Table(true)), GridRecords(2, 4));
}

TEST(SaveModelDb, RefusesWithoutWritingWhenThereIsNothingToSave) {
  TableDirs dirs;
  RecordErrors errors;
  BCQuasiGrid g = SmallModel();
  EXPECT_FALSE(g.SaveModelDb(dirs.Db(), false, 0));
  EXPECT_FALSE(FileExists(dirs.Table()));

  // An empty model empties the table and fails.
  WriteRecords(dirs.Table(), GridRecords(2, 2));
  BCQuasiGrid empty;
  EXPECT_FALSE(empty.SaveModelDb(dirs.Db(), false, 3));
  EXPECT_TRUE(FileExists(dirs.Table()));
  EXPECT_TRUE(ReadRecords(dirs.Table()).empty());
  EXPECT_TRUE(errors.texts.empty());
}

TEST(SaveModelDb, AModelTooLargeForATableIsRefusedBeforeTheTableIsTouched) {
  TableDirs dirs;
  RecordErrors errors;
  BCQuasiGrid g = HandModel({0, 1}, {0, 1, 0, 1});
  g.XX.resize(2500);
  g.Nz = 1000;  // 2,500,000 nodes; the limit looks at the dimensions alone
  EXPECT_FALSE(g.SaveModelDb(dirs.Db(), false, 3));
  EXPECT_FALSE(g.SaveModelDb(dirs.Db(), false, 2));
  EXPECT_EQ(errors.texts, (std::vector<AnsiString>{kOverflow, kOverflow}));
  EXPECT_FALSE(FileExists(dirs.Table()));
}

TEST(LoadModelDb, SaveThenLoadRestoresTheGridBitForBit) {
  TableDirs dirs;
  BCQuasiGrid saved = BusyModel();
  saved.VV[2] = std::numeric_limits<float>::denorm_min();
  saved.CorrectUpperBound(0.5f);  // a raised top is not stored: the extent comes from the nodes
  ASSERT_TRUE(saved.SaveModelDb(dirs.Db(), false, 3));

  BCQuasiGrid loaded = HandModel({0, 1}, {0, 1, 0, 1});
  loaded.SelActive = true;
  loaded.Hors.push_back(BCHor());
  ASSERT_TRUE(loaded.LoadModelDb(dirs.Db(), false, 5, true));
  BCQuasiGrid expected = HandModel(saved.XX, saved.ZZ);
  expected.VV = saved.VV;                              // as trimmed by the save
  expected.CellFlags[5] = expected.CellFlags[10] = 2;  // the selection is not stored
  expected.XRes = 25 * 1e-5f;
  expected.ZRes = 34 * 1e-5f;
  EXPECT_TRUE(SameModel(loaded, expected));

  // Velocities from V2, which a full save writes as 0; flags cleared without bit value 4.
  ASSERT_TRUE(loaded.LoadModelDb(dirs.Db(), false, 3, false));
  EXPECT_EQ(loaded.VV, std::vector<float>(12, 0.0f));
  EXPECT_EQ(loaded.CellFlags, std::vector<unsigned char>(12, 0));
  EXPECT_EQ(loaded.ZZ, saved.ZZ);
}

TEST(LoadModelDb, VLinesCloserThanTheXResolutionMerge) {
  TableDirs dirs;
  // Six records; X 0, 0, 0.0005, 0.0005, 100, 100 with the resolution 100 * 1e-5 = 0.001.
  std::vector<TableRecord> records = GridRecords(3, 2);
  const double xs[] = {0, 0, 0.0005, 0.0005, 100, 100};
  for (int i = 0; i < 6; ++i) records[i][mfX] = xs[i];
  WriteRecords(dirs.Table(), records);
  BCQuasiGrid g;
  ASSERT_TRUE(g.LoadModelDb(dirs.Db(), false, 1, true));
  EXPECT_EQ(g.XX, (std::vector<float>{0, 100}));
  EXPECT_EQ(g.Nz, 3);
  EXPECT_EQ(g.WholeSubgrid, (BCSubgrid{0, 1, 1, 2}));
}

TEST(LoadModelDb, FixValuesFromOneTenThousandthOnFixTheCell) {
  TableDirs dirs;
  std::vector<TableRecord> records = GridRecords(2, 3);
  const double fix[] = {0.00009, 0.0001, 1, -1, 0.5, 0};
  for (int i = 0; i < 6; ++i) records[i][mfFix] = fix[i];
  WriteRecords(dirs.Table(), records);
  BCQuasiGrid g = BusyModel();
  ASSERT_TRUE(g.LoadModelDb(dirs.Db(), false, 5, false));
  EXPECT_EQ(g.CellFlags, (std::vector<unsigned char>{0, 2, 2, 0, 2, 0}));
}

TEST(LoadModelDb, BitsWithoutGeometryKeepTheGrid) {
  TableDirs dirs;
  std::vector<TableRecord> records = GridRecords(3, 4);
  records[7][mfFix] = 1;
  WriteRecords(dirs.Table(), records);

  // Bit value 2 alone reads nothing and clears the flags.
  BCQuasiGrid g = BusyModel();
  ASSERT_TRUE(g.LoadModelDb(dirs.Db(), false, 2, false));
  BCQuasiGrid expected = BusyModel();
  expected.CellFlags.assign(12, 0);
  EXPECT_TRUE(SameModel(g, expected));

  // Bit value 4 alone rebuilds the flags only.
  g = BusyModel();
  ASSERT_TRUE(g.LoadModelDb(dirs.Db(), false, 4, true));
  expected.CellFlags[7] = 2;
  EXPECT_TRUE(SameModel(g, expected));

  // Without the geometry the table must hold one record per node of the model.
  WriteRecords(dirs.Table(), GridRecords(3, 3));
  g = BusyModel();
  EXPECT_FALSE(g.LoadModelDb(dirs.Db(), false, 4, false));
  EXPECT_FALSE(g.LoadModelDb(dirs.Db(), false, 2, false));
  EXPECT_TRUE(SameModel(g, BusyModel()));
}

TEST(LoadModelDb, ATableThatIsNotAGridLeavesTheModelUnchanged) {
  TableDirs dirs;
  auto refused = [&](const std::vector<TableRecord>& records) {
    WriteRecords(dirs.Table(), records);
    BCQuasiGrid g = BusyModel();
    const bool loaded = g.LoadModelDb(dirs.Db(), false, 5, true);
    return !loaded && SameModel(g, BusyModel());
  };
  EXPECT_TRUE(refused({}));                 // empty
  EXPECT_TRUE(refused(GridRecords(1, 4)));  // one V-line
  EXPECT_TRUE(refused(GridRecords(4, 1)));  // one node per V-line
  std::vector<TableRecord> r = GridRecords(3, 4);
  r.pop_back();  // 11 records on 3 V-lines
  EXPECT_TRUE(refused(r));
  r = GridRecords(3, 4);
  for (int i = 8; i < 12; ++i) r[i][mfX] = 5;  // V-lines out of order
  EXPECT_TRUE(refused(r));
  // (The store keeps no NaN: it reads back as 0.)
  for (double bad : {HUGE_VAL, -HUGE_VAL}) {
    for (int pos : {mfX, mfZ, mfV, mfFix}) {
      r = GridRecords(3, 4);
      r[6][pos] = bad;
      EXPECT_TRUE(refused(r)) << "field " << pos << " = " << bad;
    }
  }
  // A damaged file.
  ScratchDir other;
  other.Write("model.db", std::string(4096, 'x'));
  BCQuasiGrid g = BusyModel();
  EXPECT_FALSE(g.LoadModelDb(other.Path(), false, 1, false));
  EXPECT_TRUE(SameModel(g, BusyModel()));
}

TEST(LoadModelDb, AMissingTableIsCopiedFromTheTemplates) {
  TableDirs dirs;
  BCQuasiGrid g = BusyModel();
  EXPECT_FALSE(g.LoadModelDb(dirs.Db(), true, 1, false));  // the empty template
  EXPECT_TRUE(FileExists(dirs.Table(true)));
  EXPECT_FALSE(FileExists(dirs.Table(false)));
  EXPECT_TRUE(SameModel(g, BusyModel()));
  EXPECT_FALSE(g.LoadModelDb(dirs.Db(), false, 0, false));
  EXPECT_FALSE(FileExists(dirs.Table(false)));  // what = 0 opens nothing

  WriteRecords(dirs.Templates().File("model.db"), GridRecords(2, 2));
  ASSERT_TRUE(g.LoadModelDb(dirs.Db(), false, 1, false));
  EXPECT_EQ(g.XX, (std::vector<float>{0, 10}));
  EXPECT_EQ(ReadRecords(dirs.Table()), GridRecords(2, 2));
}

TEST(EQuasiGrid, LoadsInitialVelocityAndRayCoverageFromTheMainTable) {
  TableDirs dirs;
  std::vector<TableRecord> records = GridRecords(2, 2);
  for (int i = 0; i < 4; ++i) records[i][mfRayCov] = i * 0.5;
  WriteRecords(dirs.Table(), records);
  WriteRecords(dirs.Table(true), GridRecords(3, 3));
  const BCEQuasiGrid g;
  std::vector<float> v{1, 2, 3, 4, 5};
  ASSERT_TRUE(g.LoadIniVelocity(dirs.Db(), v));
  EXPECT_EQ(v, (std::vector<float>{100, 101, 102, 103}));
  ASSERT_TRUE(g.LoadRayCoverage(dirs.Db(), v));
  EXPECT_EQ(v, (std::vector<float>{0, 0.5f, 1, 1.5f}));

  ScratchDir other;
  other.Write("model.db", "garbage");
  EXPECT_FALSE(g.LoadIniVelocity(other.Path(), v));
  EXPECT_FALSE(g.LoadRayCoverage(other.Path(), v));
}

// A save killed part-way leaves the table holding the previous model whole.
TEST(SaveModelDb, AKilledSaveLeavesThePreviousModelLoadable) {
  TableDirs dirs;
  BCQuasiGrid old = SmallModel();
  ASSERT_TRUE(old.SaveModelDb(dirs.Db(), false, 3));
  const std::vector<TableRecord> before = ReadRecords(dirs.Table());

  TIniModel m{BCFRect(0, 0, 1000, -500), 2000, 1000, 1500, 1600, 3000, 3500, true};
  BCQuasiGrid big;
  ASSERT_TRUE(big.Init(m));
  const std::string journal = dirs.Table() + "-journal";
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(big.SaveModelDb(dirs.Db(), false, 3) ? 0 : 1);

  // Wait until the rewrite is under way, then let it run a little before the kill.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!FileExists(journal) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  if (!WIFSIGNALED(status)) GTEST_SKIP() << "the save finished before it could be killed";

  BCQuasiGrid loaded;
  ASSERT_TRUE(loaded.LoadModelDb(dirs.Db(), false, 5, true));
  EXPECT_EQ(loaded.XX, old.XX);
  EXPECT_EQ(loaded.ZZ, old.ZZ);
  EXPECT_EQ(loaded.VV, old.VV);
  EXPECT_EQ(ReadRecords(dirs.Table()), before);
}

}  // namespace
