// Runs the real client as a child process and checks how it ends.
#include <gtest/gtest.h>

#include <ctime>
#include <sstream>

#include <utime.h>
#include <zlib.h>

#include "common/client_run.h"
#include "graph/htime.h"

using namespace korax;
using namespace korax::client;

namespace {

struct RunResult {
    int code = -1;
    std::string err;
};

// The client without an input script: a fatal error is only written to standard
// error. TEMP is a folder of its own, to see the run's scratch directory go.
class ClientBinary : public testing::Test {
protected:
    ProgramDir p;
    const fs::path& root = p.root;
    const fs::path& prog = p.prog;
    fs::path temp = p.root / "temp";

    void SetUp() override { fs::create_directories(temp); }
    RunResult run(const std::vector<std::string>& words, Env env = {}, const std::string& script = "") {
        std::vector<std::string> args = {"korax"};
        args.insert(args.end(), words.begin(), words.end());
        // An X display that is missing must stay missing: no other video driver.
        env.insert(env.begin(), {{"TEMP", temp.string()}, {"FSM", std::nullopt}, {"SDL_VIDEODRIVER", "x11"},
                                 {"WAYLAND_DISPLAY", std::nullopt}});
        if (script.empty()) env.insert(env.begin(), {"KORAX_INPUT", std::nullopt});
        RunResult r;
        r.code = p.run(args, script, env);
        r.err = p.log();
        return r;
    }
};

}  // namespace

// Fatal errors before the first screen: their code, their one line on standard
// error, and the run's scratch directory gone.
TEST_F(ClientBinary, FatalErrorsAtTheStartEndWithTheirNumber) {
    const struct { std::vector<std::string> words; int code; const char* err; } cases[] = {
        {{"TEAM3.RST", "x"}, 14, "Error 14: TEAM3.RST x\n"},
        {{"NOGAME"}, 13, "Error 13: NOGAME\n"},
        {{"/nowhere/my", "results/TEAM3.RST"}, 13, "Error 13: /nowhere/my results/TEAM3.RST\n"}};
    for (const auto& c : cases) {
        RunResult r = run(c.words);
        EXPECT_EQ(r.code, c.code) << c.err;
        EXPECT_EQ(r.err, c.err);
        EXPECT_TRUE(fs::is_empty(temp)) << c.err;
    }
    fs::remove(prog / "palette!.pcx");
    RunResult r = run({});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Error 1: PALETTE!.PCX\n");
}

TEST_F(ClientBinary, UnsafePassThroughContainerEndsWith99) {
    std::string bytes = "\x65\x04../x";
    bytes.append(40, '\0');
    spit(prog / "TEAM3.RST", bytes);
    RunResult r = run({});
    EXPECT_EQ(r.code, 99);
    EXPECT_EQ(r.err.rfind("Error 99: TEAM3.RST", 0), 0u) << r.err;
    EXPECT_TRUE(fs::exists(prog / "TEAM3.RST"));
    EXPECT_FALSE(fs::exists(root / "x"));
}

TEST_F(ClientBinary, MissingConfigurationIsReportedWithoutDisplay) {
    fs::remove(prog / "KORAX.INI");
    RunResult r = run({});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Error 1: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("KORAX.INI"), std::string::npos) << r.err;
}

TEST_F(ClientBinary, StartedThroughPathFindsItsProgramDirectory) {
    // The game directory is looked for in the program directory, in any letter case,
    // not in the directory the client was started from.
    fs::path elsewhere = root / "elsewhere";
    fs::create_directories(elsewhere / "NOGAME");
    fs::create_directories(prog / "game1");
    const std::string oldpath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (prog.string() + ":" + oldpath).c_str(), 1);
    ::setenv("KORAX_VIDEO", "headless", 1);
    auto from = [&](const std::string& game) {
        PROCESSRUN r;
        r.program = "korax";
        r.args = {game};
        r.dir = elsewhere.string();
        r.output = (root / "path.log").string();
        return RunResult{RUNANDWAIT(r), slurp(root / "path.log")};
    };
    const RunResult miss = from("NOGAME"), found = from("Game1");
    ::setenv("PATH", oldpath.c_str(), 1);
    EXPECT_EQ(miss.code, 13);
    EXPECT_EQ(miss.err, "Error 13: NOGAME\n");
    EXPECT_EQ(found.err.find("Error 13"), std::string::npos) << found.err;
}

