// The expression language: normaliser, parser and evaluator on any text, with
// number and string variables set from the input's first bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "adviser/bparser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || size > 4096) return 0;
    const std::uint8_t flags = data[0];
    korax::GLOBALTOLERANZ = flags & 1;
    korax::LEEROK = flags & 2;
    korax::LEVMAX = static_cast<std::uint8_t>(flags >> 2);
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    int pos = 0, kind = 0;
    std::string norm = korax::CONVERTFUNKTION(text, pos, kind);
    if (pos < -1 || pos > static_cast<int>(norm.size()) + 1) __builtin_trap();
    if (pos == -1) {
        korax::TFUNKTION t = korax::BAUEBAUM(norm, pos, kind);
        if ((t == nullptr) != (pos != -1)) __builtin_trap();
        if (t) {
            static const char types[] = {'N', 'C', 'D', 'L', 'F', 'X'};
            for (int v = 1; v <= korax::VARMAX; ++v)
                korax::SETVARIABLE(v, text.substr(0, static_cast<std::size_t>(v % 7)), types[v % 6]);
            double r = korax::BERECHNE(t);
            if (korax::RUNTIMEERROR && r != 0) __builtin_trap();
            (void)korax::INORDERPRINT(t);
            korax::DELETETREE(t);
            if (t) __builtin_trap();
        }
    }
    // The parser must also survive texts that never went through the normaliser.
    korax::TFUNKTION raw = korax::BAUEBAUM(text, pos, kind);
    if (raw) korax::BERECHNE(raw);
    korax::DELETETREE(raw);
    korax::DELETEVARIABLEN();
    return 0;
}
