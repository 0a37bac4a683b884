// The cup through the real client: the demonstration game's waiting cup result is
// applied at the first start and never again, and the cup draw screen scrolls.
#include <gtest/gtest.h>

#include <cstring>

#include "common/client_run.h"
#include "data/g_types.h"

using namespace korax;
using namespace korax::client;

namespace {

// A cup result arriving prepares the viewer run (its message) and shows the
// received messages before the menu.
const std::string CUPFIRST = "key Esc\nkey Esc\n";
const std::string CUPQUIT = CUPFIRST + QUIT;

// The shipped menu with the cup draw as its second button.
void cupsecond(const ProgramDir& p) {
    std::string menu = p.file("MENU.CFG"), out;
    std::size_t pos = 0;
    while (pos < menu.size()) {
        std::size_t end = menu.find('\n', pos);
        if (end == std::string::npos) end = menu.size();
        const std::string line = menu.substr(pos, end - pos);
        if (line.rfind("116", 0) != 0) out += line + "\n";
        if (line.rfind("101", 0) == 0) out += "116   ;Cup draw\n";
        pos = end + 1;
    }
    spit(p.prog / "MENU.CFG", out);
}

bool png(const std::string& b) { return b.size() > 1000 && b.substr(0, 4) == "\x89PNG"; }

}  // namespace

TEST(CupThroughTheClient, ResultIsAppliedOnceInTwoStarts) {
    ProgramDir p;
    p.demo(true);
    ASSERT_TRUE(fs::exists(p.prog / "DEMO/CUP1.RST"));
    const std::string msg = p.file("DEMO/MSG1.DAT"), his = p.file("DEMO/TEAM1.HI");
    const TEAMREC t0 = p.team(1, "DEMO");
    // The match goes to the lowest free number beside the older stored cup matches.
    int k = 1;
    while (fs::exists(p.prog / ("DEMO/GAME1.P" + std::to_string(k)))) ++k;
    const std::string stored = "DEMO/GAME1.P" + std::to_string(k), next = "DEMO/GAME1.P" + std::to_string(k + 1);

    ASSERT_EQ(p.run({"korax", "DEMO"}, CUPQUIT), 0) << p.log();
    EXPECT_FALSE(fs::exists(p.prog / "DEMO/CUP1.RST"));
    EXPECT_TRUE(fs::exists(p.prog / stored));
    EXPECT_EQ(p.file("DEMO/GAME1.DAT"), p.file(stored));
    EXPECT_EQ(p.file("DEMO/MSG1.DAT").size(), msg.size() + 1215);
    const std::string his1 = p.file("DEMO/TEAM1.HI");
    ASSERT_GT(his1.size(), his.size());
    EXPECT_EQ(his1.size(), his.size() + 42);  // forty characters and the line end
    const TEAMREC t1 = p.team(1, "DEMO");
    EXPECT_EQ(t1.ERFOLGE, t0.ERFOLGE + 1);
    EXPECT_EQ(t1.GOLD, t0.GOLD + 250);
    // The announcement was new: it stays on its match day, without the mark.
    EXPECT_EQ(p.file("DEMO/POKAL1.DAT").substr(0, 16), "5\r\nRound of 16\r\n");

    // The second start finds nothing to apply and shows no messages first.
    ASSERT_EQ(p.run({"korax", "DEMO"}, QUIT), 0) << p.log();
    EXPECT_FALSE(fs::exists(p.prog / next));
    EXPECT_EQ(p.file("DEMO/MSG1.DAT").size(), msg.size() + 1215);
    EXPECT_EQ(p.file("DEMO/TEAM1.HI"), his1);
    TEAMREC t2 = p.team(1, "DEMO"), t1c = t1;
    forgetusage(t2);
    forgetusage(t1c);
    EXPECT_EQ(std::memcmp(&t2, &t1c, sizeof t2), 0);
}

TEST(CupThroughTheClient, DrawScrollsAndShowsInBothLanguages) {
    for (const char* lang : {"2", "1"}) {
        ProgramDir p;
        p.demo(true);
        cupsecond(p);
        std::string cfg = p.file("LANGUAGE.CFG");
        spit(p.prog / "LANGUAGE.CFG", lang + cfg.substr(cfg.find('\n')));
        const fs::path a = p.root / "draw.png", b = p.root / "scrolled.png", c = p.root / "back.png";
        const std::string script = CUPFIRST + menubutton(2) + "shot " + a.string() + "\nkey 2\nkey 6\nkey 6\nshot " +
                                   b.string() + "\nkey 8\nkey 4\nkey 4\nshot " + c.string() + "\nkey R\n" + QUIT;
        ASSERT_EQ(p.run({"korax", "DEMO"}, script), 0) << p.log();
        const std::string db = slurp(b), dc = slurp(c);
        EXPECT_TRUE(png(slurp(a)) && png(db) && png(dc)) << lang;
        EXPECT_TRUE(slurp(a) != db) << lang;
        // Back by as many steps: the first picture again.
        EXPECT_TRUE(slurp(a) == dc) << lang;
        if (const char* keep = std::getenv("KORAX_KEEPSHOTS")) {
            fs::copy_file(a, fs::path(keep) / (std::string("cup_draw_") + lang + ".png"), fs::copy_options::overwrite_existing);
            fs::copy_file(b, fs::path(keep) / (std::string("cup_scrolled_") + lang + ".png"), fs::copy_options::overwrite_existing);
        }
    }
}

TEST(CupThroughTheClient, MissingDrawIsTold) {
    ProgramDir p;
    p.demo(true);
    cupsecond(p);
    fs::remove(p.prog / "DEMO/POKAL.TXT");
    const fs::path a = p.root / "none.png";
    ASSERT_EQ(p.run({"korax", "DEMO"}, CUPFIRST + menubutton(2) + "shot " + a.string() + "\nkey Esc\n" + QUIT), 0)
        << p.log();
    EXPECT_TRUE(png(slurp(a)));
    if (const char* keep = std::getenv("KORAX_KEEPSHOTS"))
        fs::copy_file(a, fs::path(keep) / "cup_none.png", fs::copy_options::overwrite_existing);
}
