// The check of a model table file: every record read as stored, then the grid the loader would
// rebuild from it, with each problem tied to its record.
#include "storage/model_check.h"

#include <cmath>
#include <filesystem>
#include <new>

#include "platform/environment.h"
#include "platform/progress.h"
#include "platform/strings.h"
#include "platform/table.h"
#include "platform/table_scan.h"
#include "storage/internal/problem_list.h"
#include "storage/modelfiler.h"

namespace {

// Kinds of problem, each capped on its own.
enum ProblemKind : int {
  kNoNumber,
  kNotFinite,
  kNegativeVelocity,
  kXOrder,
  kMerge,
  kVLineLength,
  kZOrder,
};

// The fields that a load of the grid with its fixed cells reads; a fault in any other field
// leaves the load as it is.
bool LoadReads(int pos) {
  return pos == mfX || pos == mfZ || pos == mfV || pos == mfFix;
}

const char* KindText(StoredKind kind) {
  switch (kind) {
    case StoredKind::kNull:
      return "NULL";
    case StoredKind::kText:
      return "text";
    default:
      return "a blob";
  }
}

// X and Z of every record as the loader gets them, kept for the grid checks; a column that
// holds anything but finite numbers is not checked as a grid.
struct GridColumns {
  std::vector<float> x;
  std::vector<float> z;
  bool xUsable = true;
  bool zUsable = true;
};

void CheckRecord(const StoredRecord& r, int record, ProblemList& out, GridColumns& grid) {
  for (int pos = 0; pos < kTableFieldCount; ++pos) {
    const char* name = kModelColumns[static_cast<size_t>(pos)];
    const StoredKind kind = r.kind[static_cast<size_t>(pos)];
    const double value = r.value[static_cast<size_t>(pos)];
    const auto f = static_cast<float>(value);  // as the loader converts it
    bool usable = true;
    if (kind != StoredKind::kNumber) {
      out.Add(kNoNumber, record, !LoadReads(pos),
              FormatStr("field %s is %s, a number was expected", name, KindText(kind)));
      usable = false;
    } else if (!std::isfinite(f)) {
      out.Add(kNotFinite, record, !LoadReads(pos),
              FormatStr(std::isfinite(value) ? "field %s is %s, beyond the float range"
                                             : "field %s is %s, a finite number was expected",
                        name, DoubleText(value).c_str()));
      usable = false;
    } else if ((pos == mfV || pos == mfV2) && f < 0) {
      out.Add(kNegativeVelocity, record, true,
              FormatStr("field %s is %s, a velocity of 0 or more was expected", name,
                        FloatText(f).c_str()));
    }
    if (pos == mfX) grid.xUsable = grid.xUsable && usable;
    if (pos == mfZ) grid.zUsable = grid.zUsable && usable;
  }
  grid.x.push_back(static_cast<float>(r.value[mfX]));
  grid.z.push_back(static_cast<float>(r.value[mfZ]));
}

// Where the loader starts its V-lines (record indexes): where X moves by more than the X
// resolution of the first and last X. A V-line that does not lie right of the one before
// refuses the load; a smaller move puts a record on the V-line before it.
std::vector<size_t> FindVLines(const std::vector<float>& x, ProblemList& out) {
  const float xres = G2_GetCompResolution(x.front(), x.back());
  std::vector<size_t> starts{0};
  for (size_t i = 1; i < x.size(); ++i) {
    const float move = std::fabs(x[i] - x[i - 1]);
    const int record = static_cast<int>(i) + 1;
    if (move > xres) {
      const size_t before = starts.back();
      if (!(x[i] > x[before])) {
        out.Add(kXOrder, record, false,
                FormatStr("X %s is %s X %s of record %zu, where the V-line before begins",
                          FloatText(x[i]).c_str(), x[i] < x[before] ? "below" : "not above",
                          FloatText(x[before]).c_str(), before + 1));
      }
      starts.push_back(i);
    } else if (move != 0) {
      out.Add(kMerge, record, true,
              FormatStr("X %s lies %s from X %s of record %d, within the X resolution %s: the "
                        "loader puts both on one V-line",
                        FloatText(x[i]).c_str(), FloatText(move).c_str(),
                        FloatText(x[i - 1]).c_str(), record - 1, FloatText(xres).c_str()));
    }
  }
  return starts;
}

// Whether n records make nx V-lines of at least 2 nodes each, as the loader requires.
bool CheckNodeCount(size_t n, size_t nx, ProblemList& out) {
  if (nx < 2) {
    out.Add(kVLineLength, 0, false,
            FormatStr("all %zu records lie on one V-line, at least 2 V-lines are needed", n));
    return false;
  }
  if (n % nx != 0 || n / nx < 2) {
    out.Add(kVLineLength, 0, false,
            FormatStr("%zu records on %zu V-lines do not make an equal number of at least 2 "
                      "nodes on each",
                      n, nx));
    return false;
  }
  return true;
}

// V-lines of another length than n / nx: the loader then gives the following nodes to the
// wrong V-lines. True when every V-line has its nz records.
bool CheckVLineLengths(const std::vector<size_t>& starts, size_t n, size_t nz,
                       const std::vector<float>& x, ProblemList& out) {
  bool even = true;
  for (size_t c = 0; c < starts.size(); ++c) {
    const size_t end = c + 1 < starts.size() ? starts[c + 1] : n;
    if (end - starts[c] == nz) continue;
    even = false;
    out.Add(kVLineLength, static_cast<int>(starts[c]) + 1, true,
            FormatStr("V-line %zu at X %s has %zu records, %zu were expected on every V-line: "
                      "the loader gives its nodes to other V-lines",
                      c + 1, FloatText(x[starts[c]]).c_str(), end - starts[c], nz));
  }
  return even;
}

// Elevations ascend from the bottom node of each V-line (record izrel 0) to its top.
void CheckElevations(const std::vector<float>& z, size_t nz, ProblemList& out) {
  for (size_t i = 1; i < z.size(); ++i) {
    if (i % nz == 0 || z[i] > z[i - 1]) continue;
    out.Add(kZOrder, static_cast<int>(i) + 1, true,
            FormatStr("Z %s is not above Z %s of record %zu below it on V-line %zu",
                      FloatText(z[i]).c_str(), FloatText(z[i - 1]).c_str(), i, i / nz + 1));
  }
}

void CheckGrid(const GridColumns& grid, ProblemList& out) {
  if (!grid.xUsable || grid.x.empty()) return;
  const size_t n = grid.x.size();
  const std::vector<size_t> starts = FindVLines(grid.x, out);
  if (!CheckNodeCount(n, starts.size(), out)) return;
  const size_t nz = n / starts.size();
  if (CheckVLineLengths(starts, n, nz, grid.x, out) && grid.zUsable) {
    CheckElevations(grid.z, nz, out);
  }
}

// The store's reason without the path in front, which the caller knows.
AnsiString StoreReason(const EDBEngineError& e, const AnsiString& path) {
  const AnsiString text = e.what();
  return text.rfind(path + ": ", 0) == 0 ? text.substr(path.size() + 2) : text;
}

void CheckTable(const AnsiString& tablePath, ProblemList& out) {
  TableScan scan(tablePath);
  const int64_t count = scan.RecordCount();
  if (count == 0) {
    out.Add(kVLineLength, 0, false, "the table holds no records");
    return;
  }
  if (count >= kModelTableRecordLimit) {
    out.Add(kVLineLength, 0, false,
            FormatStr("the table holds %lld records, a model table holds at most %d",
                      static_cast<long long>(count), kModelTableRecordLimit - 1));
    return;
  }
  GridColumns grid;
  grid.x.reserve(static_cast<size_t>(count));
  grid.z.reserve(static_cast<size_t>(count));
  StoredRecord record;
  ProgressWalk progress("checking the table", count);
  // The count was taken before the walk; a walk never reads past the limit.
  for (int k = 1; k < kModelTableRecordLimit && scan.Next(record); ++k) {
    CheckRecord(record, k, out, grid);
    progress.Step();
  }
  CheckGrid(grid, out);
}

}  // namespace

std::vector<ModelProblem> CheckModelTable(const AnsiString& tablePath) {
  std::error_code error;
  const auto status = std::filesystem::status(tablePath, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    return {{0, false, "no such file: a load would copy the empty template table and refuse it"}};
  }
  if (status.type() == std::filesystem::file_type::directory) {
    return {{0, false, "a folder, not a table file"}};
  }
  ProblemList out;
  try {
    CheckTable(tablePath, out);
  } catch (const EDBEngineError& e) {
    out = ProblemList();
    out.Add(kNoNumber, 0, false, StoreReason(e, tablePath));
  } catch (const std::bad_alloc&) {
    out = ProblemList();
    out.Add(kNoNumber, 0, false, "not enough memory to check the table");
  }
  return out.Take();
}
