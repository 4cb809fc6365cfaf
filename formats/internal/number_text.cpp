// Number text of the writers: short where the float allows it, exact always.
#include "formats/internal/number_text.h"

#include <cstdlib>

#include "platform/strings.h"

AnsiString NumberText(float value) {
  AnsiString text;
  for (int digits = 6; digits <= 9; ++digits) {
    text = FormatStr("%.*g", digits, static_cast<double>(value));
    if (std::strtof(text.c_str(), nullptr) == value) break;
  }
  return text;
}
