// The drawing core: pages, palette, colour model, lines, shapes, text and images.
// Everything is drawn into software pages (one byte per pixel in palette mode,
// four in direct-colour mode); a window, when there is one, shows the visual page.
// Errors never raise: every operation sets GRRESULT, read by GRAPHRESULT.
// Coordinates are inclusive and relative to the viewport's top left corner.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace korax {

#pragma pack(push, 1)
struct VIEWPORTTYPE {
    std::int16_t X1, Y1, X2, Y2;
    std::uint8_t CLIP;
};
static_assert(sizeof(VIEWPORTTYPE) == 9);

struct PALETTETYPE {
    std::uint16_t SIZE;
    std::uint32_t COLORS[256];
};
static_assert(sizeof(PALETTETYPE) == 1026);

struct LINESETTINGSTYPE {
    std::uint16_t LINESTYLE, PATTERN, WIDTH;
};
static_assert(sizeof(LINESETTINGSTYPE) == 6);

struct FILLSETTINGSTYPE {
    std::uint32_t PATTERN, COLOR;
};
static_assert(sizeof(FILLSETTINGSTYPE) == 8);

using FILLPATTERNTYPE = std::array<std::uint8_t, 8>;

struct TEXTSETTINGSTYPE {
    std::uint16_t FONT, DIRECTION, CHARSIZE, HORIZ, VERT;
};
static_assert(sizeof(TEXTSETTINGSTYPE) == 10);

struct ARCCOORDSTYPE {
    std::int16_t X, Y, XSTART, YSTART, XEND, YEND;
};
static_assert(sizeof(ARCCOORDSTYPE) == 12);

struct POINTTYPE {
    std::int32_t X, Y;
};
static_assert(sizeof(POINTTYPE) == 8);

// An animation sprite: handles of its image, mask and saved background.
struct TANIM {
    std::uint32_t BITHND, MASKHND, BKGHND;
};
static_assert(sizeof(TANIM) == 12);
#pragma pack(pop)

// Error codes of GRRESULT.
constexpr int grOk = 0;
constexpr int grNoInitGraph = -1;
constexpr int grInvalidDriver = -2;
constexpr int grInvalidMode = -3;
constexpr int grNotWindow = -4;
constexpr int grInvalidFont = -5;
constexpr int grInvalidFontNum = -6;
constexpr int grInvalidParam = -7;
constexpr int grNoPalette = -8;
constexpr int grNoOpenGL = -9;
constexpr int grError = -10;

// Justification.
constexpr int LEFTTEXT = 0, CENTERTEXT = 1, RIGHTTEXT = 2;
constexpr int BOTTOMTEXT = 0, BASELINETEXT = 1, TOPTEXT = 2;

// Core state (one instance for the process).
extern bool GRENABLED;
extern std::int16_t GRRESULT;
extern std::int16_t GRDRIVER, GRMODE;
extern std::string GRTITLE;
extern std::int16_t SCREENWIDTH, SCREENHEIGHT;
extern std::uint16_t CUSTOMWIDTH, CUSTOMHEIGHT;
extern std::int16_t WINDOWWIDTH, WINDOWHEIGHT;
extern POINTTYPE GETMAX, ORIGIN, ACTUAL, ASPECT;
extern std::uint32_t MAXCOLOR;
extern bool PALEXIST, GRDIRECT, GRUPDATE, KEEPOBJECTS, OGLDIRECT;
extern LINESETTINGSTYPE LINESETTINGS;
extern FILLSETTINGSTYPE FILLSETTINGS;
extern FILLPATTERNTYPE FILLPATTERN;
extern TEXTSETTINGSTYPE TEXTSETTINGS;
extern VIEWPORTTYPE VIEWPORT;
extern ARCCOORDSTYPE LASTARCCOORDS;
extern std::int16_t VIEWPORTWIDTH, VIEWPORTHEIGHT;
extern std::uint16_t VISUALPAGE, ACTIVEPAGE;
// Guards the pages between the drawing thread and the window thread.
extern std::mutex PROTECT_DEVICES;

// The palette every start-up installs, and the 144 named colours' RGB values.
extern const std::array<std::uint32_t, 256> DEFAULTVGAPALETTE;
extern const std::array<std::uint32_t, 144> MAGICKPALETTE;
extern const std::array<const char*, 144> MAGICKNAMES;

