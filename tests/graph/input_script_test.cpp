// Input scripts: parsing, refusal of bad lines, feeding by demand, running out.
#include <filesystem>
#include <fstream>

#include "graph_fixture.h"

using namespace korax;
using korax::test::InputTest;
using korax::test::Ints;

namespace {

using Log = std::vector<std::string>;

std::vector<SCRIPTACTION> parse(const std::string& s) { return PARSE_INPUT_SCRIPT(s, "t.kis"); }

// Each action as "line: kind and what it carries"; key codes in decimal.
Log describe(const std::string& script) {
    Log out;
    for (const SCRIPTACTION& a : parse(script)) {
        std::string s = std::to_string(a.line) + ":";
        const std::string xy = std::to_string(a.x) + "," + std::to_string(a.y);
        switch (a.kind) {
            case SCRIPTACTION::KEYS:
                for (unsigned char c : a.codes) s += " " + std::to_string(c);
                break;
            case SCRIPTACTION::MOVE: s += " move " + xy; break;
            case SCRIPTACTION::PRESS: s += " press " + xy + " " + std::to_string(a.button); break;
            case SCRIPTACTION::RELEASE: s += " release " + std::to_string(a.button); break;
            case SCRIPTACTION::WAIT: s += " wait " + std::to_string(a.ms); break;
            case SCRIPTACTION::SHOT: s += " shot " + a.file; break;
            case SCRIPTACTION::CLOSE: s += " close"; break;
        }
        out.push_back(s);
    }
    return out;
}

TEST_F(InputTest, ScriptParsesEveryAction) {
    const std::string cwd = std::filesystem::current_path().string();
    const struct { std::string script; Log actions; } cases[] = {
        {"  text Hi!\nmove 10 20\npress 1 2 right\nrelease right\nclick 30 40\nwait 250\nshot out/pic.png\nclose\n",
         {"1: 72", "1: 105", "1: 33", "2: move 10,20", "3: press 1,2 16", "4: release 16", "5: press 30,40 1",
          "5: release 1", "6: wait 250", "7: shot " + cwd + "/out/pic.png", "8: close"}},
        // Key names and modifiers in any letter case after a byte order mark; comments,
        // blank lines and CRLF ends.
        {"\xEF\xBB\xBFkey esc\n# a comment\n\nkey PGDN\r\nkey ctrl+f5\nkey SHIFT+TAB\nkey a\nkey A\nkey Shift+a\nkey Ctrl++\n"
         "key Space\nkey Alt+x\nkey \xC3\xA4\n",
         {"1: 27", "4: 0 81", "5: 0 98", "6: 0 15", "7: 97", "8: 65", "9: 65", "10: 0 144", "11: 32", "12: 0 45", "13: 132"}},
        // Text types the rest of the line exactly: trailing blanks, all but the one
        // blank after the word.
        {"text ab  \ntext  x\r\n  text Z \ntext   \n",
         {"1: 97", "1: 98", "1: 32", "1: 32", "2: 32", "2: 120", "3: 90", "3: 32", "4: 32", "4: 32"}},
    };
    for (const auto& c : cases) EXPECT_EQ(describe(c.script), c.actions) << c.script;
}

TEST_F(InputTest, ScriptRefusesBadLinesNamingThem) {
    const std::pair<std::string, const char*> cases[] = {
        {"key a\njump 1 2\n", "t.kis:2:"},     {"key Enterr", "t.kis:1: unknown key"}, {"\n\nkey F13", "t.kis:3:"},
        {"key F0", "unknown key"},             {"key Alt+.", "t.kis:1:"},      {"key Ctrl+Tab", "queues nothing"},
        {"key", "t.kis:1:"},                   {"key a b", "too many"},        {"key \xE2\x82\xAC", "code page 437"},
        {"text", "text needs"},                {"text \xFF", "UTF-8"},         {"move 1", "move needs"},
        {"move -1 5", "bad X"},                {"move 1 2x", "bad Y"},         {"click 1 2 up", "mouse button"},
        {"release left left", "too many"},     {"wait soon", "milliseconds"},  {"wait 99999999999", "milliseconds"},
        {"shot", "file name"},                 {"shot a.bmp", ".png"},         {"close now", "too many"},
        {std::string("key a\0", 6), "NUL"},
    };
    for (const auto& [script, message] : cases) {
        try {
            parse(script);
            ADD_FAILURE() << "accepted " << script;
        } catch (const ScriptInvalid& e) {
            EXPECT_EQ(e.exitcode, 2);
            EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
        }
    }
}

TEST_F(InputTest, ScriptFromTheEnvironmentOrRefusedWhenUnreadable) {
    unsetenv("KORAX_INPUT");
    START_INPUT_SCRIPT();  // headless without a script: an empty script
    EXPECT_TRUE(INPUT_SCRIPT_ACTIVE());
    EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u);
    setenv("KORAX_INPUT", "/nonexistent/dir/script.kis", 1);
    EXPECT_THROW(START_INPUT_SCRIPT(), ScriptInvalid);
    unsetenv("KORAX_INPUT");
}

