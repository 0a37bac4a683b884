// KORAX.INI: both reads with their ranges and error texts, the rewrite by the
// set-up screen with its backup, and the editor command.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "data/config.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "platform/window.h"
#include "workdir.h"

using namespace korax;
using namespace shelltest;

namespace {

// Every setting as "KEY=value;" in one line.
std::string settings() {
    std::ostringstream s;
    s << "GRAPH=" << XMODE << ";MENU=" << MENUMODE << ";LEFT=" << LEFTMENU << ";VGR=" << VGRMODE
      << ";SCR=" << SCR_TIME << ";EDIT=" << EDITNAME.str() << ";SAVE=" << SCR_SAVE.str() << ";AUTO=" << AUTOPLAY
      << ";SILENCE=" << SILENCE << ";RST=" << RSTSIZE << ";START=" << STARTBILD << ";ANP=" << int(ANPASSUNG)
      << ";LEISE=" << LEISE << ";NEU=" << NEUGRAPH << ";SCALE=" << WINDOW_SCALE << ";COLOURS=";
    for (int n = 1; n <= 10; ++n) s << TEAMCOLOR[n] << (n < 10 ? "," : ";");
    return s.str();
}

// Each "KEY=value" of `want` (separated by ";") is among the settings.
void expect_settings(const std::string& want, const std::string& why) {
    const std::string have = ";" + settings();
    std::istringstream in(want);
    for (std::string item; std::getline(in, item, ';');)
        EXPECT_NE(have.find(";" + item + ";"), std::string::npos) << why << ": " << item << " not in " << have;
}

class Config : public ::testing::Test {
protected:
    std::array<STRING70, 701> saved = L;
    std::string savedgamedir = GAMEDIR;
    WorkDir w;

    void SetUp() override {
        RESET_CONFIG();
        const std::pair<int, const char*> texts[] = {
            {540, "Line #: no ="}, {541, "First line must be ID"},
            {542, "GRAPHMODE"},    {543, "MENUMODE"},   {544, "VGRMODE"},      {545, "SCR_TIME"},
            {546, "RST_SIZE"},     {547, "TEAMn"},      {548, "colour"},       {550, ": bad value in line #"}};
        for (const auto& [n, text] : texts) L[n].set(text);
    }
    void TearDown() override {
        WRITEINI_FAULT = nullptr;
        L = saved;
        GAMEDIR = savedgamedir;
        RESET_CONFIG();
    }
    // Reads a program-wide file with these lines after the ID line.
    void first(const std::string& body) {
        w.put("KORAX.INI", "ID=255\n" + body);
        READINI(255, true);
    }
};

TEST_F(Config, FirstReadStartsFromTheDefaults) {
    XMODE = 0, VGRMODE = 3, TEAMCOLOR[4] = 15, WINDOW_SCALE = SCALE_SMOOTH;
    SCR_SAVE.set("X");
    first("");
    EXPECT_EQ(settings(), "GRAPH=2;MENU=1;LEFT=0;VGR=1;SCR=0;EDIT=EDIT;SAVE=;AUTO=1;SILENCE=0;RST=0;START=1;ANP=4;"
                          "LEISE=0;NEU=0;SCALE=0;COLOURS=1,2,3,4,5,6,7,8,9,10;");
    const std::string longeditor = "/opt/" + std::string(100, 'e');
    const std::pair<std::string, std::string> cases[] = {
        {"graphmode = 1\nMENUMODE=2\nVGRMODE=3 ; comment\nSCR_TIME=5\nEDITOR=Code --wait\nSCR_SAVE=saver\n"
         "AUTOPLAY=off\nSTEPINFO=no\nRST_SIZE=2\nSTARTPAGE=False\nTEAM3=12\nscale = 3 ; sharp\n",
         "GRAPH=1;MENU=2;LEFT=1;VGR=3;SCR=300;EDIT=Code --wait;SAVE=SAVER;AUTO=0;SILENCE=1;RST=2;START=0;NEU=0;"
         "SCALE=3;COLOURS=1,2,12,4,5,6,7,8,9,10"},
        // Keys match by their start, not inside a comment or another word; team 11 is team 1.
        {"GRAPHMODEX=1\nTEAM11=3\nTEAM10=15\n; GRAPHMODE=0 is not read in a comment\nXGRAPHMODE=0\nSCALE=2\n",
         "GRAPH=1;SCALE=2;COLOURS=3,2,3,4,5,6,7,8,9,15"},
        {"STEPINFO=yes\nSCR_TIME=120\nSCALE=1\nSTARTPAGE=\n", "SILENCE=0;SCR=7200;SCALE=1;START=1"},
        // Booleans are false only for four words (off, False and no above).
        {"AUTOPLAY=aus\nSTARTPAGE=N\nSTEPINFO=NOPE\n", "AUTO=0;START=1;SILENCE=0"},
        {"EDITOR=" + longeditor + "\n; " + std::string(300, 'c') + "\nVGRMODE=0\nScale=smooth\n",
         "EDIT=" + longeditor.substr(0, 80) + ";VGR=0;SCALE=4"},
        {"SCALE=2x\n", "SCALE=0"}};  // unknown: automatic
    for (const auto& [body, want] : cases) {
        first(body);
        expect_settings(want, body);
    }
}

TEST_F(Config, BadLinesStopWithTheKeyAndTheLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"SCR_TIME=121\n", "19:SCR_TIME: bad value in line 2"}, {"SCR_TIME=ten\n", "19:SCR_TIME: bad value in line 2"},
        {"\nGRAPHMODE=3\n", "19:GRAPHMODE: bad value in line 3"}, {"MENUMODE=0\n", "19:MENUMODE: bad value in line 2"},
        {"VGRMODE=4\n", "19:VGRMODE: bad value in line 2"},     {"RST_SIZE=3\n", "19:RST_SIZE: bad value in line 2"},
        {"VGRMODE=99999999999999999999\n", "19:VGRMODE: bad value in line 2"},
        {"\n\nVGRMODE 2\n", "113:Line 4: no ="},               {"TEAM0=3\n", "19:TEAMn: bad value in line 2"},
        {"TEAM3 3\n", "19:TEAMn: bad value in line 2"},
        {"TEAM3=16\n", "19:colour: bad value in line 2"},       {"TEAM3=-1\n", "19:colour: bad value in line 2"}};
    for (const auto& c : cases) EXPECT_EQ(fatal([&] { first(c.first); }), c.second) << c.first;
}

