// The set-up screen under scripted input: each code changes its setting, rewrites
// KORAX.INI and leaves the screen with Escape or "R".
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/types.h"
#include "common/headless_screen.h"
#include "data/config.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/events.h"
#include "graph/inputscript.h"
#include "shell/setup.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace fs = std::filesystem;
using namespace korax;

namespace {

class Setup : public ::testing::Test {
protected:
    fs::path old, root;
    std::array<STRING70, 701> oldl;
    std::string oldtmp;
    TEAMREC oldteam;

    void SetUp() override {
        old = fs::current_path();
        char tmpl[] = "/tmp/korax-setup-XXXXXX";
        root = ::mkdtemp(tmpl);
        fs::current_path(root);
        oldl = L;
        oldtmp = TMPDIR;
        oldteam = TEAM;
        TMPDIR = root.string() + "/";
        fs::copy_file(fs::path(KORAX_SOURCE_DIR) / "assets" / "MENU.CFG", root / "MENU.CFG");
        put("KORAX.INI", "ID=255\nMENUMODE=1 ; side\nVGRMODE=1\nSCR_TIME=0\nSTARTPAGE=YES\nRST_SIZE=1\n");
        RESET_CONFIG();
        READINI(255, true);
        TEAM.RSTSIZE = static_cast<std::uint8_t>(RSTSIZE);
        for (int i = 100; i <= 130; ++i) L[static_cast<std::size_t>(i)].set("Entry " + std::to_string(i));
        for (int n : {1, 304, 305, 306, 307, 308, 309, 519, 520, 521, 522, 523, 524, 525, 526, 596})
            L[static_cast<std::size_t>(n)].set("Text " + std::to_string(n));
        korax::testing::OPENHEADLESSSCREEN();
        RESETMENU();
        SETGEOMETRY();
        BUTTONINIT(true);
        KEY = KEY2 = 0;
        GLOBALBEENDEN = false;
        DRAGDROP = false;
    }

    void TearDown() override {
        korax::testing::CLOSEHEADLESSSCREEN();
        RESETMENU();
        L = oldl;
        TMPDIR = oldtmp;
        TEAM = oldteam;
        KEY = KEY2 = 0;
        GLOBALBEENDEN = false;
        RESET_CONFIG();
        fs::current_path(old);
        fs::remove_all(root);
    }

    void script(const std::string& s) { korax::testing::RUNSCRIPT(s, "setup.kis"); }
    void put(const std::string& name, const std::string& text) {
        std::ofstream(root / name, std::ios::binary) << text;
    }
    std::string get(const std::string& name) {
        std::ifstream in(root / name, std::ios::binary);
        std::ostringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
};

TEST_F(Setup, StartPageToggleIsWrittenAndEscapeLeaves) {
    script("key 1\nkey Esc\n");
    SETUP();
    EXPECT_FALSE(STARTBILD);
    EXPECT_EQ(KEY, 27);
    EXPECT_EQ(get("KORAX.INI"),
              "ID=255\nMENUMODE= 1              ; side\nVGRMODE= 1               ;\n"
              "SCR_TIME= 0              ;\nSTARTPAGE= NO            ;\nRST_SIZE=1\n");
    EXPECT_EQ(get("KORAX.SAV"),
              "ID=255\nMENUMODE=1 ; side\nVGRMODE=1\nSCR_TIME=0\nSTARTPAGE=YES\nRST_SIZE=1\n");
}

TEST_F(Setup, KeysAndClicksCountInScriptOrder) {
    // The start-page window (code 49) and the back window (Escape), clicked in their middle.
    const std::string page = "click " + std::to_string(XMC) + " 125\n";
    const std::string back = "click " + std::to_string(XMC) + " 540\n";
    const struct {
        std::string script;
        bool startpage;
    } cases[] = {
        {"key 1\n" + back, false},         // the click does not replace the key read in its pass
        {page + "key Esc\n", false},
        {"key 1\n" + page + back, true},   // toggled twice
        {page + "key 1\nkey Esc\n", true},
    };
    for (const auto& c : cases) {
        STARTBILD = true;
        script(c.script);
        SETUP();
        EXPECT_EQ(STARTBILD, c.startpage) << c.script;
        EXPECT_EQ(KEY, 27) << c.script;
        EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u) << c.script;
    }
}

TEST_F(Setup, VideoModeChoice) {
    // The choice box takes one more waiting key when it closes.
    script("key 2\nkey Down\nkey Down\nkey Enter\nkey X\nkey R\n");
    SETUP();
    EXPECT_EQ(VGRMODE, 2);
    EXPECT_EQ(KEY, 27);
    EXPECT_NE(get("KORAX.INI").find("VGRMODE= 2               ;\n"), std::string::npos);
}

TEST_F(Setup, CancelledChoiceStillRewritesTheFile) {
    script("key 2\nkey Esc\nkey X\nkey Esc\n");
    SETUP();
    EXPECT_EQ(VGRMODE, 1);
    EXPECT_NE(get("KORAX.INI").find("VGRMODE= 1               ;\n"), std::string::npos);
}

TEST_F(Setup, MenuLayoutChoiceShowsTheRestartMessage) {
    script("key 4\nkey Down\nkey Enter\nkey X\nkey Enter\nkey Esc\n");
    SETUP();
    EXPECT_EQ(MENUMODE, 2);
    EXPECT_NE(get("KORAX.INI").find("MENUMODE= 2              ; side\n"), std::string::npos);
}

TEST_F(Setup, ScreenSaverDelayInMinutes) {
    script("key 3\nkey Space\nkey Backspace\ntext 15\nkey Enter\nkey Enter\nkey Esc\n");
    SETUP();
    EXPECT_EQ(SCR_TIME, 900);
    EXPECT_NE(get("KORAX.INI").find("SCR_TIME= 15             ;\n"), std::string::npos);
}

TEST_F(Setup, EditingKorax_IniReadsItAgain) {
    put("ed.sh", "#!/bin/sh\nprintf 'ID=255\\nVGRMODE=3\\nMENUMODE=2\\nRST_SIZE=1\\n' > \"$1\"\n");
    fs::permissions(root / "ed.sh", fs::perms::owner_all);
    EDITNAME.set((root / "ed.sh").string());
    script("key K\nkey Enter\nkey Enter\nkey Esc\n");
    SETUP();
    EXPECT_EQ(VGRMODE, 3);
    // A re-read without system identifier keeps the menu side of this run.
    EXPECT_EQ(MENUMODE, 1);
    EXPECT_EQ(EDITNAME.str(), "EDIT");
}

TEST_F(Setup, HelpKeyShowsTheTopicAndChangesNothing) {
    fs::copy_file(fs::path(KORAX_SOURCE_DIR) / "assets" / "HELP.ENG", root / "HELP.ENG");
    std::string before = get("KORAX.INI");
    script("key F1\nkey Enter\nkey Esc\n");
    SETUP();
    EXPECT_EQ(KEY, 27);
    EXPECT_EQ(get("KORAX.INI"), before);
    EXPECT_FALSE(fs::exists(root / "KORAX.SAV"));
}

TEST_F(Setup, MenuButtonLeavesWithItsCode) {
    script("key Tab\n");
    SETUP();
    EXPECT_GE(KEY, 100);
}

TEST(SetupLabels, VideoModes) {
    EXPECT_EQ(VGRMODELABEL(0), "640x480");
    EXPECT_EQ(VGRMODELABEL(1), "800x600");
    EXPECT_EQ(VGRMODELABEL(2), "1024x768");
    EXPECT_EQ(VGRMODELABEL(3), "BIG 1024");
}

}  // namespace