TEST_F(InputTest, ScriptKeysArriveOneActionAtATime) {
    for (int i = 0; i < 100000; ++i) ASSERT_FALSE(KEYPRESSED());  // no script: no waiting rules
    SET_INPUT_SCRIPT(parse("text abc\nkey F2\nwait 1500\nkey a\nwait 500\nwait 20\n"));
    EXPECT_EQ(KEYQUEUE_COUNT(), 0);  // nothing before the program asks
    EXPECT_TRUE(KEYPRESSED());
    EXPECT_TRUE(KEYPRESSED());  // asking again without reading gives nothing new
    EXPECT_EQ(KEYQUEUE_COUNT(), 1);
    EXPECT_EQ((Ints{READKEY(), READKEY(), READKEY(), READKEY(), READKEY()}), (Ints{'a', 'b', 'c', 0, 60}));
    // A wait moves the headless clock.
    const std::uint64_t t0 = CLOCK_MS();
    EXPECT_EQ(READKEY(), 'a');
    EXPECT_EQ(CLOCK_MS() - t0, 1500u);
    EXPECT_FALSE(KEYPRESSED());
    EXPECT_EQ(CLOCK_MS() - t0, 2020u);
    try {
        READKEY();
        ADD_FAILURE() << "no stop";
    } catch (const ScriptExhausted& e) {
        EXPECT_EQ(e.exitcode, 125);
        EXPECT_NE(std::string(e.what()).find("ran out"), std::string::npos);
    }
    SET_INPUT_SCRIPT(parse("close\n"));
    EXPECT_EQ((Ints{READKEY(), READKEY()}), (Ints{0, 107}));
}

TEST_F(InputTest, ScriptActionIgnoredByItsReaderIsPassedOver) {
    SET_INPUT_SCRIPT(parse("click 5 5\nkey x\n"));
    EXPECT_EQ(READKEY(), 'x');
    SET_INPUT_SCRIPT(parse("key q\nclick 7 8\n"));
    int b = 0, x = 0, y = 0;
    for (int polls = 0; b == 0 && polls < 100000; ++polls) EMOUSESTAT(b, x, y);
    EXPECT_EQ((Ints{b, x, READKEY()}), (Ints{1, 7, 'q'}));  // the key is still there for whoever reads it
    // Polling after the script ran out ends, though not at the first empty poll.
    long polls = 0;
    try {
        for (;; ++polls) {
            if (KEYPRESSED()) READKEY();
            EMOUSESTAT(b, x, y);
            DELAY(10);
            ASSERT_LT(polls, 1000000) << "never ended";
        }
    } catch (const ScriptExhausted& e) {
        EXPECT_EQ(e.exitcode, 125);
    }
    EXPECT_GT(polls, 100);
}

