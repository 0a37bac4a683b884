// The password prompt as the trainer meets it: the real line editor and message
// box on the headless screen, driven by an input script.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "archive_helpers.h"
#include "common/headless_screen.h"
#include "data/config.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/events.h"
#include "graph/inputscript.h"
#include "graph/wingraph.h"
#include "results/rsz.h"
#include "results/zipper.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

using namespace korax;
using archivetest::listdir;
using archivetest::readfile;
using archivetest::ScratchDir;
using archivetest::writefile;

class ArchivePrompt : public ::testing::Test {
protected:
    ScratchDir root, work;
    archivetest::CwdGuard cwd;
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
        writefile(root / "MENU.CFG", readfile(std::string(KORAX_SOURCE_DIR) + "/assets/MENU.CFG"));
        korax::testing::OPENHEADLESSSCREEN();
        RESETMENU();
        KEY = KEY2 = 0;

        RSZPACKOPTIONS o;
        o.password = "Hugo";
        o.quickhash = true;
        std::string a;
        ASSERT_TRUE(RSZPACKBYTES({{"TEAM4.RST", "container"}}, o, a).ok());
        writefile(root / "TURN.RSZ", a);
        ASSERT_TRUE(std::filesystem::exists(KXPATH + "rzip"));
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
    void script(const std::string& s) { korax::testing::RUNSCRIPT(s, "prompt.kis"); }
};

TEST_F(ArchivePrompt, WrongPasswordIsToldAndAskedAgain) {
    script("text hugo\nkey Enter\nkey Enter\ntext Hugo\nkey Enter\n");
    EXPECT_TRUE(ZIPPER("D", "TURN", work.path));
    EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u);
    EXPECT_EQ(readfile(work / "TEAM4.RST"), "container");
    // The message box saved the screen under it.
    EXPECT_TRUE(std::filesystem::exists(root / "M1.TMP"));
    // The panel stays: centred 260 pixels wide, 130 to 90 above the point 100
    // below the screen's middle, with the white prompt text inside.
    int cx = EGETMAXX() / 2, cy = EGETMAXY() / 2 + 100;
    EXPECT_EQ(PAGE_PIXEL(ACTIVEPAGE, cx + 120, cy - 95), 7u);
    EXPECT_NE(PAGE_PIXEL(ACTIVEPAGE, cx + 140, cy - 110), 7u);
    int white = 0;
    for (int y = cy - 125; y <= cy - 95; ++y)
        for (int x = cx - 120; x <= cx - 20; ++x) white += PAGE_PIXEL(ACTIVEPAGE, x, y) == 15;
    EXPECT_GT(white, 20);
}

TEST_F(ArchivePrompt, EmptyAnswerEndsWithExitCodeOneAfterTheMessage) {
    script("key Enter\nkey Enter\n");
    try {
        ZIPPER("D", "TURN", work.path);
        FAIL();
    } catch (const ProgramEnd& e) {
        EXPECT_EQ(e.code, 1);
    }
    EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u);
    EXPECT_TRUE(listdir(work.path).empty());
}

TEST_F(ArchivePrompt, TheLineEditorTakesEightCharactersAtMost) {
    RSZPACKOPTIONS o;
    o.password = "ABCDEFGH";
    o.quickhash = true;
    std::string a;
    ASSERT_TRUE(RSZPACKBYTES({{"TEAM4.RST", "eight"}}, o, a).ok());
    writefile(root / "EIGHT.RSZ", a);
    script("text ABCDEFGHIJ\nkey Enter\n");
    EXPECT_TRUE(ZIPPER("D", "EIGHT.RSZ", work.path));
    EXPECT_EQ(readfile(work / "TEAM4.RST"), "eight");
}
