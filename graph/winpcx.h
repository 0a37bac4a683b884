// 256-colour PCX pictures: the picture's palette becomes the window's palette and
// its pixels are drawn at a given point. Damaged pictures are not drawn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace korax {

#pragma pack(push, 1)
struct PCXHEADER_REC {
    std::uint8_t MANUFACTURER, VERSION, ENCODING, BITS_PER_PIXEL;
    std::uint16_t XMIN, YMIN, XMAX, YMAX, HRES, VRES;
    std::uint8_t PALETTE[48];
    std::uint8_t RESERVED, COLOUR_PLANES;
    std::uint16_t BYTES_PER_LINE, PALETTE_TYPE;
    std::uint8_t FILLER[58];
};
static_assert(sizeof(PCXHEADER_REC) == 128);
static_assert(offsetof(PCXHEADER_REC, COLOUR_PLANES) == 65);
static_assert(offsetof(PCXHEADER_REC, BYTES_PER_LINE) == 66);
#pragma pack(pop)

// A decoded picture: WIDTH x DEPTH palette indices row by row, and its palette.
struct PCXPICTURE {
    int WIDTH = 0, DEPTH = 0;
    std::vector<std::uint8_t> SCR;
    std::uint8_t PALETTE[768] = {};
};

// Largest picture decoded; anything bigger is refused.
constexpr int PCX_MAXSIDE = 4096;

// Decodes a whole PCX file held in memory. False when the header, the size, the
// rows or the palette marker are bad; `pic` then holds nothing worth drawing.
bool DECODEPCX(const std::uint8_t* data, std::size_t size, PCXPICTURE& pic);

// True when the last SHOWPCX drew its picture; lets start-up insist on its palette
// picture although ELOADPCX answers 0 for every picture.
extern bool PCXLOADED;

// Reads the picture `name` (DOS-style), installs its palette and draws it with its
// top-left corner at (x, y). Answers PCXLOADED.
bool SHOWPCX(int x, int y, const std::string& name);
// Installs 768 bytes of red, green, blue as palette entries 0..255.
void SETPAL(const std::uint8_t* palette);
// Draws WIDTH x DEPTH indices at (x, y) with the same result as setting each pixel.
void SHOWSCR(int x, int y, const PCXPICTURE& pic);

}  // namespace korax