// Passes of a screen's input loop: a look at the key queue (reading what waits),
// then a look at the mouse; one log line per pass.
TEST_F(InputTest, ScriptAppliesOneActionPerPass) {
    const struct { const char* script; Log passes; } cases[] = {
        // The click waits for the next pass, so its window cannot replace the key.
        {"key 1\nclick 450 120\n", {"49 0@0,0", "- 1@450,120", "- 0@450,120"}},
        {"key F2\npress 5 6\n", {"#60 0@0,0", "- 1@5,6"}},
        {"click 7 8\nkey 1\n", {"- 1@7,8", "- 0@7,8", "49 0@7,8"}},
        {"move 1 1\nmove 2 2\nkey Esc\n", {"- 0@1,1", "- 0@2,2", "27 0@2,2"}},
    };
    for (const auto& c : cases) {
        EMPTY_INPUT_QUEUES();
        ADDMOUSEEVENT(MOUSE_RELEASED, 0xFFFF, 0, 0);
        SET_INPUT_SCRIPT(parse(c.script));
        Log log;
        for (std::size_t p = 0; p < c.passes.size(); ++p) {
            std::string line = "-";
            if (KEYPRESSED()) {
                const unsigned char k = READKEY();
                line = k == 0 ? "#" + std::to_string(READKEY()) : std::to_string(k);
            }
            int b, x, y;
            EMOUSESTAT(b, x, y);
            log.push_back(line + " " + std::to_string(b) + "@" + std::to_string(x) + "," + std::to_string(y));
        }
        EXPECT_EQ(log, c.passes) << c.script;
        EXPECT_EQ(INPUT_SCRIPT_REMAINING(), 0u) << c.script;
    }
}

TEST_F(InputTest, ScriptShotTakenAtTheFirstLookAtTheKeysAfterThePreviousActionsPass) {
    GRENABLED = false;
    INITGRAPH(3, 6, "input test");
    ASSERT_TRUE(GRAPHENABLED());
    test::ScratchDir dir;
    const std::string file = dir.file("screen.png");
    // Looks of the program: k at the key queue (reading what waits), m at the mouse.
    const struct { std::string script; const char* looks; int taken; } cases[] = {  // taken: the look that writes it
        {"SHOT\nkey a\n", "kmk", 0},
        {"key Esc\nSHOT\n", "kmmk", 3},  // not in the pass that reads the key
        {"click 5 5\nSHOT\n", "kmmmmk", 5},  // not while the click is handled
        {"click 5 5\nwait 40\nSHOT\nkey x\n", "kmmmk", 4},
        {"move 5 5\nSHOT\nmove 6 6\n", "mmk", 2},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(file);
        std::string script = c.script;
        script.replace(script.find("SHOT"), 4, "shot " + file);
        SET_INPUT_SCRIPT(parse(script));
        for (int i = 0; c.looks[i]; ++i) {
            int b, x, y;
            if (c.looks[i] == 'm') EMOUSESTAT(b, x, y);
            else if (KEYPRESSED()) READKEY();
            EXPECT_EQ(std::filesystem::exists(file), i >= c.taken) << c.script << " look " << i;
        }
    }
    // A loop waiting for the release never looks at the keys; the shot is passed
    // to it after a while instead of holding the release back for ever.
    std::filesystem::remove(file);
    SET_INPUT_SCRIPT(parse("press 5 5\nshot " + file + "\nrelease\n"));
    int b = 0, x, y;
    EMOUSESTAT(b, x, y);
    ASSERT_EQ(b, 1);
    for (int polls = 0; b != 0 && polls < 100000; ++polls) {
        EMOUSESTAT(b, x, y);
        DELAY(10);
    }
    EXPECT_EQ(b, 0);
    EXPECT_TRUE(std::filesystem::exists(file));
    CLOSEGRAPH();
}

}  // namespace