// The 144 named colour variables: RGB values in direct-colour mode, the index of the
// nearest palette entry in palette mode.
extern std::uint32_t ALICEBLUE, ANTIQUEWHITE, AQUA, AQUAMARINE, AZURE, BEIGE, BISQUE, BLACK,
    BLANCHEDALMOND, BLUE, BLUEVIOLET, BROWN, BURLYWOOD, CADETBLUE, CHARTREUSE, CHOCOLATE, CORAL,
    CORNFLOWERBLUE, CORNSILK, CREAM, CRIMSON, CYAN, DARKBLUE, DARKCYAN, DARKGOLDENROD, DARKGRAY,
    DARKGREEN, DARKKHAKI, DARKMAGENTA, DARKOLIVEGREEN, DARKORANGE, DARKORCHID, DARKRED, DARKSALMON,
    DARKSEAGREEN, DARKSLATEBLUE, DARKSLATEGRAY, DARKTURQUOISE, DARKVIOLET, DEEPPINK, DEEPSKYBLUE,
    DIMGRAY, DODGERBLUE, FIREBRICK, FLORALWHITE, FORESTGREEN, FRACTAL, GAINSBORO, GHOSTWHITE, GOLD,
    GOLDENROD, GRAY, GREEN, GREENYELLOW, HONEYDEW, HOTPINK, INDIANRED, INDIGO, IVORY, KHAKI,
    LAVENDER, LAVENDERBLUSH, LAWNGREEN, LEMONCHIFFON, LIGHTBLUE, LIGHTCORAL, LIGHTCYAN,
    LIGHTGOLDENRODYELLOW, LIGHTGRAY, LIGHTGREEN, LIGHTMAGENTA, LIGHTPINK, LIGHTRED, LIGHTSALMON,
    LIGHTSEAGREEN, LIGHTSKYBLUE, LIGHTSLATEGRAY, LIGHTSTEELBLUE, LIGHTYELLOW, LIME, LIMEGREEN, LINEN,
    MAGENTA, MAROON, MEDIUMAQUAMARINE, MEDIUMBLUE, MEDIUMORCHID, MEDIUMPURPLE, MEDIUMSEAGREEN,
    MEDIUMSLATEBLUE, MEDIUMSPRINGGREEN, MEDIUMTURQUOISE, MEDIUMVIOLETRED, MIDNIGHTBLUE, MINTCREAM,
    MISTYROSE, MOCCASIN, MONEYGREEN, NAVAJOWHITE, NAVY, OLDLACE, OLIVE, OLIVEDRAB, ORANGE, ORANGERED,
    ORCHID, PALEGOLDENROD, PALEGREEN, PALETURQUOISE, PALEVIOLETRED, PAPAYAWHIP, PEACHPUFF, PERU, PINK,
    PLUM, POWDERBLUE, PURPLE, RED, ROSYBROWN, ROYALBLUE, SADDLEBROWN, SALMON, SANDYBROWN, SEAGREEN,
    SEASHELL, SIENNA, SILVER, SKYBLUE, SLATEBLUE, SLATEGRAY, SNOW, SPRINGGREEN, STEELBLUE, TAN, TEAL,
    THISTLE, TOMATO, TURQUOISE, VIOLET, WHEAT, WHITE, WHITESMOKE, YELLOW, YELLOWGREEN;
// References to the named colours in the order of MAGICKPALETTE.
extern const std::array<std::uint32_t*, 144> INTERNCOLOR;

// True when KORAX_VIDEO=headless: no window, no thread, no display.
bool GRAPH_HEADLESS();

// Lifecycle and modes.
void INITGRAPH(int driver, int mode, const std::string& title);
void CLOSEGRAPH();
void RESTORECRTMODE();
void DETECTGRAPH(int& driver, int& mode);
void SETGRAPHMODE(int mode);
int GETGRAPHMODE();
int GETMAXMODE();
void GETMODERANGE(int driver, int& lo, int& hi);
std::string GETMODENAME(int mode);
std::string GETDRIVERNAME();
void SETWINDOWSIZE(int width, int height);
int GRAPHRESULT();
std::string GRAPHERRORMSG(int code);
bool GRAPHENABLED();
int GETMAXX();
int GETMAXY();
std::uint32_t GETMAXCOLOR();
int GETX();
int GETY();
void GETASPECTRATIO(int& x, int& y);
void SETASPECTRATIO(int x, int y);
void GRAPHDEFAULTS();
// This realisation has no OpenGL: reports -9 and only records the choice.
void SETOPENGLMODE(bool direct);

// Pages and update.
void SETACTIVEPAGE(int page);
void SETVISUALPAGE(int page);
void UPDATEGRAPH(int how);
void CLEARDEVICE();
void SETVIEWPORT(int x1, int y1, int x2, int y2, bool clip);
void GETVIEWSETTINGS(VIEWPORTTYPE& vp);
void CLEARVIEWPORT();

