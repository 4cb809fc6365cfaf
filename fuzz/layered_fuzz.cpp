// Fuzz target for the layered-model reader: bytes read as records and built into a model, whose
// V-lines and H-lines must ascend.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "fuzz/fuzz_support.h"
#include "formats/layered.h"

namespace {

constexpr size_t kMaxInput = 1 << 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  LayeredModel layered;
  if (!ReadLayeredModel(in, layered).empty()) return 0;
  FuzzCheck(layered.Records.size() % 3 == 1);
  LayeredOptions options;
  options.RowsPerLayer = 2;
  BCEQuasiGrid model;
  int pinched = 0;
  if (!LayeredToModel(layered, options, model, pinched).empty()) return 0;
  const int nx = model.GetNx();
  for (int c = 0; c < nx; ++c) {
    if (c > 0) FuzzCheck(model.XX[static_cast<size_t>(c)] > model.XX[static_cast<size_t>(c) - 1]);
    for (int r = 1; r < model.Nz; ++r) {
      FuzzCheck(model.ZZ[static_cast<size_t>(model.NodeIndex(c, r))] >
                model.ZZ[static_cast<size_t>(model.NodeIndex(c, r - 1))]);
    }
  }
  FuzzCheck(static_cast<int>(model.Hors.size()) == layered.Layers());
  return 0;
}
