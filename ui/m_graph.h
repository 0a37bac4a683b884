// Small drawing helpers: number glyphs, icons pixel by pixel, icon names, lines and
// clipped circles.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "data/g_general.h"
#include "data/g_types.h"

namespace korax {

// Five glyphs of 5 rows x 6 pixels; bit 5 is the leftmost pixel.
using NUMBERTYPE = std::array<std::array<std::uint8_t, 5>, 5>;
extern const NUMBERTYPE NUMBERS;

void SHOWNUMBER(int n, int x, int y, int colour);
void SHOWICON(const ICONREC& icon, int x, int y, bool mirror);
void SHOWICONX(const ICONREC& icon, int x, int y, bool mirror, int scale);
// A line in a colour (the name LINEN is taken by the graph layer's named colour).
void LINEINCOLOUR(int x1, int y1, int x2, int y2, int colour);
// Plots the pixel when it lies inside the rectangle.
void RANGEPIX(int x, int y, int colour, int x1, int y1, int x2, int y2);
// A filled circle, and a one-pixel ring, clipped to the rectangle x1..x2 x y1..y2.
void CLIPCIRCLE(int x, int y, int r, int colour, int x1, int y1, int x2, int y2);
void CLIPRING(int x, int y, int r, int colour, int x1, int y1, int x2, int y2);

}  // namespace korax
