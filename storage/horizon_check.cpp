// The check of a horizon file against a model of nz H-lines: each line as the loader parses it,
// the loader's ranges, and the rules of the horizon list that the loader does not apply.
#include "storage/model_check.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <new>

#include "horizons/horizons.h"
#include "platform/strings.h"
#include "platform/textfile.h"
#include "storage/internal/problem_list.h"

namespace {

enum ProblemKind : int { kNotHorizon, kOutOfGrid, kSharedLine, kSharedId, kOrder };

// Longest piece of a bad line quoted in its problem.
constexpr size_t kQuoteLength = 40;

// A parsed horizon and the line it came from.
struct LineHorizon {
  BCHor hor;
  int line;
};

AnsiString Quote(const AnsiString& line) {
  return line.size() <= kQuoteLength ? "\"" + line + "\""
                                     : "\"" + line.substr(0, kQuoteLength) + "...\"";
}

// The first field outside the ranges the loader accepts, or empty text.
AnsiString RangeProblem(const BCHor& h, int nz) {
  if (h.IH < 1 || h.IH > nz - 1) {
    return FormatStr("H-line index %d is outside 1..%d of this grid", h.IH, nz - 1);
  }
  if (h.ID < 1 || h.ID > 99) return FormatStr("ID %d is outside 1..99", h.ID);
  if (h.Width > 20) return FormatStr("width %d is above 20", h.Width);
  if (h.Color < 0) return FormatStr("colour %d is negative", h.Color);
  if (h.Status < 0) return FormatStr("status %d is negative", h.Status);
  return {};
}

// Reads every line, reporting those the loader refuses; the parsed horizons are kept for the
// list rules. False when the file could not be read to its end.
bool ReadLines(std::istream& in, int nz, ProblemList& out, std::vector<LineHorizon>& horizons) {
  AnsiString line;
  for (int number = 1;; ++number) {
    const LineRead read = S_ReadLnLimited(in, line, kHorizonLineLimit);
    if (read == LineRead::kEnd) break;
    BCHor hor;
    if (read == LineRead::kTooLong) {
      out.Add(kNotHorizon, number, false,
              FormatStr("line longer than %zu bytes, a horizon string IH,ID,Width,Color,Status "
                        "was expected",
                        kHorizonLineLimit));
    } else if (!hor.SetFromString(line)) {
      out.Add(kNotHorizon, number, false,
              Quote(line) + " is not a horizon string IH,ID,Width,Color,Status");
    } else if (const AnsiString range = RangeProblem(hor, nz); !range.empty()) {
      out.Add(kOutOfGrid, number, false, range);
    } else {
      horizons.push_back({hor, number});
    }
  }
  return !in.bad();
}

// Rules the loader does not apply: one horizon per H-line and per identifier, lines in ascending
// H-line order, identifiers ascending with the H-lines. Such a file loads, but not as written.
void CheckListRules(const std::vector<LineHorizon>& horizons, ProblemList& out) {
  std::map<int, int> lineOfIh;
  std::map<int, int> lineOfId;
  for (size_t k = 0; k < horizons.size(); ++k) {
    const auto& [h, line] = horizons[k];
    if (const auto [at, fresh] = lineOfIh.emplace(h.IH, line); !fresh) {
      out.Add(kSharedLine, line, true,
              FormatStr("H-line %d carries the horizon of line %d already", h.IH, at->second));
    }
    if (const auto [at, fresh] = lineOfId.emplace(h.ID, line); !fresh) {
      out.Add(kSharedId, line, true,
              FormatStr("ID %d belongs to the horizon of line %d already", h.ID, at->second));
    }
    if (k > 0 && h.IH < horizons[k - 1].hor.IH) {
      out.Add(kOrder, line, true,
              FormatStr("H-line %d follows H-line %d of line %d, the lines go in ascending H-line "
                        "order",
                        h.IH, horizons[k - 1].hor.IH, horizons[k - 1].line));
    }
  }
  // Identifiers ascend from the top H-line down, in the order the loader sorts the list into.
  std::vector<LineHorizon> sorted = horizons;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const LineHorizon& a, const LineHorizon& b) { return a.hor < b.hor; });
  for (size_t k = 1; k < sorted.size(); ++k) {
    const BCHor& above = sorted[k - 1].hor;
    const BCHor& below = sorted[k].hor;
    if (below.IH == above.IH || below.ID == above.ID || below.ID > above.ID) continue;
    out.Add(kOrder, sorted[k].line, true,
            FormatStr("ID %d on H-line %d is below ID %d on H-line %d above it, identifiers "
                      "ascend downwards",
                      below.ID, below.IH, above.ID, above.IH));
  }
}

}  // namespace

std::vector<ModelProblem> CheckHorizonFile(const AnsiString& fileName, int nz) {
  std::error_code error;
  const auto status = std::filesystem::status(fileName, error);
  if (status.type() == std::filesystem::file_type::not_found) return {};
  if (status.type() == std::filesystem::file_type::directory) {
    return {{0, false, "a folder, not a horizon file"}};
  }
  ProblemList out;
  try {
    std::ifstream in(fileName, std::ios::binary);
    if (!in.is_open()) {
      return {{0, false, AnsiString("cannot read the file: ") + std::strerror(errno)}};
    }
    std::vector<LineHorizon> horizons;
    if (!ReadLines(in, nz, out, horizons)) {
      return {{0, false, "the file cannot be read to its end"}};
    }
    CheckListRules(horizons, out);
  } catch (const std::bad_alloc&) {
    return {{0, false, "not enough memory to check the file"}};
  }
  return out.Take();
}
