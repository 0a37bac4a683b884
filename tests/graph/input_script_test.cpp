// Input scripts: parsing, refusal of bad lines, feeding by demand, running out.
#include <filesystem>
#include <fstream>

#include "input_fixture.h"

namespace korax {
namespace {

using Keys = std::vector<int>;

std::vector<SCRIPTACTION> parse(const std::string& s) { return PARSE_INPUT_SCRIPT(s, "t.kis"); }

std::string parse_error(const std::string& s) {
    try {
        parse(s);
    } catch (const ScriptInvalid& e) {
        EXPECT_EQ(e.exitcode, 2);
        return e.what();
    }
    return "";
}

TEST_F(InputTest, ScriptParsesEveryAction) {
    auto a = parse(
        "# a comment\n"
        "\n"
        "key Enter\r\n"
        "key Ctrl+Left\n"
        "key Alt+x\n"
        "key F1\n"
        "key Shift+F10\n"
        "key \xC3\xA4\n"
        "  text Hi there\n"
        "move 10 20\n"
        "press 1 2 right\n"
        "release right\n"
        "click 30 40\n"
        "wait 250\n"
        "shot out/pic.png\n"
        "close\n");
    ASSERT_EQ(a.size(), 22u);
    EXPECT_EQ(a[0].codes, "\r");
    EXPECT_EQ(a[0].line, 3);
    EXPECT_EQ(a[1].codes, std::string("\0\x73", 2));
    EXPECT_EQ(a[2].codes, std::string("\0\x2D", 2));
    EXPECT_EQ(a[3].codes, std::string("\0\x3B", 2));
    EXPECT_EQ(a[4].codes, std::string("\0\x5D", 2));
    EXPECT_EQ(a[5].codes, "\x84");
    std::string typed;
    for (int i = 6; i < 14; ++i) {
        EXPECT_EQ(a[i].kind, SCRIPTACTION::KEYS);
        EXPECT_EQ(a[i].line, 9);
        typed += a[i].codes;
    }
    EXPECT_EQ(typed, "Hi there");
    EXPECT_EQ(a[14].kind, SCRIPTACTION::MOVE);
    EXPECT_EQ(a[14].x, 10);
    EXPECT_EQ(a[14].y, 20);
    EXPECT_EQ(a[15].kind, SCRIPTACTION::PRESS);
    EXPECT_EQ(a[15].button, MOUSE_RIGHT);
    EXPECT_EQ(a[16].kind, SCRIPTACTION::RELEASE);
    EXPECT_EQ(a[16].button, MOUSE_RIGHT);
    EXPECT_EQ(a[17].kind, SCRIPTACTION::PRESS);
    EXPECT_EQ(a[17].button, MOUSE_LEFT);
    EXPECT_EQ(a[18].kind, SCRIPTACTION::RELEASE);
    EXPECT_EQ(a[19].kind, SCRIPTACTION::WAIT);
    EXPECT_EQ(a[19].ms, 250u);
    EXPECT_EQ(a[20].kind, SCRIPTACTION::SHOT);
    EXPECT_TRUE(std::filesystem::path(a[20].file).is_absolute());
    EXPECT_EQ(std::filesystem::path(a[20].file).filename(), "pic.png");
    EXPECT_EQ(a[21].kind, SCRIPTACTION::CLOSE);
}

TEST_F(InputTest, ScriptTextTypesTheRestOfTheLineExactly) {
    const struct {
        const char* line;
        std::string typed;
    } cases[] = {
        {"text ab  \n", "ab  "},    // trailing blanks are typed
        {"text  x\r\n", " x"},      // only the one blank after the word goes
        {"  text Z \n", "Z "},
        {"text   \n", "  "},
    };
    for (const auto& c : cases) {
        std::string typed;
        for (const SCRIPTACTION& a : parse(c.line)) typed += a.codes;
        EXPECT_EQ(typed, c.typed) << c.line;
    }
}

TEST_F(InputTest, ScriptKeyNamesAndModifiersIgnoreLetterCaseAfterAByteOrderMark) {
    auto a = parse("\xEF\xBB\xBFkey esc\nkey PGDN\nkey ctrl+f5\nkey SHIFT+TAB\nkey a\nkey A\nkey Shift+a\nkey Ctrl++\nkey Space\n");
    std::vector<std::string> codes;
    for (const auto& x : a) codes.push_back(x.codes);
    EXPECT_EQ(codes, (std::vector<std::string>{"\x1B", std::string("\0\x51", 2), std::string("\0\x62", 2),
                                                std::string("\0\x0F", 2), "a", "A", "A", std::string("\0\x90", 2), " "}));
}

TEST_F(InputTest, ScriptRefusesBadLinesNamingThem) {
    EXPECT_NE(parse_error("key a\njump 1 2\n").find("t.kis:2:"), std::string::npos);
    EXPECT_NE(parse_error("key Enterr").find("t.kis:1: unknown key"), std::string::npos);
    EXPECT_NE(parse_error("\n\nkey F13").find("t.kis:3:"), std::string::npos);
    EXPECT_NE(parse_error("key F0").find("unknown key"), std::string::npos);
    EXPECT_NE(parse_error("key Alt+.").find("t.kis:1:"), std::string::npos);
    EXPECT_NE(parse_error("key Ctrl+Tab").find("queues nothing"), std::string::npos);
    EXPECT_NE(parse_error("key").find("t.kis:1:"), std::string::npos);
    EXPECT_NE(parse_error("key a b").find("too many"), std::string::npos);
    EXPECT_NE(parse_error("key \xE2\x82\xAC").find("code page 437"), std::string::npos);
    EXPECT_NE(parse_error("text").find("text needs"), std::string::npos);
    EXPECT_NE(parse_error("text \xFF").find("UTF-8"), std::string::npos);
    EXPECT_NE(parse_error("move 1").find("move needs"), std::string::npos);
    EXPECT_NE(parse_error("move -1 5").find("bad X"), std::string::npos);
    EXPECT_NE(parse_error("move 1 2x").find("bad Y"), std::string::npos);
    EXPECT_NE(parse_error("click 1 2 up").find("mouse button"), std::string::npos);
    EXPECT_NE(parse_error("release left left").find("too many"), std::string::npos);
    EXPECT_NE(parse_error("wait soon").find("milliseconds"), std::string::npos);
    EXPECT_NE(parse_error("wait 99999999999").find("milliseconds"), std::string::npos);
    EXPECT_NE(parse_error("shot").find("file name"), std::string::npos);
    EXPECT_NE(parse_error("shot a.bmp").find(".png"), std::string::npos);
    EXPECT_NE(parse_error("close now").find("too many"), std::string::npos);
    EXPECT_NE(parse_error(std::string("key a\0", 6)).find("NUL"), std::string::npos);
}

TEST_F(InputTest, ScriptFromTheEnvironmentOrRefusedWhenUnreadable) {
    setenv("KORAX_INPUT", "/nonexistent/dir/script.kis", 1);
    EXPECT_THROW(START_INPUT_SCRIPT(), ScriptInvalid);
    const auto dir = std::filesystem::temp_directory_path() / ("korax_input_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto file = dir / "run.kis";
    std::ofstream(file) << "key x\nkey Enter\n";
    setenv("KORAX_INPUT", file.c_str(), 1);
    START_INPUT_SCRIPT();
    unsetenv("KORAX_INPUT");
    EXPECT_TRUE(INPUT_SCRIPT_ACTIVE());
    EXPECT_EQ(READKEY(), 'x');
    EXPECT_EQ(READKEY(), 13);
    EXPECT_THROW(READKEY(), ScriptExhausted);
    std::filesystem::remove_all(dir);
}

TEST_F(InputTest, HeadlessWithoutScriptBehavesAsAnEmptyScript) {
    unsetenv("KORAX_INPUT");
    START_INPUT_SCRIPT();
    EXPECT_TRUE(INPUT_SCRIPT_ACTIVE());
    EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u);
}

TEST_F(InputTest, ScriptKeysArriveOneActionAtATime) {
    SET_INPUT_SCRIPT(parse("text abc\nkey F2\n"));
    EXPECT_EQ(KEYQUEUE_COUNT(), 0);  // nothing before the program asks
    EXPECT_TRUE(KEYPRESSED());
    EXPECT_EQ(KEYQUEUE_COUNT(), 1);
    EXPECT_TRUE(KEYPRESSED());  // asking again without reading gives nothing new
    EXPECT_EQ(KEYQUEUE_COUNT(), 1);
    EXPECT_EQ(READKEY(), 'a');
    EXPECT_EQ(READKEY(), 'b');
    EXPECT_EQ(READKEY(), 'c');
    EXPECT_EQ(READKEY(), 0);
    EXPECT_EQ(READKEY(), 60);
    try {
        READKEY();
        ADD_FAILURE() << "no stop";
    } catch (const ScriptExhausted& e) {
        EXPECT_EQ(e.exitcode, 125);
        EXPECT_NE(std::string(e.what()).find("ran out"), std::string::npos);
    }
}

TEST_F(InputTest, ScriptMouseChangeWaitsUntilTheStateWasRead) {
    SET_INPUT_SCRIPT(parse("click 100 200\nmove 5 6\n"));
    int b, x, y;
    EMOUSESTAT(b, x, y);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 200);
    EMOUSESTAT(b, x, y);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(x, 100);
    EMOUSESTAT(b, x, y);
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 6);
    // The same clicks as events: a move, a press, a release, a move.
    TMOUSEEVENT e{};
    GETMOUSEEVENT(e);
    EXPECT_EQ(e.ACTION, MOUSE_MOVED);
    GETMOUSEEVENT(e);
    EXPECT_EQ(e.ACTION, MOUSE_PRESSED);
    EXPECT_EQ(e.BUTTONS, MOUSE_LEFT);
    GETMOUSEEVENT(e);
    EXPECT_EQ(e.ACTION, MOUSE_RELEASED);
    GETMOUSEEVENT(e);
    EXPECT_EQ(e.ACTION, MOUSE_MOVED);
}

