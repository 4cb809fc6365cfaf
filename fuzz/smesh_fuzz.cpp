// Fuzz target for the sheared-mesh reader: bytes read as a mesh, built into a model, given back
// as a mesh and read again.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "fuzz/fuzz_support.h"
#include "formats/smesh.h"

namespace {

constexpr size_t kMaxInput = 1 << 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  SmeshMesh mesh;
  if (!ReadSmesh(in, mesh).empty()) return 0;
  FuzzCheck(mesh.V.size() == mesh.X.size() * mesh.Offsets.size());
  BCEQuasiGrid model;
  bool lost = false;
  if (!SmeshToModel(mesh, 1, model, lost).empty()) return 0;
  FuzzCheck(model.ZZ.size() == static_cast<size_t>(model.GetNx()) * static_cast<size_t>(model.Nz));
  SmeshMesh back;
  if (!ModelToSmesh(model, mesh.VWater, mesh.VAir, back).empty()) return 0;
  std::ostringstream out;
  WriteSmesh(back, out);
  std::istringstream again(out.str());
  SmeshMesh reread;
  // What the writer writes, the reader reads (unless float rounding made offsets collapse).
  const std::string why = ReadSmesh(again, reread);
  FuzzCheck(why.empty() || why.find("is not above") != std::string::npos);
  return 0;
}
