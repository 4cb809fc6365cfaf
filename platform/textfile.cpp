// Text lines on streams and a list of strings read from and written to text files.
#include "platform/textfile.h"

#include <fstream>
#include <iterator>
#include <string>
#include <utility>

bool S_ReadLn(std::istream& in, AnsiString& line) {
  line.clear();
  if (!std::getline(in, line)) {
    line.clear();
    return false;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

LineRead S_ReadLnLimited(std::istream& in, AnsiString& line, size_t maxLength) {
  line.clear();
  std::streambuf* buffer = in.rdbuf();
  const std::istream::sentry ok(in, true);  // keeps leading blanks
  if (!ok || buffer == nullptr) return LineRead::kEnd;
  using Traits = std::char_traits<char>;
  bool any = false;
  bool tooLong = false;
  for (;;) {
    const Traits::int_type c = buffer->sbumpc();
    if (Traits::eq_int_type(c, Traits::eof())) {
      in.setstate(any ? std::ios::eofbit : std::ios::eofbit | std::ios::failbit);
      if (!any) return LineRead::kEnd;
      break;
    }
    any = true;
    if (Traits::to_char_type(c) == '\n') break;
    // One character beyond the limit is kept, so that a carriage return there can still be
    // stripped; the line is too long only when something else stands in that place.
    if (line.size() <= maxLength) {
      line.push_back(Traits::to_char_type(c));
    } else {
      tooLong = true;
    }
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > maxLength) tooLong = true;
  if (tooLong) {
    line.resize(maxLength);
    return LineRead::kTooLong;
  }
  return LineRead::kLine;
}

void S_WriteLn(std::ostream& out, const AnsiString& line) {
  out << line << '\n';
}

void BCStringList::LoadFromStream(std::istream& in, bool clearFirst) {
  if (clearFirst) Lines.clear();
  AnsiString line;
  while (S_ReadLn(in, line)) Lines.push_back(std::move(line));
}

int BCStringList::LoadFromFile(const AnsiString& fileName, bool clearFirst) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in.is_open()) return 0;
  // Read into a scratch list so a read error leaves this list as it was.
  BCStringList read;
  read.LoadFromStream(in, true);
  if (in.bad()) return 0;
  if (clearFirst) Lines.clear();
  Lines.insert(Lines.end(), std::make_move_iterator(read.Lines.begin()),
               std::make_move_iterator(read.Lines.end()));
  return 1;
}

void BCStringList::SaveToStream(std::ostream& out) const {
  for (const AnsiString& line : Lines) S_WriteLn(out, line);
}

bool BCStringList::SaveToFile(const AnsiString& fileName, bool append) {
  std::ofstream out(fileName, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
  if (!out.is_open()) return false;
  SaveToStream(out);
  out.close();
  return !out.fail();
}
