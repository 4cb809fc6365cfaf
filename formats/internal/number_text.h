// Numbers as the text formats write them: the shortest %g text that reads back as the same float.
#pragma once

#include <ostream>

#include "platform/runtime.h"

// The shortest "%.Ng" text (N from 6 to 9) that reads back as exactly value: "1500", "0.1",
// "-12.25", "3.40282347e+38". Made with the shared formatter.
AnsiString NumberText(float value);

// Writes NumberText(value) to out.
inline void PutNumber(std::ostream& out, float value) {
  out << NumberText(value);
}
