// Accommodation and catering: one of five standards each, kept in the team record;
// the game master charges them, so nothing is booked here.
#include <cstdint>
#include <string>

#include "adviser/adviser.h"
#include "base/types.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/htime.h"
#include "management/finance.h"
#include "management/mscreen.h"
#include "management/screens.h"
#include "management/views.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

struct STANDARDSCREEN {
    int code;         // menu code, header, tip and help topic
    int firsttext;    // name of standard 0; the others follow
    const char* picture;
    int goldy;        // gold display, above YM2
};
constexpr STANDARDSCREEN HOUSING{108, 219, "house", 50};
constexpr STANDARDSCREEN FOOD{118, 316, "food", 30};

constexpr int TOP = 110;
constexpr int BOTTOM = 420;

void AUFBAU(const STANDARDSCREEN& s, int chosen) {
    CLEAROBERFLAECHE();
    HEADER(L[s.code].str());
    const int w = (XM2 - XM1 - 40) / 5;
    for (int v = 0; v <= 4; ++v) {
        const int x1 = XM1 + 20 + v * w, x2 = x1 + w - 4;
        const bool on = v == chosen;  // a value outside 0..4 highlights none
        FENSTER(v + 1, x1, TOP, x2, BOTTOM, "", on ? 2 : 1);
        PICTURE((x1 + x2) / 2 - 70, TOP + 30, s.picture + std::to_string(v));
        CENTERTEXTSTYLE();
        ESETCOLOR(on ? 7 : 8);
        EOUTTEXTXY((x1 + x2) / 2, BOTTOM - 84, L[s.firsttext + v].str());
        ESETCOLOR(on ? 4 : 15);
        // Label and price on one line are wider than the window: the label is
        // broken at its last blank that fits, the price goes below.
        std::string label = L[218].str(), rest;
        const std::size_t cut = label.rfind(' ', label.size() - 1);
        if (ETEXTWIDTH(label) > x2 - x1 - 8 && cut != std::string::npos && cut > 0) {
            rest = label.substr(cut + 1);
            label.resize(cut);
        }
        int y = BOTTOM - (rest.empty() ? 36 : 54);
        for (const std::string& line : {label, rest, "$" + std::to_string(STANDARDPREIS(v))}) {
            if (line.empty()) continue;
            EOUTTEXTXY((x1 + x2) / 2, y, line);
            y += 18;
        }
        DEFAULTTEXT();
    }
    SHOWGOLD(XM1 + 150, YM2 - s.goldy);
}

void RUN(const STANDARDSCREEN& s, int (*get)(), void (*set)(int)) {
    TIPSCREEN(s.code);
    bool changed = false;
    AUFBAU(s, get());
    while (true) {
        GLOBALBUTTON();
        if (SCREENLEFT()) break;
        if (KEY == 0) {
            DELAY(10);
        } else if (KEY == '0') {
            HELP(s.code);
            AUFBAU(s, get());
        } else if (KEY >= '1' && KEY <= '5') {
            set(KEY - '1');
            changed = true;
            AUFBAU(s, get());
        }
    }
    LEAVESCREEN(s.code, changed);
}

}  // namespace

void UNTERKUNFT() {
    RUN(HOUSING, [] { return static_cast<int>(TEAM.UNTERKUNFT); },
        [](int v) { TEAM.UNTERKUNFT = static_cast<std::int16_t>(v); });
}

void VERPFLEGUNG() {
    RUN(FOOD, [] { return static_cast<int>(TEAM.VERPFLEGUNG); },
        [](int v) { TEAM.VERPFLEGUNG = static_cast<std::uint8_t>(v); });
}

}  // namespace korax