namespace {

// RGB of one pixel of a screenshot (the shots are 8-bit RGB, one IDAT, filter 0).
struct Shot {
    std::uint32_t w = 0, h = 0;
    std::string raw;
    bool load(const fs::path& p) {
        std::string png = slurp(p);
        std::string z;
        std::size_t pos = 8;
        auto be32 = [&](std::size_t at) {
            return static_cast<std::uint32_t>(static_cast<unsigned char>(png[at]) << 24 |
                                              static_cast<unsigned char>(png[at + 1]) << 16 |
                                              static_cast<unsigned char>(png[at + 2]) << 8 |
                                              static_cast<unsigned char>(png[at + 3]));
        };
        while (pos + 8 <= png.size()) {
            std::uint32_t len = be32(pos);
            std::string type = png.substr(pos + 4, 4);
            if (pos + 12 + len > png.size()) return false;
            if (type == "IHDR") w = be32(pos + 8), h = be32(pos + 12);
            if (type == "IDAT") z += png.substr(pos + 8, len);
            pos += 12 + len;
        }
        raw.resize(static_cast<std::size_t>(h) * (1 + 3 * w));
        uLongf n = raw.size();
        return w > 0 && uncompress(reinterpret_cast<Bytef*>(raw.data()), &n,
                                   reinterpret_cast<const Bytef*>(z.data()), z.size()) == Z_OK;
    }
    std::uint32_t rgb(std::uint32_t x, std::uint32_t y) const {
        const unsigned char* p = reinterpret_cast<const unsigned char*>(raw.data()) + y * (1 + 3 * w) + 1 + 3 * x;
        return static_cast<std::uint32_t>(p[0] << 16 | p[1] << 8 | p[2]);
    }
};

constexpr std::uint32_t PRESSED = 0x800000, RELEASED = 0x008000, QUESTION = 0x000080;

}  // namespace

class ClientMenu : public ClientBinary {
protected:
    void SetUp() override {
        ClientBinary::SetUp();
        p.demo();
    }
    std::uint32_t pixel(int shot, int x, int y) {
        Shot s;
        EXPECT_TRUE(s.load(root / ("s" + std::to_string(shot) + ".png"))) << shot;
        return s.w ? s.rgb(x, y) : 0;
    }
    // Menu button b (1 = the first fixed entry) shown pressed in shot n.
    bool pressed(int shot, int b) { return pixel(shot, 820, 118 + 46 * (b - 1)) == PRESSED; }
};

TEST_F(ClientMenu, HistoryBackKeyEscapeAndQuitQuestion) {
    std::string r = root.string() + "/";
    // Each shot shows the screen as the action right before it left it.
    auto shot = [&](int n) { return "shot " + r + "s" + std::to_string(n) + ".png\n"; };
    std::ostringstream script;
    script << shot(1)
                          << "click 900 151\n" << shot(2)  // line-up
                          << "click 900 197\n" << shot(3)  // league table
                          << "key Shift+Tab\n" << shot(4)  // back one entry
                          << "key Esc\n" << shot(5)        // from a sub-menu: to the first entry
                          << "key Esc\n" << shot(6)        // at the first entry: the question
                          << "key N\n" << shot(7)
                          << "key Esc\nkey Y\nkey Enter\nkey Enter\nkey Enter\n";
    RunResult res = run({"DEMO"}, {}, script.str());
    EXPECT_EQ(res.code, 0) << res.err;
    EXPECT_TRUE(pressed(1, 1));
    EXPECT_EQ(pixel(1, 820, 164), RELEASED);
    EXPECT_TRUE(pressed(2, 2));
    EXPECT_TRUE(pressed(3, 3));
    EXPECT_TRUE(pressed(4, 2));  // back from the league table to the line-up
    EXPECT_FALSE(pressed(4, 3));
    EXPECT_TRUE(pressed(5, 1));  // Escape in a sub-menu: first entry, no question
    EXPECT_NE(pixel(5, 300, 340), QUESTION);
    EXPECT_EQ(pixel(6, 300, 340), QUESTION);
    EXPECT_TRUE(pressed(7, 1));  // "no" stays at the first entry
    EXPECT_NE(pixel(7, 300, 340), QUESTION);
    EXPECT_TRUE(fs::exists(prog / "DEMO" / "TEAM1.TRN"));
    EXPECT_TRUE(fs::exists(prog / "DEMO" / "KORAX.TMP"));
}

