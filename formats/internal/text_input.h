// Reading the text formats: lines of bounded length counted from 1, blank-separated fields, and
// numbers converted whole in the C locale.
#pragma once

#include <cstddef>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/runtime.h"

// A refusal of a reader: the text names the line ("line 12: ...") or the file as a whole.
class FormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "line N: what".
[[noreturn]] void FailAtLine(int line, const std::string& what);

// The lines of a stream, each at most maxLength characters; a longer one is refused at its
// number without being kept, so memory stays bounded whatever the input.
class LineInput {
 public:
  LineInput(std::istream& in, size_t maxLength) : in_(in), maxLength_(maxLength) {}
  // The next line into line; false at the end of the input.
  bool Next(AnsiString& line);
  // Number of the line last read, 1-based; 0 before the first.
  int LineNo() const { return lineNo_; }

 private:
  std::istream& in_;
  size_t maxLength_;
  int lineNo_ = 0;
};

// Fields of free-form numeric text, separated by blanks, tabs or line ends, with the line each
// stands on.
class FieldInput {
 public:
  FieldInput(std::istream& in, size_t maxLineLength) : lines_(in, maxLineLength) {}
  // The next field; false at the end of the input.
  bool Next(AnsiString& field);
  // The line of the field last given (or of the end of the input).
  int LineNo() const { return lines_.LineNo(); }
  // The next field as a number; what names it in the refusal ("X value 3").
  float NextFloat(const std::string& what);
  int NextInt(const std::string& what);
  // Refuses anything but blanks after the last field expected.
  void ExpectEnd();

 private:
  AnsiString Require(const std::string& what);
  LineInput lines_;
  std::vector<AnsiString> fields_;
  size_t next_ = 0;
};

// A number converted whole in the C locale (no inf, nan or hexadecimal); refused at line.
float ParseFloatField(const AnsiString& text, int line, const std::string& what);
int ParseIntField(const AnsiString& text, int line, const std::string& what);

// Text shown in a refusal: at most 20 characters of the field.
std::string Quoted(const AnsiString& text);
