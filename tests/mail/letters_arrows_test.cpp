// The arrow buttons beside the message panel step through the messages.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/state.h"
#include "base/types.h"
#include "common/headless_screen.h"
#include "data/config.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "results/pokal.h"
#include "results/showrst.h"
#include "turn/letters.h"
#include "turn/messages.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

using namespace korax;
namespace fs = std::filesystem;

TEST(LettersArrows, UpAndDownKeysAndClicksStayWithinTheMessages) {
    const fs::path old = fs::current_path();
    char tmpl[] = "/tmp/korax-arrows-XXXXXX";
    const fs::path root = ::mkdtemp(tmpl);
    fs::current_path(root);
    fs::create_directory(root / "LIGA");
    const std::string oldgamedir = GAMEDIR, oldnummer = NUMMERSTR;
    GAMEDIR = "LIGA\\";
    NUMMERSTR = "1";
    NUMMER = 1;
    fs::copy_file(fs::path(KORAX_SOURCE_DIR) / "assets" / "MENU.CFG", root / "MENU.CFG");
    std::ofstream(root / "KORAX.INI") << "ID=255\nMENUMODE=1\nVGRMODE=1\nSCR_TIME=0\nSTARTPAGE=YES\nRST_SIZE=1\n";
    RESET_CONFIG();
    READINI(255, true);
    std::string all;
    for (int i = 1; i <= 3; ++i) {
        MSGTYPE m{};
        m.LINE[0].set("Message " + std::to_string(i));
        all += std::string(reinterpret_cast<const char*>(&m), sizeof m);
    }
    std::ofstream(root / "LIGA/MSG1.DAT", std::ios::binary) << all;
    korax::testing::OPENHEADLESSSCREEN();
    RESETMENU();
    SETGEOMETRY();
    BUTTONINIT(true);
    NEWPOKAL = false;
    const std::string up = "click " + std::to_string(XM2 - 18) + " 104\n";
    const std::string down = "click " + std::to_string(XM2 - 18) + " 380\n";
    const struct {
        std::string keys;
        int shown;
    } cases[] = {
        {"key 8\nkey R\n", 2},
        {"key 8\nkey 8\nkey 8\nkey 8\nkey R\n", 3},
        {"key 8\nkey 8\nkey 2\nkey R\n", 2},
        {"key 2\nkey 2\nkey R\n", 1},
        {down + down + "key R\n", 3},
        {down + down + up + "key R\n", 2},
    };
    for (const auto& c : cases) {
        LESEPTR = 1;
        KEY = KEY2 = 0;
        korax::testing::RUNSCRIPT(c.keys, "arrows.kis");
        LESEN();
        EXPECT_EQ(LESEPTR, c.shown) << c.keys;
    }
    korax::testing::CLOSEHEADLESSSCREEN();
    RESETMENU();
    RESET_CONFIG();
    GAMEDIR = oldgamedir;
    NUMMERSTR = oldnummer;
    LESEPTR = 0;
    KEY = KEY2 = 0;
    fs::current_path(old);
    fs::remove_all(root);
}
