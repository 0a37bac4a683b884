// The set-up screen (menu code 127): start page, match-viewer video mode, screen
// saver delay, menu side, and the menu and settings files in the external editor.
#pragma once

#include <string>

namespace korax {

void SETUP();

// What one code of the screen does (49..52, 74, 75, 48); true when a setting
// changed. Kept apart from the drawing so that the codes can be checked alone.
bool SETUPACTION(int code);

// Label of a match-viewer video mode 0..3.
std::string VGRMODELABEL(int mode);

}  // namespace korax
