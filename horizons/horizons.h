// Horizons: refracting boundaries tied to H-lines, their ordered list and the horizon file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <vector>

#include "platform/runtime.h"

// Longest line a horizon file may hold, in bytes. A horizon string is five 32-bit integers and
// four commas, so any longer line is refused unread, and a huge line costs no memory.
inline constexpr size_t kHorizonLineLimit = 4096;

// One horizon. Ordered and compared by IH alone.
struct BCHor {
  int IH;          // H-line index (0 = top); the sort key and identity
  int16_t ID;      // identifier, unique within a list
  int16_t Width;   // display attribute for the host
  int Color;       // display attribute for the host
  int16_t Status;  // origin: 0 grid H-line, 1..999 inverted from wave Status, >= 1000 implanted

  BCHor() : IH(1), ID(1), Width(3), Color(4210816), Status(0) {}
  bool operator<(const BCHor& other) const { return IH < other.IH; }
  bool operator==(const BCHor& other) const { return IH == other.IH; }
  bool operator!=(const BCHor& other) const { return IH != other.IH; }

  int GetWaveID();
  // "IH,ID,Width,Color,Status"
  AnsiString GetAsString() const;
  // Stores the fields one after the other; a failure leaves the earlier ones replaced.
  bool SetFromString(const AnsiString& text);
  AnsiString StatusAsString();
};

// The model's horizons in ascending IH.
class HorVect : public std::vector<BCHor> {
 public:
  // Add codes: 0 may add, 1 H-line taken, 2 ID taken, 3 ID breaks the order.
  int CanAdd(int ih, int id);
  int CanAppendList(int ih, int id);
  void Add(BCHor& hor);
  void Delete(int index);
  void Sort();
  int IndexOf(int ih, int except);
  int IndexOfId(int id, int except);
  bool IsBandEmpty(int ih1, int ih2, bool withFirst);
  // 0, or the 1-based number of the first line that is not a horizon string (a line longer than
  // kHorizonLineLimit is none). A file that cannot be read loads as an empty list.
  int Load(const AnsiString& fileName);
  // Load from the lines of a stream, as Load does from the lines of a file.
  int LoadFromStream(std::istream& in);
  void Save(const AnsiString& fileName);
  static AnsiString GetAddErrorStr(int code, int ih, int id);
};
