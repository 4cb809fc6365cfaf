// Fuzz target for the horizon string and horizon file readers and the text utilities they use.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "horizons/horizons.h"
#include "platform/strings.h"
#include "platform/textfile.h"

namespace {

constexpr size_t kMaxInput = 1 << 16;

// A parsed record must survive its own text form unchanged.
void FuzzRecord(const std::string& text) {
  BCHor hor;
  if (!hor.SetFromString(text)) return;
  BCHor again;
  FuzzCheck(again.SetFromString(hor.GetAsString()));
  FuzzCheck(again.GetAsString() == hor.GetAsString());
  hor.GetWaveID();
  hor.StatusAsString();
}

// Loading gives a sorted list, or an empty one and the number of an existing line.
void FuzzList(const std::string& text) {
  std::istringstream in(text);
  HorVect list;
  int bad = list.LoadFromStream(in);
  std::istringstream count(text);
  BCStringList lines;
  lines.LoadFromStream(count, true);
  FuzzCheck(bad >= 0 && bad <= lines.GetCount());
  FuzzCheck(bad == 0 || list.empty());
  for (size_t i = 1; i < list.size(); ++i) FuzzCheck(!(list[i] < list[i - 1]));
  if (list.empty()) return;
  int ih = list.front().IH;
  int id = list.back().ID;  // 16-bit, so id +- 1 cannot overflow
  list.CanAdd(ih == INT_MAX ? ih : ih + 1, id + 1);
  list.CanAppendList(ih == INT_MIN ? ih : ih - 1, id - 1);
  list.IsBandEmpty(ih, list.back().IH, bad == 0);
  list.IndexOf(ih, 0);
  list.IndexOfId(id, -1);
}

void FuzzNumbers(const std::string& text) {
  std::vector<std::string> tokens;
  S_StrToStrArray(text, " ,\t", tokens);
  for (const std::string& token : tokens) {
    FuzzCheck(!token.empty() && token.find_first_of(" ,\t") == std::string::npos);
  }
  tokens.push_back(text);
  tokens.push_back(S_After(text, '='));
  for (const std::string& token : tokens) {
    int i = 0;
    if (StrToIntChecked(token, i)) {
      int back = 0;
      FuzzCheck(StrToIntChecked(IntToStr(i), back) && back == i);
    }
    float f = 0;
    if (StrToFloatChecked(Trim(token), f)) FuzzCheck(f - f == 0.0f);  // finite
  }
}

// A format the checker admits must be safe to hand one double.
void FuzzFormat(const std::string& text) {
  if (text.find('\0') != std::string::npos) return;
  int conversions = CountFloatConversions(text);
  if (conversions == 0 || conversions == 1) FormatStr(text.c_str(), 1234.5678);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  std::string text(reinterpret_cast<const char*>(data), size);
  FuzzRecord(text);
  FuzzList(text);
  FuzzNumbers(text);
  FuzzFormat(text);
  return 0;
}
