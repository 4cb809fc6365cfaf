// Randomised sequences of structure edits on small models: after every edit the model keeps its
// rules, a refused edit changes nothing, and the inverse edit gives the model back.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "editing/equasigrid.h"
#include "structure_checks.h"
#include "support/hand_grid.h"
#include "support/hand_model.h"

namespace {

class RandomEdits {
 public:
  explicit RandomEdits(unsigned seed) : rng_(seed) { Restart(); }

  // One random selection and one random edit, checked.
  void Step() {
    if (g_.GetNx() * g_.Nz > 3000) Restart();
    const int op = Int(0, 6);
    PickSelection(op);
    const BCEQuasiGrid before = g_;
    SCOPED_TRACE(::testing::Message() << "edit " << op << " on " << g_.GetNx() << " x " << g_.Nz);
    const bool changed = Apply(op);
    ASSERT_EQ(BrokenRule(g_), "");
    if (!changed) {
      EXPECT_TRUE(SameModel(g_, before));
    } else if (before.SelActive) {
      ExpectInverse(op, before);
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

  // A cell, columns, rows or a rectangle; sometimes the selection the last edit left, stale or
  // not; often the one column or row that an insertion op needs. And a zoom on some columns.
  void PickSelection(int op) {
    const int nx = g_.GetNx(), nz = g_.Nz;
    const int left = Int(0, nx - 2), right = Int(left + 1, nx - 1);
    const int bot = Int(1, nz - 1), top = Int(bot, nz - 1);
    const int base = left * nz;
    const int shape = op <= 1 && Int(0, 1) ? 5 + op : Int(0, 4);
    switch (shape) {
      case 0:
        Select(g_, {left, left + 1, base + bot, base + bot});
        break;
      case 1:
        Select(g_, {left, right, base + 1, base + nz - 1});
        break;
      case 2:
        Select(g_, {0, nx - 1, bot, top});
        break;
      case 3:
        Select(g_, {left, right, base + bot, base + top});
        break;
      case 5:
        Select(g_, {left, left + 1, base + 1, base + nz - 1});
        break;
      case 6:
        Select(g_, {0, nx - 1, bot, bot});
        break;
      default:
        break;
    }
    const int zl = Int(0, nx - 2);
    g_.ZoomSubgrid =
        Int(0, 1) ? g_.WholeSubgrid : BCSubgrid{zl, nx - 1, zl * nz + 1, zl * nz + nz - 1};
  }

  // Runs edit op; true when it reports a change.
  bool Apply(int op) {
    const float q[] = {1, 2, 0.5f, 1.3f};
    switch (op) {
      case 0:
        return g_.InsertVLines(Int(0, 3), q[Int(0, 3)], 0.01f) > 0;
      case 1:
        return g_.InsertHLines(Int(0, 3), q[Int(0, 3)], 0.01f) > 0;
      case 2: {
        const bool lines = g_.SelSubgridFitsGrid() &&
                           (g_.GetSelShape() == ssColumn || g_.GetSelShape() == ssColumns ||
                            g_.GetSelShape() == ssRow || g_.GetSelShape() == ssRows);
        return g_.DeleteSelectedLines() == 0 && lines;
      }
      case 3:
        return g_.DoubleColumns(0.01f) == 0;
      case 4:
        return g_.DoubleRows(0.01f) == 0;
      case 5: {
        const int nx = g_.GetNx();
        g_.HalveColumns();
        return g_.GetNx() != nx;
      }
      default:
        return g_.HalveRows();
    }
  }

  // Doubling is undone by halving, and an insertion by deleting the new lines.
  void ExpectInverse(int op, const BCEQuasiGrid& before) {
    BCEQuasiGrid back = g_;
    const BCSubgrid s = back.SelSubgrid;
    if (op == 3) back.HalveColumns();
    if (op == 4 && !back.HalveRows()) return;  // a horizon now inside the doubled rows
    if (op == 0) {
      Select(back, {s.LeftCol + 1, s.RightCol, s.BotNode + back.Nz, s.TopNode + back.Nz});
      back.DeleteVLines();
    }
    if (op == 1) {
      Select(back, {0, back.GetNx() - 1, s.BotNode, s.TopNode - 1});
      back.DeleteHLines();
    }
    if (op == 0 || op == 1) {
      EXPECT_EQ(back.XX, before.XX);
      EXPECT_EQ(back.ZZ, before.ZZ);
      EXPECT_EQ(back.VV, before.VV);
      EXPECT_EQ(HorizonLines(back), HorizonLines(before));
    } else if (op == 3 || op == 4) {
      EXPECT_TRUE(SameModel(back, before));
    }
  }

  std::mt19937 rng_;
  BCEQuasiGrid g_;
};

}  // namespace

TEST(StructureEdits, RandomSequencesKeepTheRulesAndInvert) {
  for (unsigned seed = 1; seed <= 10; ++seed) {
    RandomEdits edits(seed);
    for (int step = 0; step < 300; ++step) {
      ASSERT_NO_FATAL_FAILURE(edits.Step()) << "seed " << seed << " step " << step;
    }
  }
}