TEST_F(InputTest, ScriptActionIgnoredByItsReaderIsPassedOver) {
    SET_INPUT_SCRIPT(parse("click 5 5\nkey x\n"));
    EXPECT_EQ(READKEY(), 'x');
    SET_INPUT_SCRIPT(parse("key q\nclick 7 8\n"));
    int b = 0, x = 0, y = 0;
    int polls = 0;
    while (b == 0 && polls < 100000) {
        EMOUSESTAT(b, x, y);
        ++polls;
    }
    EXPECT_EQ(b, 1);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(READKEY(), 'q');  // the key is still there for whoever reads it
}

TEST_F(InputTest, ScriptWaitMovesTheHeadlessClock) {
    SET_INPUT_SCRIPT(parse("wait 1500\nkey a\nwait 500\nwait 20\n"));
    const std::uint64_t t0 = CLOCK_MS();
    EXPECT_EQ(READKEY(), 'a');
    EXPECT_EQ(CLOCK_MS() - t0, 1500u);
    EXPECT_FALSE(KEYPRESSED());
    EXPECT_EQ(CLOCK_MS() - t0, 2020u);
}

TEST_F(InputTest, ScriptCloseQueuesAltF4) {
    SET_INPUT_SCRIPT(parse("close\n"));
    EXPECT_EQ(READKEY(), 0);
    EXPECT_EQ(READKEY(), 107);
}

