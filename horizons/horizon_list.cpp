// The horizon list: admission rules for new horizons, search, band test and the horizon file.
#include "horizons/horizons.h"

#include <algorithm>
#include <fstream>
#include <istream>

#include "platform/files.h"
#include "platform/strings.h"
#include "platform/textfile.h"

namespace {

// Add codes.
constexpr int kMayAdd = 0;
constexpr int kBreaksOrder = 3;

// Ordering rule of the admission test, over the first count horizons: the new ID must lie
// strictly between the IDs of the horizons that would become its neighbours in IH order.
int CheckIdOrder(const HorVect& list, size_t count, int ih, int id) {
  BCHor key;
  key.IH = ih;
  auto first = list.begin();
  auto last = first + static_cast<std::ptrdiff_t>(count);
  size_t p = static_cast<size_t>(std::lower_bound(first, last, key) - first);
  bool aboveBefore = p == 0 || id > list[p - 1].ID;
  bool belowAt = p == count || id < list[p].ID;
  return aboveBefore && belowAt ? kMayAdd : kBreaksOrder;
}

// Parses the lines of a stream into list, one at a time and each of bounded length; 0, or the
// 1-based number of the first line that does not parse (the list is then empty).
int ParseLines(HorVect& list, std::istream& in) {
  BCHor scratch;  // one record for every line; only fully parsed lines are appended
  AnsiString line;
  for (int number = 1;; ++number) {
    const LineRead read = S_ReadLnLimited(in, line, kHorizonLineLimit);
    if (read == LineRead::kEnd) break;
    if (read == LineRead::kTooLong || !scratch.SetFromString(line)) {
      list.clear();
      return number;
    }
    list.push_back(scratch);
  }
  list.Sort();
  return 0;
}

}  // namespace

int HorVect::CanAdd(int ih, int id) {
  if (empty()) return kMayAdd;
  if (IndexOf(ih, -1) >= 0) return 1;
  if (IndexOfId(id, -1) >= 0) return 2;
  return CheckIdOrder(*this, size(), ih, id);
}

int HorVect::CanAppendList(int ih, int id) {
  if (size() < 2) return kMayAdd;
  if (IndexOf(ih, -1) >= 0) return 1;
  if (IndexOfId(id, -1) >= 0) return 2;
  // The last horizon is the one being placed, so the order is checked against the others.
  return CheckIdOrder(*this, size() - 1, ih, id);
}

void HorVect::Add(BCHor& hor) {
  if (CanAdd(hor.IH, hor.ID) != kMayAdd) return;
  push_back(hor);
  Sort();
}

void HorVect::Delete(int index) {
  if (index < 0 || static_cast<size_t>(index) >= size()) return;
  erase(begin() + index);
}

void HorVect::Sort() {
  std::stable_sort(begin(), end());
}

int HorVect::IndexOf(int ih, int except) {
  for (size_t i = 0; i < size(); ++i) {
    // Only the first match counts, even when it is the excepted one.
    if ((*this)[i].IH == ih) return static_cast<int>(i) == except ? -1 : static_cast<int>(i);
  }
  return -1;
}

int HorVect::IndexOfId(int id, int except) {
  for (size_t i = 0; i < size(); ++i) {
    if (static_cast<int>(i) != except && (*this)[i].ID == id) return static_cast<int>(i);
  }
  return -1;
}

bool HorVect::IsBandEmpty(int ih1, int ih2, bool withFirst) {
  if (ih1 == ih2 && !withFirst) return true;
  // The band is ih1..ih2 with ih1 included only when withFirst is true; ih2 is always in it.
  return std::none_of(begin(), end(), [&](const BCHor& h) {
    bool aboveFirst = withFirst ? h.IH >= ih1 : h.IH > ih1;
    return aboveFirst && h.IH <= ih2;
  });
}

int HorVect::Load(const AnsiString& fileName) {
  clear();
  std::ifstream in(fileName, std::ios::binary);
  if (!in.is_open()) return 0;
  const int bad = ParseLines(*this, in);
  // A file that cannot be read to its end loads as no horizons, whatever its first lines held.
  if (in.bad()) {
    clear();
    return 0;
  }
  return bad;
}

int HorVect::LoadFromStream(std::istream& in) {
  clear();
  return ParseLines(*this, in);
}

void HorVect::Save(const AnsiString& fileName) {
  // A list without horizons is stored as the absence of the file.
  if (empty()) {
    if (FileExists(fileName)) DeleteFileAt(fileName);
    return;
  }
  BCStringList lines;
  for (const BCHor& hor : *this) lines.Add(hor.GetAsString());
  lines.SaveToFile(fileName, false);
}

AnsiString HorVect::GetAddErrorStr(int code, int ih, int id) {
  switch (code) {
    case 1:
      return FormatStr("H-Line %d is already associated with another horizon.", ih);
    case 2:
      return FormatStr("ID = %d is already used for another horizon.", id);
    case 3:
      return FormatStr(
          "H-Line %d cannot be a horizon with ID = %d, because it would break horizon list "
          "ordering.",
          ih, id);
    default:
      return AnsiString();
  }
}