TEST_F(ClientMenu, ScriptThatRunsOutEndsWith125) {
    RunResult res = run({"DEMO"}, {}, "key Esc\n");
    EXPECT_EQ(res.code, 125);
    EXPECT_FALSE(fs::exists(prog / "DEMO" / "TEAM1.TRN"));
}

TEST_F(ClientMenu, ScriptWhoseLastKeyEndsTheRunEndsWith0) {
    // Escape, "yes" to the question, Enter for the message about the turn file:
    // the last key is taken in, and nothing more is asked for.
    RunResult res = run({"DEMO"}, {}, "key Esc\nkey Y\nkey Enter\n");
    EXPECT_EQ(res.code, 0) << res.err;
    EXPECT_TRUE(fs::exists(prog / "DEMO" / "TEAM1.TRN"));
}

TEST_F(ClientMenu, NoDisplayEndsWith100OnStandardError) {
    // The display libraries keep memory after a failed connection; a sanitizer
    // build's leak report would replace the exit code this test is about.
    RunResult res = run({"DEMO"}, {{"KORAX_VIDEO", std::nullopt}, {"DISPLAY", ":9999"}, {"ASAN_OPTIONS", "detect_leaks=0"}});
    EXPECT_EQ(res.code, 100);
    EXPECT_EQ(res.err.rfind("Error 100: ", 0), 0u) << res.err;
    EXPECT_FALSE(fs::exists(prog / "DEMO" / "TEAM1.TRN"));
}

TEST_F(ClientMenu, NoDisplayAtAllEndsWith100InsteadOfAnInvisibleWindow) {
    RunResult res = run({"DEMO"}, {{"KORAX_VIDEO", std::nullopt}, {"DISPLAY", std::nullopt}, {"SDL_VIDEODRIVER", std::nullopt}, {"ASAN_OPTIONS", "detect_leaks=0"}});
    EXPECT_EQ(res.code, 100);
    // The display libraries may complain first.
    EXPECT_NE(res.err.find("Error 100: "), std::string::npos) << res.err;
}

TEST_F(ClientMenu, GraphModeOtherThanTwoStopsInOrder) {
    std::string ini = slurp(prog / "KORAX.INI");
    auto at = ini.find("GRAPHMODE=2");
    ASSERT_NE(at, std::string::npos);
    ini.replace(at, 11, "GRAPHMODE=1");
    spit(prog / "KORAX.INI", ini);
    std::ostringstream script;
    script << "key Enter\nkey Enter\nkey Enter\nkey Enter\n";
    fs::remove(prog / "DEMO" / "KORAX.TMP");
    RunResult res = run({"DEMO"}, {}, script.str());
    EXPECT_EQ(res.code, 0) << res.err;
    EXPECT_FALSE(fs::exists(prog / "DEMO" / "KORAX.TMP"));  // the menu never ran
    EXPECT_TRUE(fs::exists(prog / "DEMO" / "TEAM1.TRN"));
}

TEST_F(ClientBinary, ErrorScreenWaitsForAKeyAndShowsTheMessageCentred) {
    fs::path shotfile = root / "error.png";
    std::ostringstream script;
    script << "shot " << shotfile.string() << "\nkey Enter\n";
    RunResult r = run({"NOGAME"}, {}, script.str());
    EXPECT_EQ(r.code, 13);  // the key ends the run with the error's number
    EXPECT_EQ(r.err, "Error 13: NOGAME\n");
    Shot s;
    ASSERT_TRUE(s.load(shotfile));
    auto white_in = [&](std::uint32_t y1, std::uint32_t y2, std::uint32_t& left, std::uint32_t& right) {
        left = s.w, right = 0;
        for (std::uint32_t y = y1; y <= y2; ++y)
            for (std::uint32_t x = 0; x < s.w; ++x)
                if ((s.rgb(x, y) & 0xF0F0F0) == 0xF0F0F0) left = std::min(left, x), right = std::max(right, x);
        return right >= left;
    };
    std::uint32_t l, rt;
    ASSERT_TRUE(white_in(95, 125, l, rt));  // "Error 13: NOGAME"
    EXPECT_NEAR((l + rt) / 2.0, s.w / 2.0, 8);
    ASSERT_TRUE(white_in(195, 225, l, rt));  // "[Press RETURN]"
    EXPECT_NEAR((l + rt) / 2.0, s.w / 2.0, 8);
    EXPECT_FALSE(white_in(300, s.h - 1, l, rt));
    EXPECT_EQ(s.rgb(5, 5), 0u);
}

