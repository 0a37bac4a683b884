// The toolkit's screen tests: a headless screen, a scratch directory as the current
// one, a few language texts, and the toolkit state put back afterwards; the fatal error of a call.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "base/types.h"
#include "common/headless_screen.h"
#include "data/config.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/events.h"
#include "graph/inputscript.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax::uitest {

// The fatal error f ends with, as "nr:text"; "" when it returns.
inline std::string fatal(const std::function<void()>& f) {
    try {
        f();
    } catch (const FatalError& e) {
        return std::to_string(e.nr) + ":" + e.text;
    }
    return "";
}

class Screen : public ::testing::Test {
protected:
    std::filesystem::path old, root;
    std::array<STRING70, 701> oldl;
    std::string oldtmp;
    bool oldleft = false;

    void SetUp() override {
        old = std::filesystem::current_path();
        char tmpl[] = "/tmp/korax-ui-XXXXXX";
        root = ::mkdtemp(tmpl);
        std::filesystem::current_path(root);
        oldl = L;
        oldtmp = TMPDIR;
        TMPDIR = root.string() + "/";
        oldleft = LEFTMENU;
        LEFTMENU = false;
        for (int i = 100; i <= 130; ++i) L[static_cast<std::size_t>(i)].set("Entry " + std::to_string(i));
        L[1].set("Press a key");
        L[18].set("Too few menu entries");
        L[19].set("Bad number of fixed entries");
        for (const auto& [n, text] : {std::pair{306, "Yes"}, {307, "No"}, {308, "OK"}, {309, "Cancel"}}) L[n].set(text);
        korax::testing::OPENHEADLESSSCREEN();
        RESETMENU();
        SETGEOMETRY();
        KEY = KEY2 = 0;
        GLOBALBEENDEN = false;
        DRAGDROP = false;
    }

    void TearDown() override {
        korax::testing::CLOSEHEADLESSSCREEN();
        RESETMENU();
        L = oldl;
        TMPDIR = oldtmp;
        LEFTMENU = oldleft;
        KEY = KEY2 = 0;
        GLOBALBEENDEN = false;
        std::filesystem::current_path(old);
        std::filesystem::remove_all(root);
    }

    void script(const std::string& s) { korax::testing::RUNSCRIPT(s, "ui.kis"); }

    void put(const std::string& name, const std::string& text) { std::ofstream(root / name, std::ios::binary) << text; }
    static std::string slurp(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::string get(const std::string& name) { return slurp(root / name); }
    std::string asset(const std::string& name) { return slurp(std::string(KORAX_SOURCE_DIR) + "/assets/" + name); }
    static std::string at(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }
    // The middle of menu button b.
    static std::string centre(int b) {
        BUTTONRECT r = MENUBUTTONRECT(b);
        return at((r.x1 + r.x2) / 2, (r.y1 + r.y2) / 2);
    }
};

}  // namespace korax::uitest
