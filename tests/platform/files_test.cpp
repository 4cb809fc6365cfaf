// Tests of the file existence test, deletion, name masks and the masked directory copy.
#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scratch_dir.h"

namespace {

TEST(MatchesMask, StarAndQuestionMark) {
  const struct {
    const char* name;
    const char* mask;
    bool matches;
  } cases[] = {
      {"model.db", "model.*", true},
      {"model.", "model.*", true},
      {"model", "model.*", false},
      {"modelbk.db", "model.*", false},
      {"modelbk.db", "model*.db", true},
      {"model.db", "*", true},
      {"", "*", true},
      {"", "", true},
      {"a", "", false},
      {"model.db", "m?del.d?", true},
      {"model.db", "m?del.d??", false},
      {"abcbcd", "a*bcd", true},
      {"abcbce", "a*bcd", false},
      {"aaa", "a*a*a", true},
      {"aa", "a*a*a", false},
      {"x.db", "*.db", true},
      {"x.dbx", "*.db", false},
      {"Model.db", "model.*", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesMask(c.name, c.mask), c.matches) << c.name << " ~ " << c.mask;
  }
}

TEST(FileExists, RegularFilesOnlyAndDeletion) {
  ScratchDir dir;
  dir.Write("f", "x");
  EXPECT_TRUE(FileExists(dir.File("f")));
  EXPECT_FALSE(FileExists(dir.File("g")));
  EXPECT_FALSE(FileExists(dir.Path()));
  EXPECT_TRUE(DeleteFileAt(dir.File("f")));
  EXPECT_FALSE(FileExists(dir.File("f")));
  EXPECT_FALSE(DeleteFileAt(dir.File("f")));
}

TEST(FCopyDirFiles, CopiesMatchingFilesAndLeavesExistingTargets) {
  ScratchDir source;
  ScratchDir target;
  source.Write("model.db", "template");
  source.Write("model.px", "index");
  source.Write("modelbk.db", "backup");
  source.Write("other.db", "other");
  std::filesystem::create_directory(source.File("model.dir"));  // matches, but no file
  target.Write("model.px", "user data");

  int copied = F_CopyDirFiles(source.File("model.*"), target.Path(), false);

  EXPECT_EQ(copied, 1);
  EXPECT_EQ(target.Read("model.db"), "template");
  EXPECT_EQ(target.Read("model.px"), "user data");
  EXPECT_FALSE(FileExists(target.File("modelbk.db")));
  EXPECT_FALSE(FileExists(target.File("other.db")));
  EXPECT_FALSE(std::filesystem::exists(target.File("model.dir")));
  EXPECT_EQ(source.Read("model.db"), "template");

  EXPECT_EQ(F_CopyDirFiles(source.File("model.*"), target.Path(), true), 2);
  EXPECT_EQ(target.Read("model.px"), "index");
}

TEST(FCopyDirFiles, MissingDirectoriesCopyNothing) {
  ScratchDir dir;
  dir.Write("a.db", "a");
  EXPECT_EQ(F_CopyDirFiles(dir.File("none/*.db"), dir.File("t"), false), 0);
  EXPECT_EQ(F_CopyDirFiles(dir.File("*.db"), dir.File("none"), false), 0);
}

}  // namespace
