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

struct Expected {
  int where;
  bool loads;
  std::string text;
};

std::vector<Expected> Found(const std::vector<ModelProblem>& problems) {
  std::vector<Expected> found;
  for (const ModelProblem& p : problems) found.push_back({p.Where, p.Loads, p.Text});
  return found;
}

bool operator==(const Expected& a, const Expected& b) {
  return a.where == b.where && a.loads == b.loads && a.text == b.text;
}

void PrintTo(const Expected& e, std::ostream* os) {
  *os << "{" << e.where << ", " << e.loads << ", \"" << e.text << "\"}";
}

// Each damage is made on a fresh save of the grid; the check must list exactly its problems,
// and the loader must refuse exactly when one of them says so.
TEST(CheckModelTable, FindsEachDamageAtItsRecord) {
  struct Case {
    const char* sql;
    std::vector<Expected> problems;
  };
  const Case cases[] = {
      {"", {}},
      {"UPDATE model SET Z = NULL WHERE rowid = 3",
       {{3, false, "field Z is NULL, a number was expected"}}},
      {"UPDATE model SET V = 'abc' WHERE rowid = 5; UPDATE model SET X = x'01' WHERE rowid = 6",
       {{5, false, "field V is text, a number was expected"},
        {6, false, "field X is a blob, a number was expected"}}},
      // Fields the load does not read only warn; a velocity below 0 loads.
      {"UPDATE model SET RayCov = NULL, V2 = -1 WHERE rowid = 2; UPDATE model SET V = -5 WHERE "
       "rowid = 7",
       {{2, true, "field RayCov is NULL, a number was expected"},
        {2, true, "field V2 is -1, a velocity of 0 or more was expected"},
        {7, true, "field V is -5, a velocity of 0 or more was expected"}}},
      {"UPDATE model SET Fix = 1e300 WHERE rowid = 1; UPDATE model SET Z = -9e999 WHERE rowid = 2",
       {{1, false, "field Fix is 1e+300, beyond the float range"},
        {2, false, "field Z is -inf, a finite number was expected"}}},
      // A record of V-line 2 moved left of V-line 1: the loader sees V-lines out of order.
      {"UPDATE model SET X = 5 WHERE rowid = 7",
       {{0, false,
         "12 records on 5 V-lines do not make an equal number of at least 2 nodes on "
         "each"},
        {7, false, "X 5 is below X 10 of record 5, where the V-line before begins"}}},
      // Within the X resolution (0.0002) of 0..20 the record joins its V-line; one node short.
      {"UPDATE model SET X = 10.0001 WHERE rowid = 6; DELETE FROM model WHERE rowid = 12",
       {{0, false,
         "11 records on 3 V-lines do not make an equal number of at least 2 nodes on "
         "each"},
        {6, true,
         "X 10.0001 lies 0.0001001358 from X 10 of record 5, within the X resolution "
         "0.0002: the loader puts both on one V-line"},
        {7, true,
         "X 10 lies 0.0001001358 from X 10.0001 of record 6, within the X resolution "
         "0.0002: the loader puts both on one V-line"}}},
      // A node moved from V-line 1 to V-line 2 keeps 12 records: it loads, on the wrong lines.
      {"UPDATE model SET X = 20 WHERE rowid = 8",
       {{5, true,
         "V-line 2 at X 10 has 3 records, 4 were expected on every V-line: the loader "
         "gives its nodes to other V-lines"},
        {8, true,
         "V-line 3 at X 20 has 5 records, 4 were expected on every V-line: the loader "
         "gives its nodes to other V-lines"}}},
      {"UPDATE model SET Z = -25 WHERE rowid = 7",
       {{7, true, "Z -25 is not above Z -20 of record 6 below it on V-line 2"}}},
      {"UPDATE model SET X = 0",
       {{0, false, "all 12 records lie on one V-line, at least 2 V-lines are needed"}}},
      {"DELETE FROM model", {{0, false, "the table holds no records"}}},
      {"ALTER TABLE model ADD COLUMN Extra REAL",
       {{0, false,
         "not a model table: table model does not have the columns RecNo, X, Aux2, Z, "
         "V, Fix, Aux6, RayCov, V2"}}},
      {"DROP TABLE model; CREATE TABLE other (a)",
       {{0, false, "not a model table: the file holds no table model"}}},
  };
  TableDirs dirs;
  for (const Case& c : cases) {
    SaveGrid(dirs);
    Sql(dirs.table, c.sql);
    const auto before = std::filesystem::last_write_time(dirs.table);
    const std::vector<ModelProblem> problems = CheckModelTable(dirs.table);
    EXPECT_EQ(Found(problems), c.problems) << c.sql;
    EXPECT_EQ(std::filesystem::last_write_time(dirs.table), before) << c.sql;
    bool refused = false;
    for (const ModelProblem& p : problems) refused = refused || !p.Loads;
    BCQuasiGrid g;
    EXPECT_EQ(g.LoadModelDb(dirs.db.Path(), false, 5, false), !refused) << c.sql;
  }
}