TEST_F(Config, IdLineMissingFileAndUnreadableFile) {
    EXPECT_EQ(fatal([] { READINI(255, true); }), "1:X:KORAX.INI");
    for (const char* bad : {"VGRMODE=1\n", "ID 255\n", "ID=abc\n", ""}) {
        w.put("KORAX.INI", bad);
        EXPECT_EQ(fatal([] { READINI(255, true); }), "113:First line must be ID") << bad;
    }
    const struct { std::string file; int id; const char* want; } good[] = {
        {"ID=-1\nVGRMODE=2\n", 255, "VGR=2"},
        {"ID=7\nVGRMODE=3\n", 0, "VGR=3"},  // id 0: not checked
        {"\xEF\xBB\xBFID=255\r\n; gr\xC3\xBC\xC3\x9F" "e\r\nSCR_SAVE=s\xC3\xA4ver\r\nVGRMODE=2\r\n", 255, "SAVE=S\x8EVER;VGR=2"}};
    for (const auto& g : good) {
        w.put("KORAX.INI", g.file);
        READINI(static_cast<std::uint8_t>(g.id), true);
        expect_settings(g.want, g.file);
    }
    fs::remove(w.dir / "KORAX.INI");
    fs::create_directory(w.dir / "KORAX.INI");
    EXPECT_EQ(fatal([] { READINI(255, true); }), "2:KORAX.INI");
}

TEST_F(Config, GameDirectoryFileOverridesWithoutIdCheck) {
    first("VGRMODE=2\nTEAM4=9\n");
    GAMEDIR = "GAME1\\";
    const std::pair<const char*, const char*> cases[] = {
        {"VGRMODE=0\nAUTOPLAY=NO\n", "VGR=0;AUTO=0;NEU=0;COLOURS=1,2,3,9,5,6,7,8,9,10"},
        {"MENUMODE=2\n", "MENU=2;LEFT=1;NEU=1"},
        {"GRAPHMODE=1\n", "GRAPH=1;NEU=1"}};
    for (const auto& [file, want] : cases) {
        NEUGRAPH = false;
        w.put("game1/korax.ini", file);
        READINI(255, false);
        expect_settings(want, file);
    }
    // A re-read of the program-wide file without identifier keeps menu and graph mode.
    first("GRAPHMODE=1\nMENUMODE=2\n");
    w.put("KORAX.INI", "ID=255\nMENUMODE=1\n");
    READINI(0, true);
    expect_settings("GRAPH=1;MENU=2;LEFT=1", "reread");
}

