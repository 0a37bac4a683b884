// Reads back a `shot` of an input script: the client writes 8-bit RGB PNGs with
// filter 0 on every row, so inflating the IDAT data gives the pixels.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace korax::testing {

struct PNGSHOT {
    std::uint32_t w = 0, h = 0;
    std::string raw;  // per row: the filter byte, then 3 bytes a pixel

    bool load(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        const std::string png{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        auto be32 = [&](std::size_t at) {
            std::uint32_t v = 0;
            for (int i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(png[at + i]);
            return v;
        };
        std::string z;
        for (std::size_t pos = 8; pos + 12 <= png.size();) {
            const std::uint32_t len = be32(pos);
            if (pos + 12 + len > png.size()) return false;
            const std::string type = png.substr(pos + 4, 4);
            if (type == "IHDR") w = be32(pos + 8), h = be32(pos + 12);
            if (type == "IDAT") z += png.substr(pos + 8, len);
            pos += 12 + len;
        }
        raw.resize(static_cast<std::size_t>(h) * (1 + 3 * w));
        uLongf n = raw.size();
        return w > 0 && uncompress(reinterpret_cast<Bytef*>(raw.data()), &n,
                                   reinterpret_cast<const Bytef*>(z.data()), z.size()) == Z_OK;
    }
    // 0xRRGGBB of pixel (x, y).
    std::uint32_t rgb(int x, int y) const {
        const auto* p = reinterpret_cast<const unsigned char*>(raw.data()) +
                        static_cast<std::size_t>(y) * (1 + 3 * w) + 1 + 3 * static_cast<std::size_t>(x);
        return static_cast<std::uint32_t>(p[0] << 16 | p[1] << 8 | p[2]);
    }
};

}  // namespace korax::testing
