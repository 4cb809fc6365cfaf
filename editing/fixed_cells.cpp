// Fixed cells: the velocity constraints marked by the fixed bit of CellFlags, set and cleared
// by subgrid, counted, listed as cell positions and walked one by one.
#include "editing/equasigrid.h"

#include <algorithm>
#include <new>

namespace {

// Freeing a cell keeps the selected bit and the two spare bits above the fixed one; the fixed
// bit (and any bit above 8, which nothing sets) is cleared.
constexpr unsigned char kFreeMask = 13;

bool IsFixed(unsigned char flags) {
  return (flags & kCellFixed) != 0;
}

// Sets the fixed bit of the flags in [first, last); returns how many were clear.
int FixRange(unsigned char* first, const unsigned char* last) {
  int count = 0;
  for (; first != last; ++first) {
    count += !IsFixed(*first);
    *first |= kCellFixed;
  }
  return count;
}

// Clears the fixed bit of the flags in [first, last); returns how many were set.
int FreeRange(unsigned char* first, const unsigned char* last) {
  int count = 0;
  for (; first != last; ++first) {
    count += IsFixed(*first);
    *first &= kFreeMask;
  }
  return count;
}

// Clears the fixed bit of every node; returns how many were set.
int FreeEveryNode(std::vector<unsigned char>& flags) {
  return FreeRange(flags.data(), flags.data() + flags.size());
}

}  // namespace

int BCEQuasiGrid::GetNumOfFixes() {
  return static_cast<int>(std::count_if(CellFlags.begin(), CellFlags.end(), IsFixed));
}

int BCEQuasiGrid::FixSelectedSubgrid(bool fix, BCFRect* rect) {
  BCSubgrid sg{};
  if (rect == nullptr) {
    if (!SelActive || !SelSubgridFitsGrid()) return 0;
    sg = SelSubgrid;
  } else if (!GetSelSubgrid(*rect, sg)) {
    return 0;
  }
  if (sg.LeftCol >= sg.RightCol) return 0;
  int changed = 0;
  for (int c = sg.LeftCol; c < sg.RightCol; ++c) {
    // The subgrid's rows, shifted from V-line LeftCol onto V-line c.
    unsigned char* first = &CellFlags[sg.BotNode + (c - sg.LeftCol) * Nz];
    unsigned char* last = first + (sg.TopNode - sg.BotNode) + 1;
    changed += fix ? FixRange(first, last) : FreeRange(first, last);
  }
  return changed;
}

int BCEQuasiGrid::FreeAllCells() {
  return FreeEveryNode(CellFlags);
}

bool BCEQuasiGrid::GetFixCells(std::vector<TPoint>& pts) {
  pts.clear();
  try {
    pts.reserve(static_cast<size_t>(GetNumOfFixes()));
  } catch (const std::bad_alloc&) {
    return false;  // the list stays empty rather than partly filled
  }
  for (size_t i = 0; i < CellFlags.size(); ++i) {
    if (IsFixed(CellFlags[i])) pts.push_back(GetColRow(static_cast<int>(i)));
  }
  return !pts.empty();
}

void BCEQuasiGrid::SetFixCells(const std::vector<TPoint>& pts) {
  FreeEveryNode(CellFlags);
  const int nx = GetNx();
  for (const TPoint& p : pts) {
    // Positions off the grid are skipped; cell-less nodes of the last V-line or the bottom row
    // are set like any other.
    if (p.x < 1 || p.x > nx || p.y < 1 || p.y > Nz) continue;
    CellFlags[GetAbsIndex(p)] |= kCellFixed;
  }
}

bool BCEQuasiGrid::GetNextFix(int& i, float& v) {
  const int total = static_cast<int>(CellFlags.size());
  if (i < -1 || i >= total - 1) return false;
  const unsigned char* flags = CellFlags.data();
  for (int n = i + 1; n < total; ++n) {
    if (IsFixed(flags[n])) {
      i = n;
      v = VV[n];
      return true;
    }
  }
  return false;
}
