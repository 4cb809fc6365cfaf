// The texts of the error boxes that saving and loading a model can show.
#pragma once

#include "platform/runtime.h"

// Built once at start-up, so that reporting an exhausted heap needs no allocation.
inline const AnsiString kLoadMemoryError = "Memory allocation error at loading model.";
inline const AnsiString kSaveMemoryError = "Memory allocation error at saving model.";
inline const AnsiString kSaveOverflowError = "Model database overflow at saving model.";
