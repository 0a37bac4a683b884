// A POST.BAT line from anywhere: it is either refused or gives exactly the mail
// sender's arguments with the turn attached, and a log in the game directory.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "turn/post.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto call = korax::PARSEPOSTBAT(text, "DEMO\\", "/t/TEAM1.TRN");
    if (call) {
        if (call->args.size() != 11 || call->args[10] != "/t/TEAM1.TRN") std::abort();
        if (!korax::VALIDADDRESS(call->args[2]) || !korax::VALIDADDRESS(call->args[6])) std::abort();
        if (call->log.find("post.log") == std::string::npos || call->log.find("..") != std::string::npos) std::abort();
    }
    return 0;
}
