// Runtime value types shared by every subsystem: the 8-bit string and the integer point and rect.
#pragma once

#include <cstdint>
#include <string>

using AnsiString = std::string;

// A pair of int32; a cell position is (1-based column number, 1-based H-line number).
struct TPoint {
  int x = 0;
  int y = 0;
  TPoint() = default;
  TPoint(int x_, int y_) : x(x_), y(y_) {}
  bool operator==(const TPoint&) const = default;
};

// A quadruple of int32 in screen order.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const TRect&) const = default;
};
