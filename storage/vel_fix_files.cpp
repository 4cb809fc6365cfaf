// The VEL and FIX writers: the velocity grid row by row, and the fixed cells one per line.
#include "storage/modelfiler.h"

#include "editing/equasigrid.h"
#include "platform/strings.h"
#include "storage/internal/number_text.h"

#include <algorithm>
#include <cstddef>
#include <fstream>

namespace {

// Opens fileName for writing, replacing it; a failure while writing then raises.
bool OpenForWriting(std::ofstream& out, const AnsiString& fileName) {
  out.open(fileName, std::ios::binary | std::ios::trunc);
  if (!out.is_open()) return false;
  out.exceptions(std::ios::failbit | std::ios::badbit);
  return true;
}

// Number of nodes of the grid whose arrays can be read: Nx * Nz, as far as VV and CellFlags go.
size_t ReadableNodes(const BCQuasiGrid& grid) {
  const size_t n = grid.XX.size() * static_cast<size_t>(std::max(grid.Nz, 0));
  return std::min({n, grid.VV.size(), grid.CellFlags.size()});
}

}  // namespace

bool SaveVelocityToVELfile(const AnsiString& fileName, BCQuasiGrid* grid) {
  std::ofstream out;
  if (!OpenForWriting(out, fileName)) return false;
  int nx = 0;
  int nz = 0;
  grid->GetGridDimensions(nx, nz);
  TextOut text(out);
  for (const AnsiString& line : {AnsiString("V"), IntToStr(nx), IntToStr(nz), AnsiString("1")}) {
    text.Text(line);
    text.EndLine();
  }
  const BCFRect& r = grid->ModelRect;
  for (const float edge : {r.left, r.right, r.bottom, r.top, 0.0f, 0.0f}) {
    text.FixedLeft(edge, 12, 3);
    text.EndLine();
  }
  const std::vector<float>& vv = grid->VV;
  const size_t n = std::min(
      vv.size(), static_cast<size_t>(std::max(nx, 0)) * static_cast<size_t>(std::max(nz, 0)));
  // H-line number r from the top lies at izrel Nz - r: on V-line c - 1 (1-based c) that is node
  // c * Nz - r.
  for (int row = 1; row <= nz; ++row) {
    for (size_t node = static_cast<size_t>(nz - row); node < n; node += static_cast<size_t>(nz)) {
      text.Fixed(vv[node], 9, 2);
    }
    text.EndLine();
  }
  text.Flush();
  out.close();
  return true;
}

int SaveConstraintsToFIXfile(const AnsiString& fileName, BCEQuasiGrid* grid,
                             const AnsiString& valueFmt) {
  const auto fixed = [grid](size_t i) { return (grid->CellFlags[i] & kCellFixed) != 0; };
  if (std::none_of(grid->CellFlags.begin(), grid->CellFlags.end(),
                   [](unsigned char f) { return (f & kCellFixed) != 0; })) {
    return 1;
  }
  const NumberFormat value(valueFmt);
  if (!value.Usable()) return -1;
  std::ofstream out;
  if (!OpenForWriting(out, fileName)) return -1;
  const int nx = grid->GetNx();
  const int nz = grid->Nz;
  const size_t n = ReadableNodes(*grid);
  TextOut text(out);
  for (size_t i = 0; i < n; ++i) {
    if (!fixed(i)) continue;
    const int node = static_cast<int>(i);
    // The node counted row by row from the bottom row, from 1: row izrel times the row length
    // Nx, plus its V-line.
    text.Text("1");
    text.Int((node % nz) * nx + node / nz + 1, 13);
    text.Text("   ");
    text.Number(value, grid->VV[i]);
    text.EndLine();
  }
  text.Flush();
  out.close();
  return 0;
}
