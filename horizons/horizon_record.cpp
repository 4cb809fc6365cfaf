// The horizon record: origin code, and its one-line text form used by the horizon file.
#include "horizons/horizons.h"

#include <vector>

#include "platform/strings.h"

namespace {

constexpr int kImplantedStatus = 1000;  // Status from here on: implanted as a generating wave

// The low 16 bits of value, two's complement, as the 16-bit fields keep them.
int16_t Low16(int value) {
  return static_cast<int16_t>(value);
}

}  // namespace

int BCHor::GetWaveID() {
  // Truncating remainder, so a negative Status keeps its sign.
  return Status == 0 ? 0 : Status % kImplantedStatus;
}

AnsiString BCHor::GetAsString() const {
  return FormatStr("%d,%d,%d,%d,%d", IH, ID, Width, Color, Status);
}

bool BCHor::SetFromString(const AnsiString& text) {
  std::vector<AnsiString> fields;
  S_StrToStrArray(text, ",", fields);
  if (fields.size() < 5) return false;
  // Each field is stored as soon as it converts: a failure leaves the earlier ones replaced.
  int value = 0;
  if (!StrToIntChecked(fields[0], value)) return false;
  IH = value;
  if (!StrToIntChecked(fields[1], value)) return false;
  ID = Low16(value);
  if (!StrToIntChecked(fields[2], value)) return false;
  Width = Low16(value);
  if (!StrToIntChecked(fields[3], value)) return false;
  Color = value;
  if (!StrToIntChecked(fields[4], value)) return false;
  Status = Low16(value);
  return true;
}

AnsiString BCHor::StatusAsString() {
  if (Status == 0) return "Defined as grid h-line";
  if (Status < kImplantedStatus) {
    return FormatStr("Built by inversion of TX-curves of wave %d", Status);
  }
  return FormatStr("Implanted as generating wave %d", Status - kImplantedStatus);
}
