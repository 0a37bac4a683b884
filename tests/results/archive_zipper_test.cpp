// ZIPPER as the trainer meets it: the header read, the password asked with the
// real line editor and message box on the headless screen, the companion's start
// and outcome.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "archive_helpers.h"
#include "common/headless_screen.h"
#include "data/fixture.h"
#include "data/config.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/inputscript.h"
#include "platform/dospath.h"
#include "results/zipper.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

using namespace korax;
using namespace archivetest;

class ArchiveZipper : public ::testing::Test {
protected:
    ScratchDir root, work;
    CwdGuard cwd;
    std::array<STRING70, 701> oldl = L;
    std::string oldtmp = TMPDIR, oldkx = KXPATH;
    bool oldsilence = SILENCE;

    void SetUp() override {
        std::filesystem::current_path(root.path);
        TMPDIR = root.path + "/";
        KXPATH = std::string(KORAX_DIST_DIR) + "/";
        SILENCE = true;
        L[498].set("Team password:");
        L[499].set("Wrong password!");
        spit(root / "MENU.CFG", slurp(std::string(KORAX_SOURCE_DIR) + "/assets/MENU.CFG"));
        korax::testing::OPENHEADLESSSCREEN();
        RESETMENU();
        KEY = KEY2 = 0;
    }
    void TearDown() override {
        korax::testing::CLOSEHEADLESSSCREEN();
        RESETMENU();
        L = oldl;
        TMPDIR = oldtmp;
        KXPATH = oldkx;
        SILENCE = oldsilence;
        KEY = KEY2 = 0;
    }
    void packto(const std::string& path, const std::string& gamedir, const std::string& pw, bool shortcheck = false) {
        spit(path, pack({{"TEAM7.RST", "container"}}, options(gamedir, pw, shortcheck)));
    }
    // The fatal error of a ZIPPER run as "nr:text".
    std::string fatal(const std::string& archive) { return datatest::fatal([&] { ZIPPER("D", archive, work.path); }); }
};

// A wrong answer is told and asked again; the editor takes eight characters.
TEST_F(ArchiveZipper, AsksUntilThePasswordFitsOrTheAnswerIsEmpty) {
    const struct { std::string pw; bool shortcheck; std::string script; } cases[] = {
        {"", false, ""},  // no question at all
        {"Hugo", false, "text hugo\nkey Enter\nkey Enter\ntext Hugo\nkey Enter\n"},
        {"PASSWORD", true, "text PASSWORD\nkey Enter\n"},  // seven characters of its check value stored
        {"\x84 \x94 \x81", false, "text ä ö ü\nkey Enter\n"},
        {"ABCDEFGH", false, "text ABCDEFGHIJ\nkey Enter\n"}};
    for (const auto& c : cases) {
        ScratchDir w;
        packto(root / "R.RSZ", "", c.pw, c.shortcheck);
        korax::testing::RUNSCRIPT(c.script, "prompt.kis");
        EXPECT_TRUE(ZIPPER("D", "R", w.path)) << c.pw;
        EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u) << c.pw;
        EXPECT_EQ(slurp(w / "TEAM7.RST"), "container") << c.pw;
    }
    EXPECT_TRUE(std::filesystem::exists(root / "M1.TMP"));  // the message box saved the screen under it
    // The panel stays: centred 260 pixels wide, 130 to 90 above the point 100
    // below the screen's middle, with the white prompt text inside.
    int cx = EGETMAXX() / 2, cy = EGETMAXY() / 2 + 100, white = 0;
    EXPECT_EQ(PAGE_PIXEL(ACTIVEPAGE, cx + 120, cy - 95), 7u);
    EXPECT_NE(PAGE_PIXEL(ACTIVEPAGE, cx + 140, cy - 110), 7u);
    for (int y = cy - 125; y <= cy - 95; ++y)
        for (int x = cx - 120; x <= cx - 20; ++x) white += PAGE_PIXEL(ACTIVEPAGE, x, y) == 15;
    EXPECT_GT(white, 20);

    korax::testing::RUNSCRIPT("text x\nkey Enter\nkey Enter\nkey Enter\nkey Enter\n", "prompt.kis");
    int code = -1;
    try { ZIPPER("D", "R", work.path); } catch (const ProgramEnd& e) { code = e.code; }
    EXPECT_EQ(code, 1);
    EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u);
    EXPECT_TRUE(listdir(work.path).empty());
}

// A failed unpacking is reported, so the archive is kept; a missing or short
// archive and a missing companion are fatal, the last without the password.
TEST_F(ArchiveZipper, FailuresAndFatalErrors) {
    std::string a = pack({{"TEAM7.RST", "container"}}, options("", ""));
    a[a.size() - 2] ^= 0x11;
    spit(root / "R.RSZ", a);
    EXPECT_FALSE(ZIPPER("D", root / "R.RSZ", work.path));
    EXPECT_TRUE(std::filesystem::exists(root / "R.RSZ"));
    EXPECT_EQ(fatal(root / "none"), "1:" + UPCASE(root / "none.RSZ"));
    spit(root / "SHORT.RSZ", "abc");
    EXPECT_EQ(fatal(root / "SHORT.RSZ").substr(0, 2), "2:");
    packto(root / "P.RSZ", "", "Hugo");
    korax::testing::RUNSCRIPT("text Hugo\nkey Enter\n", "prompt.kis");
    ScratchDir empty;
    KXPATH = empty.path + "/";
    EXPECT_EQ(fatal(root / "P.RSZ"), "10:" + empty.path + "/rzip (?)");
    EXPECT_TRUE(listdir(work.path).empty());
}

TEST(ArchiveNewestContainer, NewestWinsTiesByNameAndModeText) {
    EXPECT_EQ(ZIPMODETEXT("D", false) + " " + ZIPMODETEXT("ABCDEFGHIJK", true), "D ABCDEFGHIJ");
    ScratchDir d;
    for (const char* n : {"TEAM1.RST", "TEAM2.RST", "TEAM3.RST", "NOTE.TXT"}) spit(d / n, "x");
    auto stamp = [&](const std::string& n, long sec) {
        struct timespec t[2] = {{sec, 0}, {sec, 0}};
        ::utimensat(AT_FDCWD, (d / n).c_str(), t, 0);
    };
    for (auto [n, t] : {std::pair{"TEAM1.RST", 1000}, {"TEAM2.RST", 2000}, {"TEAM3.RST", 2000}}) stamp(n, t);
    EXPECT_EQ(NEWESTCONTAINER(d.path + "/"), "TEAM2.RST");
    stamp("TEAM1.RST", 3000);
    EXPECT_EQ(NEWESTCONTAINER(d.path), "TEAM1.RST");
    EXPECT_EQ(NEWESTCONTAINER(d / "none"), "");
}