TEST_F(InputTest, PollingAfterTheScriptRanOutEnds) {
    SET_INPUT_SCRIPT(parse("key a\n"));
    EXPECT_EQ(READKEY(), 'a');
    long polls = 0;
    try {
        for (;;) {
            int b, x, y;
            if (KEYPRESSED()) READKEY();
            EMOUSESTAT(b, x, y);
            DELAY(10);
            ++polls;
            ASSERT_LT(polls, 1000000) << "never ended";
        }
    } catch (const ScriptExhausted& e) {
        EXPECT_EQ(e.exitcode, 125);
    }
    EXPECT_GT(polls, 100);  // not at the first empty poll
}

TEST_F(InputTest, NoScriptMeansNoWaitingRules) {
    for (int i = 0; i < 100000; ++i) ASSERT_FALSE(KEYPRESSED());
}

// A model of a screen's input loop: it looks whether a key waits and acts on it,
// and acts on every change of the mouse buttons it reads. The pace varies: `peeks`
// extra looks at the key queue with a delay of `sleep` each, and `mousereads`
// looks at the mouse per pass.
std::vector<std::string> run_screen(int peeks, int sleep, int mousereads) {
    std::vector<std::string> log;
    int oldb = 0;
    for (int pass = 0; pass < 100000; ++pass) {
        for (int i = 0; i < peeks; ++i) {
            KEYPRESSED();
            READTICKS();
            DELAY(sleep);
        }
        if (KEYPRESSED()) {
            unsigned char k = READKEY();
            unsigned char k2 = k == 0 ? READKEY() : 0;
            log.push_back("key " + std::to_string(k) + "/" + std::to_string(k2));
            if (k == 27) return log;
        }
        for (int m = 0; m < mousereads; ++m) {
            int b, x, y;
            EMOUSESTAT(b, x, y);
            if (b != oldb)
                log.push_back("buttons " + std::to_string(b) + " at " + std::to_string(x) + "," + std::to_string(y));
            oldb = b;
        }
        if (sleep) DELAY(sleep);
    }
    log.push_back("never ended");
    return log;
}

