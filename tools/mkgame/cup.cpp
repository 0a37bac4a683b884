// The cup part of a generated game: a long cup draw and, on request, the result of
// the last cup round waiting in the game directory as the game master sends it.
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "league.h"

namespace mkgame {

using namespace korax;

namespace {

template <typename R>
R record(const std::string& file, int nr) {
    R r{};
    const std::size_t at = static_cast<std::size_t>(nr - 1) * sizeof(R);
    if (nr >= 1 && at + sizeof(R) <= file.size()) std::memcpy(&r, file.data() + at, sizeof(R));
    return r;
}

template <typename R>
std::string raw(const R& r) {
    return std::string(reinterpret_cast<const char*>(&r), sizeof(R));
}

std::string le16(std::int16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); }

std::string message(const std::vector<std::string>& lines) {
    std::array<STRING80, 15> rec{};
    for (std::size_t i = 0; i < lines.size() && i < rec.size(); ++i) rec[i].set(lines[i]);
    return std::string(reinterpret_cast<const char*>(rec.data()), sizeof(rec));
}

// Sixty-four teams over six rounds: more lines and wider lines than the screen shows.
std::string longdraw(const std::string& own, const std::string& opponent) {
    std::string s = "Crystal Cup of the Five Races - the draw of every round, with the stadiums, the referees "
                    "and the kick-off hours as the cup committee announced them\r\n\r\n";
    const char* rounds[] = {"Round of 64", "Round of 32", "Round of 16", "Quarter-finals", "Semi-finals", "Final"};
    int pairs = 32;
    for (const char* round : rounds) {
        s += std::string(round) + "\r\n";
        for (int i = 1; i <= pairs; ++i) {
            std::string home = "Club " + std::to_string(i), away = "Club " + std::to_string(65 - i);
            if (i == 1) home = own, away = opponent;
            s += "  " + std::to_string(i) + ". " + home + " - " + away + "   stadium of " + home +
                 ", referee No. " + std::to_string(100 + i) + ", kick-off at " + std::to_string(12 + i % 8) +
                 " o'clock; the winner meets the winner of pairing " + std::to_string(pairs + i) + "; " + own +
                 " watch closely\r\n";
        }
        s += "\r\n";
        pairs = pairs > 1 ? pairs / 2 : 1;
    }
    return s;
}

}  // namespace

void MAKECUP(const Options& o, Game& g) {
    const std::string n = std::to_string(o.team);
    const int opponent = (o.team + 4) % 10 + 1;
    const TEAMREC own = record<TEAMREC>(g.team, o.team);
    const TEAMREC other = record<TEAMREC>(g.team, opponent);
    g.files["POKAL.TXT"] = longdraw(own.NAME.str(), other.NAME.str());
    if (!o.cupresult) return;

    // The cup match: lead-in, both teams, the five players of each on the pitch.
    std::string match = "KXP" + std::string(1, char(o.day)) + le16(110);
    match += raw(own) + raw(other);
    for (const TEAMREC* t : {&own, &other})
        for (int s = 1; s <= 5; ++s) match += raw(record<PLAYERREC>(g.player, t->PLAYERS[t->IMTEAM[s]]));

    TEAMPATCHTYPE team{};
    team.NR = static_cast<std::int16_t>(o.team);
    team.EINTRITT = 0;
    team.SITZEDIF = 0;
    team.FANDIF = 1;
    team.GOLDDIF = 250;
    team.ERFOLG = 1;
    team.NAME.set(own.SHORTNAME.str());
    team.GEGNER.set(other.SHORTNAME.str());
    std::string patches = raw(team);
    for (int s = 1; s <= 5; ++s) {
        PLAYERPATCHTYPE p{};
        p.NR = own.PLAYERS[s];
        p.NAME.set(record<PLAYERREC>(g.player, p.NR).NAME.str());
        p.VERDIF = static_cast<std::int16_t>(s % 2 ? -6 : 4);
        p.TORDIF = static_cast<std::int16_t>(s == 1 ? 2 : 0);
        patches += raw(p);
    }
    // Longer than the 40 characters a history line keeps.
    const std::string line = "Cup, round of 32: " + own.SHORTNAME.str() + " - " + other.SHORTNAME.str() +
                             " 3:1 after a long evening";
    std::string history(256, '\0');
    history[0] = static_cast<char>(line.size());
    std::memcpy(history.data() + 1, line.data(), line.size());
    const std::string msg = message({"*** Cup committee ***", "The " + own.SHORTNAME.str() + " beat the " +
                                     other.SHORTNAME.str() + " 3:1 in the round of 32.",
                                     "The gate money of 250 gold is on its way.", "", "Next: the round of 16."});

    std::uint16_t sum = 0;
    for (unsigned char c : patches + line + msg) sum = static_cast<std::uint16_t>(sum + c);
    std::string out(1, char(101));
    out += raw(STRING12::of(o.gamedir));
    out += le16(static_cast<std::int16_t>(sum));
    out += match + patches;
    for (int t : {o.team, opponent}) out += le16(static_cast<std::int16_t>(g.pictures[t - 1].size())) + g.pictures[t - 1];
    out += history + msg;
    g.files["CUP" + n + ".RST"] = out;
}

}  // namespace mkgame
