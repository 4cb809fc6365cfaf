// Text lines on streams and a list of strings read from and written to text files.
#pragma once

#include <istream>
#include <ostream>
#include <vector>

#include "platform/runtime.h"

// Reads the next line into line, without its line end ("\n", or "\r\n": one trailing carriage
// return is stripped). At the end of the stream line is left empty and the result is false.
// A last line without a line end is still a line; a final line end yields no extra empty line.
bool S_ReadLn(std::istream& in, AnsiString& line);

// What S_ReadLnLimited found.
enum class LineRead : unsigned char {
  kLine,     // a line, whole, in line
  kEnd,      // the end of the stream: no line
  kTooLong,  // a line longer than the limit: line holds its first maxLength characters, the rest
             // was read past and dropped, so memory stays bounded whatever the input
};

// Reads the next line as S_ReadLn does, keeping at most maxLength characters of it (its line end
// and a stripped carriage return not counted). Readers of user files use it so that one huge line
// costs no more memory than a sensible one.
LineRead S_ReadLnLimited(std::istream& in, AnsiString& line, size_t maxLength);

// Writes line and "\n".
void S_WriteLn(std::ostream& out, const AnsiString& line);

// A list of strings, one per text line in files.
class BCStringList {
 public:
  void Add(const AnsiString& text) { Lines.push_back(text); }
  int GetCount() const { return static_cast<int>(Lines.size()); }
  AnsiString& operator[](int i) { return Lines[static_cast<size_t>(i)]; }
  const AnsiString& operator[](int i) const { return Lines[static_cast<size_t>(i)]; }
  void Clear() { Lines.clear(); }

  // Appends every line of the stream (after clearing the list when clearFirst is true).
  void LoadFromStream(std::istream& in, bool clearFirst);
  // One string per line of the file; nonzero when the file was read, zero when it could not be
  // opened or read (the list is then as it was).
  int LoadFromFile(const AnsiString& fileName, bool clearFirst);
  void SaveToStream(std::ostream& out) const;
  // Writes one line per string, replacing the file, or adding to its end when append is true.
  // True when every line was written.
  bool SaveToFile(const AnsiString& fileName, bool append);

 private:
  std::vector<AnsiString> Lines;
};
