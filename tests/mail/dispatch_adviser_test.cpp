// The deadline screen quiets the adviser's figure the way the information screen does.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/state.h"
#include "base/types.h"
#include "common/headless_screen.h"
#include "data/config.h"
#include "data/g_general.h"
#include "turn/dispatch.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

using namespace korax;

namespace {
int silenced = 0;
}

TEST(DispatchAdviser, SilencedOnEntryAndHooksLeftInPlace) {
    const ADVISERHOOKS saved = ADVISER;
    silenced = 0;
    ADVISER.silence = [] { ++silenced; };
    namespace fs = std::filesystem;
    const fs::path old = fs::current_path();
    char tmpl[] = "/tmp/korax-zatadviser-XXXXXX";
    const fs::path root = ::mkdtemp(tmpl);
    fs::current_path(root);
    fs::create_directory(root / "LIGA");
    const std::string oldgamedir = GAMEDIR;
    GAMEDIR = "LIGA\\";
    fs::copy_file(fs::path(KORAX_SOURCE_DIR) / "assets" / "MENU.CFG", root / "MENU.CFG");
    std::ofstream(root / "KORAX.INI") << "ID=255\nMENUMODE=1\nVGRMODE=1\nSCR_TIME=0\nSTARTPAGE=YES\nRST_SIZE=1\n";
    RESET_CONFIG();
    READINI(255, true);
    korax::testing::OPENHEADLESSSCREEN();
    RESETMENU();
    SETGEOMETRY();
    BUTTONINIT(true);
    GEN.ZATEMAIL.set("");
    for (const char* leave : {"key R\n", "key Esc\n"}) {
        KEY = KEY2 = 0;
        korax::testing::RUNSCRIPT(leave, "dispatch-adviser.kis");
        ZAT();
        EXPECT_EQ(KEY, 27) << leave;
    }
    EXPECT_EQ(silenced, 2);
    // The hooks stay: the figure comes back on the next screen that advises.
    EXPECT_NE(ADVISER.silence, nullptr);
    korax::testing::CLOSEHEADLESSSCREEN();
    RESETMENU();
    RESET_CONFIG();
    ADVISER = saved;
    GAMEDIR = oldgamedir;
    KEY = KEY2 = 0;
    fs::current_path(old);
    fs::remove_all(root);
}
