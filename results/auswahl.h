// The choice of a stored match (menu code 103): replayed in the viewer (mode 0) or
// its tactics imported into the line-up (1) or the sparring tactics (2).
#pragma once

#include <cstdint>
#include <string>

namespace korax {

void AUSWAHLGAME(std::uint8_t mode);

// Match files of the game directory, by plain name.
std::string SPIELDATEI(int day);                 // "GAME" + n + "." + day
std::string ANDEREDATEI(int day, int pairing);   // ... + "A".."E"
std::string POKALDATEI(int k);                   // "GAME" + n + ".P" + k
// The replay file belonging to a match file: "QUICK" in place of "GAME".
std::string QUICKDATEI(const std::string& matchfile);

// The match day a key of the lists names: "1".."9" days 1..9, "A".."I" 10..18; 0 else.
int TAGKEY(unsigned char key);
// The cup match a key names: "1".."9" 1..9, "A".."Q" 10..26; 0 else ("R" leaves).
int POKALKEY(unsigned char key);
// Further match files of a day ("A".."E" present).
int WEITERESPIELE(int day);
// Cup match files P1, P2, ... up to the first missing one, at most POKALLISTE.
inline constexpr int POKALLISTE = 26;
int POKALSPIELE();

// Makes the match file the one the viewer shows next: a copy to GAME<n>.DAT and its
// replay file to QUICK<n>.DAT (QUICKNAME names the replay file when that copy
// fails). False, with a message and nothing changed, when the match file cannot
// be copied.
bool SPIELKOPIE(const std::string& matchfile, const std::string& replayfile);

}  // namespace korax
