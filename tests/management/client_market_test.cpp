#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/client_run.h"
#include "data/g_general.h"
#include "data/g_types.h"

using namespace korax;
using namespace korax::client;

namespace {

// The slave market: first entry below the fixed part of MENU.CFG.
const std::string MARKET = "wait 100\nclick 888 417\nwait 100\n";

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
    ASSERT_EQ(d.game(3, 4), 0) << d.log();
    const std::string teams = d.file("LIGA/TEAM3.DAT"), players = d.file("LIGA/PLAYER3.DAT");
    GENTYPE gen{};
    const std::string genbytes = d.file("LIGA/GEN3.DAT");
    ASSERT_GE(genbytes.size(), sizeof gen);
    std::memcpy(&gen, genbytes.data(), sizeof gen);
    const TEAMREC before = teamrecord(teams, 3);
    ASSERT_EQ(std::vector<int>({before.TRANSFER[6], before.TRANSFER[8], before.IMTEAM[1]}), std::vector<int>({0, -2, 1}));
    const int value6 = PLAYERWERT(playerrecord(players, before.PLAYERS[6]));
    ASSERT_GT(value6, 0);
    const int price1 = gen.SKLAVENGEBOT[1] > 0 ? gen.SKLAVENGEBOT[1] : PLAYERWERT(playerrecord(players, gen.SKLAVEN[1]));
    ASSERT_LE(price1, before.GOLD);
    const int bid = std::min<int>(before.GOLD, 32767);
    // Bid all gold on lot 1, release slot 6, withdraw the pending offer of slot 8,
    // try slot 1 (in the line-up), leave with "R".
    const std::string script = MARKET + "key B\n" + typed(99999) + "key 6\nkey H\nkey Enter\nkey 8\nkey Enter\nkey 1\nkey Enter\nkey R\n" + QUIT;
    ASSERT_EQ(d.run({"korax", "LIGA", "3"}, script), 0) << d.log();
    const std::string after = d.file("LIGA/TEAM3.DAT");
    ASSERT_EQ(after.size(), teams.size());
    // Every record but the own one as it was.
    EXPECT_EQ(after.substr(0, 1814) + after.substr(2721), teams.substr(0, 1814) + teams.substr(2721));
    TEAMREC got = teamrecord(after, 3), expect = before;
    expect.ANGEBOT[1] = static_cast<std::int16_t>(bid);
    expect.GOLD = before.GOLD - bid + value6, expect.TRANSFER[6] = -1, expect.TRANSFER[8] = 0, expect.TRANSGEBOT[8] = 0;
    forgetusage(got), forgetusage(expect);
    EXPECT_EQ(RECORDBYTES(got), RECORDBYTES(expect));
    EXPECT_EQ(d.file("LIGA/PLAYER3.DAT"), players);
}
