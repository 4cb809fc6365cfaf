// Randomised sequences of structure edits on small models: after every edit the model keeps its
// rules, and a refused edit changes nothing.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "structure_checks.h"
#include "support/hand_grid.h"
#include "support/hand_model.h"

namespace {

class RandomEdits {
 public:
  explicit RandomEdits(unsigned seed) : rng_(seed) {}

  // A random selection and zoom, then edit op: 0 InsertVLines, 1 InsertHLines,
  // 2 DeleteSelectedLines, 3 DoubleColumns, 4 DoubleRows, 5 HalveColumns, 6 HalveRows.
  void Step() {
    if (g_.GetNx() * g_.Nz > 3000 || g_.Nz == 0) Restart();
    const int op = Int(0, 6);
    PickSelection(op);
    const BCEQuasiGrid before = g_;
    SCOPED_TRACE(::testing::Message() << "edit " << op << " on " << g_.GetNx() << " x " << g_.Nz);
    const int nodes = g_.GetNx() * g_.Nz;
    const float q[] = {1, 2, 0.5f, 1.3f};
    const int result = op == 0   ? g_.InsertVLines(Int(1, 3), q[Int(0, 3)], 0.01f)
                       : op == 1 ? g_.InsertHLines(Int(1, 3), q[Int(0, 3)], 0.01f)
                       : op == 2 ? g_.DeleteSelectedLines()
                       : op == 3 ? g_.DoubleColumns(0.01f)
                       : op == 4 ? g_.DoubleRows(0.01f)
                       : op == 5 ? (g_.HalveColumns(), 0)
                                 : !g_.HalveRows();
    ASSERT_EQ(BrokenRule(g_), "");
    const bool changed = g_.GetNx() * g_.Nz != nodes;
    if (!changed) {
      EXPECT_TRUE(SameModel(g_, before));
    }
    // The result says whether the edit was done (DeleteSelectedLines and HalveColumns aside).
    if (op != 2 && op != 5) {
      EXPECT_EQ(changed, op <= 1 ? result > 0 : result == 0) << result;
    }
  }

 private:
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  void Restart() {
    TIniModel m{BCFRect(0, 0, 1000, -500), Int(2, 6), Int(2, 6), 1000, 2000, 3000, 4000, true};
    ASSERT_TRUE(g_.Init(m));
    for (float& v : g_.VV) v = Int(0, 3) == 0 ? 0.0f : static_cast<float>(Int(1000, 5000));
    for (unsigned char& f : g_.CellFlags) f = Int(0, 3) == 0 ? kCellFixed : 0;
    std::vector<int> lines;
    for (int ih = 0; ih < g_.Nz; ++ih) {
      if (Int(0, 2) == 0) lines.push_back(ih);
    }
    SetHorizons(g_, lines);
  }

  // A cell, columns, rows, a rectangle or the selection left by the last edit (stale or not);
  // for the insertions often the one column or row they need.
  void PickSelection(int op) {
    const int nx = g_.GetNx(), nz = g_.Nz;
    const int left = Int(0, nx - 2), right = Int(left + 1, nx - 1), base = left * nz;
    const int bot = Int(1, nz - 1), top = Int(bot, nz - 1);
    const BCSubgrid shapes[] = {{left, left + 1, base + bot, base + bot},
                                {left, right, base + 1, base + nz - 1},
                                {0, nx - 1, bot, top},
                                {left, right, base + bot, base + top},
                                {left, left + 1, base + 1, base + nz - 1},
                                {0, nx - 1, bot, bot}};
    const int shape = op <= 1 && Int(0, 1) ? 4 + op : Int(0, 4);
    if (shape < 4 || op <= 1) Select(g_, shapes[shape]);
    g_.ZoomSubgrid = Int(0, 1) ? g_.WholeSubgrid : BCSubgrid{left, nx - 1, base + 1, base + nz - 1};
  }

  std::mt19937 rng_;
  BCEQuasiGrid g_;
};

}  // namespace

TEST(StructureEdits, RandomSequencesKeepTheRules) {
  for (unsigned seed = 1; seed <= 10; ++seed) {
    RandomEdits edits(seed);
    for (int step = 0; step < 300; ++step) {
      ASSERT_NO_FATAL_FAILURE(edits.Step()) << "seed " << seed << " step " << step;
    }
  }
}
