// What the decision screens of the team management share: the way a screen is
// left, and the screens themselves as the main menu opens them.
#pragma once

#include <string>

namespace korax {

// Leaves a screen: "R" is handed to the menu as Escape; a changed team record is
// written and the tips re-read when their check is on for the screen.
void LEAVESCREEN(int screen, bool changed);

// Draws a picture of the program directory when it exists; a missing one is skipped.
void PICTURE(int x, int y, const std::string& name);

// Screens (menu codes 108, 109, 110, 111, 115, 118; the advance sale from the match
// choice, 103).
void UNTERKUNFT();
void VERPFLEGUNG();
void STADION();
void TRAINING();
void BANK();
void WETTBUERO();
void SETVPREIS(bool& leave);

}  // namespace korax
