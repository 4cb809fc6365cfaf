// Settings of the environment: the template-table directory and coordinate comparison resolution.
#pragma once

#include "platform/runtime.h"

// The directory of the empty template tables model.db and modelbk.db, without a trailing
// separator. Until G2_SetDBSampleDir is called, the first folder holding both templates of:
// PROGRAM/../share/quasigrid/sample beside the running program, the build tree's, the configured
// install folder; when none holds them, empty templates written into a folder of the library's
// own under the temporary directory.
AnsiString G2_GetDBSampleDir();

// Points G2_GetDBSampleDir at another directory; a trailing separator is dropped.
void G2_SetDBSampleDir(const AnsiString& dir);

// Comparison resolution of the coordinate range lo..hi: two coordinates of that range closer
// than the result count as equal. |hi - lo| * 1e-5, or 1e-6 * max(1, |lo|, |hi|) when that is 0
// or not finite.
float G2_GetCompResolution(float lo, float hi);
