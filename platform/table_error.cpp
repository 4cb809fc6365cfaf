// The table store's failures: the exception type and the process-wide text of the last one.
#include "platform/table.h"

namespace {

AnsiString& LastError() {
  static AnsiString text;
  return text;
}

}  // namespace

EDBEngineError::EDBEngineError(const AnsiString& what) : std::runtime_error(what) {
  try {
    LastError() = what;
  } catch (...) {
    // Without memory for the copy the previous text stays; the failure itself still raises.
  }
}

AnsiString LastTableStoreError() {
  return LastError();
}

void ClearTableStoreError() {
  LastError().clear();
}
