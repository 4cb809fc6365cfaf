// The library's only user-facing output: a modal error box, routed to a replaceable handler.
#pragma once

#include <functional>

#include "platform/runtime.h"

using ErrorHandler = std::function<void(const AnsiString& text)>;

// Installs the handler that presents error boxes and returns the previous one. The default
// handler writes "Error: <text>" and a line end to standard error. An empty handler restores
// the default.
ErrorHandler SetErrorHandler(ErrorHandler handler);

// Presents text under a caption through the installed handler.
void ShowErrorBox(const AnsiString& text, const char* caption);
