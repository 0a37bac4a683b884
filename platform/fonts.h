// Fonts by family name: fontconfig finds the file, FreeType renders monochrome
// glyphs (palette pages have no colours to blend with), cached per size and angle.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korax {

// A face at a pixel height: family as the program names it ("Arial", "System" ...).
struct FONTKEY {
    std::string family;
    int height = 16;      // cell height asked for in pixels (ascent + descent)
    bool bold = false;
    bool italic = false;
    int angle = 0;        // text direction in degrees, counter-clockwise
};

// One rendered glyph: `bits` holds w x h coverage bytes (0 or 1), row by row; the
// bitmap's top-left pixel lies at pen + (left, -top); the pen then moves by
// (advx, -advy) (y grows downwards on the page).
struct GLYPH {
    int left = 0, top = 0, w = 0, h = 0;
    int advx = 0, advy = 0;
    std::vector<std::uint8_t> bits;
};

struct FONTMETRICS {
    int ascent = 0, descent = 0;  // pixels above and below the baseline
    int underline = 1;            // underline offset below the baseline
};

// True when the system has a font for `family` (the six program families map to
// the metric-compatible Liberation and DejaVu fonts).
bool FONT_FAMILY_EXISTS(const std::string& family);
// The file fontconfig picked for a family, or "" when none.
std::string FONT_FILE(const std::string& family, bool bold, bool italic);
// The family fontconfig draws for `family` (itself, or the nearest installed
// stand-in), or "" when there is no font at all.
std::string FONT_STANDIN(const std::string& family);
// The cell height drawn for a request: a face with a smallest size never goes below it.
int FONT_CELL_HEIGHT(const FONTKEY& key);
// The glyph of a Unicode character; an empty glyph when no font can be loaded.
const GLYPH& FONT_GLYPH(const FONTKEY& key, char32_t ch);
FONTMETRICS FONT_METRICS(const FONTKEY& key);
// Opens the face drawn for a request now rather than on its first glyph.
void FONT_OPEN(const FONTKEY& key);
// Keeps fontconfig's answers in `path` ("" keeps none) and takes them from there
// while nothing they depend on changed (platform/fontcache.h).
void FONT_CACHE_FILE(const std::string& path);
// Frees every face and cached glyph.
void FONT_RELEASE_ALL();

}  // namespace korax
