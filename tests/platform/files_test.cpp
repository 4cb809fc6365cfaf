// Tests of the file existence test, deletion, name masks and the masked directory copy.
#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "support/scratch_dir.h"

namespace {

TEST(MatchesMask, StarAndQuestionMark) {
  const std::pair<const char*, const char*> match[] = {
      {"model.db", "model.*"}, {"model.", "model.*"},    {"mbk.db", "m*.db"}, {"aaa", "a*a*a"},
      {"abcbcd", "a*bcd"},     {"model.db", "m?del.d?"}, {"", "*"},           {"", ""}};
  const std::pair<const char*, const char*> other[] = {
      {"model", "model.*"}, {"modelbk.db", "model.*"}, {"a", ""},         {"model.db", "m?del.d??"},
      {"abcbce", "a*bcd"},  {"aa", "a*a*a"},           {"x.dbx", "*.db"}, {"Model.db", "model.*"}};
  for (const auto& [name, mask] : match) EXPECT_TRUE(MatchesMask(name, mask)) << name << mask;
  for (const auto& [name, mask] : other) EXPECT_FALSE(MatchesMask(name, mask)) << name << mask;
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
