#include "management/pendant.h"

#include "data/g_general.h"
#include "ui/m_graph.h"

namespace korax {

ICONREC ARTICON{};

namespace {

struct ARTTYPE {
    const char* name;
    int c1, c2, marker;
};
constexpr ARTTYPE ARTTYPES[7] = {
    {"Nothing", 0, 0, 0},       {"Condition", 10, 2, 2}, {"Motivate", 13, 5, 5}, {"Invisibility", 15, 7, 15},
    {"Compensation", 8, 0, 8}, {"Death", 9, 1, 1},      {"Speed", 12, 4, 4},
};

const ARTTYPE& arttype(int type) { return ARTTYPES[type >= 0 && type <= 6 ? type : 0]; }

}  // namespace

int PENDANTCOLOR(int type) { return arttype(type).marker; }

void READPENDANT(int type, int& c1, int& c2, std::string& name) {
    const ARTTYPE& a = arttype(type < 0 ? -type : type);
    c1 = a.c1;
    c2 = a.c2;
    name = std::string("Pendant of ") + a.name;
    if (type < 0) return;
    if (!READICONTOL("pendant", ARTICON)) return;
    // Pixels of colour 2 first: colour 16 may become 2 and must not be changed again.
    ICONREC plain = ARTICON;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (plain.P[y][x] == 2) ARTICON.P[y][x] = static_cast<std::uint8_t>(c2);
            else if (plain.P[y][x] == 16) ARTICON.P[y][x] = static_cast<std::uint8_t>(c1);
        }
}

}  // namespace korax
