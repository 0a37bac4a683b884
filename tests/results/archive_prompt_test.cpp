// The password prompt as the trainer meets it: the real line editor and message
// box on the headless screen, driven by an input script.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "archive_helpers.h"
#include "common/headless_screen.h"
#include "data/config.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/inputscript.h"
#include "results/zipper.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

using namespace korax;
using namespace archivetest;

class ArchivePrompt : public ::testing::Test {
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
        writefile(root / "MENU.CFG", readfile(std::string(KORAX_SOURCE_DIR) + "/assets/MENU.CFG"));
        korax::testing::OPENHEADLESSSCREEN();
        RESETMENU();
        KEY = KEY2 = 0;
        writefile(root / "TURN.RSZ", pack({{"TEAM4.RST", "container"}}, options("", "ABCDEFGH")));
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
};

// A wrong answer is told and asked again; the editor takes eight characters.
TEST_F(ArchivePrompt, AskedAgainUntilThePasswordFits) {
    korax::testing::RUNSCRIPT("text abcdefgh\nkey Enter\nkey Enter\ntext ABCDEFGHIJ\nkey Enter\n", "prompt.kis");
    EXPECT_TRUE(ZIPPER("D", "TURN", work.path));
    EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u);
    EXPECT_EQ(readfile(work / "TEAM4.RST"), "container");
    EXPECT_TRUE(std::filesystem::exists(root / "M1.TMP"));  // the message box saved the screen under it
    // The panel stays: centred 260 pixels wide, 130 to 90 above the point 100
    // below the screen's middle, with the white prompt text inside.
    int cx = EGETMAXX() / 2, cy = EGETMAXY() / 2 + 100, white = 0;
    EXPECT_EQ(PAGE_PIXEL(ACTIVEPAGE, cx + 120, cy - 95), 7u);
    EXPECT_NE(PAGE_PIXEL(ACTIVEPAGE, cx + 140, cy - 110), 7u);
    for (int y = cy - 125; y <= cy - 95; ++y)
        for (int x = cx - 120; x <= cx - 20; ++x) white += PAGE_PIXEL(ACTIVEPAGE, x, y) == 15;
    EXPECT_GT(white, 20);
}

TEST_F(ArchivePrompt, EmptyAnswerEndsWithExitCodeOneAfterTheMessage) {
    korax::testing::RUNSCRIPT("key Enter\nkey Enter\n", "prompt.kis");
    try {
        ZIPPER("D", "TURN", work.path);
        FAIL();
    } catch (const ProgramEnd& e) {
        EXPECT_EQ(e.code, 1);
    }
    EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u);
    EXPECT_TRUE(listdir(work.path).empty());
}
