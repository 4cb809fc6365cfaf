// What the result codes of the file imports say, in words, for hosts that show them to users.
#include "storage/mimpex.h"
#include "storage/vcimpex.h"

#include <string>

namespace {

AnsiString AtLine(int lineNo) {
  return "line " + std::to_string(lineNo) + ": ";
}

}  // namespace

AnsiString ImportVFTFaultText(int code, int lineNo) {
  switch (code) {
    case vftNoGrid:
      return "the records do not form a grid of at least 2 x 2 nodes";
    case vftColumnX:
      return AtLine(lineNo) + "X differs from the X of its V-line's bottom node";
    case vftColumnStep:
      return AtLine(lineNo) + "this V-line lies too close to the one before it";
    case vftNodeStep:
      return AtLine(lineNo) + "the elevation does not rise enough above the node below it";
    case vftBottom:
      return AtLine(lineNo) + "the bottom node lies off the first V-line's bottom elevation";
    case vftBadLine:
      return AtLine(lineNo) + "not a VFT line (index, X, Z and velocity, numbers in the C locale)";
    default:
      return AtLine(lineNo) + "too many lines for a model table (at most 2499998)";
  }
}

AnsiString VelColFaultText(int code, int lineNo) {
  switch (code) {
    case vcrFormat:
      return AtLine(lineNo) + "not a block header 'X=...' or an elevation and velocity pair";
    case vcrElevation:
      return AtLine(lineNo) + "the elevations do not descend";
    case vcrVelocity:
      return AtLine(lineNo) + "a velocity that is not a number above 0";
    case 5:
      return "no block lies within the model's X range";
    default:
      return AtLine(lineNo) + "cannot be read (code " + std::to_string(code) + ")";
  }
}