// Colours and palette.
void SETCOLOR(std::uint32_t c);
void SETBKCOLOR(std::uint32_t c);
std::uint32_t GETBKCOLOR();
std::uint32_t GETCOLOR();
void SETRGBPALETTE(int index, int r, int g, int b);
void SETPALETTE(int index, int colournumber);
void SETALLPALETTE(const PALETTETYPE& palette);
void GETPALETTE(PALETTETYPE& palette);
void GETDEFAULTPALETTE(PALETTETYPE& palette);
void GETMAGICKPALETTE(PALETTETYPE& palette);
void GETSYSPALETTE(PALETTETYPE& palette);
int GETPALETTESIZE();
std::uint32_t RGB(int r, int g, int b);
void SETWRITEMODE(int mode);
// Re-maps the named colours to the nearest entries of the current palette.
void MAPPALETTECOLORS();
// Gives the named colours their RGB values (direct-colour mode).
void SETABSOLUTECOLORS();
// Fills MAGICKPALETTE's references; the table is constant, so this only resets the
// named colours to their RGB values.
void SETMAGICKCOLORS();

// Position and pixels.
void MOVETO(int x, int y);
void MOVEREL(int dx, int dy);
void PUTPIXEL(int x, int y, std::uint32_t colour);
std::uint32_t GETPIXEL(int x, int y);

// Lines and outlines.
void SETLINESTYLE(int style, int pattern, int width);
void GETLINESETTINGS(LINESETTINGSTYPE& ls);
void LINETO(int x, int y);
void LINE(int x1, int y1, int x2, int y2);
void LINEREL(int dx, int dy);
void RECTANGLE(int x1, int y1, int x2, int y2);
void ELLIPSE(int x, int y, int startangle, int endangle, int xradius, int yradius);
void ARC(int x, int y, int startangle, int endangle, int radius);
void CIRCLE(int x, int y, int radius);
void GETARCCOORDS(ARCCOORDSTYPE& ac);
void ROTELLIPSE(int x, int y, int angle, int xradius, int yradius);
void DRAWPOLY(int n, const POINTTYPE* points);
void DRAWBEZIER(int n, const POINTTYPE* points);
void ROUNDRECT(int x1, int y1, int x2, int y2, int r);

// Filled shapes.
void SETFILLSTYLE(int pattern, std::uint32_t colour);
void SETFILLPATTERN(const FILLPATTERNTYPE& pattern, std::uint32_t colour);
void GETFILLPATTERN(FILLPATTERNTYPE& pattern);
void GETFILLSETTINGS(FILLSETTINGSTYPE& fs);
void BAR(int x1, int y1, int x2, int y2);
void BAR3D(int x1, int y1, int x2, int y2, int depth, bool top);
void FILLELLIPSE(int x, int y, int xradius, int yradius);
void SECTOR(int x, int y, int startangle, int endangle, int xradius, int yradius);
void PIESLICE(int x, int y, int startangle, int endangle, int radius);
void CHORD(int x, int y, int startangle, int endangle, int xradius, int yradius);
void FILLPOLY(int n, const POINTTYPE* points);
void FLOODFILL(int x, int y, std::uint32_t border);
void INVERTRECT(int x1, int y1, int x2, int y2);

// Text. Strings are code page 437 bytes.
extern std::array<std::string, 15> AVAILFONT;
int INSTALLUSERFONT(const std::string& name);
void INSTALLDEFAULTFONTS();
void SETTEXTSTYLE(int font, int direction, int size);
void SETTEXTJUSTIFY(int horizontal, int vertical);
void SETUSERCHARSIZE(int extra, int breakextra, int multy, int divy);
void OUTTEXT(const std::string& s);
void OUTTEXTXY(int x, int y, const std::string& s);
int TEXTWIDTH(const std::string& s);
int TEXTHEIGHT(const std::string& s);
void GETTEXTSETTINGS(TEXTSETTINGSTYPE& ts);

// Images: a buffer is a whole 24-bit BMP file in memory. GETIMAGE grows the buffer
// to IMAGESIZE when it is smaller and never writes past IMAGESIZE bytes.
std::uint32_t IMAGESIZE(int x1, int y1, int x2, int y2);
void GETIMAGE(int x1, int y1, int x2, int y2, std::vector<std::uint8_t>& buffer);
void PUTIMAGE(int x, int y, const std::vector<std::uint8_t>& buffer, int mode);
void GETANIM(int x1, int y1, int x2, int y2, std::uint32_t transparent, TANIM& anim);
void PUTANIM(int x, int y, TANIM& anim, int mode);
void FREEANIM(TANIM& anim);

// Writes the visual page through the palette as a PNG picture (host path).
// False when the layer is closed or the file cannot be written.
bool WRITE_VISUAL_PNG(const std::string& hostpath);

// Read access for tests and the window: the palette index (palette mode) or RGB
// value (direct mode) stored at window coordinates (x, y) of `page`; 0 outside.
std::uint32_t PAGE_PIXEL(int page, int x, int y);
// The colour value 0x00BBGGRR shown for a stored pixel value.
std::uint32_t SHOWN_RGB(std::uint32_t stored);

}  // namespace korax
