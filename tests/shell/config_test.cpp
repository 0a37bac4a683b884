// KORAX.INI: both reads with their ranges and error texts, the rewrite by the
// set-up screen with its backup, and the editor command.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "data/config.h"
#include "data/g_types.h"
#include "data/lg.h"

namespace fs = std::filesystem;
using namespace korax;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

class Config : public ::testing::Test {
protected:
    fs::path dir;
    fs::path oldcwd;
    std::array<STRING70, 701> saved;
    std::string savedgamedir;

    void SetUp() override {
        saved = L;
        savedgamedir = GAMEDIR;
        oldcwd = fs::current_path();
        char tmpl[] = "/tmp/korax_ini_XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir = tmpl;
        fs::current_path(dir);
        RESET_CONFIG();
        L[516].set("Wrong system");
        L[517].set("Use ID=255");
        L[540].set("Line #: no =");
        L[541].set("First line must be ID");
        L[542].set("GRAPHMODE");
        L[543].set("MENUMODE");
        L[544].set("VGRMODE");
        L[545].set("SCR_TIME");
        L[546].set("RST_SIZE");
        L[547].set("TEAMn");
        L[548].set("colour");
        L[550].set(": bad value in line #");
    }
    void TearDown() override {
        WRITEINI_FAULT = nullptr;
        fs::current_path(oldcwd);
        fs::remove_all(dir);
        L = saved;
        GAMEDIR = savedgamedir;
        RESET_CONFIG();
    }
    void write(const std::string& name, const std::string& text) {
        fs::create_directories((dir / name).parent_path());
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    // Reads a program-wide file with these lines after the ID line.
    void first(const std::string& body) {
        write("KORAX.INI", "ID=255\n" + body);
        READINI(255, true);
    }
    // The fatal error of f, as "nr:text".
    template <typename F>
    static std::string error_of(F&& f) {
        try {
            f();
        } catch (const FatalError& e) {
            return std::to_string(e.nr) + ":" + e.text;
        }
        return "";
    }
    std::string fails(const std::string& body) { return error_of([&] { first(body); }); }
};

TEST_F(Config, DefaultsBeforeAndAfterAnEmptyFile) {
    XMODE = 0;
    VGRMODE = 3;
    TEAMCOLOR[4] = 15;
    SCR_SAVE.set("X");
    first("");
    EXPECT_EQ(XMODE, 2);
    EXPECT_EQ(MENUMODE, 1);
    EXPECT_FALSE(LEFTMENU);
    EXPECT_EQ(VGRMODE, 1);
    EXPECT_EQ(SCR_TIME, 0);
    EXPECT_EQ(EDITNAME.str(), "EDIT");
    EXPECT_EQ(SCR_SAVE.str(), "");
    EXPECT_TRUE(AUTOPLAY);
    EXPECT_TRUE(STARTBILD);
    EXPECT_EQ(RSTSIZE, 0);
    EXPECT_EQ(ANPASSUNG, 4);
    EXPECT_FALSE(LEISE);
    for (int n = 1; n <= 10; ++n) EXPECT_EQ(TEAMCOLOR[n], n);
}

TEST_F(Config, ReadsEveryKey) {
    first("graphmode = 1\nMENUMODE=2\nVGRMODE=3 ; comment\nSCR_TIME=5\nEDITOR=Code --wait\n"
          "SCR_SAVE=saver\nAUTOPLAY=off\nSTEPINFO=no\nRST_SIZE=2\nSTARTPAGE=False\nTEAM3=12\n");
    EXPECT_EQ(XMODE, 1);
    EXPECT_EQ(MENUMODE, 2);
    EXPECT_TRUE(LEFTMENU);
    EXPECT_EQ(VGRMODE, 3);
    EXPECT_EQ(SCR_TIME, 300);
    EXPECT_EQ(EDITNAME.str(), "Code --wait");
    EXPECT_EQ(SCR_SAVE.str(), "SAVER");
    EXPECT_FALSE(AUTOPLAY);
    EXPECT_TRUE(SILENCE);
    EXPECT_EQ(RSTSIZE, 2);
    EXPECT_FALSE(STARTBILD);
    EXPECT_EQ(TEAMCOLOR[3], 12);
    EXPECT_FALSE(NEUGRAPH);
    // Keys match by their start, not inside a comment or another word; team 11 is team 1.
    first("GRAPHMODEX=1\nTEAM11=3\nTEAM10=15\n; GRAPHMODE=0 is not read in a comment\nXGRAPHMODE=0\n");
    EXPECT_EQ(XMODE, 1);
    EXPECT_EQ(TEAMCOLOR[10], 15);
    EXPECT_EQ(TEAMCOLOR[1], 3);
    EXPECT_EQ(TEAMCOLOR[2], 2);
}

TEST_F(Config, BooleansAreFalseOnlyForFourWords) {
    for (const char* v : {"AUS", "aus", "OFF", "False", "no"}) {
        first(std::string("AUTOPLAY=") + v + "\n");
        EXPECT_FALSE(AUTOPLAY) << v;
    }
    for (const char* v : {"0", "YES", "", "N", "NOPE"}) {
        first(std::string("AUTOPLAY=") + v + "\n");
        EXPECT_TRUE(AUTOPLAY) << v;
    }
    first("STEPINFO=yes\n");
    EXPECT_FALSE(SILENCE);
}

TEST_F(Config, BadLinesStopWithTheKeyAndTheLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"SCR_TIME=121\n", "19:SCR_TIME: bad value in line 2"},
        {"SCR_TIME=-1\n", "19:SCR_TIME: bad value in line 2"},
        {"SCR_TIME=ten\n", "19:SCR_TIME: bad value in line 2"},
        {"\nGRAPHMODE=3\n", "19:GRAPHMODE: bad value in line 3"},
        {"MENUMODE=0\n", "19:MENUMODE: bad value in line 2"},
        {"VGRMODE=4\n", "19:VGRMODE: bad value in line 2"},
        {"RST_SIZE=3\n", "19:RST_SIZE: bad value in line 2"},
        {"VGRMODE=\n", "19:VGRMODE: bad value in line 2"},
        {"VGRMODE=99999999999999999999\n", "19:VGRMODE: bad value in line 2"},
        {"\n\nVGRMODE 2\n", "113:Line 4: no ="},
        {"TEAM0=3\n", "19:TEAMn: bad value in line 2"},
        {"TEAM=3\n", "19:TEAMn: bad value in line 2"},
        {"TEAMX=3\n", "19:TEAMn: bad value in line 2"},
        {"TEAM3 3\n", "19:TEAMn: bad value in line 2"},
        {"TEAM3=16\n", "19:colour: bad value in line 2"},
        {"TEAM3=-1\n", "19:colour: bad value in line 2"}};
    for (const auto& [body, error] : cases) EXPECT_EQ(fails(body), error) << body;
    first("SCR_TIME=120\n");
    EXPECT_EQ(SCR_TIME, 7200);
}

