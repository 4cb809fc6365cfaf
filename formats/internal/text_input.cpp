// Line and field input of the text readers, refusing with the number of the offending line.
#include "formats/internal/text_input.h"

#include "platform/strings.h"
#include "platform/textfile.h"

void FailAtLine(int line, const std::string& what) {
  throw FormatError("line " + std::to_string(line) + ": " + what);
}

std::string Quoted(const AnsiString& text) {
  constexpr size_t kShown = 20;
  if (text.size() <= kShown) return "'" + text + "'";
  return "'" + text.substr(0, kShown) + "...'";
}

bool LineInput::Next(AnsiString& line) {
  const LineRead read = S_ReadLnLimited(in_, line, maxLength_);
  if (read == LineRead::kEnd) return false;
  ++lineNo_;
  if (read == LineRead::kTooLong)
    FailAtLine(lineNo_, "longer than " + std::to_string(maxLength_) + " characters");
  return true;
}

bool FieldInput::Next(AnsiString& field) {
  while (next_ == fields_.size()) {
    AnsiString line;
    if (!lines_.Next(line)) return false;
    fields_.clear();
    next_ = 0;
    S_StrToStrArray(line, " \t", fields_);
  }
  field = std::move(fields_[next_++]);
  return true;
}

AnsiString FieldInput::Require(const std::string& what) {
  AnsiString field;
  if (!Next(field)) FailAtLine(LineNo() + 1, "the input ends where " + what + " was expected");
  return field;
}

float FieldInput::NextFloat(const std::string& what) {
  const AnsiString field = Require(what);
  return ParseFloatField(field, LineNo(), what);
}

int FieldInput::NextInt(const std::string& what) {
  const AnsiString field = Require(what);
  return ParseIntField(field, LineNo(), what);
}

void FieldInput::ExpectEnd() {
  AnsiString field;
  if (Next(field)) FailAtLine(LineNo(), "unexpected " + Quoted(field) + " after the last value");
}

float ParseFloatField(const AnsiString& text, int line, const std::string& what) {
  float value = 0;
  if (!StrToFloatChecked(text, value))
    FailAtLine(line, what + " " + Quoted(text) + " is not a finite number");
  return value;
}

int ParseIntField(const AnsiString& text, int line, const std::string& what) {
  int value = 0;
  if (!StrToIntChecked(text, value))
    FailAtLine(line, what + " " + Quoted(text) + " is not an integer");
  return value;
}
