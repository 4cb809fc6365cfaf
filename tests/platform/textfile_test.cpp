// Tests of line reading and writing and of the string list's file input and output.
#include "platform/textfile.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/scratch_dir.h"

namespace {

// Every line S_ReadLn yields from text, then one more call at the end of the stream.
std::vector<std::string> ReadAll(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  std::string line = "stale";
  while (S_ReadLn(in, line)) lines.push_back(line);
  EXPECT_EQ(line, "") << "the string is left empty at the end of the stream";
  EXPECT_FALSE(S_ReadLn(in, line));
  EXPECT_EQ(line, "");
  return lines;
}

using Lines = std::vector<std::string>;

TEST(SReadLn, LineEndsAndTheEndOfTheStream) {
  EXPECT_EQ(ReadAll(""), Lines{});
  EXPECT_EQ(ReadAll("a\nb\n"), (Lines{"a", "b"}));  // final line end: no extra empty line
  EXPECT_EQ(ReadAll("a\nb"), (Lines{"a", "b"}));    // last line without a line end
  EXPECT_EQ(ReadAll("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(ReadAll("a\r\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(ReadAll("\n\n"), (Lines{"", ""}));    // blank lines inside are lines
  EXPECT_EQ(ReadAll("a\r\r\n"), (Lines{"a\r"}));  // only one carriage return is stripped
  EXPECT_EQ(ReadAll("a\rb\n"), (Lines{"a\rb"}));  // a lone CR inside is kept
  EXPECT_EQ(ReadAll(std::string("a\0b\n", 4)), (Lines{std::string("a\0b", 3)}));
}

TEST(SWriteLn, WritesTheLineAndANewline) {
  std::ostringstream out;
  S_WriteLn(out, "1,2");
  S_WriteLn(out, "");
  EXPECT_EQ(out.str(), "1,2\n\n");
}

TEST(BCStringList, FileRoundTripWritesPlainNewlines) {
  ScratchDir dir;
  BCStringList list;
  list.Add("first");
  list.Add("");
  list.Add("third");
  EXPECT_TRUE(list.SaveToFile(dir.File("l.txt"), false));
  EXPECT_EQ(dir.Read("l.txt"), "first\n\nthird\n");

  BCStringList read;
  ASSERT_NE(read.LoadFromFile(dir.File("l.txt"), true), 0);
  ASSERT_EQ(read.GetCount(), 3);
  EXPECT_EQ(read[0], "first");
  EXPECT_EQ(read[1], "");
  EXPECT_EQ(read[2], "third");
}

TEST(BCStringList, SaveReplacesAnExistingFileUnlessAppending) {
  ScratchDir dir;
  dir.Write("l.txt", "old line one\nold line two\nold line three\n");
  BCStringList list;
  list.Add("new");
  list.SaveToFile(dir.File("l.txt"), false);
  EXPECT_EQ(dir.Read("l.txt"), "new\n");
  list.SaveToFile(dir.File("l.txt"), true);
  EXPECT_EQ(dir.Read("l.txt"), "new\nnew\n");
}

TEST(BCStringList, LoadClearsOnlyWhenAskedAndKeepsTheListOnFailure) {
  ScratchDir dir;
  dir.Write("crlf.txt", "a\r\nb");
  BCStringList list;
  list.Add("kept");
  ASSERT_NE(list.LoadFromFile(dir.File("crlf.txt"), false), 0);
  ASSERT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list[2], "b");
  EXPECT_EQ(list.LoadFromFile(dir.File("missing.txt"), true), 0);
  EXPECT_EQ(list.LoadFromFile(dir.Path(), true), 0);  // a directory
  EXPECT_EQ(list.GetCount(), 3);
  ASSERT_NE(list.LoadFromFile(dir.File("crlf.txt"), true), 0);
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_FALSE(list.SaveToFile(dir.File("no/such/dir/l.txt"), false));
}

}  // namespace