TEST_F(Config, IdLineMissingFileAndUnreadableFile) {
    EXPECT_EQ(error_of([] { READINI(255, true); }), "1:X:KORAX.INI");
    for (const char* bad : {"VGRMODE=1\n", "ID 255\n", "ID=abc\n", "ID=\n", ""}) {
        write("KORAX.INI", bad);
        EXPECT_EQ(error_of([] { READINI(255, true); }), "113:First line must be ID") << bad;
    }
    write("KORAX.INI", "ID=-1\nVGRMODE=2\n");
    READINI(255, true);
    EXPECT_EQ(VGRMODE, 2);
    write("KORAX.INI", "ID=7\nVGRMODE=3\n");
    READINI(0, true);
    EXPECT_EQ(VGRMODE, 3);
    fs::remove(dir / "KORAX.INI");
    fs::create_directory(dir / "KORAX.INI");
    EXPECT_EQ(error_of([] { READINI(255, true); }), "2:KORAX.INI");
}

TEST_F(Config, IdOfAnotherSystemStopsWithExitCodeOne) {
    write("KORAX.INI", "ID=254\n");
    testing::internal::CaptureStderr();
    try {
        READINI(255, true);
        FAIL();
    } catch (const ReportedStop& e) {
        EXPECT_EQ(ERROR_EXITCODE(e.nr), 1);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Wrong system\nUse ID=255\n");
}

TEST_F(Config, GameDirectoryFileOverridesWithoutIdCheck) {
    first("VGRMODE=2\nTEAM4=9\n");
    GAMEDIR = "NOWHERE\\";  // a missing one is no error
    READINI(255, false);
    EXPECT_EQ(VGRMODE, 2);
    GAMEDIR = "GAME1\\";
    write("game1/korax.ini", "VGRMODE=0\nAUTOPLAY=NO\n");
    READINI(255, false);
    EXPECT_EQ(VGRMODE, 0);
    EXPECT_FALSE(AUTOPLAY);
    EXPECT_EQ(TEAMCOLOR[4], 9);
    EXPECT_FALSE(NEUGRAPH);
    write("game1/korax.ini", "MENUMODE=2\n");
    READINI(255, false);
    EXPECT_TRUE(NEUGRAPH);
    EXPECT_TRUE(LEFTMENU);
    NEUGRAPH = false;
    write("game1/korax.ini", "GRAPHMODE=1\n");
    READINI(255, false);
    EXPECT_TRUE(NEUGRAPH);
    EXPECT_EQ(XMODE, 1);
}

TEST_F(Config, RereadWithoutIdKeepsMenuAndGraphMode) {
    first("GRAPHMODE=1\nMENUMODE=2\n");
    write("KORAX.INI", "ID=255\nMENUMODE=1\n");
    READINI(0, true);
    EXPECT_EQ(XMODE, 1);
    EXPECT_EQ(MENUMODE, 2);
    EXPECT_TRUE(LEFTMENU);
}

TEST_F(Config, LongLinesKeepTheirValueLimit) {
    std::string longeditor = "/opt/" + std::string(100, 'e');
    first("EDITOR=" + longeditor + "\n; " + std::string(300, 'c') + "\nVGRMODE=0\n");
    EXPECT_EQ(EDITNAME.str(), longeditor.substr(0, 80));
    EXPECT_EQ(VGRMODE, 0);
}

TEST_F(Config, FileSavedAsUtf8) {
    write("KORAX.INI", "\xEF\xBB\xBFID=255\r\n; gr\xC3\xBC\xC3\x9F" "e\r\nSCR_SAVE=s\xC3\xA4ver\r\nVGRMODE=2\r\n");
    READINI(255, true);
    EXPECT_EQ(SCR_SAVE.str(), "S\x8EVER");
    EXPECT_EQ(VGRMODE, 2);
}

TEST_F(Config, ShippedFileReads) {
    std::string text = slurp(fs::path(KORAX_SOURCE_DIR) / "assets" / "KORAX.INI");
    ASSERT_FALSE(text.empty());
    write("KORAX.INI", text);
    READINI(255, true);
    EXPECT_EQ(XMODE, 2);
    EXPECT_EQ(MENUMODE, 1);
    EXPECT_EQ(EDITNAME.str(), "EDIT");
    EXPECT_EQ(TEAMCOLOR[7], 9);
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) EXPECT_LE(line.size(), 80u) << line;
}

