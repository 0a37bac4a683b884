// The game-directory chooser and the questions for a new or missing game
// directory: the interactive side of the game list, asked by the import.
#pragma once

#include <string>
#include <string_view>

namespace korax {

// The game chooser and editor of GAMES; gives the chosen directory name, or empty
// for entry 0. Escape closes the graphics and ends the program with exit code 0.
// mode 1 leaves out the key legend.
std::string GETGAMELISTE(int mode);

// Asks for the directory name and description of a new game, creates the
// directory and appends it to GAMES.INI (not for the demonstration game).
void BESCHREIBGAMEDIR();

// Makes dir (a name from the result file RSTNAME) the current game directory,
// asking the trainer when it does not exist: create it, enter a new game, or end
// the program (exit code 0). A name that is not plain is fatal 99 (DATAGAMEDIR).
void DIR2GAMEDIR(std::string_view dir);

}  // namespace korax
