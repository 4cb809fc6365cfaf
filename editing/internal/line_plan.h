// Plans of a structure edit: which old grid lines stay, which go and where new ones come in,
// described by a few numbers so that planning never allocates.
//
// A "line" is a V-line for the column edits and a row rank (izrel) of every V-line for the row
// edits; the same plans serve both.
#pragma once

#include <algorithm>
#include <cstdint>

// count new lines before each old line first..last, so between old lines j - 1 and j.
struct LineInsertion {
  int first;
  int last;
  int count;

  int Sites() const { return last - first + 1; }
  // Lines after the insertion, in 64 bits: a huge count must not wrap before it is refused.
  int64_t NewTotal64(int oldTotal) const { return oldTotal + int64_t{Sites()} * count; }
  int NewTotal(int oldTotal) const { return static_cast<int>(NewTotal64(oldTotal)); }
  bool Drops(int /*j*/) const { return false; }
  // Where old line j lands: shifted by the lines inserted before it.
  int NewIndex(int j) const { return j + count * std::clamp(j - first + 1, 0, Sites()); }
};

// The old lines first, first + step, .. up to last go; the others close up in order.
struct LineRemoval {
  int first;
  int last;
  int step;  // 1 removes a block, 2 every other line

  int Removed() const { return last < first ? 0 : (last - first) / step + 1; }
  int NewTotal(int oldTotal) const { return oldTotal - Removed(); }
  bool Drops(int j) const { return j >= first && j <= last && (j - first) % step == 0; }
  // Where a surviving old line j lands: shifted by the lines removed below it.
  int NewIndex(int j) const {
    if (j < first) return j;
    return j - std::min((j - first) / step + 1, Removed());
  }
};
