// Runs the real client as a child process and checks how it ends.
#include <gtest/gtest.h>

#include "common/client_run.h"
#include "common/png_shot.h"

using namespace korax;
using namespace korax::client;
using korax::testing::PNGSHOT;

namespace {

constexpr std::uint32_t PRESSED = 0x800000, RELEASED = 0x008000, QUESTION = 0x000080;

// TEMP is a folder of its own, to see the run's scratch directory go.
class Client : public ::testing::Test {
protected:
    ProgramDir p;
    fs::path temp = p.root / "temp";
    int code = -1;
    std::string err;

    void SetUp() override { fs::create_directories(temp); }
    void run(const std::vector<std::string>& words, Env env = {}, const std::string& script = "") {
        std::vector<std::string> args = {"korax"};
        args.insert(args.end(), words.begin(), words.end());
        // An X display that is missing must stay missing: no other video driver.
        env.insert(env.begin(), {{"TEMP", temp.string()}, {"FSM", std::nullopt}, {"SDL_VIDEODRIVER", "x11"},
                                 {"WAYLAND_DISPLAY", std::nullopt}});
        if (script.empty()) env.insert(env.begin(), {"KORAX_INPUT", std::nullopt});
        code = p.run(args, script, env);
        err = p.log();
    }
    std::string shot(int n) const { return "shot " + (p.root / ("s" + std::to_string(n) + ".png")).string() + "\n"; }
    std::uint32_t pixel(int n, int x, int y) const {
        PNGSHOT s;
        EXPECT_TRUE(s.load(p.root / ("s" + std::to_string(n) + ".png"))) << n;
        return s.w ? s.rgb(x, y) : 0;
    }
    // Menu button b (1 = the first fixed entry) shown pressed in shot n.
    bool pressed(int n, int b) const { return pixel(n, 820, 118 + 46 * (b - 1)) == PRESSED; }
};

}  // namespace

// Fatal errors before the first screen: their code, their message on standard error,
// and the run's scratch directory gone. Each case breaks one more file.
TEST_F(Client, FatalErrorsAtTheStartEndWithTheirNumber) {
    const struct {
        const char* file;                  // replaced for this run (no bytes: removed)
        std::optional<std::string> bytes;
        std::vector<std::string> words;
        int code;
        std::string err;                   // all of standard error
    } cases[] = {
        {"", "", {"/nowhere/my", "results/TEAM3.RST"}, 13, "Error 13: /nowhere/my results/TEAM3.RST\n"},
        {"palette!.pcx", std::nullopt, {}, 1, "Error 1: PALETTE!.PCX\n"},
        {"KORAX.INI", "ID=12\n", {}, 1,  // told by its own texts, not again
         "This KORAX.INI belongs to another program (wrong ID).\nPlease use the KORAX.INI of Korax Manager (ID=255).\n"}};
    for (const auto& c : cases) {
        if (!c.bytes) fs::remove(p.prog / c.file);
        else if (*c.file) spit(p.prog / c.file, *c.bytes);
        run(c.words);
        EXPECT_EQ(code, c.code) << c.err;
        EXPECT_EQ(err, c.err);
        EXPECT_TRUE(fs::is_empty(temp)) << c.err;
    }
}

TEST_F(Client, ErrorScreenWaitsForAKeyAndShowsTheMessageCentred) {
    run({"NOGAME"}, {}, shot(1) + "key Enter\n");
    EXPECT_EQ(code, 13);  // the key ends the run with the error's number
    PNGSHOT s;
    ASSERT_TRUE(s.load(p.root / "s1.png"));
    // The middle of the white in rows y1..y2 (-1: none): the message, "[Press RETURN]", nothing below.
    auto white = [&](std::uint32_t y1, std::uint32_t y2) {
        std::uint32_t left = s.w, right = 0;
        for (std::uint32_t y = y1; y <= y2; ++y)
            for (std::uint32_t x = 0; x < s.w; ++x)
                if ((s.rgb(x, y) & 0xF0F0F0) == 0xF0F0F0) left = std::min(left, x), right = std::max(right, x);
        return right >= left ? (left + right) / 2.0 : -1;
    };
    EXPECT_NEAR(white(95, 125), s.w / 2.0, 8);
    EXPECT_NEAR(white(195, 225), s.w / 2.0, 8);
    EXPECT_EQ(white(300, s.h - 1), -1);
}

TEST_F(Client, NoDisplayEndsWith100OnStandardError) {
    p.demo();
    // The display libraries keep memory after a failed connection (a sanitizer's leak
    // report would replace the exit code) and may complain before the message.
    // No display at all: the fallback drivers show nothing and are refused.
    run({"DEMO"}, {{"KORAX_VIDEO", std::nullopt}, {"DISPLAY", std::nullopt}, {"SDL_VIDEODRIVER", std::nullopt},
                   {"ASAN_OPTIONS", "detect_leaks=0"}});
    EXPECT_EQ(code, 100);
    EXPECT_NE(err.find("Error 100: "), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(p.prog / "DEMO" / "TEAM1.TRN"));
}

TEST_F(Client, MenuHistoryBackKeyEscapeAndQuitQuestion) {
    p.demo();
    run({"DEMO"}, {},
        "click 900 151\nclick 900 197\nkey Shift+Tab\n" + shot(1) +  // line-up, league table, back one entry
            "key Esc\n" + shot(2) +                                  // from a sub-menu: to the first entry
            "key Esc\n" + shot(3) +                                  // at the first entry: the question
            "key N\n" + shot(4) + QUIT);
    EXPECT_EQ(code, 0) << err;
    // Per shot: the pressed menu button, and whether the quit question shows.
    const struct { int button; bool question; } shots[] = {{2, false}, {1, false}, {1, true}, {1, false}};
    for (int n = 1; n <= 4; ++n) {
        EXPECT_TRUE(pressed(n, shots[n - 1].button)) << n;
        EXPECT_EQ(pixel(n, 300, 340) == QUESTION, shots[n - 1].question) << n;
    }
    EXPECT_EQ(pixel(1, 820, 210), RELEASED);  // the league table's button
}

// Back from the match viewer the pairings, the table, the newspaper and the messages
// come first; a graph mode other than 2 then only says so: no menu, no usage booked.
TEST_F(Client, BackFromMatchViewerInAnotherGraphModeShowsTheDaysScreensOnly) {
    p.demo();
    spit(p.prog / "KORAX.INI", "ID=255\nGRAPHMODE=1\n");
    spit(p.prog / "DEMO" / "VGR.TMP", "");
    fs::remove(p.prog / "DEMO" / "KORAX.TMP");
    run({"DEMO", "1", "AusVGR"}, {}, "key Esc\nkey Esc\nkey Esc\nkey Esc\nkey Enter\nkey Enter\nkey Enter\nkey Enter\n");
    EXPECT_EQ(code, 0) << err;
    EXPECT_FALSE(fs::exists(p.prog / "DEMO" / "KORAX.TMP"));  // the menu never ran
    EXPECT_TRUE(fs::exists(p.prog / "DEMO" / "VGR.TMP"));
    EXPECT_TRUE(fs::exists(p.prog / "DEMO" / "TEAM1.TRN"));
}
