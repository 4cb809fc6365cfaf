// Fuzz target for the velocity-column reader: any bytes read as blocks without a crash; every
// block read is a valid profile, and written again with an exact format it reads back the same.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "storage/vcimpex.h"

namespace {

constexpr size_t kMaxInput = 1 << 16;

void Write(const std::string& file, const uint8_t* data, size_t size) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// A block read must be a profile: points, elevations strictly descending, velocities above 0.
void CheckProfile(const std::vector<float>& z, const std::vector<float>& v) {
  FuzzCheck(!z.empty() && z.size() == v.size());
  for (size_t i = 0; i < z.size(); ++i) {
    FuzzCheck(v[i] > 0);
    if (i > 0) FuzzCheck(z[i] < z[i - 1]);
  }
}

// Writes the block with nine significant digits, which give every float back, and reads it.
void CheckRoundTrip(float x, const std::vector<float>& z, const std::vector<float>& v) {
  const std::string file = FuzzScratch().File("again.txt");
  std::filesystem::remove(file);
  {
    VCFiler writer(file, vcoWrite);
    FuzzCheck(writer.Opened());
    writer.NumFormat = "%.9g";
    FuzzCheck(writer.AppendCol(x, z, v));
  }
  VCFiler reader(file, vcoRead);
  VCReadPosition pos = vrpStart;
  float x2 = 0;
  std::vector<float> z2, v2;
  FuzzCheck(reader.ReadNextCol(x2, z2, v2, pos) == vcrOk);
  FuzzCheck(x2 == x && z2 == z && v2 == v && pos == vrpEnd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  const std::string file = FuzzScratch().File("in.txt");
  Write(file, data, size);
  VCFiler filer(file, vcoRead);
  FuzzCheck(filer.Opened());
  VCReadPosition pos = vrpStart;
  float x = 0;
  std::vector<float> z, v;
  int lastLine = 0;
  // Every call reads at least one line, so the walk ends.
  for (int block = 0; pos != vrpEnd; ++block) {
    const int result = filer.ReadNextCol(x, z, v, pos);
    FuzzCheck(result >= vcrOk && result <= vcrVelocity);
    FuzzCheck(filer.LineNo > lastLine || (block > 0 && filer.LineNo == lastLine));
    lastLine = filer.LineNo;
    if (result != vcrOk) break;
    CheckProfile(z, v);
    if (block == 0) CheckRoundTrip(x, z, v);
  }
  return 0;
}
