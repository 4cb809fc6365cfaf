// Fuzz target for the VFT import: any bytes as a VFT file are imported into a model table, checked
// and exported again without a crash, and the result code agrees with the records kept.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "fuzz/fuzz_support.h"
#include "model/quasigrid.h"
#include "platform/error_box.h"
#include "platform/table.h"
#include "storage/mimpex.h"
#include "storage/modelfiler.h"

namespace {

constexpr size_t kMaxInput = 1 << 16;

// The scratch folder with an empty main table to import into, made once; error boxes are
// silenced, since a store failure is one of the outcomes under test.
const ScratchDir& Scratch() {
  static const ScratchDir& dir = [] {
    const ScratchDir& made = FuzzScratch();
    TTable table;
    table.SetDatabaseName(made.Path());
    table.SetTableName("model.db");
    table.CreateTable();
    SetErrorHandler([](const AnsiString&) {});
    return std::cref(made);
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  const ScratchDir& dir = Scratch();
  {
    std::ofstream out(dir.File("in.vft"), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  // The step factor comes from the input too, so that both 0 and 1 are explored.
  const int stepFactor = size > 0 ? data[0] % 3 : 1;
  int lineNo = -1;
  int result = 0;
  {
    TCModelImpex impex(dir.File("in.vft"), dir.Path(), 'I');
    FuzzCheck(impex.InitStatus == 0);
    result = impex.ImportVFT(stepFactor, lineNo);
  }
  FuzzCheck(result >= vftNoGrid && result <= vftTableOverflow && result != -1 && result != -2);
  FuzzCheck(result != vftTableOverflow);  // no input here is that long, and the store holds
  if (result == vftNoGrid) FuzzCheck(lineNo == 0);
  if (result == vftBadLine) FuzzCheck(lineNo >= 1 && static_cast<size_t>(lineNo) <= size + 2);
  if (result == vftNoGrid || result == vftBadLine) return 0;

  // The grid check ran: the line it names is a record, or the one after the last for success.
  const TCModelFiler filer(dir.Path(), false, 'r');
  FuzzCheck(filer.Valid);
  if (result == vftOk) FuzzCheck(lineNo == filer.RecCount + 1 && filer.RecCount >= 4);
  if (result != vftOk) {
    FuzzCheck(lineNo >= 1 && lineNo <= filer.RecCount);
    return 0;
  }

  // A grid that passed the check loads, and exports again.
  BCQuasiGrid g;
  if (g.LoadModelDb(dir.Path(), false, kLoadGeometry, true)) {
    FuzzCheck(g.ZZ.size() == g.XX.size() * static_cast<size_t>(g.Nz));
  }
  TCModelImpex exporter(dir.File("out.txt"), dir.Path(), 'E');
  FuzzCheck(exporter.ExportVFT(size % 2 == 0));
  FuzzCheck(exporter.ExportDAT(false));
  return 0;
}
