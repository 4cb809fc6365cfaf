// Tests of the file existence test, deletion, name masks and the masked directory copy.
#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scratch_dir.h"

namespace {

TEST(MatchesMask, StarAndQuestionMark) {
  const struct {
    const char *name, *mask;
    bool matches;
  } cases[] = {{"model.", "model.*", true},
               {"model", "model.*", false},
               {"abcbcd", "a*bcd", true},
               {"aa", "a*a*a", false},
               {"model.db", "m?del.d?", true},
               {"model.db", "m?del.d??", false},
               {"", "*", true},
               {"a", "", false},
               {"x.dbx", "*.db", false},
               {"Model.db", "model.*", false}};
  for (const auto& c : cases) EXPECT_EQ(MatchesMask(c.name, c.mask), c.matches) << c.name << c.mask;
}

TEST(Files, MaskedCopyLeavesExistingTargetsExistenceAndDeletion) {
  ScratchDir source;
  ScratchDir target;
  source.Write("model.db", "template");
  source.Write("model.px", "index");
  std::filesystem::create_directory(source.File("model.dir"));  // matches, but no file
  target.Write("model.px", "user data");
  EXPECT_EQ(F_CopyDirFiles(source.File("model.*"), target.Path(), false), 1);
  EXPECT_EQ(target.Read("model.db"), "template");
  EXPECT_EQ(target.Read("model.px"), "user data");
  EXPECT_FALSE(std::filesystem::exists(target.File("model.dir")));
  EXPECT_EQ(F_CopyDirFiles(source.File("model.*"), target.Path(), true), 2);
  EXPECT_EQ(target.Read("model.px"), "index");
  EXPECT_EQ(F_CopyDirFiles(source.File("none/*.db"), target.Path(), false), 0);   // no source
  EXPECT_EQ(F_CopyDirFiles(source.File("*.db"), target.File("none"), false), 0);  // no target
  // Existence means a regular file; deletion.
  EXPECT_FALSE(FileExists(target.Path()));
  EXPECT_TRUE(FileExists(target.File("model.db")) && DeleteFileAt(target.File("model.db")));
  EXPECT_FALSE(FileExists(target.File("model.db")) || DeleteFileAt(target.File("model.db")));
}

}  // namespace
