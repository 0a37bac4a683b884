// Feeds arbitrary bytes to the PCX decoder and, when it accepts them, draws the
// picture on a headless page.
#include <cstdint>
#include <cstdlib>

#include "graph/wingraph.h"
#include "graph/winpcx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool opened = [] {
        setenv("KORAX_VIDEO", "headless", 1);
        korax::INITGRAPH(3, 1, "fuzz");
        return korax::GRAPHENABLED();
    }();
    korax::PCXPICTURE pic;
    if (korax::DECODEPCX(data, size, pic) && opened) {
        korax::SETPAL(pic.PALETTE);
        korax::SHOWSCR(-3, -2, pic);
    }
    return 0;
}
