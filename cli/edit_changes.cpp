// Comparing a model before and after an edit, node by node and cell by cell.
#include "cli/edit_changes.h"

#include <vector>

#include "editing/equasigrid.h"

namespace {

std::string Count(long long n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// Calls visit(node) for the top-left node of every cell.
template <typename Visit>
void ForEachCell(const BCQuasiGrid& g, Visit visit) {
  for (int col = 0; col + 1 < g.GetNx(); ++col) {
    for (int iz = 1; iz < g.Nz; ++iz) visit(g.NodeIndex(col, iz));
  }
}

long long CellsWith(const BCQuasiGrid& g, unsigned char bit) {
  long long n = 0;
  ForEachCell(g, [&](int i) { n += (g.CellFlags[i] & bit) ? 1 : 0; });
  return n;
}

void LinesChanged(std::vector<std::string>& changes, const char* one, const char* many, int before,
                  int after) {
  if (after > before) changes.push_back(Count(after - before, one, many) + " added");
  if (after < before) changes.push_back(Count(before - after, one, many) + " removed");
}

// Nodes, velocities and fixed cells of two grids of the same size, compared one by one.
void CompareSameSize(std::vector<std::string>& changes, const BCQuasiGrid& a,
                     const BCQuasiGrid& b) {
  long long moved = 0;
  for (int col = 0; col < a.GetNx(); ++col) {
    const bool xMoved = a.XX[col] != b.XX[col];
    for (int iz = 0; iz < a.Nz; ++iz) {
      const int i = a.NodeIndex(col, iz);
      moved += (xMoved || a.ZZ[i] != b.ZZ[i]) ? 1 : 0;
    }
  }
  long long velocities = 0, fixed = 0, freed = 0;
  ForEachCell(a, [&](int i) {
    velocities += a.VV[i] != b.VV[i] ? 1 : 0;
    const bool wasFixed = (a.CellFlags[i] & kCellFixed) != 0;
    const bool isFixed = (b.CellFlags[i] & kCellFixed) != 0;
    fixed += (!wasFixed && isFixed) ? 1 : 0;
    freed += (wasFixed && !isFixed) ? 1 : 0;
  });
  if (moved > 0) changes.push_back(Count(moved, "node", "nodes") + " moved");
  if (velocities > 0) changes.push_back(Count(velocities, "cell", "cells") + " changed velocity");
  if (fixed > 0) changes.push_back(Count(fixed, "cell", "cells") + " fixed");
  if (freed > 0) changes.push_back(Count(freed, "cell", "cells") + " freed");
}

std::vector<int> HorizonLines(const BCQuasiGrid& g) {
  std::vector<int> lines;
  for (const BCHor& h : g.Hors) lines.push_back(h.IH);
  return lines;
}

void HorizonsChanged(std::vector<std::string>& changes, const BCQuasiGrid& a,
                     const BCQuasiGrid& b) {
  const std::vector<int> after = HorizonLines(b);
  if (HorizonLines(a) == after) return;
  std::string text = "horizons now on H-lines";
  for (size_t k = 0; k < after.size(); ++k) text += (k ? ", " : " ") + std::to_string(after[k] + 1);
  changes.push_back(text);
}

void SelectionChanged(std::vector<std::string>& changes, const BCQuasiGrid& a,
                      const BCQuasiGrid& b) {
  if (a.SelActive == b.SelActive && (!b.SelActive || a.SelSubgrid == b.SelSubgrid)) return;
  if (!b.SelActive) {
    changes.push_back("selection cleared");
  } else {
    changes.push_back(Count(CellsWith(b, kCellSelected), "cell", "cells") + " selected");
  }
}

}  // namespace

std::string DescribeEditChanges(const BCEQuasiGrid& before, const BCEQuasiGrid& after) {
  std::vector<std::string> changes;
  LinesChanged(changes, "V-line", "V-lines", before.GetNx(), after.GetNx());
  LinesChanged(changes, "H-line", "H-lines", before.Nz, after.Nz);
  if (changes.empty()) {
    CompareSameSize(changes, before, after);
  } else if (const long long a = CellsWith(before, kCellFixed), b = CellsWith(after, kCellFixed);
             a != b) {
    changes.push_back("fixed cells " + std::to_string(a) + " -> " + std::to_string(b));
  }
  HorizonsChanged(changes, before, after);
  SelectionChanged(changes, before, after);
  if (changes.empty()) return "nothing changed";
  std::string text;
  for (const std::string& change : changes) text += (text.empty() ? "" : ", ") + change;
  return text;
}
