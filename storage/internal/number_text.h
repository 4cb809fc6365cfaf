// Number text of the exchange files: printf-identical fixed-point and integer fields built with
// std::to_chars, and a block buffer that hands whole lines to a stream in large writes.
#pragma once

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/runtime.h"

// Room for any field FormatFixed or FormatInt write on their fast path.
inline constexpr size_t kFieldBufferSize = 192;
// Largest width and precision of the fast path; larger ones go through printf.
inline constexpr int kFastMaxWidth = 64;
inline constexpr int kFastMaxPrecision = 60;

// Writes value as printf("%W.Pf") does (with leftAlign, "%-W.Pf") into buf, which holds
// kFieldBufferSize characters; returns the length. Needs width <= kFastMaxWidth and
// precision <= kFastMaxPrecision; |value| must be below 1e100 or not finite.
size_t FormatFixed(char* buf, double value, int width, int precision, bool leftAlign);
// printf("%Wd") into buf (kFieldBufferSize characters, width <= kFastMaxWidth); the length.
size_t FormatInt(char* buf, int value, int width);

// A printf format for one number, as the writers' callers supply it: "%[-]W.Pf" (an optional
// '-', digits, a point, digits, 'f', nothing else) goes the fast way, anything else through
// printf. Usable() says whether printf may be handed the format with one double: it holds at
// most one conversion, of a type that takes a double.
class NumberFormat {
 public:
  explicit NumberFormat(const AnsiString& format);
  bool Usable() const { return usable_; }
  // Whether the format holds exactly one conversion.
  bool OneConversion() const { return conversions_ == 1; }
  // Writes the text of the format applied to value into buf (kFieldBufferSize characters) and
  // returns its length, when the fast way can; otherwise returns 0 and appends it to slow.
  // Usable() must hold.
  size_t Format(char* buf, double value, std::string& slow) const;
  // Appends the text of the format applied to value (Usable() must hold).
  void Append(std::string& out, double value) const;

 private:
  AnsiString format_;
  int conversions_ = 0;
  bool usable_ = false;
  bool fast_ = false;
  bool left_ = false;
  int width_ = 0;
  int precision_ = 0;
};

// Collects lines in a block and writes the block to the stream when it grows large, so that a
// file of millions of lines costs a few hundred stream writes. Flush writes what is left; the
// destructor does not, so a writer that fails half-way leaves only whole blocks behind.
class TextOut {
 public:
  explicit TextOut(std::ostream& out);
  TextOut(const TextOut&) = delete;
  TextOut& operator=(const TextOut&) = delete;

  void Fixed(double value, int width, int precision) { Field(value, width, precision, false); }
  void FixedLeft(double value, int width, int precision) { Field(value, width, precision, true); }
  void Int(int value, int width);
  void Number(const NumberFormat& format, double value);
  void Text(std::string_view text);
  // Ends the line; writes the block once it is large.
  void EndLine();
  // Hands the rest of the block to the stream and flushes it.
  void Flush();

 private:
  static constexpr size_t kBlockSize = size_t{1} << 16;
  static constexpr size_t kCapacity = kBlockSize + 2 * kFieldBufferSize;
  // Room for n more characters (n <= 2 * kFieldBufferSize): the cursor, after writing the block
  // out when it would not fit.
  char* Room(size_t n);
  void WriteBlock();
  void Field(double value, int width, int precision, bool leftAlign);
  std::ostream& out_;
  std::unique_ptr<char[]> block_;
  size_t used_ = 0;
  std::string slow_;  // text of the printf path
};
