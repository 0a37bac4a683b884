// The set-up screen under scripted input: each code changes its setting, rewrites
// KORAX.INI and leaves the screen with Escape or "R".
#include <gtest/gtest.h>

#include "common/headless_screen.h"
#include "data/config.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "shell/setup.h"
#include "ui/m_tool.h"
#include "workdir.h"

using namespace korax;
using namespace shelltest;

namespace {

const std::string INI = "ID=255\nMENUMODE=1 ; side\nVGRMODE=1\nSCR_TIME=0\nSTARTPAGE=YES\nRST_SIZE=1\n";

class Setup : public ::testing::Test {
protected:
    std::array<STRING70, 701> oldl = L;
    std::string oldtmp = TMPDIR;
    TEAMREC oldteam = TEAM;
    WorkDir w;

    void SetUp() override {
        TMPDIR = w.dir.string() + "/";
        fs::copy_file(fs::path(KORAX_SOURCE_DIR) / "assets" / "MENU.CFG", w.dir / "MENU.CFG");
        for (int i = 100; i <= 130; ++i) L[i].set("Entry " + std::to_string(i));
        for (int n : {1, 304, 305, 306, 307, 308, 309, 519, 520, 521, 522, 523, 524, 525, 526, 596})
            L[n].set("Text " + std::to_string(n));
        fresh();
        korax::testing::OPENHEADLESSSCREEN();
        RESETMENU(), SETGEOMETRY(), BUTTONINIT(true);
    }
    void TearDown() override {
        korax::testing::CLOSEHEADLESSSCREEN();
        RESETMENU(), RESET_CONFIG();
        L = oldl, TMPDIR = oldtmp, TEAM = oldteam, KEY = KEY2 = 0, GLOBALBEENDEN = false;
    }
    // KORAX.INI as at the start, read, and no key waiting.
    void fresh() {
        w.put("KORAX.INI", INI);
        RESET_CONFIG();
        READINI(255, true);
        TEAM.RSTSIZE = static_cast<std::uint8_t>(RSTSIZE);
        KEY = KEY2 = 0, GLOBALBEENDEN = DRAGDROP = false;
    }
    void setup(const std::string& s) {
        korax::testing::RUNSCRIPT(s, "setup.kis");
        SETUP();
    }
};

TEST_F(Setup, EachChoiceIsWrittenEvenWhenCancelled) {
    // A choice box takes one more waiting key when it closes; "R" leaves like Escape.
    // The line written holds the setting as changed.
    const struct { const char* script; const char* line; } cases[] = {
        {"key 1\nkey Esc\n", "STARTPAGE= NO            ;\n"},
        {"key 2\nkey Down\nkey Down\nkey Enter\nkey X\nkey R\n", "VGRMODE= 2               ;\n"},
        {"key 2\nkey Esc\nkey X\nkey Esc\n", "VGRMODE= 1               ;\n"},
        {"key 4\nkey Down\nkey Enter\nkey X\nkey Enter\nkey Esc\n", "MENUMODE= 2              ; side\n"},
        {"key 3\nkey Space\nkey Backspace\ntext 15\nkey Enter\nkey Enter\nkey Esc\n", "SCR_TIME= 15             ;\n"}};
    for (const auto& c : cases) {
        fresh();
        setup(c.script);
        EXPECT_EQ(KEY, 27) << c.script;
        EXPECT_NE(w.get("KORAX.INI").find(c.line), std::string::npos) << c.script;
    }
    EXPECT_EQ(VGRMODELABEL(0) + "," + VGRMODELABEL(3), "640x480,BIG 1024");
}

// The editor gets the file in UTF-8, and what it writes is kept in code page 437.
TEST_F(Setup, EditingKorax_IniReadsItAgain) {
    w.put("KORAX.INI", INI + "; Gr\x81\xE1" "e\n");
    w.put("ed.sh", "#!/bin/sh\ngrep -q 'Gr\xC3\xBC\xC3\x9F" "e' \"$1\" || exit 3\n"
                   "printf 'ID=255\\nVGRMODE=3\\nMENUMODE=2\\nRST_SIZE=1\\n; S\\303\\244tze\\n' > \"$1\"\n");
    fs::permissions(w.dir / "ed.sh", fs::perms::owner_all);
    EDITNAME.set((w.dir / "ed.sh").string());
    setup("key K\nkey Enter\nkey Enter\nkey Esc\n");
    EXPECT_EQ(w.get("KORAX.INI"), "ID=255\nVGRMODE=3\nMENUMODE=2\nRST_SIZE=1\n; S\x84tze\n");
    EXPECT_EQ(VGRMODE, 3);
    EXPECT_EQ(MENUMODE, 1);  // a re-read without system identifier keeps the menu side of this run
    EXPECT_EQ(EDITNAME.str(), "EDIT");
}

TEST_F(Setup, HelpChangesNothingAndAMenuButtonLeavesWithItsCode) {
    fs::copy_file(fs::path(KORAX_SOURCE_DIR) / "assets" / "HELP.ENG", w.dir / "HELP.ENG");
    setup("key F1\nkey Enter\nkey Tab\n");
    EXPECT_GE(KEY, 100);
    EXPECT_FALSE(fs::exists(w.dir / "KORAX.SAV"));  // nothing written
}

}  // namespace
