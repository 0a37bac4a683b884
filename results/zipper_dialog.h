// The password prompt's drawing, kept apart from the archive logic.
#pragma once

#include <string>

namespace korax {

// Shows the prompt panel with `prompt` and reads up to 8 characters with the
// line editor. On the first call the mouse is hidden and the desktop redrawn.
std::string ZIPPERDIALOG(bool first, const std::string& prompt);

// The message box for a password that does not fit.
void ZIPPERMESSAGE(const std::string& text);

}  // namespace korax
