// Runs the real client as a child process and checks how it ends.
#include <gtest/gtest.h>
#include <utime.h>

#include <ctime>

#include "common/client_run.h"
#include "common/png_shot.h"
#include "graph/htime.h"

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

// Fatal errors before the first screen: their code, their message on standard
// error, the run's scratch directory gone, and a refused container kept.
TEST_F(Client, FatalErrorsAtTheStartEndWithTheirNumber) {
    std::string unsafe = "\x65\x04../x";
    unsafe.append(40, '\0');
    const struct {
        const char* file;                  // replaced for this run (no bytes: removed)
        std::optional<std::string> bytes;
        std::vector<std::string> words;
        int code;
        std::string err;
        bool whole;                        // the message is all of standard error
    } cases[] = {
        {"", "", {"TEAM3.RST", "x"}, 14, "Error 14: TEAM3.RST x\n", true},
        {"", "", {"NOGAME"}, 13, "Error 13: NOGAME\n", true},
        {"", "", {"/nowhere/my", "results/TEAM3.RST"}, 13, "Error 13: /nowhere/my results/TEAM3.RST\n", true},
        {"", "", {"/x/a.RST", "b/.."}, 14, "Error 14: /x/a.RST b/..\n", true},  // names no file to copy
        {"palette!.pcx", std::nullopt, {}, 1, "Error 1: PALETTE!.PCX\n", true},
        {"KORAX.INI", std::nullopt, {}, 1, "Error 1: X:KORAX.INI\n", true},
        {"KORAX.INI", "ID=12\n", {}, 1, "KORAX.INI", false},
        {"KORAX.ENG", "KORAX 219\n1=old\n", {}, 1,
         "Error 7 Language-File :\nFile KORAX.ENG, Version 2.19 is obsolete\n"
         "To change Language -> edit LANGUAGE.CFG in the program directory", false},
        {"TEAM3.RST", unsafe, {}, 99, "Error 99: TEAM3.RST", false}};
    for (const auto& c : cases) {
        const fs::path file = p.prog / c.file;
        const bool had = *c.file && fs::exists(file);
        const std::string old = had ? slurp(file) : "";
        if (!c.bytes) fs::remove(file);
        else if (*c.file) spit(file, *c.bytes);
        run(c.words);
        EXPECT_EQ(code, c.code) << c.err;
        if (c.whole) {
            EXPECT_EQ(err, c.err);
        } else {
            EXPECT_NE(err.find(c.err), std::string::npos) << err;
        }
        EXPECT_TRUE(fs::is_empty(temp)) << c.err;
        if (had) spit(file, old);
    }
    EXPECT_TRUE(fs::exists(p.prog / "TEAM3.RST"));
    EXPECT_FALSE(fs::exists(p.root / "x"));
}

TEST_F(Client, StartedThroughPathFindsItsProgramDirectory) {
    // The game directory is looked for in the program directory, in any letter case,
    // not in the directory the client was started from.
    const fs::path elsewhere = p.root / "elsewhere";
    fs::create_directories(elsewhere / "NOGAME"), fs::create_directories(p.prog / "game1");
    const std::string oldpath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (p.prog.string() + ":" + oldpath).c_str(), 1);
    ::setenv("KORAX_VIDEO", "headless", 1);
    auto from = [&](const std::string& game) {
        PROCESSRUN r;
        r.program = "korax";
        r.args = {game};
        r.dir = elsewhere.string();
        r.output = (p.root / "path.log").string();
        code = RUNANDWAIT(r);
        return slurp(p.root / "path.log");
    };
    EXPECT_EQ(from("NOGAME"), "Error 13: NOGAME\n");
    EXPECT_EQ(code, 13);
    EXPECT_EQ(from("Game1").find("Error 13"), std::string::npos);
    ::setenv("PATH", oldpath.c_str(), 1);
}