TEST_F(Config, RebuildPadsToColumn25AndKeepsComments) {
    VGRMODE = 2;
    MENUMODE = 2;
    SCR_TIME = 600;
    STARTBILD = false;
    std::string old =
        "ID=255\r\n"
        "; settings\r\n"
        "vgrMode=1\r\n"
        "MENUMODE = 1        ; menu side\r\n"
        "SCR_TIME=0;minutes\r\n"
        "STARTPAGE\r\n"
        "StartPage=YES ;show it\n"
        "VGRMODE_WITH_A_VERY_LONG_KEY_NAME_HERE=1 ;" + std::string(60, 'c') + "\n"
        "; " + std::string(100, 'x') + "\n"
        "EDITOR=Kate\n"
        "MENUMODE=1";
    std::string expected =
        "ID=255\r\n"
        "; settings\r\n"
        "vgrMode= 2               ;\r\n"
        "MENUMODE = 2             ; menu side\r\n"
        "SCR_TIME= 10             ;minutes\r\n"
        "STARTPAGE\r\n"
        "StartPage= NO            ;show it\n"
        "VGRMODE_WITH_A_VERY_LONG_KEY_NAME_HERE= 2;" + std::string(38, 'c') + "\n"
        "; " + std::string(100, 'x') + "\n"
        "EDITOR=Kate\n"
        "MENUMODE= 2              ;";
    EXPECT_EQ(REBUILD_INI(old), expected);
}

TEST_F(Config, WriteIniKeepsBackupAndRewritesInPlace) {
    std::string old = "ID=255\nVGRMODE=1\nSCR_TIME=0\nTEAM1=3\n";
    write("KORAX.INI", old);
    VGRMODE = 0;
    SCR_TIME = 7200;
    WRITEINI();
    EXPECT_EQ(slurp(dir / "KORAX.SAV"), old);
    EXPECT_EQ(slurp(dir / "KORAX.INI"), "ID=255\nVGRMODE= 0               ;\nSCR_TIME= 120            ;\nTEAM1=3\n");
    int files = 0;
    for (auto& e : fs::directory_iterator(dir)) files += e.is_regular_file();
    EXPECT_EQ(files, 2);
    READINI(255, true);
    EXPECT_EQ(VGRMODE, 0);
    EXPECT_EQ(SCR_TIME, 7200);
}

