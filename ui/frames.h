// Click windows, 3D frames and fields, the titled window, the message box, the
// context menu and the line editor: the lowest layer of the toolkit.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "graph/wingraph.h"

namespace korax {

struct FENSTERREC {
    std::int16_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    bool AKTIV = false;
};

inline constexpr int KLICKFENSTERANZ = 46;  // click windows 0..45
extern std::array<FENSTERREC, KLICKFENSTERANZ> KLICKFENSTER;

// The last mouse state read by CHECKMOUSEPOS.
extern std::int16_t MOUSEX, MOUSEY, OLDMOUSEX, OLDMOUSEY;
extern bool LB, RB;
// When on, clicks other than 21..24 return while the button is held (dragging).
extern bool DRAGDROP;
// Set when a click produced Escape.
extern bool GLOBALBEENDEN;

// Toolkit colours (palette indices).
inline constexpr int SCREEN = 17;
inline constexpr int SCREEN1 = 18;
inline constexpr int COLOR = 15;

// Directory of the temporary pictures, ending in "/". Empty means the run's private
// directory (RUNTEMPDIR, mode 0700, removed at the end of the run); tests may point
// it elsewhere.
extern std::string TMPDIR;
// The full name of a temporary picture such as "M1.TMP".
std::string TMPFILE(std::string_view name);

// Click windows.
void CLEARKLICKFENSTER();
void SETKLICKFENSTER(int n, int x1, int y1, int x2, int y2);
void REFRESHFENSTER();  // click windows 1..20 off
// The key click window n yields ("0".."9", "A".."K", chr(21..29), chr(100..115)).
char KLICKKEY(int n);
// The highest active click window whose rectangle holds (x, y), edges inclusive; -1 if none.
int KLICKHIT(int x, int y);

// Mouse and input.
void CHECKMOUSEPOS();
bool MOUSEAKTION();
bool LEFTBUTTON();
bool RIGHTBUTTON();
void MOUSETASTE();

// Frames and fields.
void FRAME(int x1, int y1, int x2, int y2, int width, int light, int dark);
void HIGHFRAME(int x1, int y1, int x2, int y2, int light, int dark);
void FRAMELINEX(int x1, int x2, int y, int light, int dark);
void FRAMELINEY(int x, int y1, int y2, int light, int dark);
// The bevel FELD3D and TIEF3D use for width 0: 4, 3 below 200 pixels, 2 below 100.
int AUTOBEVEL(int x1, int x2);
void FELD3D(int x1, int y1, int x2, int y2, int width, int colour);
void TIEF3D(int x1, int y1, int x2, int y2, int width, int colour);
void HINTERGRUND(int x1, int y1, int x2, int y2, int colour);
void SETRAHMEN(int n, bool on);
// The colour of a window title on a fill colour: white, or black on the brightest fills.
int TITLECOLOUR(int fill);
void FENSTER(int n, int x1, int y1, int x2, int y2, std::string_view title, int style, int colour = 7);
void FRAMETXT(int x1, int y1, int x2, int y2, int colour, std::string_view text);
void CENTERTXT(int x, int y, std::string_view text);
void TXT(int colour, std::string_view text);
void DEFAULTTEXT();
void DEFAULTTEXT2();
// Font 0 size 1, centred both ways (the justification constant CENTERTEXT is the graph layer's).
void CENTERTEXTSTYLE();
// The toolkit's copy of the current palette, filled by SETPALETTE.
extern PALETTETYPE EPAL;
void SETPALETTE();

// Message box. Pieces of data (names, file names) put into a message go through
// NOLINEBREAKS first so that they cannot add lines.
std::string NOLINEBREAKS(std::string_view data);
// The lines of a message: split at "/", each cut to 70; more than 7 is error 99.
std::vector<std::string> MELDUNGLINES(std::string_view text);
void MELDUNG(std::string_view text);

// Context menu.
int KONTEXTCOUNT(const std::array<std::string, 6>& e);  // last non-empty of e2..e6 (0 = none)
int GETKONTEXT(int x, int y, std::string_view e1, std::string_view e2, std::string_view e3,
               std::string_view e4, std::string_view e5, std::string_view e6);

// Line editor: what a key does to the text, kept apart from drawing.
struct LINEEDIT {
    std::string s;
    std::size_t maxlength = 0;
    std::size_t cursor = 1;  // 1-based, up to length + 1
    bool insert = true;
    bool done = false;
};
// Applies one key (key, and key2 for an extended key when key is #0). Returns the
// first 1-based position whose cell changed, or 0 when nothing changed on screen.
std::size_t LINEEDITKEY(LINEEDIT& e, char key, char key2);
void GREADLN(int x, int y, int textcolour, int erasecolour, int cellwidth, std::size_t maxlength,
             std::string& s);

}  // namespace korax