TEST_F(Config, WriteIniKeepsBackupAndAFailedStepRestoresTheOriginal) {
    const std::string old =
        "ID=255\r\n; settings\r\nvgrMode=1\r\nMENUMODE = 1        ; menu side\r\nSCR_TIME=0;minutes\r\n"
        "STARTPAGE\r\nStartPage=YES ;show it\n"
        "VGRMODE_WITH_A_VERY_LONG_KEY_NAME_HERE=1 ;" + std::string(60, 'c') + "\n; " + std::string(100, 'x') +
        "\nEDITOR=Kate\nMENUMODE=1";
    auto files = [&] {
        std::set<std::string> names;
        for (auto& e : fs::directory_iterator(w.dir)) names.insert(e.path().filename().string());
        return names;
    };
    const std::set<std::string> both = {"KORAX.INI", "KORAX.SAV"};
    static std::string failing;
    WRITEINI_FAULT = [](std::string_view s) { return s == failing; };
    const std::pair<const char*, const char*> steps[] = {{"backup", "1:KORAX.INI"}, {"open", "1:KORAX.SAV"},
                                                         {"read", "2:KORAX.SAV"},   {"create", "4:KORAX.INI"},
                                                         {"write", "4:KORAX.INI"},  {"close", "9:KORAX.INI"}};
    for (const auto& [step, error] : steps) {
        fs::remove(w.dir / "KORAX.SAV");
        w.put("KORAX.INI", old);
        failing = step;
        VGRMODE = 3;
        EXPECT_EQ(fatal([] { WRITEINI(); }), error) << step;
        EXPECT_EQ(w.get("KORAX.INI"), old) << step;
        const bool backedup = failing != "backup";
        EXPECT_EQ(files(), backedup ? both : std::set<std::string>{"KORAX.INI"}) << step;
        if (backedup) {
            EXPECT_EQ(w.get("KORAX.SAV"), old) << step;
        }
    }
    // Written: the values padded to column 25, comments, line ends and other lines kept, 80 columns at most.
    failing.clear();
    VGRMODE = 2, MENUMODE = 2, SCR_TIME = 600, STARTBILD = false;
    WRITEINI();
    EXPECT_EQ(w.get("KORAX.SAV"), old);
    EXPECT_EQ(w.get("KORAX.INI"),
              "ID=255\r\n; settings\r\nvgrMode= 2               ;\r\nMENUMODE = 2             ; menu side\r\n"
              "SCR_TIME= 10             ;minutes\r\nSTARTPAGE\r\nStartPage= NO            ;show it\n"
              "VGRMODE_WITH_A_VERY_LONG_KEY_NAME_HERE= 2;" + std::string(38, 'c') + "\n; " + std::string(100, 'x') +
                  "\nEDITOR=Kate\nMENUMODE= 2              ;");
    EXPECT_EQ(files(), both);
}

TEST_F(Config, EditorCommandAndAFileLeftAsItWasWithoutAnEditor) {
    EDITNAME.set("Mousepad --Line 3");
    EXPECT_EQ(EDITOR_COMMAND("KORAX.INI"), (std::vector<std::string>{"Mousepad", "--Line", "3", "KORAX.INI"}));
    {
        EnvGuard visual("VISUAL", "myedit -w");
        EDITNAME.set("EDIT");  // the trainer's own choice
        auto cmd = EDITOR_COMMAND("MENU.CFG");
        ASSERT_GE(cmd.size(), 3u);
        EXPECT_EQ(std::vector<std::string>(cmd.end() - 3, cmd.end()), (std::vector<std::string>{"myedit", "-w", "MENU.CFG"}));
    }
    w.put("MSG.TXT", "Gr\x81\xE1" "e\n");
    EDITNAME.set("/nonexistent/editor");
    EXPECT_EQ(fatal([] { EDITOR("MSG.TXT"); }), "10:/nonexistent/editor");
    EXPECT_EQ(w.get("MSG.TXT"), "Gr\x81\xE1" "e\n");  // shown in UTF-8 to no editor: back as it was
}

}  // namespace
