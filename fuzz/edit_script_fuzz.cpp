// Fuzz target for edit scripts: any bytes read as a script without a crash, and every edit the
// script holds applied to a small model with horizons. An edit either keeps the model's rules
// (array sizes, ascending lines, horizons on H-lines, selection marks) or is refused with the
// model exactly as it was.

#include <cstdint>
#include <fstream>
#include <new>
#include <string>

#include "cli/edit_script.h"
#include "cli/errors.h"
#include "editing/structure_checks.h"
#include "fuzz/fuzz_support.h"
#include "support/hand_model.h"

namespace {

constexpr size_t kMaxInput = 1 << 12;
// Edits stop once the model is this large: the rules are the same, and runs stay quick.
constexpr int64_t kMaxNodes = 200000;

BCEQuasiGrid StartModel() {
  BCEQuasiGrid g;
  TIniModel m{BCFRect(0, 0, 100, -50), 8, 7, 500, 900, 2500, 3000, true};
  g.Init(m);
  g.XRes = g.ZRes = 0.001f;
  for (const int ih : {2, 4}) {
    BCHor h;
    h.IH = ih;
    h.ID = static_cast<int16_t>(ih);
    g.Hors.Add(h);
  }
  return g;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  const std::string file = FuzzScratch().File("edits.txt");
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  EditScript script;
  try {
    script = ReadEditScript(file);
  } catch (const UsageError&) {
    return 0;
  } catch (const CommandError&) {
    return 0;
  }
  BCEQuasiGrid g = StartModel();
  for (const EditLine& edit : script.Edits) {
    if (int64_t{g.GetNx()} * g.Nz > kMaxNodes) break;
    const BCEQuasiGrid before = g;
    try {
      ApplyEdit(g, edit);
    } catch (const EditRefused&) {
      FuzzCheck(SameModel(g, before));
      continue;
    }
    FuzzCheck(BrokenRule(g).empty());
  }
  return 0;
}
