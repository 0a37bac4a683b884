// The emulation layer every screen calls: a fixed 256-colour 1024 x 768 display,
// a small shadow state, texts cut to 80 characters and a few operations of its own.
// Colour and coordinate arguments are 16-bit words, as the screens pass them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/types.h"
#include "graph/htime.h"
#include "graph/wingraph.h"

namespace korax {

extern int ECOLOR, EBLKCOLOR, EFILLSTYLE, EFILLCOLOR, EFONT, EDIR, ESIZEX, ESIZEY, ETHICK;
extern int EXA, EYA, ECURX, ECURY, EMAXX, EMAXY, EGRAPHRESULT;
extern std::string BGIPATH;
extern bool INGRAPH;
// The window title the main program sets before EINITGRAPH.
extern PSTRING<255> EWINTITLE;
// Picture buffer of the screen-save files: a 1024 x 768 24-bit image, its header and one.
constexpr std::size_t VBUF_SIZE = 2359351;
extern std::vector<std::uint8_t> VBUF;

// Resets the shadow state to its start values (unit start; also for tests).
void EMUGRAPH_INIT();

// Opens 256 colours at 1024 x 768. A failure ends the program through ERROR(1, ...);
// a missing OpenGL (-9) is not a failure, since no screen draws OpenGL.
void EINITGRAPH(int mode);
void ECLOSEGRAPH();
void EBAR(int x1, int y1, int x2, int y2);
void EOUTTEXT(const std::string& s);
void EOUTTEXTXY(int x, int y, const std::string& s);
void ESETTEXTSTYLE(int font, int direction, int size);
void ESETUSERCHARSIZE(int multx, int divx, int multy, int divy);
void ECIRCLEFILL(int x, int y, int r, int colour);
void EFLOODFILLX(int x, int y, int border);
void EFLOODFILL(int x, int y, int border);
int EHIGHCOLOR(int c);
int EGETPAGECOUNT();
int EVMODE(int mode);
void CHECK();

// Picture files. Names are DOS-style; without a "." the extension is appended.
int ELOADPCX(const std::string& name, int x, int y);
int ESAVEPCX(const std::string& name, int x1, int y1, int x2, int y2);
int ESAVEPIC(const std::string& name, int x1, int y1, int x2, int y2);
int ELOADPIC(const std::string& name, int x, int y);

// Plain forwarders to the core operation of the same name.
void ECLEARDEVICE();
int EGETMAXX();
int EGETMAXY();
int EGETX();
int EGETY();
int EGETCOLOR();
int EGETMAXCOLOR();
void EGETPALETTE(PALETTETYPE& palette);
int EGETPIXEL(int x, int y);
void EGETIMAGE(int x1, int y1, int x2, int y2, std::vector<std::uint8_t>& buffer);
void EPUTIMAGE(int x, int y, const std::vector<std::uint8_t>& buffer, int mode);
std::uint32_t EIMAGESIZE(int x1, int y1, int x2, int y2);
void EGETARCCOORDS(ARCCOORDSTYPE& ac);
void EGETASPECTRATIO(int& x, int& y);
void ESETASPECTRATIO(int x, int y);
void EGETFILLSETTINGS(FILLSETTINGSTYPE& fs);
void EGETLINESETTINGS(LINESETTINGSTYPE& ls);
void EGETTEXTSETTINGS(TEXTSETTINGSTYPE& ts);
void EGETVIEWSETTINGS(VIEWPORTTYPE& vp);
std::string EGETDRIVERNAME();
std::string EGETMODENAME(int mode);
int EGETGRAPHMODE();
void ESETGRAPHMODE(int mode);
void ERESTORECRTMODE();
void ESETACTIVEPAGE(int page);
void ESETALLPALETTE(const PALETTETYPE& palette);
void ESETPALETTE(int index, int colournumber);
void ESETBLKCOLOR(int c);
void ESETRGBPALETTE(int index, int r, int g, int b);
void ESETCOLOR(int c);
void ESETFILLSTYLE(int pattern, int colour);
void ESETFILLPATTERN(const FILLPATTERNTYPE& pattern, int colour);
void ESETLINESTYLE(int style, int pattern, int width);
void ESETTEXTJUSTIFY(int horizontal, int vertical);
void ESETVIEWPORT(int x1, int y1, int x2, int y2, bool clip);
void ESETWRITEMODE(int mode);
void ELINE(int x1, int y1, int x2, int y2);
void ELINETO(int x, int y);
void ELINEREL(int dx, int dy);
void EMOVETO(int x, int y);
void EMOVEREL(int dx, int dy);
void EPUTPIXEL(int x, int y, int colour);
void ERECTANGLE(int x1, int y1, int x2, int y2);
void ECIRCLE(int x, int y, int r);
void EARC(int x, int y, int startangle, int endangle, int r);
void EELLIPSE(int x, int y, int startangle, int endangle, int xradius, int yradius);
void EFILLELLIPSE(int x, int y, int xradius, int yradius);
void EFILLPOLY(int n, const POINTTYPE* points);
void EPIESLICE(int x, int y, int startangle, int endangle, int r);
void EBAR3D(int x1, int y1, int x2, int y2, int depth, bool top);
int ETEXTWIDTH(const std::string& s);
int ETEXTHEIGHT(const std::string& s);

// The warning sound n; the window has no sound, so it stays silent.
void BEEP(int n);

}  // namespace korax
