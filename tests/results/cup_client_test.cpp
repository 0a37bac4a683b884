// The cup through the real client: the demonstration game's waiting cup result is
// applied at the first start and never again; the draw scrolls, a missing one is told.
#include <gtest/gtest.h>

#include "common/client_run.h"

using namespace korax;
using namespace korax::client;

namespace {

bool png(const std::string& b) { return b.size() > 1000 && b.substr(0, 4) == "\x89PNG"; }

// The cup draw (moved to the second menu button): shots before, after scrolling
// down and right, and after as many steps back.
std::string scrolling(const ProgramDir& p) {
    auto shot = [&](const char* n) { return "shot " + (p.root / (std::string(n) + ".png")).string() + "\n"; };
    return menubutton(2) + shot("draw") + "key 2\nkey 6\nkey 6\n" + shot("scrolled") + "key 8\nkey 4\nkey 4\n" + shot("back") + "key R\n";
}

}  // namespace

TEST(CupThroughTheClient, ResultIsAppliedOnceAndTheDrawShown) {
    ProgramDir p;
    p.demo(true);
    const std::string line = "116   ;Cup draw\r\n";
    std::string menu = p.file("MENU.CFG");
    menu.erase(menu.find(line), line.size());
    spit(p.prog / "MENU.CFG", menu.insert(menu.find("102"), line));
    // What the result changes is checked on the cup unit; here that it is applied
    // at the start, once: its messages are shown before the menu.
    const std::string msg = p.file("DEMO/MSG1.DAT");
    ASSERT_EQ(p.run({"korax", "DEMO"}, "key Esc\nkey Esc\n" + scrolling(p) + QUIT), 0) << p.log();
    const std::string a = slurp(p.root / "draw.png"), b = slurp(p.root / "scrolled.png");
    EXPECT_TRUE(png(a) && png(b) && a != b && a == slurp(p.root / "back.png"));
    EXPECT_FALSE(fs::exists(p.prog / "DEMO/CUP1.RST"));
    EXPECT_EQ(p.file("DEMO/MSG1.DAT").size(), msg.size() + 1215);
    // The announcement was new: it stays on its match day, without the mark.
    EXPECT_EQ(p.file("DEMO/POKAL1.DAT").substr(0, 16), "5\r\nRound of 16\r\n");
    const std::string msg1 = p.file("DEMO/MSG1.DAT"), his1 = p.file("DEMO/TEAM1.HI");
    ASSERT_EQ(p.run({"korax", "DEMO"}, QUIT), 0) << p.log();
    EXPECT_EQ(p.file("DEMO/MSG1.DAT") + p.file("DEMO/TEAM1.HI"), msg1 + his1);  // nothing applied again

    fs::remove(p.prog / "DEMO/POKAL.TXT");
    const fs::path none = p.root / "none.png";
    ASSERT_EQ(p.run({"korax", "DEMO"}, menubutton(2) + "shot " + none.string() + "\nkey Esc\n" + QUIT), 0) << p.log();
    EXPECT_TRUE(png(slurp(none)));
}
