// The library's error box: every memory and overflow failure reaches the user through here.
#include "model/quasigrid.h"

void ShowError(const AnsiString& text) {
  ShowErrorBox(text, "Error");
}
