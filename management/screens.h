// The team and league screens of the main menu: team overview (101), league
// table (105), pairings (106), team data (123) and shape editor (124).
#pragma once

namespace korax {

void TEAMUEBERSICHT();
void TABELLE();
void SPIELPAARUNG();
void TEAMDATEN();
void SHAPEEDITOR();

// What a code of the team data screen does ("B".."G"; the right button steps a
// colour down); true when the team record changed.
bool TEAMDATENACTION(int code, bool rightbutton);

// After GLOBALBUTTON: true when the screen is to be left (Escape, "R", a menu
// code); "R" is handed to the menu as Escape, never as its quit code.
bool SCREENLEFT();

// Draws the table-place arrow of a team at the current text position.
void TABTENDENZ(int team);

}  // namespace korax
