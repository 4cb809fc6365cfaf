// Fuzz target for the VFT import: any bytes as a VFT file are imported into a model table, checked
// and exported again without a crash, and the result code agrees with the records kept.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/quasigrid.h"
#include "platform/error_box.h"
#include "platform/table.h"
#include "storage/mimpex.h"
#include "storage/modelfiler.h"

namespace {

constexpr size_t kMaxInput = 1 << 16;

void Check(bool condition) {
  if (!condition) std::abort();
}

// The directory of the table and the files, in memory where the system offers it (a table
// commit syncs its file), removed when the process ends.
class ScratchDir {
 public:
  ScratchDir() {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    path_ = base / ("quasigrid_vft_fuzz_" + std::to_string(getpid()));
    std::filesystem::create_directories(path_);
    TTable table;
    table.SetDatabaseName(path_.string());
    table.SetTableName("model.db");
    table.CreateTable();
    SetErrorHandler([](const AnsiString&) {});
  }
  ~ScratchDir() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  std::string Dir() const { return path_.string(); }
  std::string File(const char* name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

const ScratchDir& Scratch() {
  static const ScratchDir dir;
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
    TCModelImpex impex(dir.File("in.vft"), dir.Dir(), 'I');
    Check(impex.InitStatus == 0);
    result = impex.ImportVFT(stepFactor, lineNo);
  }
  Check(result >= vftNoGrid && result <= vftTableOverflow && result != -1 && result != -2);
  Check(result != vftTableOverflow);  // no input here is that long, and the store holds
  if (result == vftNoGrid) Check(lineNo == 0);
  if (result == vftBadLine) Check(lineNo >= 1 && static_cast<size_t>(lineNo) <= size + 2);
  if (result == vftNoGrid || result == vftBadLine) return 0;

  // The grid check ran: the line it names is a record, or the one after the last for success.
  const TCModelFiler filer(dir.Dir(), false, 'r');
  Check(filer.Valid);
  if (result == vftOk) Check(lineNo == filer.RecCount + 1 && filer.RecCount >= 4);
  if (result != vftOk) {
    Check(lineNo >= 1 && lineNo <= filer.RecCount);
    return 0;
  }

  // A grid that passed the check loads, and exports again.
  BCQuasiGrid g;
  if (g.LoadModelDb(dir.Dir(), false, kLoadGeometry, true)) {
    Check(g.ZZ.size() == g.XX.size() * static_cast<size_t>(g.Nz));
  }
  TCModelImpex exporter(dir.File("out.txt"), dir.Dir(), 'E');
  Check(exporter.ExportVFT(size % 2 == 0));
  Check(exporter.ExportDAT(false));
  return 0;
}
