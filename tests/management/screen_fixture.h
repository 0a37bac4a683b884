// Scripted screen tests of the team management: a headless screen, a scratch game
// directory holding TEAM3.DAT (own team 3), numbered language texts, and the
// record bytes read back from the file after the screen was left.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/types.h"
#include "common/headless_screen.h"
#include "data/config.h"
#include "data/g_general.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "management/mscreen.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax::mtest {

class Screen : public ::testing::Test {
protected:
    std::filesystem::path old, root;
    std::array<STRING70, 701> oldl;
    std::string oldtmp, oldgamedir;

    void SetUp() override {
        old = std::filesystem::current_path();
        char tmpl[] = "/tmp/korax-mgmt-XXXXXX";
        root = ::mkdtemp(tmpl);
        std::filesystem::current_path(root);
        oldl = L, oldtmp = TMPDIR, oldgamedir = GAMEDIR;
        TMPDIR = root.string() + "/", LEFTMENU = false;
        for (int i = 0; i <= 700; ++i) L[static_cast<std::size_t>(i)].set("T" + std::to_string(i));
        korax::testing::OPENHEADLESSSCREEN();
        RESETMENU();
        SETGEOMETRY();
        std::filesystem::copy_file(std::string(KORAX_SOURCE_DIR) + "/assets/MENU.CFG", root / "MENU.CFG");
        INITOBERFLAECHE(0);
        KEY = KEY2 = 0;
        GAMEDIR = root.string() + "/", NUMMER = 3, NUMMERSTR = "3";
        TEAM = TEAMREC{}, GEN = GENTYPE{}, PLAYER = {}, BELEGT = {}, LASTDAY = false;
        for (int t = 1; t <= 10; ++t) TEAMNAME[t] = STRING25::of("Team " + std::to_string(t));
        blank();
        OPENFILES(_TEAM);
    }

    void TearDown() override {
        if (FILESOPEN(_TEAM)) CLOSEFILES(_TEAM);
        korax::testing::CLOSEHEADLESSSCREEN();
        RESETMENU();
        L = oldl, TMPDIR = oldtmp, GAMEDIR = oldgamedir, NUMMER = 0;
        NUMMERSTR.clear();
        TEAM = TEAMREC{}, GEN = GENTYPE{}, LASTDAY = false;
        KEY = KEY2 = 0;
        std::filesystem::current_path(old);
        std::filesystem::remove_all(root);
    }
    void script(const std::string& s) { korax::testing::RUNSCRIPT(s, "mgmt.kis"); }
    // Types n into the open number dialog and confirms it.
    static std::string typed(long n) { return "key Space\nkey Esc\ntext " + std::to_string(n) + "\nkey Enter\nkey Enter\n"; }
    static void day(int d) {
        GEN.HINRUNDE = d <= 9 ? 1 : 0;
        GEN.TURN = static_cast<std::int16_t>(d <= 9 ? d : d - 9);
    }
    static std::string at(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }
    // Centre of click window n as drawn.
    static std::string window(int n) {
        const auto& w = KLICKFENSTER[static_cast<std::size_t>(n)];
        return at((w.X1 + w.X2) / 2, (w.Y1 + w.Y2) / 2);
    }
    static std::string menubutton(int b) {
        BUTTONRECT r = MENUBUTTONRECT(b);
        return at((r.x1 + r.x2) / 2, (r.y1 + r.y2) / 2);
    }
    // Own team record as the file holds it.
    TEAMREC onfile() {
        std::ifstream in(root / "team3.dat", std::ios::binary);
        std::string b{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        TEAMREC t{};
        if (b.size() >= 3 * sizeof(TEAMREC)) std::memcpy(&t, b.data() + 2 * sizeof(TEAMREC), sizeof t);
        return t;
    }
    bool untouched() { return RECORDBYTES(onfile()) == RECORDBYTES(TEAMREC{}); }
    void blank() { std::ofstream(root / "team3.dat", std::ios::binary) << std::string(10 * sizeof(TEAMREC), '\0'); }
};

}  // namespace korax::mtest
