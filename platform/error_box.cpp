// Routing of error boxes to the installed handler.
#include "platform/error_box.h"

#include <cstdio>
#include <utility>

namespace {

void WriteToStderr(const AnsiString& text) {
  std::fprintf(stderr, "Error: %s\n", text.c_str());
}

ErrorHandler& Handler() {
  static ErrorHandler handler = WriteToStderr;
  return handler;
}

}  // namespace

ErrorHandler SetErrorHandler(ErrorHandler handler) {
  if (!handler) handler = WriteToStderr;
  return std::exchange(Handler(), std::move(handler));
}

void ShowErrorBox(const AnsiString& text, const char* /*caption*/) {
  // A host without windows has nowhere to put the caption; every box is captioned "Error".
  Handler()(text);
}
