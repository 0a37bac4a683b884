// Feeds arbitrary bytes to the image reader (a BMP held in memory) in every raster
// mode, at positions inside and across the page edges.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "graph/wingraph.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool opened = [] {
        setenv("KORAX_VIDEO", "headless", 1);
        korax::INITGRAPH(3, 1, "fuzz");
        return korax::GRAPHENABLED();
    }();
    if (!opened || size < 1) return 0;
    const int mode = data[0] & 7;
    const std::vector<std::uint8_t> image(data + 1, data + size);
    korax::PUTIMAGE(-5, 190, image, mode);
    korax::PUTIMAGE(10, 10, image, mode);
    korax::GRAPHRESULT();
    return 0;
}