TEST_F(InputTest, SameScriptSameRunAtAnyPollingRate) {
    const std::string script =
        "move 10 10\nclick 20 30\ntext hi\nkey F2\nwait 300\npress 40 50 right\nmove 60 70\n"
        "release right\nkey Alt+x\nclick 1 2\nkey Esc\n";
    std::vector<std::vector<std::string>> runs;
    const int pace[][3] = {{0, 0, 1}, {1, 10, 1}, {3, 0, 2}, {7, 1, 3}, {2, 100, 5}, {0, 0, 4}};
    for (const auto& p : pace) {
        EMPTY_INPUT_QUEUES();
        ADDMOUSEEVENT(MOUSE_RELEASED, 0xFFFF, 0, 0);
        SET_INPUT_SCRIPT(parse(script));
        runs.push_back(run_screen(p[0], p[1], p[2]));
    }
    const std::vector<std::string> expect = {
        "buttons 1 at 20,30", "buttons 0 at 20,30", "key 104/0",          "key 105/0",
        "key 0/60",           "buttons 2 at 40,50", "buttons 0 at 60,70", "key 0/45",
        "buttons 1 at 1,2",   "buttons 0 at 1,2",   "key 27/0"};
    for (const auto& r : runs) EXPECT_EQ(r, expect);
}

// Passes of a screen's input loop: a look at the key queue (reading what waits),
// then a look at the mouse; one log line per pass.
std::vector<std::string> run_passes(int passes) {
    std::vector<std::string> log;
    for (int p = 0; p < passes; ++p) {
        std::string line = "-";
        if (KEYPRESSED()) {
            const unsigned char k = READKEY();
            line = k == 0 ? "#" + std::to_string(READKEY()) : std::to_string(k);
        }
        int b, x, y;
        EMOUSESTAT(b, x, y);
        log.push_back(line + " " + std::to_string(b) + "@" + std::to_string(x) + "," + std::to_string(y));
    }
    return log;
}

TEST_F(InputTest, ScriptAppliesOneActionPerPass) {
    const struct {
        const char* script;
        std::vector<std::string> passes;
    } cases[] = {
        // The click waits for the next pass, so its window cannot replace the key.
        {"key 1\nclick 450 120\n", {"49 0@0,0", "- 1@450,120", "- 0@450,120"}},
        {"key F2\npress 5 6\n", {"#60 0@0,0", "- 1@5,6"}},
        {"click 7 8\nkey 1\n", {"- 1@7,8", "- 0@7,8", "49 0@7,8"}},
        {"text ab\nmove 3 4\n", {"97 0@0,0", "98 0@0,0", "- 0@3,4"}},
        {"move 1 1\nmove 2 2\nkey Esc\n", {"- 0@1,1", "- 0@2,2", "27 0@2,2"}},
    };
    for (const auto& c : cases) {
        EMPTY_INPUT_QUEUES();
        ADDMOUSEEVENT(MOUSE_RELEASED, 0xFFFF, 0, 0);
        SET_INPUT_SCRIPT(parse(c.script));
        EXPECT_EQ(run_passes(static_cast<int>(c.passes.size())), c.passes) << c.script;
        EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u) << c.script;
    }
}

