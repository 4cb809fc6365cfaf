// Fuzz target: any bytes in place of a table file are refused or walked, never crash the store.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/table.h"

namespace {

constexpr size_t kMaxInput = 1 << 20;

const std::filesystem::path& Dir() {
  static const std::filesystem::path path = FuzzScratch().Path();
  return path;
}

// Walks every record, reading each field both ways, then appends one and abandons it.
void Exercise(TTable& table) {
  table.Open();
  double sum = table.RecordCount();
  for (table.First(); !table.Eof(); table.Next())
    for (int pos = 0; pos < kTableFieldCount; ++pos)
      sum +=
          table.GetField(pos)->GetAsFloat() + static_cast<float>(table.GetField(pos)->GetValue());
  table.Last();
  table.Append();
  table.GetField(1)->SetAsFloat(sum);
  table.Post();
  table.CancelUpdates();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  std::filesystem::remove(Dir() / "model.db-journal");
  {
    std::ofstream out(Dir() / "model.db", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  TTable table;
  table.SetDatabaseName(Dir().string());
  table.SetTableName("model.db");
  try {
    Exercise(table);
  } catch (const EDBEngineError&) {
    // Refusing a file is the expected answer to most inputs.
  }
  return 0;
}