TEST_F(Client, ErrorScreenWaitsForAKeyAndShowsTheMessageCentred) {
    run({"NOGAME"}, {}, shot(1) + "key Enter\n");
    EXPECT_EQ(code, 13);  // the key ends the run with the error's number
    EXPECT_EQ(err, "Error 13: NOGAME\n");
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
    EXPECT_EQ(s.rgb(5, 5), 0u);
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
        shot(1) + "click 900 151\n" + shot(2) +  // line-up
            "click 900 197\n" + shot(3) +        // league table
            "key Shift+Tab\n" + shot(4) +        // back one entry
            "key Esc\n" + shot(5) +              // from a sub-menu: to the first entry
            "key Esc\n" + shot(6) +              // at the first entry: the question
            "key N\n" + shot(7) +
            // The question ignores Space; the mouse move lets the shot wait for the closing message.
            "key Esc\nkey Space\n" + shot(8) + "key Y\nmove 5 5\n" + shot(9) +
            "key Enter\n");  // the last key ends the run: nothing more is asked for
    EXPECT_EQ(code, 0) << err;
    // Per shot: the pressed menu button, and whether the quit question shows.
    const struct { int button; bool question; } shots[] = {{1, false}, {2, false}, {3, false}, {2, false}, {1, false},
                                                           {1, true}, {1, false}, {1, true}, {0, false}};
    for (int n = 1; n <= 9; ++n) {
        if (shots[n - 1].button) EXPECT_TRUE(pressed(n, shots[n - 1].button)) << n;
        EXPECT_EQ(pixel(n, 300, 340) == QUESTION, shots[n - 1].question) << n;
    }
    EXPECT_EQ(pixel(1, 820, 164), RELEASED);
    EXPECT_FALSE(pressed(4, 3));
    EXPECT_TRUE(fs::exists(p.prog / "DEMO" / "TEAM1.TRN"));
    EXPECT_TRUE(fs::exists(p.prog / "DEMO" / "KORAX.TMP"));
}

TEST_F(Client, GraphModeOtherThanTwoStopsInOrder) {
    p.demo();
    std::string ini = slurp(p.prog / "KORAX.INI");
    const auto at = ini.find("GRAPHMODE=2");
    ASSERT_NE(at, std::string::npos);
    spit(p.prog / "KORAX.INI", ini.replace(at, 11, "GRAPHMODE=1"));
    fs::remove(p.prog / "DEMO" / "KORAX.TMP");
    run({"DEMO"}, {}, "key Enter\nkey Enter\nkey Enter\nkey Enter\n");
    EXPECT_EQ(code, 0) << err;
    EXPECT_FALSE(fs::exists(p.prog / "DEMO" / "KORAX.TMP"));  // the menu never ran
    EXPECT_TRUE(fs::exists(p.prog / "DEMO" / "TEAM1.TRN"));
}

TEST_F(Client, BackFromMatchViewerAddsViewerTime) {
    p.demo();
    const fs::path demo = p.prog / "DEMO";
    const TEAMREC before = teamrecord(slurp(demo / "TEAM1.DAT"), 1);
    const std::time_t start = std::time(nullptr), viewerstart = start - 3600, clientstart = start - 7200;
    for (auto [name, when] : {std::pair{"VGR.TMP", viewerstart}, std::pair{"KORAX.TMP", clientstart}}) {
        spit(demo / name, "");
        utimbuf t{when, when};
        ASSERT_EQ(::utime((demo / name).c_str(), &t), 0);
    }
    // Back from the viewer the pairings, the table, the newspaper and the messages come first.
    run({"DEMO", "1", "AusVGR"}, {}, "key Esc\nkey Esc\nkey Esc\nkey Esc\nkey Esc\nkey Y\nkey Enter\nkey Enter\nkey Enter\n");
    const std::time_t end = std::time(nullptr);
    EXPECT_EQ(code, 0) << err;
    const TEAMREC after = teamrecord(slurp(demo / "TEAM1.DAT"), 1);
    EXPECT_FALSE(fs::exists(demo / "VGR.TMP"));
    // Stamps are packed date-times; no new client run, but its time counts from its own marker.
    const std::int32_t viewer = after.TRAINING.VGRGESAMT - before.TRAINING.VGRGESAMT;
    EXPECT_GE(viewer, DOSPACKTIME(start) - DOSPACKTIME(viewerstart));
    EXPECT_LE(viewer, DOSPACKTIME(end) - DOSPACKTIME(viewerstart));
    EXPECT_EQ(after.TRAINING.KXANZAHL, before.TRAINING.KXANZAHL);
    const std::int32_t client = after.TRAINING.KXGESAMT - before.TRAINING.KXGESAMT;
    EXPECT_GE(client, DOSPACKTIME(start) - DOSPACKTIME(clientstart));
    EXPECT_LE(client, DOSPACKTIME(end) - DOSPACKTIME(clientstart));
}

TEST_F(Client, AScriptThatRunsOutInTheQuitQuestionEndsWith125) {
    p.demo();
    run({"DEMO"}, {{"TMPDIR", p.root.string()}}, "wait 100\n" + shot(1) + "key Esc\n");
    EXPECT_EQ(code, 125) << err;
    EXPECT_EQ(slurp(p.root / "s1.png").substr(0, 4), "\x89PNG") << err;
    EXPECT_FALSE(fs::exists(p.prog / "DEMO" / "TEAM1.TRN"));
}
