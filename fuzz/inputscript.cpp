// Input scripts are typed by people: any bytes must parse or be refused cleanly.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "graph/events.h"
#include "graph/inputscript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const auto actions = korax::PARSE_INPUT_SCRIPT(text, "fuzz.kis");
        for (const auto& a : actions) {
            // Every key action queues one character or one whole extended key.
            if (a.kind == korax::SCRIPTACTION::KEYS) {
                const bool ext = a.codes.size() == 2 && a.codes[0] == '\0' && a.codes[1] != '\0';
                if (!(a.codes.size() == 1 || ext)) __builtin_trap();
            }
            if (a.line < 1) __builtin_trap();
        }
    } catch (const korax::ScriptInvalid&) {
    }
    return 0;
}
