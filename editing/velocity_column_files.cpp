// Exporting one cell column of the model into a velocity-column file.
#include "editing/equasigrid.h"

#include "platform/strings.h"
#include "storage/vcimpex.h"

bool BCEQuasiGrid::ExportVelColToFile(const AnsiString& fileName, int col,
                                      const AnsiString& numFormat) {
  if (col < 1 || col > GetNx() - 1 || Nz < 2) return false;
  // Checked before the file is opened, so a refused format neither creates nor extends one.
  if (CountFloatConversions(numFormat) != 1) return false;
  try {
    VCFiler filer(fileName, vcoWrite);
    if (!filer.Opened()) return false;
    filer.NumFormat = numFormat;
    // The cells of column col, from the top one down: the top-left nodes of V-line col - 1 from
    // izrel Nz - 1 down to izrel 1 (the bottom node carries no cell).
    std::vector<float> z;
    std::vector<float> v;
    for (int izrel = Nz - 1; izrel >= 1; --izrel) {
      z.push_back(ZZ[NodeIndex(col - 1, izrel)]);
      v.push_back(VV[NodeIndex(col - 1, izrel)]);
    }
    return filer.AppendCol(XX[col - 1], z, v);
  } catch (...) {
    return false;
  }
}