class ScriptShot : public InputTest {
protected:
    std::filesystem::path dir, file;
    void SetUp() override {
        InputTest::SetUp();
        GRENABLED = false;
        INITGRAPH(3, 6, "input test");
        ASSERT_TRUE(GRAPHENABLED());
        dir = std::filesystem::temp_directory_path() / ("korax_shot_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        file = dir / "screen.png";
    }
    void TearDown() override {
        END_INPUT_SCRIPT();
        CLOSEGRAPH();
        GRENABLED = true;
        std::filesystem::remove_all(dir);
        InputTest::TearDown();
    }
};

TEST_F(ScriptShot, TakenAtTheFirstLookAtTheKeysAfterThePreviousActionsPass) {
    // Looks of the program: k at the key queue (reading what waits), m at the mouse.
    const struct {
        std::string script;
        const char* looks;
        int taken;  // index of the look at which the picture is written
    } cases[] = {
        {"SHOT\nkey a\n", "kmk", 0},
        {"key Esc\nSHOT\n", "kmmk", 3},             // not in the pass that reads the key
        {"key a\nwait 100\nSHOT\n", "kmk", 2},
        {"click 5 5\nSHOT\n", "kmmmmk", 5},         // not while the click is handled
        {"click 5 5\nwait 40\nSHOT\nkey x\n", "kmmmk", 4},
        {"move 5 5\nSHOT\nmove 6 6\n", "mmk", 2},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(file);
        std::string script = c.script;
        script.replace(script.find("SHOT"), 4, "shot " + file.string());
        SET_INPUT_SCRIPT(parse(script));
        for (int i = 0; c.looks[i]; ++i) {
            if (c.looks[i] == 'k') {
                if (KEYPRESSED()) READKEY();
            } else {
                int b, x, y;
                EMOUSESTAT(b, x, y);
            }
            EXPECT_EQ(std::filesystem::exists(file), i >= c.taken) << c.script << " look " << i;
        }
    }
}

TEST_F(ScriptShot, AfterAPressInALoopThatReadsOnlyTheMouseStillTaken) {
    // A loop waiting for the release never looks at the keys; the shot is passed
    // to it after a while instead of holding the release back for ever.
    SET_INPUT_SCRIPT(parse("press 5 5\nshot " + file.string() + "\nrelease\n"));
    int b = 0, x, y;
    EMOUSESTAT(b, x, y);
    ASSERT_EQ(b, 1);
    int polls = 0;
    while (b != 0 && polls < 100000) {
        EMOUSESTAT(b, x, y);
        DELAY(10);
        ++polls;
    }
    EXPECT_EQ(b, 0);
    EXPECT_TRUE(std::filesystem::exists(file));
}

TEST_F(InputTest, ScriptShotWritesThePicture) {
    GRENABLED = false;
    INITGRAPH(3, 6, "input test");
    ASSERT_TRUE(GRAPHENABLED());
    const auto dir = std::filesystem::temp_directory_path() / ("korax_shot_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto file = dir / "screen.png";
    SET_INPUT_SCRIPT(parse("shot " + file.string() + "\nkey a\n"));
    EXPECT_EQ(READKEY(), 'a');
    CLOSEGRAPH();
    GRENABLED = true;
    std::ifstream in(file, std::ios::binary);
    char sig[8] = {};
    in.read(sig, 8);
    EXPECT_EQ(std::string(sig, 8), std::string("\x89PNG\r\n\x1A\n", 8));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace korax