// Files that are no table: missing (and not made), a folder, random bytes; and the record limit.
TEST(CheckModelTable, RefusesFilesThatAreNoTable) {
  TableDirs dirs;
  const auto only = [](const std::vector<ModelProblem>& problems) {
    return problems.size() == 1 && problems[0].Where == 0 && !problems[0].Loads ? problems[0].Text
                                                                                : std::string("?");
  };
  EXPECT_EQ(only(CheckModelTable(dirs.table)),
            "no such file: a load would copy the empty template table and refuse it");
  EXPECT_FALSE(std::filesystem::exists(dirs.table));
  std::filesystem::create_directory(dirs.table);
  EXPECT_EQ(only(CheckModelTable(dirs.table)), "a folder, not a table file");
  std::filesystem::remove(dirs.table);
  dirs.db.Write("model.db", std::string(5000, '\x5a'));
  EXPECT_EQ(only(CheckModelTable(dirs.table)), "not a model table: file is not a database");
  // 2,500,000 records, made cheaply by SQL; and a damage in every record is listed 100 times.
  SaveGrid(dirs);
  Sql(dirs.table,
      "WITH RECURSIVE n(i) AS (SELECT 13 UNION ALL SELECT i + 1 FROM n WHERE i < 2500000) "
      "INSERT INTO model SELECT i, 30, 0, 0, 0, 0, 0, 0, 0 FROM n");
  EXPECT_EQ(only(CheckModelTable(dirs.table)),
            "the table holds 2500000 records, a model table holds at most 2499999");
  SaveGrid(dirs);
  Sql(dirs.table, "UPDATE model SET Aux6 = 'x'");
  Sql(dirs.table,
      "INSERT INTO model SELECT * FROM model; INSERT INTO model SELECT * FROM model;"
      "INSERT INTO model SELECT * FROM model; INSERT INTO model SELECT * FROM model");
  const std::vector<ModelProblem> problems = CheckModelTable(dirs.table);
  const std::string aux6 = "field Aux6 is text, a number was expected";
  EXPECT_EQ(std::count_if(problems.begin(), problems.end(),
                          [&](const ModelProblem& p) { return p.Text == aux6; }),
            100);
  EXPECT_EQ(problems.back().Text, "92 more like this, not listed: " + aux6);
}

// Horizon files for a grid of 6 H-lines: bad lines, out of grid, shared H-line and ID, order.
TEST(CheckHorizonFile, FindsEachProblemAtItsLine) {
  ScratchDir dir;
  const std::string file = dir.File("model.hor");
  EXPECT_TRUE(CheckHorizonFile(file, 6).empty());  // a missing file holds no horizons
  dir.Write("model.hor", "1,1,3,0,0\n2,2,3,0,0\r\n3,3,3,0,0");
  EXPECT_TRUE(CheckHorizonFile(file, 6).empty());
  dir.Write("model.hor",
            "1,1,3,0,0\n"    // fine
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
  const std::vector<Expected> expected = {
      {2, false, "\"2,2,3,0\" is not a horizon string IH,ID,Width,Color,Status"},
      {3, false, "H-line index 6 is outside 1..5 of this grid"},
      {4, false, "H-line index 0 is outside 1..5 of this grid"},
      {5, false, "ID 100 is outside 1..99"},
      {6, false, "width 21 is above 20"},
      {8, true, "H-line 4 carries the horizon of line 7 already"},
      {9, true, "ID 6 belongs to the horizon of line 7 already"},
      {9, true, "H-line 3 follows H-line 4 of line 8, the lines go in ascending H-line order"},
      {10, true,
       "ID 2 on H-line 5 is below ID 7 on H-line 4 above it, identifiers ascend "
       "downwards"},
      {11, false,
       "line longer than 4096 bytes, a horizon string IH,ID,Width,Color,Status was "
       "expected"},
  };
  EXPECT_EQ(Found(CheckHorizonFile(file, 6)), expected);
}

// A file that exists but cannot be read is one problem of the whole file.
TEST(CheckHorizonFile, AnUnreadableFileIsAProblem) {
  ScratchDir dir;
  const std::string file = dir.File("model.hor");
  std::filesystem::create_directory(file);
  std::vector<ModelProblem> problems = CheckHorizonFile(file, 6);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].Where, 0);
  EXPECT_FALSE(problems[0].Loads);
  std::filesystem::remove(file);
  if (geteuid() == 0) GTEST_SKIP() << "root reads a file without read permission";
  dir.Write("model.hor", "1,1,3,0,0\n");
  chmod(file.c_str(), 0);
  problems = CheckHorizonFile(file, 6);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].Text, "cannot read the file: Permission denied");
}

}  // namespace
