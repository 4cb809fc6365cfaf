// What the fuzz targets share: the check that stops a run, and a scratch folder in memory.
#pragma once

#include <cstdlib>

#include "support/scratch_dir.h"

// Stops the run, so that the fuzzer keeps the input, when a property does not hold.
inline void FuzzCheck(bool condition) {
  if (!condition) std::abort();
}

// The process's folder for the files a target writes, in memory where the system offers it (a
// table commit syncs its file), made at the first call and removed when the process ends.
inline const ScratchDir& FuzzScratch() {
  static const ScratchDir dir(ScratchPlace::kMemory);
  return dir;
}
