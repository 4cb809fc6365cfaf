// Tests of line reading and of the string list's file input and output.
#include "platform/textfile.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// Within the limit it reads what S_ReadLn reads, carriage returns stripped before the limit
// applies; a longer line gives its first characters, is never held whole, and the next line is
// read as usual.
TEST(SReadLnLimited, KeepsMemoryBoundedAndAgreesWithSReadLn) {
  std::istringstream in("abc\r\nabcd\r\n" + std::string(1000000, 'x') + "\nlast");
  std::string line, lines;
  size_t capacity = 0;
  for (const size_t limit : {3, 3, 3, 4, 4}) {
    const LineRead read = S_ReadLnLimited(in, line, limit);
    capacity = std::max(capacity, line.capacity());
    if (read == LineRead::kEnd) lines += ".";
    if (read != LineRead::kEnd) lines += (read == LineRead::kLine ? "+" : "!") + line;
  }
  EXPECT_EQ(lines, "+abc!abc!xxx+last.");
  EXPECT_LT(capacity, 100u);
}

TEST(BCStringList, SavesLoadsAndKeepsTheListOnFailure) {
  ScratchDir dir;
  dir.Write("l.txt", "old line one\nold line two\n");
  BCStringList list;
  list.Add("first");
  list.Add("");
  EXPECT_TRUE(list.SaveToFile(dir.File("l.txt"), false));  // replaces
  EXPECT_TRUE(list.SaveToFile(dir.File("l.txt"), true));
  EXPECT_EQ(dir.Read("l.txt"), "first\n\nfirst\n\n");
  EXPECT_FALSE(list.SaveToFile(dir.File("no/such/dir/l.txt"), false));
  dir.Write("crlf.txt", "a\r\nb");
  EXPECT_NE(list.LoadFromFile(dir.File("crlf.txt"), false), 0);  // appended
  EXPECT_EQ(list.LoadFromFile(dir.Path(), true), 0);             // a directory
  std::ostringstream out;
  list.SaveToStream(out);
  EXPECT_EQ(out.str(), "first\n\na\nb\n");
}

}  // namespace
