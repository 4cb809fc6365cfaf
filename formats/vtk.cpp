// The VTK XML unstructured-grid writer.
#include "formats/vtk.h"

#include "formats/internal/number_text.h"
#include "platform/strings.h"

namespace {

constexpr int kVtkQuad = 9;  // VTK's cell type of a four-node polygon cell

// Calls each(node) for the top-left node of every cell, in node order: V-lines 0..Nx-2, rows
// 1..Nz-1 (the bottom node and the last V-line carry no cell).
template <typename Each>
void ForEachCell(const BCQuasiGrid& model, Each each) {
  const int nx = model.GetNx();
  for (int col = 0; col + 1 < nx; ++col) {
    for (int izrel = 1; izrel < model.Nz; ++izrel) each(model.NodeIndex(col, izrel));
  }
}

void OpenArray(std::ostream& out, const char* type, const char* name, int components) {
  out << "        <DataArray type=\"" << type << "\" Name=\"" << name << "\" NumberOfComponents=\""
      << components << "\" format=\"ascii\">\n";
}

void CloseArray(std::ostream& out) {
  out << "\n        </DataArray>\n";
}

void WritePoints(const BCQuasiGrid& model, std::ostream& out) {
  out << "      <Points>\n";
  OpenArray(out, "Float32", "Points", 3);
  const int nx = model.GetNx();
  for (int col = 0; col < nx; ++col) {
    const AnsiString x = NumberText(model.XX[static_cast<size_t>(col)]);
    for (int izrel = 0; izrel < model.Nz; ++izrel) {
      out << x << ' ' << NumberText(model.ZZ[static_cast<size_t>(model.NodeIndex(col, izrel))])
          << " 0\n";
    }
  }
  CloseArray(out);
  out << "      </Points>\n";
}

void WriteCells(const BCQuasiGrid& model, int cells, std::ostream& out) {
  const int nz = model.Nz;
  out << "      <Cells>\n";
  OpenArray(out, "Int32", "connectivity", 1);
  // Bottom left, bottom right, top right, top left: counter-clockwise with Z up.
  ForEachCell(model,
              [&](int n) { out << FormatStr("%d %d %d %d\n", n - 1, n - 1 + nz, n + nz, n); });
  CloseArray(out);
  OpenArray(out, "Int32", "offsets", 1);
  for (int c = 1; c <= cells; ++c) out << FormatStr("%d\n", 4 * c);
  CloseArray(out);
  OpenArray(out, "UInt8", "types", 1);
  const AnsiString type = FormatStr("%d\n", kVtkQuad);
  for (int c = 0; c < cells; ++c) out << type;
  CloseArray(out);
  out << "      </Cells>\n";
}

void WriteCellData(const BCQuasiGrid& model, std::ostream& out) {
  out << "      <CellData Scalars=\"velocity\">\n";
  OpenArray(out, "Float32", "velocity", 1);
  ForEachCell(model, [&](int n) { out << NumberText(model.VV[static_cast<size_t>(n)]) << '\n'; });
  CloseArray(out);
  OpenArray(out, "UInt8", "fixed", 1);
  ForEachCell(model, [&](int n) {
    out << ((model.CellFlags[static_cast<size_t>(n)] & kCellFixed) ? "1\n" : "0\n");
  });
  CloseArray(out);
  out << "      </CellData>\n";
}

void WritePointData(const BCQuasiGrid& model, std::ostream& out) {
  out << "      <PointData Scalars=\"velocity\">\n";
  OpenArray(out, "Float32", "velocity", 1);
  for (const float v : model.VV) out << NumberText(v) << '\n';
  CloseArray(out);
  out << "      </PointData>\n";
}

}  // namespace

void WriteVtu(const BCQuasiGrid& model, std::ostream& out) {
  const int nx = model.GetNx();
  const int cells = nx > 1 && model.Nz > 1 ? (nx - 1) * (model.Nz - 1) : 0;
  out << "<?xml version=\"1.0\"?>\n"
         "<VTKFile type=\"UnstructuredGrid\" version=\"1.0\" byte_order=\"LittleEndian\">\n"
         "  <UnstructuredGrid>\n"
      << FormatStr("    <Piece NumberOfPoints=\"%zu\" NumberOfCells=\"%d\">\n", model.ZZ.size(),
                   cells);
  WritePoints(model, out);
  WriteCells(model, cells, out);
  WriteCellData(model, out);
  WritePointData(model, out);
  out << "    </Piece>\n  </UnstructuredGrid>\n</VTKFile>\n";
}