TEST_F(Config, FailedRewriteRestoresTheOriginal) {
    std::string old = "ID=255\nVGRMODE=1\nEDITOR=nano\n";
    for (const char* step : {"open", "read", "create", "write", "close"}) {
        write("KORAX.INI", old);
        static std::string failing;
        failing = step;
        WRITEINI_FAULT = [](std::string_view s) { return s == failing; };
        VGRMODE = 3;
        try {
            WRITEINI();
            FAIL() << step;
        } catch (const FatalError& e) {
            EXPECT_NE(e.nr, 0) << step;
            EXPECT_TRUE(e.text == "KORAX.INI" || e.text == "KORAX.SAV") << step;
        }
        EXPECT_EQ(slurp(dir / "KORAX.INI"), old) << step;
        EXPECT_EQ(slurp(dir / "KORAX.SAV"), old) << step;
        for (auto& e : fs::directory_iterator(dir))
            EXPECT_TRUE(e.path().filename() == "KORAX.INI" || e.path().filename() == "KORAX.SAV") << e.path();
    }
}

TEST_F(Config, FailedWriteStepsReportTheirNumbers) {
    EXPECT_EQ(error_of([] { WRITEINI(); }), "1:KORAX.INI");
    EXPECT_FALSE(fs::exists(dir / "KORAX.SAV"));
    write("KORAX.INI", "ID=255\n");
    static std::string failing;
    WRITEINI_FAULT = [](std::string_view s) { return s == failing; };
    const std::pair<const char*, const char*> steps[] = {{"backup", "1:KORAX.INI"}, {"open", "1:KORAX.SAV"},
                                                         {"read", "2:KORAX.SAV"},   {"create", "4:KORAX.INI"},
                                                         {"write", "4:KORAX.INI"},  {"close", "9:KORAX.INI"}};
    for (const auto& [step, error] : steps) {
        failing = step;
        EXPECT_EQ(error_of([] { WRITEINI(); }), error) << step;
    }
}

TEST_F(Config, EditorCommandKeepsLetterCaseAndEditMeansTheTrainersChoice) {
    EDITNAME.set("Mousepad --Line 3");
    EXPECT_EQ(EDITOR_COMMAND("KORAX.INI"), (std::vector<std::string>{"Mousepad", "--Line", "3", "KORAX.INI"}));
    const char* oldv = std::getenv("VISUAL");
    std::string keep = oldv ? oldv : "";
    ::setenv("VISUAL", "myedit -w", 1);
    EDITNAME.set("EDIT");
    auto cmd = EDITOR_COMMAND("MENU.CFG");
    ASSERT_GE(cmd.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(cmd.end() - 3, cmd.end()), (std::vector<std::string>{"myedit", "-w", "MENU.CFG"}));
    if (oldv) ::setenv("VISUAL", keep.c_str(), 1); else ::unsetenv("VISUAL");
}

TEST_F(Config, EditorRunsAndTheFileComesBackInCodePage437) {
    write("MSG.TXT", "Gr\x81" "\xE1" "e\n");
    // A stand-in editor: checks it got UTF-8 and appends a UTF-8 line.
    write("ed.sh", "#!/bin/sh\ngrep -q 'Gr\xC3\xBC\xC3\x9F" "e' \"$1\" || exit 3\nprintf 'S\\303\\244tze\\n' >> \"$1\"\n");
    fs::permissions(dir / "ed.sh", fs::perms::owner_all);
    EDITNAME.set((dir / "ed.sh").string());
    EDITOR("MSG.TXT");
    EXPECT_EQ(slurp(dir / "MSG.TXT"), "Gr\x81\xE1" "e\nS\x84tze\n");
}

TEST_F(Config, EditorThatCannotStartIsFatal10) {
    write("MSG.TXT", "Gr\x81" "\xE1" "e\n");
    EDITNAME.set("/nonexistent/editor");
    EXPECT_EQ(error_of([] { EDITOR("MSG.TXT"); }), "10:/nonexistent/editor");
    EXPECT_EQ(slurp(dir / "MSG.TXT"), "Gr\x81\xE1" "e\n");
}

}  // namespace
