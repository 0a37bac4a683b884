// The match choice in the real client: an import prepares the viewer run of the
// league match; from the menu a free match and a cup match are made the viewer's;
// before the first match day nothing can be replayed. Pictures of the screen and
// its lists in both languages.
#include <gtest/gtest.h>

#include "common/client_run.h"
#include "common/png_shot.h"

using namespace korax;
using namespace korax::client;

namespace {

// The menu button of code 103 in the shipped menu (eighth, below the fixed block).
const std::string REPLAY = "click 900 463\n";

std::string shot(const ProgramDir& p, const std::string& name) {
    return "shot " + (p.root / (name + ".png")).string() + "\n";
}

}  // namespace

TEST(MatchChoiceClient, ImportPreparesTheViewerRunOfTheLeagueMatch) {
    ProgramDir p;
    ASSERT_EQ(p.container(3, 4), 0);
    ASSERT_EQ(p.run({"korax", "TEAM3.RST"}, IMPORTQUIT), 0) << p.log();
    EXPECT_TRUE(fs::exists(p.prog / "LIGA/VGR.TMP"));
    EXPECT_EQ(p.team(3).TRAINING.VGRANZAHL, 1);
    // The viewer ran meanwhile: the next start books its time and deletes the file.
    ASSERT_EQ(p.run({"korax", "LIGA", "3"}, QUIT), 0) << p.log();
    EXPECT_FALSE(fs::exists(p.prog / "LIGA/VGR.TMP"));
}

TEST(MatchChoiceClient, FreeMatchAndCupMatchBecomeTheViewers) {
    ProgramDir p;
    ASSERT_EQ(p.game(3, 6), 0);
    const std::string script = REPLAY + "key 3\nkey J\nkey Enter\n" + shot(p, "free") + "key 4\nkey 1\nkey Enter\nkey Esc\n" + QUIT;
    ASSERT_EQ(p.run({"korax", "LIGA", "3"}, script), 0) << p.log();
    // The cup match came last; its replay file does not exist.
    EXPECT_EQ(p.file("LIGA/GAME3.DAT"), p.file("LIGA/GAME3.P1"));
    EXPECT_EQ(p.file("LIGA/GAME3.P1").size(), 2430u);
    EXPECT_FALSE(fs::exists(p.prog / "LIGA/QUICK3.DAT"));
    EXPECT_TRUE(fs::exists(p.prog / "LIGA/VGR.TMP"));
    EXPECT_TRUE(fs::exists(p.root / "free.png"));
}

TEST(MatchChoiceClient, FreeMatchWithItsReplay) {
    ProgramDir p;
    ASSERT_EQ(p.game(5, 3), 0);
    ASSERT_EQ(p.run({"korax", "LIGA", "5"}, REPLAY + "key 3\nkey J\nkey Enter\nkey Esc\n" + QUIT), 0) << p.log();
    EXPECT_EQ(p.file("LIGA/GAME5.DAT"), p.file("LIGA/GAME.TMP"));
    EXPECT_EQ(p.file("LIGA/QUICK5.DAT"), p.file("LIGA/QUICK.TMP"));
}

TEST(MatchChoiceClient, NothingToReplayBeforeTheFirstMatchDay) {
    ProgramDir p;
    ASSERT_EQ(p.game(3, 0), 0);
    ASSERT_EQ(p.run({"korax", "LIGA", "3"}, REPLAY + "key 2\nkey 3\nkey 4\nkey Esc\nkey Esc\n" + QUIT), 0) << p.log();
    EXPECT_FALSE(fs::exists(p.prog / "LIGA/GAME3.DAT"));
    EXPECT_FALSE(fs::exists(p.prog / "LIGA/VGR.TMP"));
}

TEST(MatchChoiceClient, PicturesOfTheChoiceAndItsLists) {
    for (const char* language : {"2", "1"}) {
        ProgramDir p;
        ASSERT_EQ(p.game(3, 6), 0);
        spit(p.prog / "LANGUAGE.CFG", std::string(language) + "\r\n1 :DEU Deutsch\r\n2 :ENG English\r\n");
        const std::string l = language[0] == '1' ? "de_" : "en_";
        const std::string script = REPLAY + shot(p, l + "choice") + "key 2\n" + shot(p, l + "own") + "key Esc\nkey 3\n" +
                                   shot(p, l + "days") + "key 1\n" + shot(p, l + "other") + "key Esc\nkey 4\n" +
                                   shot(p, l + "cup") + "key Esc\nkey Esc\n" + QUIT;
        ASSERT_EQ(p.run({"korax", "LIGA", "3"}, script), 0) << p.log();
        std::string first;
        for (const char* n : {"choice", "own", "days", "other", "cup"}) {
            korax::testing::PNGSHOT s;
            ASSERT_TRUE(s.load(p.root / (l + n + ".png"))) << l << n;
            EXPECT_EQ(s.w, 1024u);
            if (first.empty()) first = s.raw;
            else EXPECT_NE(s.raw, first) << l << n;  // each list draws over the choice
        }
        const char* keep = std::getenv("KORAX_SHOTS");
        if (keep)
            for (const char* n : {"choice", "own", "days", "other", "cup"})
                fs::copy_file(p.root / (l + n + ".png"), fs::path(keep) / (l + n + ".png"),
                              fs::copy_options::overwrite_existing);
    }
}

TEST(MatchChoiceClient, TestModeWritesTheArgumentLine) {
    ProgramDir p;
    ASSERT_EQ(p.game(3, 6), 0);
    const std::string script = REPLAY + "key 3\nkey J\nkey Enter\nkey Esc\n" + QUIT;
    ASSERT_EQ(p.run({"korax", "LIGA", "3"}, script, {{"FSM", "test"}}), 0) << p.log();
    const std::string log = p.log();
    const auto at = log.find(" 0 0 3 !* ");
    ASSERT_NE(at, std::string::npos) << log;
    const auto open = log.rfind('[', at), close = log.find("] weiter mit RETURN", at);
    ASSERT_NE(open, std::string::npos);
    ASSERT_NE(close, std::string::npos);
    EXPECT_NE(log.substr(open + 1, at - open - 1).find("LIGA"), std::string::npos) << log;  // the game directory first
}
