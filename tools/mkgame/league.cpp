#include "league.h"
#include "market.h"
#include "match.h"
#include "news.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <stdexcept>

#include "../mkassets/canvas.h"

using namespace korax;

namespace mkgame {

namespace {

const char* const TEAMNAMES[10] = {"Dragons of the Deep", "Swamp Runners",   "Bogon Bashers",   "Iron Spiders",
                                   "Marvin Meteors",      "Eciton Raiders",  "Hurtin Hammers",  "Moonlit Wolves",
                                   "Crystal Golems",      "Thunder Vultures"};
const char* const SHORTNAMES[10] = {"Dragons", "Runners", "Bashers", "Spiders", "Meteors",
                                    "Raiders", "Hammers", "Wolves",  "Golems",  "Vultures"};
const char* const TRAINERS[10] = {"Grimbold Stonefist", "Mira Fenwater", "Ugga Bonecrusher", "Silka Webweaver",
                                  "Zorp Quasar",        "Kara Antlion",  "Brakk Ironhide",   "Luna Greyfang",
                                  "Quartz Deepdelver",  "Vex Stormwing"};
// Name syllables per race: Hurtin, Bogon, Spider, Marvin, Eciton.
const char* const SYLLABLES[5][8] = {{"Gor", "Bra", "Thu", "Dak", "ruk", "gar", "dor", "mok"},
                                     {"Ug", "Bog", "Gra", "Mu", "lug", "gub", "ba", "rok"},
                                     {"Szi", "Ara", "Kri", "Xe", "nea", "tik", "ssa", "ra"},
                                     {"Zo", "Qua", "Mar", "Vi", "rp", "zel", "vin", "x"},
                                     {"Eci", "Fo", "Myr", "An", "ton", "mi", "ka", "tis"}};

// Plain modulo keeps the sequence identical on every standard library.
struct Rng {
    std::mt19937 mt;
    explicit Rng(std::uint32_t seed) : mt(seed) {}
    int operator()(int n) { return n <= 0 ? 0 : static_cast<int>(mt() % static_cast<std::uint32_t>(n)); }
    int range(int lo, int hi) { return lo + (*this)(hi - lo + 1); }
};

template <typename R>
std::string bytes(const R& r) {
    return std::string(reinterpret_cast<const char*>(&r), sizeof(R));
}

std::string crlf(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

// Circle method: match day r (0..8), pairing k (0..4).
std::pair<int, int> roundrobin(int r, int k) {
    std::array<int, 10> a{};
    a[0] = 10;
    for (int i = 0; i < 9; ++i) a[1 + i] = 1 + (i + r) % 9;
    int h = a[k], g = a[9 - k];
    if ((r + k) % 2) std::swap(h, g);
    return {h, g};
}

SPIELPLANTYPE& fixture(GENTYPE& gen, int day, int k) { return gen.SPIELPLAN[day <= 9 ? 1 : 0][day <= 9 ? day : day - 9][k]; }

std::int32_t dostime(int year, int month, int day, int hour, int minute) {
    return static_cast<std::int32_t>((std::uint32_t(year - 1980) << 25) | (std::uint32_t(month) << 21) |
                                     (std::uint32_t(day) << 16) | (std::uint32_t(hour) << 11) | (std::uint32_t(minute) << 5));
}

std::string emblem(int t, const TEAMREC& team) {
    mkassets::Canvas c(36, 36, 15);
    const std::uint8_t a = team.FARBE1, b = team.FARBE2;
    c.poly({{3, 2}, {32, 2}, {32, 18}, {17, 34}, {3, 18}}, 0);
    c.poly({{5, 4}, {30, 4}, {30, 17}, {17, 31}, {5, 17}}, a);
    switch (t % 4) {
        case 0: c.bar(15, 6, 19, 27, b), c.bar(8, 11, 26, 15, b); break;
        case 1: c.disc(17, 15, 7, 7, b); break;
        case 2: c.poly({{17, 6}, {26, 24}, {8, 24}}, b); break;
        default: c.line(8, 6, 26, 26, b, 3), c.line(26, 6, 8, 26, b, 3); break;
    }
    auto v = mkassets::PCX_BYTES(c, mkassets::MASTER_PALETTE());
    return std::string(v.begin(), v.end());
}

std::string message(const std::vector<std::string>& lines) {
    std::array<STRING80, 15> rec{};
    for (std::size_t i = 0; i < lines.size() && i < 15; ++i) rec[i].set(lines[i]);
    return std::string(reinterpret_cast<const char*>(rec.data()), sizeof(rec));
}

}  // namespace

Game MAKEGAME(const Options& o) {
    if (o.team < 1 || o.team > 10) throw std::runtime_error("team number must be 1..10");
    if (o.day < 0 || o.day > 18) throw std::runtime_error("match day must be 0..18");
    Rng rnd(o.seed);
    const std::string n = std::to_string(o.team);
    Game g;

    // Players 1..100 form the squads (team t has t*10-9 .. t*10); 101..110 are on the market.
    std::vector<PLAYERREC> players(111);
    for (int p = 1; p <= 110; ++p) {
        PLAYERREC& pl = players[p];
        pl = PLAYERREC{};
        const int race = rnd(5);
        pl.TEAM = static_cast<std::int16_t>(p <= 100 ? (p - 1) / 10 + 1 : 0);
        pl.RACE = static_cast<std::int16_t>(race * 2 + 1 + rnd(2));
        pl.NAME.set(std::string(SYLLABLES[race][rnd(4)]) + SYLLABLES[race][4 + rnd(4)]);
        pl.INDI = static_cast<std::int16_t>(rnd(100));
        pl.INTELLIGENZ = std::uint8_t(rnd.range(30, 95));
        pl.SCHNELLIGKEIT = std::uint8_t(rnd.range(30, 95));
        pl.AUSDAUER = std::uint8_t(rnd.range(30, 95));
        pl.KOERPERKRAFT = std::uint8_t(rnd.range(30, 95));
        pl.GESCHICKLICHKEIT = std::uint8_t(rnd.range(30, 95));
        pl.MOTIVATION = std::uint8_t(rnd.range(40, 100));
        pl.VERFASSUNG = std::int8_t(rnd(9) == 0 ? rnd.range(5, 29) : rnd.range(50, 100));
        pl.PASS = static_cast<std::int16_t>(rnd(100) % 6);  // balls: 0..5
        pl.FARBE = static_cast<std::int16_t>(rnd.range(32, 247));
        pl.INDI3 = static_cast<std::int16_t>(rnd(100));
        pl.VORLEGEN = std::uint8_t(rnd(100) % 11);  // shown halved: 0..5 balls
        pl.SAISON = static_cast<std::int16_t>(rnd.range(1, 4));
        pl.DAYSIMTEAM = static_cast<std::int16_t>(rnd.range(o.day, o.day + 30));
        pl.ORGTEAM = std::uint8_t(p <= 100 ? pl.TEAM : rnd.range(1, 10));
        pl.MARKTCOUNT = std::uint8_t(p > 100 ? rnd(3) : 0);
    }

    std::array<TEAMREC, 11> teams{};
    for (int t = 1; t <= 10; ++t) {
        TEAMREC& tm = teams[t];
        tm = TEAMREC{};
        tm.NAME.set(TEAMNAMES[t - 1]);
        tm.TRAINER.set(TRAINERS[t - 1]);
        tm.SHORTNAME.set(SHORTNAMES[t - 1]);
        tm.GOLD = rnd.range(1000, 3000);
        for (int s = 1; s <= 10; ++s) tm.PLAYERS[s] = static_cast<std::int16_t>((t - 1) * 10 + s);
        for (int k = 1; k <= 5; ++k) tm.IMTEAM[k] = std::uint8_t(k);
        // Forwards 1 and 2 right of defenders 3 and 4, the keeper at the back.
        const int pos[6][2] = {{0, 0}, {700, 180}, {700, 420}, {350, 150}, {350, 450}, {100, 300}};
        for (int k = 1; k <= 5; ++k) {
            for (auto* tac : {&tm.TAKTIK[k], &tm.SPARRTAKTIK[k]}) {
                tac->NORMALX = static_cast<std::int16_t>(pos[k][0] + rnd(40));
                tac->NORMALY = static_cast<std::int16_t>(pos[k][1]);
                tac->FANGRADIUS = static_cast<std::int16_t>(rnd.range(50, 300));
                tac->NR = static_cast<std::int16_t>(k);
                tac->EINSATZ = std::uint8_t(rnd(3));
            }
        }
        tm.STADION.SITZPLAETZE = static_cast<std::int16_t>(rnd.range(5, 20) * 100);
        tm.STADION.EINTRITT = static_cast<std::int16_t>(rnd.range(1, 10));
        tm.STADION.OLDEINTRITT = tm.STADION.EINTRITT;
        tm.STADION.STIMMUNG = static_cast<std::int16_t>(rnd.range(-4, 4));
        tm.STADION.ZUSCHAUER = static_cast<std::int16_t>(tm.STADION.SITZPLAETZE - rnd(400));
        tm.STADION.OLDWETTER = static_cast<std::int16_t>(rnd(10));
        tm.TRAINING.TECHNIK = 4, tm.TRAINING.TAKTIK = 4, tm.TRAINING.KRAFT = 4;
        tm.TRAINING.SCHUSS = 4, tm.TRAINING.AUSDAUER = 4;
        tm.TRAINING.INTERVALL = static_cast<std::int16_t>(rnd.range(1, 3));
        // More points than are given out: the client treats the opposite as damage.
        tm.TRAINING.POINTS = 24;
        tm.TRAINING.TENDENZ = static_cast<std::int16_t>(rnd.range(-2, 2));
        tm.TRAINING.KXANZAHL = 1;
        tm.UNTERKUNFT = static_cast<std::int16_t>(rnd(5));
        tm.VERPFLEGUNG = std::uint8_t(rnd(5));
        tm.PROFI = 0;
        tm.LIZENZ = 1;
        tm.SAISON = 1;
        tm.VPREIS = static_cast<std::int16_t>(rnd.range(3, 8));
        tm.LIGA = 1;
        tm.FARBE1 = std::uint8_t(1 + (t * 3) % 16);
        tm.FARBE2 = std::uint8_t(tm.FARBE1 % 16 + 1 == 15 ? 14 : tm.FARBE1 % 16 + 1);
        if (tm.FARBE1 == 15) tm.FARBE1 = 13;
        for (int i = 1; i <= 10; ++i) tm.SYMBOLVER[i] = 1;
        tm.GAMEDIR.set(o.gamedir);
        tm.TEAMNUMMER = std::uint8_t(t);
        tm.LANGUAGE = 1;
        tm.LIGAKENNUNG = 1;
    }
    // One professional team; the rest of the league plays as amateurs.
    teams[o.team % 10 + 1].PROFI = 1;
    // The own team: two artefacts, a transfer decision with a price and one without,
    // and enough experience (with its code) to see other teams' orders.
    {
        TEAMREC& own = teams[o.team];
        own.ARTPLAYER[2] = 23;   // Motivate, level 3
        own.ARTPLAYER[7] = 61;   // Speed, level 1
        own.TRANSFER[8] = -2;
        own.TRANSGEBOT[8] = 350;
        own.TRANSFER[9] = 1;
        own.ERFAHRUNG = 2;
        own.ERFCODE = std::uint8_t(2 ^ ERFMASK);
    }

    // Fixtures, results of the days played and odds for the next day.
    GENTYPE gen{};
    gen.ANZAHL = 10;
    gen.AUFSTIEG = 2;
    gen.ABSTIEG = 2;
    gen.LIGA = 1;
    gen.LIGATXT.set("League 1");
    if (o.day <= 9) gen.TURN = static_cast<std::int16_t>(o.day), gen.HINRUNDE = 1;
    else gen.TURN = static_cast<std::int16_t>(o.day - 9), gen.HINRUNDE = 0;
    std::array<int, 11> strength{};
    for (int t = 1; t <= 10; ++t)
        for (int s = 1; s <= 5; ++s) strength[t] += PLAYERWERT(players[(t - 1) * 10 + s]);
    struct Row { int team, won = 0, drawn = 0, lost = 0, diff = 0; };
    std::array<Row, 11> rows{};
    for (int t = 1; t <= 10; ++t) rows[t].team = t;
    auto table = [&] {
        std::vector<Row> v(rows.begin() + 1, rows.end());
        std::stable_sort(v.begin(), v.end(), [](const Row& a, const Row& b) {
            int pa = a.won * 3 + a.drawn, pb = b.won * 3 + b.drawn;
            if (pa != pb) return pa > pb;
            if (a.diff != b.diff) return a.diff > b.diff;
            return a.team < b.team;
        });
        return v;
    };
    // Strengths move from day to day; a generator of their own keeps every other
    // number of the league as it was.
    Rng drift(o.seed * 7919u + 17u);
    std::array<int, 11> form{};
    auto statistics = [&](int d) {
        if (d > 0)
            for (int t = 1; t <= 10; ++t) form[t] += drift.range(-200, 200);
        auto v = table();
        for (int place = 1; place <= 10; ++place) {
            const int t = v[place - 1].team;
            STATISTIKTYPE& s = gen.STATISTIK[t][d];
            s.TABPLATZ = std::uint8_t(place);
            s.STAERKE = static_cast<std::int16_t>(strength[t] / 5 + form[t]);
        }
    };
    statistics(0);
    std::vector<std::pair<int, int>> owngoals;  // per played day: goals scored by the own team's players
    for (int d = 1; d <= 18; ++d) {
        for (int k = 1; k <= 5; ++k) {
            auto [h, a] = roundrobin((d - 1) % 9, k - 1);
            if (d > 9) std::swap(h, a);
            SPIELPLANTYPE& f = fixture(gen, d, k);
            f.HEIM = static_cast<std::int16_t>(h);
            f.GAST = static_cast<std::int16_t>(a);
            if (d <= o.day) {
                int hg = rnd(4) + (strength[h] > strength[a] ? 1 : 0), ag = rnd(4);
                f.HWERT = static_cast<std::int16_t>(hg);
                f.GWERT = static_cast<std::int16_t>(ag);
                for (auto [team, goals] : {std::pair{h, hg}, std::pair{a, ag}}) {
                    for (int i = 0; i < goals; ++i) {
                        PLAYERREC& scorer = players[(team - 1) * 10 + 1 + rnd(5)];
                        ++scorer.TORE;
                        if (d == o.day) ++scorer.LASTTORE;
                    }
                }
                Row &rh = rows[h], &ra = rows[a];
                rh.diff += hg - ag, ra.diff += ag - hg;
                if (hg > ag) ++rh.won, ++ra.lost;
                else if (hg < ag) ++ra.won, ++rh.lost;
                else ++rh.drawn, ++ra.drawn;
            } else if (d == o.day + 1) {
                // Betting odds in tenths for the coming day.
                int sh = strength[h] + 1, sa = strength[a] + 1;
                f.HWERT = static_cast<std::int16_t>(std::max(11, 10 * (sh + sa) / sh / 1));
                f.GWERT = static_cast<std::int16_t>(std::max(11, 10 * (sh + sa) / sa / 1));
            }
        }
        if (d <= o.day) statistics(d);
    }
    auto final = table();
    for (int place = 1; place <= 10; ++place) {
        const Row& r = final[place - 1];
        TABELLENTYPE& row = gen.TABELLE[place];
        row.TEAM = static_cast<std::int16_t>(r.team);
        row.GEWONNEN = static_cast<std::int16_t>(r.won);
        row.UNENTSCHIEDEN = static_cast<std::int16_t>(r.drawn);
        row.VERLOREN = static_cast<std::int16_t>(r.lost);
        row.TORDIFF = static_cast<std::int16_t>(r.diff);
        row.STAERKE = static_cast<std::int16_t>(strength[r.team] / 5 + form[r.team]);
        row.LIZENZ = 1;
        if (r.team == o.team) gen.PLATZ = static_cast<std::int16_t>(place);
    }
    std::vector<int> scorers;
    for (int p = 1; p <= 100; ++p) scorers.push_back(p);
    std::stable_sort(scorers.begin(), scorers.end(), [&](int a, int b) { return players[a].TORE > players[b].TORE; });
    for (int i = 1; i <= 10; ++i) {
        const PLAYERREC& p = players[scorers[i - 1]];
        TORSCHUETZENTYPE& ts = gen.TORSCHUETZEN[i];
        ts.PLAYER = static_cast<std::int16_t>(scorers[i - 1]);
        ts.NAME = p.NAME;
        ts.TEAM = std::uint8_t(p.TEAM);
        ts.RASSE = std::uint8_t(p.RACE);
        ts.TORE = p.TORE;
    }
    for (int w = 1; w <= 10; ++w) {
        WERBREC& ad = gen.WERBUNG[w];
        ad.DAUER = std::uint8_t(rnd.range(2, 9));
        ad.PROSPIEL = static_cast<std::int16_t>(rnd.range(2, 12) * 10);
        ad.PROSIEG = static_cast<std::int16_t>(rnd.range(2, 10) * 10);
        ad.INUSE = std::uint8_t(w * 2 - rnd(2));  // a line of NOTION.CFG
    }
    TEMPLE(teams[o.team], o.team, gen);
    gen.POKALNAME.set("CUP" + n);
    gen.ZAT = dostime(2026, 12, 13 + o.day % 10, 18, 0);
    gen.ZATTEXT.set("13.12.2026 18:00");
    gen.ZATEMAIL.set("gamemaster@korax.invalid");
    for (int i = 1; i <= 10; ++i) {
        gen.SKLAVEN[i] = static_cast<std::int16_t>(100 + i);
        gen.SKLAVENCOUNT[i] = players[100 + i].MARKTCOUNT;
        gen.SKLAVENGEBOT[i] = static_cast<std::int16_t>(i % 3 == 0 ? rnd.range(3, 9) * 50 : 0);
        gen.VPREIS[i] = teams[i].VPREIS;
        gen.TSYMVER[i] = 1;
        gen.INNEWS[i] = std::uint8_t(rnd(2));
    }
    MARKETLOTS(o, players, gen);
    gen.ZINSEN = 8;
    gen.ABSTIEG = 2;  // the last two places go down
    gen.SEED = static_cast<std::int32_t>(o.seed * 2654435761u);
    gen.LIGAKENNUNG = 1;
    gen.RSZNAME.set(o.rszname);

    for (int p = 1; p <= 110; ++p) players[p].PRUEF = PLAYERPRUEF(players[p]);

    // History lines of the own team.
    g.history.push_back(ERFOLGREC::of("Saison 1"));
    for (int d = 1; d <= o.day; ++d)
        for (int k = 1; k <= 5; ++k) {
            const SPIELPLANTYPE& f = fixture(gen, d, k);
            if (f.HEIM != o.team && f.GAST != o.team) continue;
            g.history.push_back(ERFOLGREC::of(std::to_string(d) + ". " + SHORTNAMES[f.HEIM - 1] + " - " +
                                              SHORTNAMES[f.GAST - 1] + " " + std::to_string(f.HWERT) + ":" +
                                              std::to_string(f.GWERT)));
        }
    if (o.day > 0) g.history.push_back(ERFOLGREC::of(">>> Place " + std::to_string(gen.PLATZ) + " after day " + std::to_string(o.day)));
    STATSEXTRAS(o, teams, g.history);
    teams[o.team].ERFOLGE = static_cast<std::uint16_t>(g.history.size());

    // Records as files.
    for (int p = 1; p <= 110; ++p) g.player += bytes(players[p]);
    for (int t = 1; t <= 10; ++t) g.team += bytes(teams[t]);
    g.gen = bytes(gen);
    g.files["PLAYER" + n + ".DAT"] = g.player;
    g.files["TEAM" + n + ".DAT"] = g.team;
    g.files["GEN" + n + ".DAT"] = g.gen;
    g.files["TEAM" + n + ".TXT"] = "";
    std::string his;
    for (const auto& l : g.history) his += l.str() + "\r\n";
    g.files["TEAM" + n + ".HI"] = his;
    for (int t = 1; t <= 10; ++t) {
        g.pictures.push_back(emblem(t, teams[t]));
        g.files["TEAM" + std::to_string(t) + ".PCX"] = g.pictures.back();
    }

    // Match files: a 6-byte lead-in with the viewer version, both teams, the ten players on the pitch.
    auto matchfile = [&](int d, int k) {
        const SPIELPLANTYPE& f = fixture(gen, d, k);
        std::string m = "KXM" + std::string(1, char(d));
        const std::int16_t version = 110;
        m += std::string(reinterpret_cast<const char*>(&version), 2);
        m += bytes(teams[f.HEIM]) + bytes(teams[f.GAST]);
        for (int side : {int(f.HEIM), int(f.GAST)})
            for (int s = 1; s <= 5; ++s) m += bytes(players[(side - 1) * 10 + teams[side].IMTEAM[s]]);
        return m;
    };
    for (int d = 1; d <= o.day; ++d) {
        for (int k = 1; k <= 5; ++k) {
            const SPIELPLANTYPE& f = fixture(gen, d, k);
            const std::string m = matchfile(d, k);
            if (f.HEIM == o.team || f.GAST == o.team) {
                g.files["GAME" + n + "." + std::to_string(d)] = m;
                if (d == o.day) g.match = m;
            } else if (d == o.day) {
                g.files["GAME" + n + "." + std::to_string(d) + char('A' + k - 1)] = m;
            }
            if (d == o.day) g.further.push_back(f.HEIM == o.team || f.GAST == o.team ? "" : m);
        }
    }
    if (o.day > 0) {
        g.files["GAME" + n + ".DAT"] = g.match;
        for (int i = 0; i < 3000; ++i) g.quick += char(rnd(256));
        g.files["QUICK" + n + ".DAT"] = g.quick;
        g.files["QUICK" + n + "." + std::to_string(o.day)] = g.quick;
    }

    // Messages: a notice of the game master, a trainer's message, one to all.
    const int other = o.team % 10 + 1, third = (o.team + 4) % 10 + 1;
    g.messages.push_back(message({std::string(1, char(233)) + "Game master", "The deadline for the next turn is",
                                  gen.ZATTEXT.str() + ". Good luck!"}));
    g.messages.push_back(message({std::string("*** From team ") + TEAMNAMES[other - 1] + " ***", "Hello neighbour,",
                                  "shall we exchange a player? My Bogon", "needs more sunshine than we have here.",
                                  "", "Yours, " + std::string(TRAINERS[other - 1])}));
    g.messages.push_back(message({std::string("*** From team ") + TEAMNAMES[third - 1] + " <*>",
                                  "To all trainers: the ^Crystal Cup^ party", "is at our stadium after day 9.",
                                  "Bring your own mushrooms."}));
    std::string msg;
    for (const auto& m : g.messages) msg += m;
    g.files["MSG" + n + ".DAT"] = msg;

    // Newspaper of the day and of earlier days.
    auto news = [&](int d) {
        std::vector<std::string> l = {"[1] League"};
        for (int k = 1; k <= 2; ++k) {
            const SPIELPLANTYPE& f = fixture(gen, d, k);
            l.push_back(std::string("#") + SHORTNAMES[f.HEIM - 1] + " " + std::to_string(f.HWERT) + ":" +
                        std::to_string(f.GWERT) + " " + SHORTNAMES[f.GAST - 1]);
            l.push_back("#<W>" + std::to_string(f.HEIM));
            l.push_back(std::string("The ") + SHORTNAMES[f.HEIM - 1] + " met the " + SHORTNAMES[f.GAST - 1]);
            l.push_back("before " + std::to_string(teams[f.HEIM].STADION.ZUSCHAUER) + " spectators.");
            l.push_back("");
        }
        l.insert(l.end(), {"#<T>" + std::to_string(teams[o.team].FARBE1), "The new shirts of the " + std::string(SHORTNAMES[o.team - 1]),
                           "drew much praise.", "#>>", "#Table",
                           std::string(SHORTNAMES[final[0].team - 1]) + " lead the league.", "[2] Weather",
                           "#<C>" + std::to_string(d % 10), "The weather for the next", "match day is uncertain.",
                           "[3] Gossip", "#<V>0", "A vulture was seen above the", "stadium of the last team.",
                           "#<H>4", "A ^young Hurtin^ is said to", "join the league soon."});
        MORENEWS(l, o.team, d);
        return crlf(l);
    };
    for (int d = 1; d < o.day; ++d) g.files["NEWS." + std::to_string(d)] = news(d);
    if (o.day > 0) g.files["NEWS.TXT"] = news(o.day);

    // Cup: the announcement of the next round and its draw.
    const int cupday = std::min(18, o.day + 2);
    g.files["POKAL" + n + ".DAT"] = crlf({std::to_string(cupday), ".Round of 16", "CUP" + n,
                                          std::string(TEAMNAMES[third - 1]) + " (League 1)"});
    std::vector<std::string> draw = {"Crystal Cup - Round of 16", ""};
    for (int i = 0; i < 8; ++i) {
        if (i == 0) draw.push_back(std::string(TEAMNAMES[o.team - 1]) + " - " + TEAMNAMES[third - 1]);
        else draw.push_back("League " + std::to_string(1 + i % 3) + " team " + std::to_string(i) + " - League " +
                            std::to_string(2 + i % 2) + " team " + std::to_string(9 - i));
    }
    g.files["POKAL.TXT"] = crlf(draw);
    MATCHFILES(o, g);
    MAKECUP(o, g);
    return g;
}

std::string MAKECONTAINER(const Options& o, const Game& g) {
    std::array<std::int32_t, 30> table{};
    table[0] = static_cast<std::int32_t>(g.player.size());
    table[1] = static_cast<std::int32_t>(g.team.size());
    table[2] = static_cast<std::int32_t>(g.gen.size());
    table[3] = static_cast<std::int32_t>(g.match.size());
    table[4] = 1215;
    table[5] = static_cast<std::int32_t>(g.history.size());
    table[7] = static_cast<std::int32_t>(g.quick.size());
    std::uint8_t sum = static_cast<std::uint8_t>(o.team);
    auto count = [&](const std::string& s) {
        for (unsigned char c : s) sum = static_cast<std::uint8_t>(sum + c);
    };
    std::string body;
    for (int i = 0; i < 10; ++i) {
        table[10 + i] = static_cast<std::int32_t>(g.pictures[i].size());
        body += g.pictures[i];
    }
    for (const std::string* s : {&g.player, &g.team, &g.gen}) {
        body += *s;
        count(*s);
    }
    count(g.gen.substr(0, 2));  // the first two bytes of the general record count twice
    body += g.match;
    count(g.match);
    body += g.quick;
    count(g.quick);
    for (std::size_t k = 0; k < g.further.size(); ++k) {
        if (g.further[k].empty()) continue;
        table[6] |= 1 << (k + 1);
        body += g.further[k];
        count(g.further[k]);
    }
    for (const auto& line : g.history) {
        std::string b = bytes(line);
        body += b;
        count(b);
    }
    for (const auto& m : g.messages) {
        body += m;
        count(m);
    }
    table[9] = sum + 6;
    std::string out(1, char(1));
    out += bytes(STRING12::of(o.gamedir));
    out += std::string(reinterpret_cast<const char*>(table.data()), sizeof(table));
    return out + body;
}

}  // namespace mkgame
