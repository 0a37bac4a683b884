// The slave market through the real client on a generated league: a bid, a
// release and a withdrawn pending offer reach TEAM3.DAT when the market is left,
// and the market and the destination chooser are drawn in both languages.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/client_run.h"
#include "data/g_general.h"
#include "data/g_types.h"

using namespace korax;
using namespace korax::client;

namespace {

constexpr int OWN = 3;
// The slave market: first entry below the fixed part of MENU.CFG.
const std::string MARKET = "click 888 417\n";

PLAYERREC playerrecord(const std::string& file, int nr) {
    PLAYERREC p{};
    if (nr >= 1 && file.size() >= static_cast<std::size_t>(nr) * sizeof p)
        std::memcpy(&p, file.data() + (nr - 1) * sizeof p, sizeof p);
    return p;
}

std::string typed(long n) { return "key Space\nkey Esc\ntext " + std::to_string(n) + "\nkey Enter\nkey Enter\n"; }

}  // namespace

TEST(MarketThroughTheClient, DecisionsAreWrittenWhenLeaving) {
    ProgramDir d;
    ASSERT_EQ(d.game(OWN, 4), 0) << d.log();
    const std::string teams = d.file("LIGA/TEAM3.DAT");
    const std::string players = d.file("LIGA/PLAYER3.DAT");
    GENTYPE gen{};
    const std::string genbytes = d.file("LIGA/GEN3.DAT");
    ASSERT_GE(genbytes.size(), sizeof gen);
    std::memcpy(&gen, genbytes.data(), sizeof gen);
    const TEAMREC before = teamrecord(teams, OWN);
    ASSERT_EQ(before.TRANSFER[6], 0);
    ASSERT_EQ(before.TRANSFER[8], -2);
    ASSERT_EQ(before.IMTEAM[1], 1);
    const PLAYERREC six = playerrecord(players, before.PLAYERS[6]);
    const int value6 = PLAYERWERT(six);
    ASSERT_GT(value6, 0);
    const PLAYERREC lot1 = playerrecord(players, gen.SKLAVEN[1]);
    const int price1 = gen.SKLAVENGEBOT[1] > 0 ? static_cast<int>(gen.SKLAVENGEBOT[1]) : PLAYERWERT(lot1);
    ASSERT_LE(price1, before.GOLD);
    const int bid = std::min<int>(before.GOLD, 32767);

    // Bid all gold on lot 1, release slot 6, withdraw the pending offer of slot 8,
    // try slot 1 (in the line-up), leave with "R".
    const std::string script = "wait 100\n" + MARKET + "key B\n" + typed(99999) +
                               "key 6\nkey H\nkey Enter\n" + "key 8\nkey Enter\n" + "key 1\nkey Enter\n" +
                               "key R\n" + QUIT;
    ASSERT_EQ(d.run({"korax", "LIGA", "3"}, script), 0) << d.log();

    const std::string after = d.file("LIGA/TEAM3.DAT");
    ASSERT_EQ(after.size(), teams.size());
    for (int t = 1; t <= 10; ++t) {
        if (t == OWN) continue;
        EXPECT_EQ(after.substr((t - 1) * 907, 907), teams.substr((t - 1) * 907, 907)) << t;
    }
    TEAMREC expect = before, got = teamrecord(after, OWN);
    expect.ANGEBOT[1] = static_cast<std::int16_t>(bid);
    expect.GOLD = before.GOLD - bid + value6;
    expect.TRANSFER[6] = -1;
    expect.TRANSFER[8] = 0;
    expect.TRANSGEBOT[8] = 0;
    forgetusage(expect);
    forgetusage(got);
    EXPECT_EQ(got.GOLD, expect.GOLD);
    EXPECT_EQ(got.ANGEBOT[1], bid);
    EXPECT_EQ(RECORDBYTES(got), RECORDBYTES(expect));
    EXPECT_EQ(d.file("LIGA/PLAYER3.DAT"), players);
}

TEST(MarketThroughTheClient, MarketAndChooserInBothLanguages) {
    ProgramDir d;
    ASSERT_EQ(d.game(OWN, 4), 0) << d.log();
    const std::string cfg = d.file("LANGUAGE.CFG");
    std::string shots[2][2];
    for (int lang = 0; lang < 2; ++lang) {
        spit(d.prog / "LANGUAGE.CFG", std::string(lang == 0 ? "2" : "1") + cfg.substr(cfg.find('\n')));
        const std::string base = (d.root / (lang == 0 ? "eng" : "deu")).string();
        const std::string script = "wait 100\n" + MARKET + "wait 100\nshot " + base +
                                   "-market.png\nkey 6\nwait 100\nshot " + base + "-chooser.png\nkey R\nkey R\n" +
                                   QUIT;
        ASSERT_EQ(d.run({"korax", "LIGA", "3"}, script), 0) << d.log();
        shots[lang][0] = slurp(base + "-market.png");
        shots[lang][1] = slurp(base + "-chooser.png");
        for (const auto& s : shots[lang]) ASSERT_EQ(s.substr(0, 4), "\x89PNG");
    }
    EXPECT_NE(shots[0][0], shots[0][1]);
    EXPECT_NE(shots[0][0], shots[1][0]);
    EXPECT_NE(shots[0][1], shots[1][1]);
    // Nothing was decided: the chooser left with "R" writes nothing.
    EXPECT_EQ(teamrecord(d.file("LIGA/TEAM3.DAT"), OWN).TRANSFER[6], 0);
}
