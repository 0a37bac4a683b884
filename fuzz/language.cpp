// Language files and LANGUAGE.CFG: any bytes give a table or a failure number.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "data/lg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    static std::array<korax::STRING70, 701> table;
    int line = 0, maxlg = 0;
    std::uint16_t verlg = 0;
    int rc = korax::PARSE_LG(text, "KORAX", 220, table, line, verlg, maxlg);
    if (rc < 0 || rc > 10) std::abort();
    for (const auto& e : table)
        if (e.size() > 70) std::abort();
    std::uint8_t nr = 0;
    std::string ext;
    rc = korax::PARSE_LANGUAGE_CFG(text, nr, ext);
    if (rc == 0 && ext.size() != 3) std::abort();
    return 0;
}
