// post.ini as the trainer may leave it: settings come out within their limits,
// and whatever passes the checks writes a POST.BAT that reads back to itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "turn/post.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    korax::POSTSETTINGS s = korax::PARSEPOSTINI(text);
    if (s.EMAIL.size() > 40 || s.SMTP.size() > 40 || s.SUBJECT.size() > 40) std::abort();
    if (korax::BADPOSTVALUE(s, "GM@LEAGUE.EXAMPLE").empty()) {
        std::string bat = korax::POSTBATTEXT("DEMO\\", "GM@LEAGUE.EXAMPLE", s);
        auto call = korax::PARSEPOSTBAT(bat, "DEMO\\", "/t/TEAM1.TRN");
        if (!call || call->args.size() != 11 || call->args[4] != s.SUBJECT) std::abort();
    }
    return 0;
}
