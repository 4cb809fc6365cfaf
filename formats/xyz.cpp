// The x-z-v writer.
#include "formats/xyz.h"

#include "formats/internal/number_text.h"

void WriteXyz(const BCQuasiGrid& model, std::ostream& out) {
  const int nx = model.GetNx();
  for (int col = 0; col < nx; ++col) {
    const AnsiString x = NumberText(model.XX[static_cast<size_t>(col)]);
    for (int izrel = 0; izrel < model.Nz; ++izrel) {
      const auto node = static_cast<size_t>(model.NodeIndex(col, izrel));
      out << x << ' ' << NumberText(model.ZZ[node]) << ' ' << NumberText(model.VV[node]) << '\n';
    }
  }
}
