// The information screen a screen shows instead of its content when it is not
// available (no match day left, the season's last day, nothing to read yet).
#pragma once

#include <string>

namespace korax {

// Clears the work area and shows s in one window (click window 10) until a global
// menu button or Escape ends it; "R" is handed on as Escape. The adviser is told
// that no screen is open.
void INFOTEXT(const std::string& s);

}  // namespace korax
