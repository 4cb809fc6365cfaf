// Tests of the VFT import and the VFT and DAT exports of the main model table.
#include "storage/mimpex.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <string>
#include <vector>

#include "model/quasigrid.h"
#include "storage/modelfiler.h"
#include "support/hand_model.h"
#include "support/model_tables.h"

namespace {

// Imports text from a file in dirs into the main table; returns the code and sets lineNo.
int Import(TableDirs& dirs, const std::string& text, int stepFactor, int& lineNo) {
  dirs.db.Write("in.vft", text);
  TCModelImpex impex(dirs.db.File("in.vft"), dirs.db.Path(), 'I');
  EXPECT_EQ(impex.InitStatus, 0);
  lineNo = -7;
  return impex.ImportVFT(stepFactor, lineNo);
}

// A 2 x 3 grid: columns at X 0 and 50, nodes at Z -20, -10, 0; V 1000 + 10 * record.
const char* const kGrid =
    "0 0 -20 1000\n1 0 -10 1010\n2 0 0 1020\n3 50 -20 1030\n4 50 -10 1040\n5 50 0 1050\n";

// Every result code with its line number. The table keeps what was appended before a line
// failure and when the grid check fails; the check of the table itself agrees with the import's
// check of what it appended.
TEST(ModelImpex, ImportGivesEveryResultCodeAtItsLine) {
  struct Case {
    const char* comment;
    std::string text;
    int stepFactor, result, lineNo;
    size_t records;
  };
  const std::string grid = kGrid;
  const std::string flat = "0 0 -20 1\n1 0 -20 1\n2 0 0 1\n3 50 -20 1\n4 50 -10 1\n5 50 0 1\n";
  const Case cases[] = {
      {"the whole grid", grid, 1, vftOk, 7, 6},
      {"CRLF line ends, commas and tabs, extra fields, a leading index ignored",
       "x,0,-20,1000\r\n  1\t0 ,\t-10 , 1010 extra\r\n2 0 0 1020\n3 50 -20 1030\n"
       "4 50 -10 1040\n5 50 0 1050 7 8\n",
       1, vftOk, 7, 6},
      {"an empty file", "", 1, vftNoGrid, 0, 0},
      {"three fields on the first line", "0 0 -20\n" + grid, 1, vftBadLine, 1, 0},
      {"a bad elevation on the third line: counted already",
       "0 0 -20 1000\n1 0 -10 1010\n2 0 z 1\n", 1, vftBadLine, 4, 2},
      {"a line of blanks and tabs only", "0 0 -20 1000\n \t \n", 1, vftBadLine, 2, 1},
      {"a line far too long", "0 0 -20 1000\n0 0 0 0" + std::string(70000, ' ') + "\n", 1,
       vftBadLine, 2, 1},
      {"an empty line ends the data", grid + "\ngarbage\n", 1, vftOk, 7, 6},
      {"equal elevations with stepFactor 1: at the upper node", flat, 1, vftNodeStep, 2, 6},
      {"equal elevations pass with stepFactor 0", flat, 0, vftOk, 7, 6},
      {"a second bottom off the first",
       "0 0 -20 1\n1 0 -10 1\n2 0 0 1\n3 50 -19 1\n4 50 -10 1\n5 50 0 1\n", 1, vftBottom, 4, 6},
      {"a node off its column's X",
       "0 0 -20 1\n1 0 -10 1\n2 0 0 1\n3 50 -20 1\n4 49 -10 1\n5 50 0 1\n", 1, vftColumnX, 5, 6},
      {"a third column too close to the second",
       grid + "6 50.0002 -20 1\n7 50.0002 -10 1\n8 50.0002 0 1\n", 1, vftColumnStep, 7, 9},
      {"a count that is no multiple of the first column", grid + "6 99 -20 1\n", 1, vftNoGrid, 0,
       7},
      {"a single column", "0 0 -20 1\n1 0 -10 1\n2 0 0 1\n3 0 10 1\n", 1, vftNoGrid, 0, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.comment);
    TableDirs dirs;
    WriteRecords(dirs.table, std::vector<TableRecord>(3, TableRecord{}));
    int lineNo = 0;
    EXPECT_EQ(Import(dirs, c.text, c.stepFactor, lineNo), c.result);
    EXPECT_EQ(lineNo, c.lineNo);
    const std::vector<TableRecord> records = ReadRecords(dirs.table);
    EXPECT_EQ(records.size(), c.records);
    EXPECT_TRUE(dirs.errors.empty());
    if (c.result == vftBadLine || records.empty()) continue;
    const auto extent = [&](int field) {
      const auto [lo, hi] = std::minmax_element(
          records.begin(), records.end(),
          [field](const TableRecord& a, const TableRecord& b) { return a[field] < b[field]; });
      return static_cast<float>((*hi)[field] - (*lo)[field]);
    };
    TCModelImpex table(dirs.db.File("unused"), dirs.db.Path(), 'E');
    int checkedLine = -7;
    EXPECT_EQ(
        table.CheckDBModel(extent(mfX) * 1e-5f, extent(mfZ) * 1e-5f, c.stepFactor, checkedLine),
        c.result);
    EXPECT_EQ(checkedLine, c.lineNo);
  }
}

// Exports the main table; returns the file's text and sets written to the result.
std::string Export(TableDirs& dirs, bool vft, bool useV2, bool& written) {
  TCModelImpex impex(dirs.db.File("out.txt"), dirs.db.Path(), 'E');
  EXPECT_EQ(impex.InitStatus, 0);
  written = vft ? impex.ExportVFT(useV2) : impex.ExportDAT(useV2);
  impex.Out.close();
  return dirs.db.Read("out.txt");
}

// Construction stages: no table, a mode that is neither 'I' nor 'E', an input file that cannot
// be opened (an import that reads nothing, after the table was emptied).
TEST(ModelImpex, ConstructionReportsTheStageReached) {
  TableDirs dirs;
  EXPECT_EQ(TCModelImpex(dirs.db.File("x.vft"), dirs.db.Path(), 'I').InitStatus, 1);
  WriteRecords(dirs.table, std::vector<TableRecord>(5, TableRecord{}));
  EXPECT_EQ(TCModelImpex(dirs.db.File("x.vft"), dirs.db.Path(), 'X').InitStatus, 2);
  {
    TCModelImpex impex(dirs.db.File("missing.vft"), dirs.db.Path(), 'I');
    EXPECT_EQ(impex.InitStatus, 0);
    int lineNo = 5;
    EXPECT_EQ(impex.ImportVFT(1, lineNo), vftNoGrid);
    EXPECT_EQ(lineNo, 0);
  }
  EXPECT_TRUE(ReadRecords(dirs.table).empty());
}

// Exports of a 3 x 4 model saved by the model saver: 60-character VFT lines numbered row by row
// from the bottom, the DAT header and lines, V2 on request. Importing the VFT file writes a
// record per line, RecNo counted from 0, and loading the table gives the arrays back. An empty
// table exports no VFT line (false) and a DAT header only (true).
TEST(ModelImpex, ExportThenImportGivesTheModelBack) {
  TableDirs dirs;
  BCQuasiGrid g = HandModel({0, 12.5f, 30},
                            {-40, -25.5f, -10, 0.125f, -40, -24, -9.75f, 2, -40, -23, -9, 3.5f});
  for (size_t i = 0; i < g.VV.size(); ++i) g.VV[i] = 1500.25f + static_cast<float>(i);
  ASSERT_TRUE(g.SaveModelDb(dirs.db.Path(), false, kSaveGeometry));  // trims VV

  bool written = false;
  const std::string vft = Export(dirs, true, false, written);
  EXPECT_TRUE(written);
  EXPECT_EQ(vft.substr(61, 61), "        3            0.000          -25.500         1501.250\n");
  EXPECT_EQ(Export(dirs, true, true, written).substr(0, 61),
            "        0            0.000          -40.000            0.000\n");
  EXPECT_EQ(Export(dirs, false, false, written).substr(0, 12 + 45 * 2),
            "\"X\",\"Z\",\"V\"\n"
            "       0.000,        -40.000,       1501.250\n"  // the trimmed bottom node
            "       0.000,        -25.500,       1501.250\n");

  int lineNo = 0;
  EXPECT_EQ(Import(dirs, vft, 1, lineNo), vftOk);
  EXPECT_EQ(lineNo, 13);
  EXPECT_EQ(ReadRecords(dirs.table).at(1), (TableRecord{1, 0, 0, -25.5, 1501.25, 0, 0, 0, 0}));
  BCQuasiGrid loaded;
  ASSERT_TRUE(loaded.LoadModelDb(dirs.db.Path(), false, kLoadGeometry, true));
  EXPECT_EQ(loaded.XX, g.XX);
  EXPECT_EQ(loaded.ZZ, g.ZZ);
  EXPECT_EQ(loaded.VV, g.VV);

  WriteRecords(dirs.table, {});
  EXPECT_EQ(Export(dirs, true, false, written), "");
  EXPECT_FALSE(written);
  EXPECT_EQ(Export(dirs, false, false, written), "\"X\",\"Z\",\"V\"\n");
  EXPECT_TRUE(written);
}

// The 2,499,999th line is refused with 6 at line 2,500,000, the 2,499,998 records before it
// stay.
TEST(ModelImpex, TheLineBeyondTheRecordLimitIsRefused) {
  TableDirs dirs;
  WriteRecords(dirs.table, {});
  std::string lines;
  lines.reserve(2499999 * 8);
  for (int i = 0; i < 2499999; ++i) lines += "0 0 0 0\n";
  int lineNo = 0;
  EXPECT_EQ(Import(dirs, lines, 1, lineNo), vftTableOverflow);
  EXPECT_EQ(lineNo, 2500000);
  EXPECT_EQ(TCModelFiler(dirs.db.Path(), false, 'r').RecCount, 2499998);
  EXPECT_TRUE(dirs.errors.empty());
}

// A disk that fills up while the records are appended: the overflow box, 6, and the table keeps
// what it held before the import object was made. The child imports under a small file-size
// limit and reports through its exit code.
TEST(ModelImpex, AStoreFailureAbandonsTheWholeImport) {
  TableDirs dirs;
  const std::vector<TableRecord> before(10, TableRecord{0, 1, 2, 3, 4, 5, 6, 7, 8});
  WriteRecords(dirs.table, before);
  std::string lines;
  for (int i = 0; i < 200000; ++i) lines += "0 1 2 3\n";
  dirs.db.Write("in.vft", lines);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{256 * 1024, 256 * 1024};
    setrlimit(RLIMIT_FSIZE, &limit);
    TCModelImpex impex(dirs.db.File("in.vft"), dirs.db.Path(), 'I');
    int lineNo = 0;
    const int result = impex.ImportVFT(1, lineNo);
    const std::vector<AnsiString> overflow{"Model database overflow."};
    _exit(result == vftTableOverflow && dirs.errors == overflow && lineNo > 1 ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(ReadRecords(dirs.table), before);
}

}  // namespace
