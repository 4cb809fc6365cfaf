// Tests of the checks of model tables damaged through SQLite and of horizon files.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "storage/model_check.h"
#include "support/hand_grid.h"
#include "support/model_tables.h"

namespace {

// A 3 x 4 grid saved through the model: X 0, 10, 20; Z -30..0 on every V-line; V 1500.
void SaveGrid(const TableDirs& dirs) {
  std::filesystem::remove_all(dirs.table);  // a table damaged beyond saving over
  BCQuasiGrid g = HandGrid({0, 10, 20}, {-30, -20, -10, 0}, 1500);
  ASSERT_TRUE(g.SaveModelDb(dirs.db.Path(), false, 3));
}

void Sql(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
  sqlite3_close(db);
}

// Each problem as "<where>! <text>" for one that refuses the load, "<where>+ <text>" for one
// that only warns.
std::vector<std::string> Found(const std::vector<ModelProblem>& problems) {
  std::vector<std::string> found;
  for (const ModelProblem& p : problems)
    found.push_back(std::to_string(p.Where) + (p.Loads ? "+ " : "! ") + p.Text);
  return found;
}

// True when every problem found begins with the expected text in its place.
bool Begin(const std::vector<std::string>& found, const std::vector<std::string>& expected) {
  return found.size() == expected.size() &&
         std::equal(found.begin(), found.end(), expected.begin(),
                    [](const std::string& f, const std::string& e) { return f.starts_with(e); });
}

// Each damage is made on a fresh save of the grid; the check must list exactly its problems
// and leave the file alone, and the loader must refuse exactly when one of them says so.
TEST(CheckModelTable, FindsEachDamageAtItsRecord) {
  const struct {
    const char* sql;
    std::vector<std::string> problems;
  } cases[] = {
      {"", {}},
      {"UPDATE model SET Z = NULL WHERE rowid = 3", {"3! field Z is NULL, a number was expected"}},
      {"UPDATE model SET V = 'abc' WHERE rowid = 5; UPDATE model SET X = x'01' WHERE rowid = 6",
       {"5! field V is text", "6! field X is a blob"}},
      // Fields the load does not read only warn; a velocity below 0 loads.
      {"UPDATE model SET RayCov = NULL, V2 = -1 WHERE rowid = 2; UPDATE model SET V = -5 WHERE "
       "rowid = 7",
       {"2+ field RayCov is NULL", "2+ field V2 is -1, a velocity of 0 or more was expected",
        "7+ field V is -5"}},
      {"UPDATE model SET Fix = 1e300 WHERE rowid = 1; UPDATE model SET Z = -9e999 WHERE rowid = 2",
       {"1! field Fix is 1e+300, beyond the float range",
        "2! field Z is -inf, a finite number was expected"}},
      // A record of V-line 2 moved left of V-line 1: the loader sees V-lines out of order.
      {"UPDATE model SET X = 5 WHERE rowid = 7",
       {"0! 12 records on 5 V-lines do not make an equal number of at least 2 nodes on each",
        "7! X 5 is below X 10 of record 5, where the V-line before begins"}},
      // Within the X resolution (0.0002) of 0..20 the record joins its V-line; one node short.
      {"UPDATE model SET X = 10.0001 WHERE rowid = 6; DELETE FROM model WHERE rowid = 12",
       {"0! 11 records on 3 V-lines",
        "6+ X 10.0001 lies 0.0001001358 from X 10 of record 5, within the X resolution 0.0002: "
        "the loader puts both on one V-line",
        "7+ X 10 lies 0.0001001358 from X 10.0001 of record 6"}},
      // A node moved from V-line 1 to V-line 2 keeps 12 records: it loads, on the wrong lines.
      {"UPDATE model SET X = 20 WHERE rowid = 8",
       {"5+ V-line 2 at X 10 has 3 records, 4 were expected on every V-line: the loader gives "
        "its nodes to other V-lines",
        "8+ V-line 3 at X 20 has 5 records"}},
      {"UPDATE model SET Z = -25 WHERE rowid = 7",
       {"7+ Z -25 is not above Z -20 of record 6 below it on V-line 2"}},
      {"UPDATE model SET X = 0",
       {"0! all 12 records lie on one V-line, at least 2 V-lines are needed"}},
      {"DELETE FROM model", {"0! the table holds no records"}},
      {"ALTER TABLE model ADD COLUMN Extra REAL",
       {"0! not a model table: table model does not have the columns"}},
  };
  TableDirs dirs;
  for (const auto& c : cases) {
    SaveGrid(dirs);
    Sql(dirs.table, c.sql);
    const auto before = std::filesystem::last_write_time(dirs.table);
    const std::vector<ModelProblem> problems = CheckModelTable(dirs.table);
    EXPECT_TRUE(Begin(Found(problems), c.problems)) << c.sql << "\n"
                                                    << ::testing::PrintToString(Found(problems));
    EXPECT_EQ(std::filesystem::last_write_time(dirs.table), before) << c.sql;
    const bool refused = std::any_of(problems.begin(), problems.end(),
                                     [](const ModelProblem& p) { return !p.Loads; });
    BCQuasiGrid g;
    EXPECT_EQ(g.LoadModelDb(dirs.db.Path(), false, 5, false), !refused) << c.sql;
  }
}

// Files that are no table: missing (and not made), a folder, random bytes; the record limit;
// and a damage in every record is listed 100 times.
TEST(CheckModelTable, RefusesFilesThatAreNoTable) {
  TableDirs dirs;
  EXPECT_TRUE(Begin(Found(CheckModelTable(dirs.table)),
                    {"0! no such file: a load would copy the empty template table and refuse it"}));
  EXPECT_FALSE(std::filesystem::exists(dirs.table));
  std::filesystem::create_directory(dirs.table);
  EXPECT_TRUE(Begin(Found(CheckModelTable(dirs.table)), {"0! a folder, not a table file"}));
  std::filesystem::remove(dirs.table);
  dirs.db.Write("model.db", std::string(5000, '\x5a'));
  EXPECT_TRUE(
      Begin(Found(CheckModelTable(dirs.table)), {"0! not a model table: file is not a database"}));
  SaveGrid(dirs);
  Sql(dirs.table,
      "WITH RECURSIVE n(i) AS (SELECT 13 UNION ALL SELECT i + 1 FROM n WHERE i < 2500000) "
      "INSERT INTO model SELECT i, 30, 0, 0, 0, 0, 0, 0, 0 FROM n");
  EXPECT_TRUE(Begin(Found(CheckModelTable(dirs.table)),
                    {"0! the table holds 2500000 records, a model table holds at most 2499999"}));
  SaveGrid(dirs);
  Sql(dirs.table,
      "UPDATE model SET Aux6 = 'x'; INSERT INTO model SELECT * FROM model;"
      "INSERT INTO model SELECT * FROM model; INSERT INTO model SELECT * FROM model;"
      "INSERT INTO model SELECT * FROM model");
  const std::vector<std::string> found = Found(CheckModelTable(dirs.table));
  const std::string aux6 = "+ field Aux6 is text, a number was expected";
  EXPECT_EQ(std::count_if(found.begin(), found.end(),
                          [&](const std::string& p) { return p.ends_with(aux6); }),
            100);
  EXPECT_TRUE(
      found.back().ends_with("92 more like this, not listed: field Aux6 is text, a number "
                             "was expected"));
}

// Horizon files for a grid of 6 H-lines: bad lines, out of grid, shared H-line and ID, order;
// a file that cannot be read is one problem of the whole file.
TEST(CheckHorizonFile, FindsEachProblemAtItsLine) {
  ScratchDir dir;
  const std::string file = dir.File("model.hor");
  EXPECT_TRUE(CheckHorizonFile(file, 6).empty());  // a missing file holds no horizons
  dir.Write("model.hor",
            "1,1,3,0,0\r\n"  // fine
            "2,2,3,0\n"      // four fields
            "6,3,3,0,0\n"    // below the bottom H-line 5
            "0,4,3,0,0\n"    // the top H-line
            "3,100,3,0,0\n"  // ID beyond 99
            "4,5,21,0,0\n"   // too wide
            "4,6,3,0,0\n"    // fine
            "4,7,3,0,0\n"    // H-line 4 again
            "3,6,3,0,0\n"    // ID 6 again, and out of order
            "5,2,3,0,0\n"    // ID 2 below ID 6 of H-line 4
                + std::string(kHorizonLineLimit + 1, '1') + "\n");
  EXPECT_TRUE(
      Begin(Found(CheckHorizonFile(file, 6)),
            {"2! \"2,2,3,0\" is not a horizon string IH,ID,Width,Color,Status",
             "3! H-line index 6 is outside 1..5 of this grid", "4! H-line index 0 is outside 1..5",
             "5! ID 100 is outside 1..99", "6! width 21 is above 20",
             "8+ H-line 4 carries the horizon of line 7 already",
             "9+ ID 6 belongs to the horizon of line 7 already",
             "9+ H-line 3 follows H-line 4 of line 8, the lines go in ascending H-line order",
             "10+ ID 2 on H-line 5 is below ID 7 on H-line 4 above it, identifiers ascend "
             "downwards",
             "11! line longer than 4096 bytes"}))
      << ::testing::PrintToString(Found(CheckHorizonFile(file, 6)));
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  EXPECT_EQ(Found(CheckHorizonFile(file, 6)).size(), 1u);
  std::filesystem::remove(file);
  if (geteuid() == 0) return;  // root reads a file without read permission
  dir.Write("model.hor", "1,1,3,0,0\n");
  chmod(file.c_str(), 0);
  EXPECT_EQ(Found(CheckHorizonFile(file, 6)),
            std::vector<std::string>{"0! cannot read the file: Permission denied"});
}

}  // namespace
