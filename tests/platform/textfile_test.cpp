// Tests of line reading and of the string list's file input and output.
#include "platform/textfile.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>

#include "support/scratch_dir.h"

namespace {

TEST(SReadLn, LineEndsAndTheEndOfTheStream) {
  // Input, then the lines read, each followed by '|'. A final line end gives no extra empty line,
  // a last line without one is still a line, and only one carriage return is stripped.
  const std::pair<const char*, const char*> cases[] = {{"", ""},         {"a\nb\n", "a|b|"},
                                                       {"a\nb", "a|b|"}, {"a\r\nb\r\n", "a|b|"},
                                                       {"\n\n", "||"},   {"a\r\r\n", "a\r|"}};
  for (const auto& [text, expected] : cases) {
    std::istringstream in(text);
    std::string lines;
    std::string line = "stale";
    while (S_ReadLn(in, line)) lines += line + "|";
    EXPECT_EQ(lines, expected);
    // The line is left empty at the end of the stream, and on every later call.
    EXPECT_TRUE(line.empty() && !S_ReadLn(in, line) && line.empty());
  }
}

TEST(SReadLnLimited, KeepsMemoryBoundedAndAgreesWithSReadLn) {
  // Within the limit it reads what S_ReadLn reads, carriage returns stripped before the limit
  // applies; a longer line gives its first characters and the next line is read as usual.
  std::istringstream in("abc\r\nabcd\r\n" + std::string(1000000, 'x') + "\nlast");
  std::string line;
  EXPECT_EQ(S_ReadLnLimited(in, line, 3), LineRead::kLine);
  EXPECT_EQ(line, "abc");
  EXPECT_EQ(S_ReadLnLimited(in, line, 3), LineRead::kTooLong);
  EXPECT_EQ(line, "abc");
  EXPECT_EQ(S_ReadLnLimited(in, line, 3), LineRead::kTooLong);
  EXPECT_EQ(line, "xxx");
  EXPECT_LT(line.capacity(), 100u);  // the long line was never held
  EXPECT_EQ(S_ReadLnLimited(in, line, 4), LineRead::kLine);
  EXPECT_EQ(line, "last");
  EXPECT_EQ(S_ReadLnLimited(in, line, 4), LineRead::kEnd);
  std::istringstream empty("\n");
  EXPECT_EQ(S_ReadLnLimited(empty, line, 0), LineRead::kLine);
  EXPECT_EQ(S_ReadLnLimited(empty, line, 0), LineRead::kEnd);
}

TEST(BCStringList, SavesLoadsAndKeepsTheListOnFailure) {
  ScratchDir dir;
  dir.Write("l.txt", "old line one\nold line two\nold line three\n");
  BCStringList list;
  list.Add("first");
  list.Add("");
  EXPECT_TRUE(list.SaveToFile(dir.File("l.txt"), false));  // replaces
  EXPECT_TRUE(list.SaveToFile(dir.File("l.txt"), true));
  EXPECT_EQ(dir.Read("l.txt"), "first\n\nfirst\n\n");
  EXPECT_FALSE(list.SaveToFile(dir.File("no/such/dir/l.txt"), false));
  dir.Write("crlf.txt", "a\r\nb");
  EXPECT_NE(list.LoadFromFile(dir.File("crlf.txt"), false), 0);  // appended
  EXPECT_EQ(list.LoadFromFile(dir.File("missing.txt"), true), 0);
  EXPECT_EQ(list.LoadFromFile(dir.Path(), true), 0);  // a directory
  std::ostringstream out;
  list.SaveToStream(out);
  EXPECT_EQ(out.str(), "first\n\na\nb\n");
  EXPECT_NE(list.LoadFromFile(dir.File("crlf.txt"), true), 0);
  EXPECT_EQ(list.GetCount(), 2);
}

}  // namespace
