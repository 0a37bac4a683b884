// The desktop icon: the program's shield emblem as RGBA PNG pictures in the
// sizes desktop themes look for.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mkassets {

// The sizes written, in pixels (square).
inline constexpr int ICONSIZES[] = {16, 24, 32, 48, 64, 128, 256};

// RGBA rows, 8 bits a channel, as one PNG file (colour type 6, no interlace).
std::vector<std::uint8_t> PNG_RGBA(int w, int h, const std::vector<std::uint8_t>& rgba);

// The emblem at size x size pixels, RGBA, transparent around the shield.
std::vector<std::uint8_t> ICON_RGBA(int size);

// Writes korax-<size>.png for every size into dir.
void WRITE_ICONS(const std::string& dir);

}  // namespace mkassets
