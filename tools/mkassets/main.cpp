// mkassets OUTDIR: writes every picture and icon of the program directory.
// mkassets --desktop OUTDIR: writes the desktop icon in every theme size.
// Everything is drawn by code from the shapes below, so the output is the
// same on every machine and every picture carries the master palette.
#include <cmath>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

#include "canvas.h"
#include "icon.h"

using namespace mkassets;

namespace {

std::string OUT;

void pcx(const std::string& name, const Canvas& c) { WRITE_FILE(OUT + "/" + name, PCX_BYTES(c, MASTER_PALETTE())); }

void raw(const std::string& name, const Canvas& c) {
    if (c.w != 32 || c.h != 32) throw std::runtime_error("icons are 32 x 32");
    WRITE_FILE(OUT + "/" + name + ".RAW", c.px);
}

std::uint8_t C(int r, int g, int b) { return NEAREST(r, g, b); }

// ---- icons -------------------------------------------------------------

struct Race {
    const char* code;
    std::uint8_t skin, dark;
};

// Colour 15 is the team colour, 2 the player's own colour, 0 the background;
// nothing else in an icon may use 3, 251 or 253.
Canvas player_icon(int race, int look, bool weak) {
    const Race races[5] = {{"h", C(220, 150, 90), C(120, 70, 30)},
                           {"b", C(110, 170, 80), C(40, 90, 30)},
                           {"s", C(120, 60, 140), C(50, 20, 60)},
                           {"m", C(150, 170, 210), C(60, 70, 110)},
                           {"e", C(200, 70, 40), C(100, 30, 10)}};
    const Race& r = races[race];
    Canvas c(32, 32, 0);
    const int bend = weak ? 2 : 0;
    const int hx = 16 + bend, hy = 8 + bend;
    const std::uint8_t boots = C(70, 50, 40);
    switch (race) {
        case 0:  // Hurtin: stocky, with small horns
            c.bar(10, 15, 21, 24, 15);
            c.bar(11, 25, 14, 30, r.dark), c.bar(17, 25, 20, 30, r.dark);
            c.bar(6, 16, 9, 22, r.skin), c.bar(22, 16, 25, 22, r.skin);
            c.disc(hx, hy, 5, 5, r.skin);
            c.line(hx - 5, hy - 6, hx - 3, hy - 3, C(230, 220, 180)), c.line(hx + 5, hy - 6, hx + 3, hy - 3, C(230, 220, 180));
            break;
        case 1:  // Bogon: broad and round
            c.disc(16, 20, 10, 7, 15);
            c.bar(9, 26, 13, 30, r.dark), c.bar(19, 26, 23, 30, r.dark);
            c.disc(4, 19, 3, 4, r.skin), c.disc(28, 19, 3, 4, r.skin);
            c.disc(hx, hy + 1, 7, 6, r.skin);
            break;
        case 2:  // Spider: round body on eight legs
            for (int k = 0; k < 4; ++k) {
                c.line(16, 20, 2 + bend, 12 + k * 5, r.dark), c.line(16, 20, 29, 12 + k * 5, r.dark);
            }
            c.disc(16, 20, 8, 6, 15);
            c.disc(hx, hy + 2, 5, 4, r.skin);
            break;
        case 3:  // Marvin: thin, with a big head
            c.bar(13, 16, 18, 25, 15);
            c.bar(13, 26, 14, 30, r.dark), c.bar(17, 26, 18, 30, r.dark);
            c.line(12, 17, 7, 23, r.skin, 2), c.line(19, 17, 24, 23, r.skin, 2);
            c.disc(hx, hy, 7, 7, r.skin);
            break;
        default:  // Eciton: ant with three segments and feelers
            c.disc(16, 25, 6, 4, r.dark);
            c.disc(16, 17, 5, 5, 15);
            c.line(11, 18, 4, 26, r.dark), c.line(21, 18, 28, 26, r.dark);
            c.disc(hx, hy, 5, 4, r.skin);
            c.line(hx - 2, hy - 4, hx - 6, 0, r.dark), c.line(hx + 2, hy - 4, hx + 6, 0, r.dark);
            break;
    }
    // The player's own colour: a belt (look 1) or a sash (look 2).
    if (look == 0) {
        c.bar(10, 21, 22, 22, 2);
    } else {
        c.line(11, 16, 21, 23, 2, 2);
    }
    if (weak) {
        c.line(hx - 5, hy - 2, hx + 5, hy - 2, C(200, 200, 200), 2);  // bandage
        c.line(hx - 3, hy, hx - 1, hy + 2, 0), c.line(hx - 1, hy, hx - 3, hy + 2, 0);
        c.line(hx + 1, hy, hx + 3, hy + 2, 0), c.line(hx + 3, hy, hx + 1, hy + 2, 0);
    } else {
        c.set(hx - 2, hy, 0), c.set(hx + 2, hy, 0);
        c.line(hx - 1, hy + 3, hx + 1, hy + 3, r.dark);
    }
    c.set(11, 30, boots);
    return c;
}

void icons() {
    const char* codes = "hbsme";
    for (int race = 0; race < 5; ++race)
        for (int v = 1; v <= 4; ++v)
            raw(std::string("i") + codes[race] + std::to_string(v), player_icon(race, (v - 1) % 2, v > 2));

    for (int frame = 1; frame <= 2; ++frame) {
        Canvas c(32, 32, 15);
        const std::uint8_t robe = C(60, 60, 200), hat = C(40, 40, 160), skin = C(240, 200, 160);
        c.poly({{8, 31}, {24, 31}, {20, 14}, {12, 14}}, robe);
        c.poly({{9, 9}, {23, 9}, {16, 0}}, hat);
        c.bar(7, 9, 25, 10, hat);
        c.disc(16, 13, 4, 3, skin);
        c.poly({{12, 15}, {20, 15}, {16, 24}}, C(200, 200, 200));  // beard
        c.set(14, 12, 0), c.set(18, 12, 0);
        if (frame == 2) {
            c.line(21, 18, 28, 9, C(130, 80, 30), 2);  // raised staff
            c.disc(28, 8, 2, 2, 14);
            c.set(18, 12, skin);  // wink
        } else {
            c.line(22, 20, 26, 30, C(130, 80, 30), 2);
        }
        raw("hugo" + std::to_string(frame), c);
    }

    Canvas p(32, 32, 7);
    p.line(6, 0, 16, 12, C(230, 200, 60)), p.line(26, 0, 16, 12, C(230, 200, 60));
    p.disc(16, 20, 9, 10, 2);
    p.disc(16, 20, 6, 7, 16);
    p.set(14, 17, 15), p.set(15, 16, 15);
    raw("pendant", p);
}

// ---- pictures ----------------------------------------------------------

void palette_swatch() {
    Canvas c(16, 16);
    for (int i = 0; i < 256; ++i) c.set(i % 16, i / 16, std::uint8_t(i));
    pcx("palette!.pcx", c);
}

void label() {
    Canvas c(100, 32, 15);
    c.disc(50, 16, 49, 15, 14);
    c.ring(50, 16, 49, 15, 8);
    c.text(30, 9, "TIPS", 0, 2);
    pcx("text.pcx", c);
}

void arrows() {
    for (int pressed = 0; pressed < 2; ++pressed) {
        const char* dirs = "udlr";
        for (int d = 0; d < 4; ++d) {
            if (pressed && (dirs[d] == 'u' || dirs[d] == 'd')) continue;
            Canvas c(24, 24, 7);
            c.bevel(0, 0, 23, 23, !pressed);
            c.bevel(1, 1, 22, 22, !pressed);
            const int o = pressed;
            std::vector<std::pair<int, int>> t;
            switch (dirs[d]) {
                case 'u': t = {{12 + o, 5 + o}, {5 + o, 17 + o}, {19 + o, 17 + o}}; break;
                case 'd': t = {{12 + o, 18 + o}, {5 + o, 6 + o}, {19 + o, 6 + o}}; break;
                case 'l': t = {{5 + o, 12 + o}, {17 + o, 5 + o}, {17 + o, 19 + o}}; break;
                default: t = {{18 + o, 12 + o}, {6 + o, 5 + o}, {6 + o, 19 + o}}; break;
            }
            c.poly(t, 0);
            pcx(std::string(pressed ? "bu_" : "bu-") + dirs[d] + ".pcx", c);
        }
    }
}

void shirt() {
    // Fills start at (30, 24) for the body and (10, 14) for the sleeve and stop
    // at colour 15, which also surrounds the shirt (the newspaper is white).
    Canvas c(60, 48, 15);
    const std::uint8_t body = 7;
    c.poly({{18, 4}, {42, 4}, {58, 16}, {50, 24}, {44, 20}, {44, 46}, {16, 46}, {16, 20}, {10, 24}, {2, 16}}, body);
    c.line(16, 6, 16, 24, 15);  // sleeve seams split sleeves from the body
    c.line(44, 6, 44, 24, 15);
    c.line(24, 4, 30, 10, 15), c.line(36, 4, 30, 10, 15);  // collar
    pcx("trikot.pcx", c);
}

void flag() {
    // The team data screen fills the two halves from (20, 10) and (20, 18) up to
    // colour 15: the pole stands apart from the cloth and off the lower edge, so a
    // fill never runs out of the picture.
    Canvas c(64, 48, 15);
    c.bar(1, 2, 3, 45, 8);
    c.poly({{5, 3}, {60, 14}, {5, 25}}, 1);
    c.line(5, 14, 60, 14, 15);
    c.fill(20, 10, 1);
    c.fill(20, 18, 4);
    pcx("flag.pcx", c);
}

void weather() {
    const std::uint8_t sky = C(140, 190, 240), sun = 14, cloud = 15, grey = C(130, 130, 140), rain = 9;
    for (int n = 0; n <= 9; ++n) {
        Canvas c(64, 48, n == 9 ? C(20, 20, 70) : sky);
        auto cloudy = [&](std::uint8_t col, int y) {
            c.disc(24, y, 12, 8, col), c.disc(38, y - 4, 12, 10, col), c.disc(46, y + 2, 10, 7, col);
        };
        switch (n) {
            case 0: c.disc(32, 24, 12, 12, sun);
                for (int k = 0; k < 8; ++k) c.line(32 + int(16 * std::cos(k * M_PI / 4)), 24 + int(16 * std::sin(k * M_PI / 4)),
                                                   32 + int(21 * std::cos(k * M_PI / 4)), 24 + int(21 * std::sin(k * M_PI / 4)), sun, 2);
                break;
            case 1: c.disc(22, 18, 10, 10, sun); cloudy(cloud, 30); break;
            case 2: cloudy(cloud, 22); break;
            case 3: cloudy(grey, 18);
                for (int k = 0; k < 6; ++k) c.line(14 + k * 7, 30, 10 + k * 7, 40, rain, 2);
                break;
            case 4: cloudy(C(80, 80, 90), 16); c.poly({{34, 24}, {26, 36}, {32, 36}, {28, 46}, {40, 32}, {33, 32}, {38, 24}}, sun); break;
            case 5: cloudy(cloud, 16);
                for (int k = 0; k < 6; ++k) c.disc(12 + k * 8, 34 + (k % 2) * 6, 2, 2, 15);
                break;
            case 6: for (int k = 0; k < 5; ++k) c.line(6, 10 + k * 8, 58, 10 + k * 8, C(210, 210, 210), 3); break;
            case 7: for (int k = 0; k < 3; ++k) { c.line(6, 14 + k * 10, 46, 14 + k * 10, 15, 2); c.ring(48, 10 + k * 10, 4, 4, 15); } break;
            case 8: cloudy(grey, 16);
                for (int k = 0; k < 6; ++k) c.disc(12 + k * 8, 36 + (k % 2) * 5, 2, 2, C(220, 240, 255));
                break;
            default: c.disc(36, 22, 12, 12, C(240, 240, 200)); c.disc(42, 18, 11, 11, C(20, 20, 70));
                for (int k = 0; k < 5; ++k) c.set(8 + k * 11, 6 + (k * 7) % 30, 15);
                break;
        }
        pcx("wolke" + std::to_string(n) + ".pcx", c);
    }
}

void vulture() {
    Canvas c(64, 64, 15);
    const std::uint8_t feather = C(70, 50, 40), neck = C(220, 140, 140);
    c.poly({{32, 24}, {2, 14}, {8, 26}, {30, 40}}, feather);
    c.poly({{32, 24}, {62, 14}, {56, 26}, {34, 40}}, feather);
    c.disc(32, 36, 9, 12, feather);
    c.bar(30, 14, 34, 26, neck);
    c.disc(32, 12, 5, 5, neck);
    c.poly({{36, 11}, {42, 14}, {36, 15}}, 14);
    c.set(33, 10, 0);
    c.line(28, 48, 26, 60, 14, 2), c.line(36, 48, 38, 60, 14, 2);
    pcx("geier.pcx", c);
}

void stadium() {
    Canvas c(320, 180, C(140, 190, 240));
    c.disc(160, 110, 150, 60, C(150, 150, 160));
    c.disc(160, 110, 132, 48, C(110, 110, 120));
    for (int k = 0; k < 5; ++k) c.ring(160, 110, 134 + k * 3, 50 + k * 2, C(90, 90, 100));
    c.disc(160, 112, 110, 36, C(40, 140, 40));
    c.ring(160, 112, 110, 36, 15);
    c.line(160, 76, 160, 148, 15);
    c.ring(160, 112, 16, 8, 15);
    for (int k = 0; k < 4; ++k) c.bar(20 + k * 90, 20, 24 + k * 90, 70, 8), c.bar(14 + k * 90, 14, 30 + k * 90, 22, 14);
    pcx("stadi.pcx", c);
}

void bank() {
    Canvas c(240, 160, C(140, 190, 240));
    const std::uint8_t stone = C(210, 200, 170), shade = C(150, 140, 110);
    c.bar(20, 150, 219, 159, shade);
    c.bar(30, 60, 209, 149, stone);
    c.poly({{20, 60}, {220, 60}, {120, 16}}, shade);
    for (int k = 0; k < 6; ++k) c.bar(40 + k * 30, 70, 50 + k * 30, 145, 15);
    c.bar(104, 100, 136, 149, C(100, 60, 30));
    c.text(102, 36, "$", 14, 3);
    pcx("bank.pcx", c);
}

void altar() {
    Canvas c(200, 240, C(40, 20, 60));
    const std::uint8_t stone = C(160, 150, 140), dark = C(90, 80, 80);
    c.bar(30, 200, 169, 239, dark);
    c.bar(50, 110, 149, 199, stone);
    c.bar(40, 100, 159, 112, dark);
    c.disc(100, 96, 40, 10, C(200, 170, 60));
    c.disc(100, 92, 34, 6, C(120, 100, 30));
    for (int k = 0; k < 2; ++k) {
        int x = k ? 180 : 20;
        c.bar(x - 4, 60, x + 4, 199, C(120, 80, 40));
        c.disc(x, 50, 6, 12, 14), c.disc(x, 54, 3, 6, 12);
    }
    pcx("altar.pcx", c);
}

void houses() {
    const std::uint8_t sky = C(140, 190, 240), grass = C(60, 150, 60);
    for (int n = 0; n < 5; ++n) {
        Canvas c(140, 100, sky);
        c.bar(0, 80, 139, 99, grass);
        switch (n) {
            case 0:  // barn
                c.bar(30, 40, 110, 85, C(140, 60, 30));
                c.poly({{24, 42}, {116, 42}, {70, 14}}, C(100, 40, 20));
                c.bar(58, 56, 82, 85, C(80, 40, 20));
                break;
            case 1:  // tents
                c.poly({{10, 85}, {60, 85}, {35, 40}}, C(200, 180, 120));
                c.poly({{70, 85}, {130, 85}, {100, 30}}, C(180, 150, 90));
                c.line(100, 30, 100, 85, 8);
                break;
            case 2:  // inn
                c.bar(25, 35, 115, 85, C(220, 200, 160));
                c.poly({{18, 38}, {122, 38}, {70, 10}}, C(150, 60, 40));
                c.bar(40, 50, 55, 62, 9), c.bar(85, 50, 100, 62, 9);
                c.bar(62, 62, 78, 85, C(100, 60, 30));
                break;
            case 3:  // hotel
                c.bar(30, 10, 110, 85, C(230, 230, 240));
                for (int y = 0; y < 4; ++y)
                    for (int x = 0; x < 4; ++x) c.bar(38 + x * 18, 16 + y * 15, 46 + x * 18, 24 + y * 15, 9);
                c.bar(62, 72, 78, 85, C(120, 80, 40));
                break;
            default:  // palace
                c.bar(20, 40, 120, 85, C(240, 230, 200));
                for (int k = 0; k < 3; ++k) {
                    int x = 25 + k * 45;
                    c.bar(x, 20, x + 12, 85, C(240, 230, 200));
                    c.poly({{x - 3, 21}, {x + 15, 21}, {x + 6, 4}}, 4);
                    c.bar(x + 5, 2, x + 6, 6, 14);
                }
                c.bar(60, 60, 80, 85, 14);
                break;
        }
        pcx("house" + std::to_string(n) + ".pcx", c);
    }
}

void food() {
    const std::uint8_t cloth = C(230, 220, 200), plate = 15, brown = C(150, 90, 40);
    for (int n = 0; n < 5; ++n) {
        Canvas c(140, 100, cloth);
        c.bar(0, 70, 139, 99, C(150, 100, 60));
        c.disc(70, 60, 50, 20, plate);
        c.ring(70, 60, 50, 20, 7);
        switch (n) {
            case 0: c.disc(55, 60, 6, 3, C(120, 110, 90)); c.line(70, 55, 85, 62, C(200, 200, 180), 2); break;
            case 1: c.disc(70, 60, 30, 12, C(200, 190, 140)); break;
            case 2: c.disc(60, 58, 14, 8, brown); c.disc(85, 62, 12, 6, C(240, 210, 80)); break;
            case 3: c.disc(58, 56, 18, 10, brown); c.disc(86, 58, 10, 6, 10); c.disc(80, 66, 12, 5, C(240, 210, 80)); break;
            default:
                c.disc(70, 52, 26, 14, C(180, 110, 50));
                c.line(48, 44, 40, 34, 15, 3), c.line(92, 44, 100, 34, 15, 3);
                for (int k = 0; k < 4; ++k) c.disc(30 + k * 27, 80, 6, 4, k % 2 ? 12 : 10);
                c.bar(118, 20, 126, 60, 14);
                break;
        }
        pcx("food" + std::to_string(n) + ".pcx", c);
    }
}

void smileys() {
    for (int m = -4; m <= 4; ++m) {
        Canvas c(48, 48, 15);
        // From raging red through yellow to overjoyed green.
        int r = m <= 0 ? 255 : 255 - m * 50, g = m >= 0 ? 220 : 220 + m * 45;
        std::uint8_t face = C(r, g, 40);
        c.disc(24, 24, 21, 21, face);
        c.ring(24, 24, 21, 21, 0);
        c.disc(16, 18, 2, 3, 0), c.disc(32, 18, 2, 3, 0);
        if (m < -2) c.line(11, 11, 20, 14, 0, 2), c.line(37, 11, 28, 14, 0, 2);
        const int bend = m;  // mouth curvature follows the mood
        for (int x = -10; x <= 10; ++x) {
            int y = 33 + int(std::lround(bend * (100.0 - x * x) / 100.0 * 1.5)) - (m > 0 ? 2 : 0);
            c.bar(24 + x, y, 24 + x, y + 1, 0);
        }
        pcx("smiley" + std::to_string(m) + ".pcx", c);
    }
}

void portraits() {
    const char* codes = "hbsme";
    for (int race = 0; race < 5; ++race) {
        Canvas icon = player_icon(race, 0, false);
        Canvas c(96, 96, C(200, 220, 240));
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                std::uint8_t v = icon.get(x, y);
                if (v == 0) continue;
                if (v == 15) v = C(200, 60, 60);
                if (v == 2) v = 14;
                c.bar(x * 3, y * 3, x * 3 + 2, y * 3 + 2, v);
            }
        c.frame(0, 0, 95, 95, 8);
        pcx(std::string("i") + codes[race] + ".pcx", c);
    }
}

void team0() {
    Canvas c(36, 36, 15);
    c.poly({{3, 2}, {32, 2}, {32, 18}, {17, 34}, {3, 18}}, 7);
    c.poly({{5, 4}, {30, 4}, {30, 17}, {17, 31}, {5, 17}}, C(170, 170, 170));
    c.text(9, 9, "?", 8, 3);
    pcx("TEAM0.PCX", c);
}

}  // namespace

int main(int argc, char** argv) {
    const bool desktop = argc == 3 && std::string(argv[1]) == "--desktop";
    if (argc != 2 && !desktop) {
        std::fprintf(stderr, "usage: mkassets OUTDIR | mkassets --desktop OUTDIR\n");
        return 2;
    }
    OUT = argv[argc - 1];
    if (desktop) {
        try {
            WRITE_ICONS(OUT);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "mkassets: %s\n", e.what());
            return 1;
        }
        return 0;
    }
    try {
        palette_swatch();
        label();
        arrows();
        shirt();
        flag();
        weather();
        vulture();
        stadium();
        bank();
        altar();
        houses();
        food();
        smileys();
        portraits();
        team0();
        icons();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkassets: %s\n", e.what());
        return 1;
    }
    return 0;
}
