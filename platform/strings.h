// String utilities: splitting, number conversion, trimming, formatting and format checks.
#pragma once

#include <vector>

#include "platform/runtime.h"

// Splits text at any of the delimiter characters and appends the tokens to tokens in order.
// A run of delimiters is one separator and delimiters at either end yield nothing, so no token
// is empty.
void S_StrToStrArray(const AnsiString& text, const AnsiString& delimiters,
                     std::vector<AnsiString>& tokens);

// The text behind the first occurrence of c; empty when c does not occur.
AnsiString S_After(const AnsiString& text, char c);

// Blanks (spaces and tabs) removed from both ends.
AnsiString Trim(const AnsiString& text);

// Whole-field conversion of decimal integer text: optional blanks around, an optional sign,
// decimal digits, a value that fits 32 bits. On failure value is left as it was.
bool StrToIntChecked(const AnsiString& text, int& value);

// Whole-field conversion of decimal number text in the C locale, whatever the process locale:
// optional blanks around, an optional sign, digits with an optional decimal point, an optional
// exponent. "inf", "nan", hexadecimal and values outside the float range (overflow, or underflow
// to zero) fail. On failure value is left as it was.
bool StrToFloatChecked(const AnsiString& text, float& value);

AnsiString IntToStr(int value);

// printf-style formatting into a string.
AnsiString FormatStr(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Number of conversions in a caller-supplied printf format that takes only doubles: each
// conversion has optional flags (- + blank # 0), an optional width, an optional precision
// (both at most kMaxFormatWidth) and the type f, e, E, g or G; "%%" is a literal percent sign.
// -1 when the format holds anything else after a '%' (another type, a length modifier, '*',
// a lone '%' at the end), so such a format can never reach printf.
int CountFloatConversions(const AnsiString& format);

// Largest width and precision CountFloatConversions accepts; keeps a formatted number short.
constexpr int kMaxFormatWidth = 999;