namespace {

std::int32_t le32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
    return static_cast<std::int32_t>(v);
}
int le16(const std::string& b, std::size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

// Offsets in the own team's record (team 1 is the first record of TEAM1.DAT).
constexpr std::size_t VGRGESAMT_AT = 623 + 16, KXGESAMT_AT = 623 + 22, KXANZAHL_AT = 623 + 26;

}  // namespace

TEST_F(ClientMenu, BackFromMatchViewerAddsViewerTime) {
    fs::path demo = prog / "DEMO";
    std::string before = slurp(demo / "TEAM1.DAT");
    ASSERT_GE(before.size(), 907u);
    std::time_t start = std::time(nullptr);
    std::time_t viewerstart = start - 3600, clientstart = start - 7200;
    for (auto [name, when] : {std::pair{"VGR.TMP", viewerstart}, std::pair{"KORAX.TMP", clientstart}}) {
        std::ofstream(demo / name) << "";
        utimbuf t{when, when};
        ASSERT_EQ(::utime((demo / name).c_str(), &t), 0);
    }
    // Back from the viewer the pairings, the table, the newspaper and the messages come first.
    RunResult res = run({"DEMO", "1", "AusVGR"}, {}, "key Esc\nkey Esc\nkey Esc\nkey Esc\nkey Esc\nkey Y\nkey Enter\nkey Enter\nkey Enter\n");
    std::time_t end = std::time(nullptr);
    EXPECT_EQ(res.code, 0) << res.err;
    std::string after = slurp(demo / "TEAM1.DAT");
    ASSERT_GE(after.size(), 907u);
    EXPECT_FALSE(fs::exists(demo / "VGR.TMP"));
    // Durations are differences of packed date-time stamps, the later one taken
    // while the client ran.
    std::int32_t viewer = le32(after, VGRGESAMT_AT) - le32(before, VGRGESAMT_AT);
    EXPECT_GE(viewer, korax::DOSPACKTIME(start) - korax::DOSPACKTIME(viewerstart));
    EXPECT_LE(viewer, korax::DOSPACKTIME(end) - korax::DOSPACKTIME(viewerstart));
    // A return from the viewer is no new run of the client, but its time counts
    // from the client's own marker.
    EXPECT_EQ(le16(after, KXANZAHL_AT), le16(before, KXANZAHL_AT));
    std::int32_t client = le32(after, KXGESAMT_AT) - le32(before, KXGESAMT_AT);
    EXPECT_GE(client, korax::DOSPACKTIME(start) - korax::DOSPACKTIME(clientstart));
    EXPECT_LE(client, korax::DOSPACKTIME(end) - korax::DOSPACKTIME(clientstart));
}

TEST_F(ClientMenu, ClosingMessageIsNotDrawnOverTheQuitQuestion) {
    // The question ignores Space; the mouse move lets the shot wait for the message.
    std::ostringstream script;
    script << "key Esc\nkey Space\nshot " << (root / "s1.png").string() << "\nkey Y\nmove 5 5\nshot "
                          << (root / "s2.png").string() << "\nkey Enter\nkey Enter\nkey Enter\n";
    RunResult res = run({"DEMO"}, {}, script.str());
    EXPECT_EQ(res.code, 0) << res.err;
    EXPECT_EQ(pixel(1, 300, 340), QUESTION);
    EXPECT_NE(pixel(2, 300, 340), QUESTION);
}
