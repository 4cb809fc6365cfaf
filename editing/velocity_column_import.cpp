// Importing velocity-column files into the model: one profile into a chosen cell column, or a
// set of profiles from which every column is rebuilt.
#include "editing/equasigrid.h"

#include "storage/vcimpex.h"

#include <algorithm>

namespace {

// Code of ImportVelCol for a file that cannot be opened.
constexpr int kImportColNoFile = -2;
// Codes of ImportVelColSet: a file that cannot be opened, no block inside the model.
constexpr int kImportSetNoFile = 4;
constexpr int kImportSetNoBlockInside = 5;

}  // namespace

int BCEQuasiGrid::ImportVelCol(const AnsiString& fileName, int col, int& lineNo) {
  lineNo = 0;
  VCFiler filer(fileName, vcoRead);
  if (!filer.Opened()) return kImportColNoFile;
  VCReadPosition pos = vrpStart;
  float x = 0;
  std::vector<float> z;
  std::vector<float> v;
  const int read = filer.ReadNextCol(x, z, v, pos);
  if (read != vcrOk) {
    lineNo = filer.LineNo;
    return read;
  }
  // Only the first block counts, and its X is not used: the profile goes into column col.
  ReplaceVelCol(col, z, v);
  return vcrOk;
}

int BCEQuasiGrid::ImportVelColSet(const AnsiString& fileName, int& lineNo) {
  lineNo = 0;
  VCFiler filer(fileName, vcoRead);
  if (!filer.Opened()) return kImportSetNoFile;
  const int nx = GetNx();
  VCReadPosition pos = vrpStart;
  std::vector<int> cols;
  float x = 0;
  std::vector<float> z;
  std::vector<float> v;
  while (pos != vrpEnd) {
    const int read = filer.ReadNextCol(x, z, v, pos);
    if (read != vcrOk) {
      lineNo = filer.LineNo;
      return read;
    }
    if (nx == 0 || !(XX.front() <= x && x <= XX.back())) continue;  // outside: skipped
    // The cell column whose X range [XX[k-1], XX[k]) holds x is number k, the count of V-lines
    // at or left of x; the right edge itself belongs to the last column.
    int k = static_cast<int>(std::upper_bound(XX.begin(), XX.end(), x) - XX.begin());
    if (k == nx) k = nx - 1;
    cols.push_back(k);
    ReplaceVelCol(k, z, v);
  }
  if (cols.empty()) {
    lineNo = 0;
    return kImportSetNoBlockInside;
  }
  std::sort(cols.begin(), cols.end());
  InterpolateVelBetweenCols(cols);
  return vcrOk;
}
