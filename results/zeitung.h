// The newspaper (120): the news of each match day, filed as NEWS.<d> in the game
// directory, in categories and pages, with headlines, pictures and highlighted words.
// Reading and page building are pure functions; ZEITUNG only draws what they give.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace korax {

inline constexpr int NEWSWIDTH = 50;     // characters of a news line
inline constexpr int NEWSINDENT = 40;    // characters of a line beside a picture
inline constexpr int NEWSNAMEWIDTH = 20; // characters of a category name
inline constexpr int NEWSPAGELINES = 21;
inline constexpr int NEWSMAXPAGES = 9;
inline constexpr int NEWSCATEGORIES = 10;
// Category buttons are click windows 10..18 (keys "A".."I"); window 19 is the
// previous day, so a tenth category gets no button.
inline constexpr int NEWSBUTTONS = 9;

// Category colours by category number 1..10.
inline constexpr std::array<int, NEWSCATEGORIES + 1> VC = {0, 4, 1, 10, 14, 5, 6, 11, 13, 8, 7};

struct NEWSRUBRIK {
    std::string name;      // up to 20 characters
    int start = 0;         // 1-based number of its category line; 0 = not in the file
    std::vector<std::vector<int>> pages;  // line numbers of each page, "#>>" lines left out
};

// One match day's news file as read.
struct NEWSDAY {
    std::vector<std::string> lines;  // every line, cut to 50 characters
    int count = 0;                   // category lines taken
    std::array<NEWSRUBRIK, NEWSCATEGORIES + 1> rubrik{};  // [1..10]
};

// The category number of a category line; removes "[" + digits + "]" + one
// character and the leading blanks after them from the line, leaving the name. A
// number that is not numeric gives count + 1.
int GETNUMMER(std::string& line, int count);

// Splits a day file's text into lines (CR LF or LF) cut to 50 characters and reads
// its categories. Category lines numbered outside 1..10 are ignored with their lines.
NEWSDAY LESERUBRIKEN(std::string_view text);

// Pages shown of category r (0 when it is not there), at most 9.
int NEWSPAGES(const NEWSDAY& day, int r);
// Category buttons shown: the categories taken, at most 9.
int NEWSBUTTONCOUNT(const NEWSDAY& day);

// The lines of page p (1-based) of category r; empty outside.
std::vector<std::string> NEWSPAGE(const NEWSDAY& day, int r, int p);

// The heading drawn for a category name: a "/" after the first character goes
// together with the character before it (the button splits the name there).
std::string NEWSHEADING(std::string_view name);

// A picture directive "#<X>n".
bool ISDIRECTIVE(std::string_view line);

// A piece of a shown line in one colour.
struct NEWSPIECE {
    std::string text;
    int colour = 0;
};
// The pieces of a line under the highlight rule: the text up to the first "^" in
// `colour`, then alternately colour 9 and colour 0. `colour` ends as the colour
// after the line.
std::vector<NEWSPIECE> SCHREIBETEILE(std::string_view s, int& colour);

enum class NEWSKIND { TEXT, HEADLINE, PICTURE, NOTHING };

// One line of a page laid out: offsets from the page's first text point.
struct NEWSITEM {
    NEWSKIND kind = NEWSKIND::TEXT;
    int dx = 0, dy = 0;  // text: where it is written; picture: the line's y
    std::vector<NEWSPIECE> pieces;  // the text drawn
    char letter = 0;     // picture: its letter
    int number = 0;      // picture: its number (0 when not numeric)
};

// Lays out a page's lines: headlines, pictures and the indentation beside them.
std::vector<NEWSITEM> NEWSLAYOUT(const std::vector<std::string>& lines);

// The text of GAMEDIR NEWS.<d>; empty when there is none.
std::string NEWSTEXT(int d);

// Files the news of the newest result: GAMEDIR NEWS.TXT becomes NEWS.<d>. False
// when there was nothing to file (or the copy failed; NEWS.TXT then stays).
bool FILENEWS(int d);

// The newspaper screen.
void ZEITUNG();
// Draws one line at (x, y) under the highlight rule, starting in the current colour.
void SCHREIBE(int x, int y, std::string_view s);

}  // namespace korax
