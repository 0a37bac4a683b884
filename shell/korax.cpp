#include "shell/korax.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <exception>
#include <filesystem>
#include <new>

#include "adviser/adviser.h"
#include "data/config.h"
#include "data/g_general.h"
#include "data/g_tools.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/emumouse.h"
#include "graph/events.h"
#include "graph/htime.h"
#include "graph/inputscript.h"
#include "graph/wingraph.h"
#include "graph/winpcx.h"
#include "management/lineup.h"
#include "management/market.h"
#include "management/mscreen.h"
#include "management/screens.h"
#include "management/stats.h"
#include "management/tempel.h"
#include "management/werbung.h"
#include "platform/cp437.h"
#include "platform/dospath.h"
#include "platform/fontcache.h"
#include "platform/fonts.h"
#include "platform/paths.h"
#include "platform/userdir.h"
#include "results/auswahl.h"
#include "results/pokal.h"
#include "results/showrst.h"
#include "results/testgame.h"
#include "results/zeitung.h"
#include "shell/setup.h"
#include "turn/dispatch.h"
#include "turn/letters.h"
#include "turn/post.h"
#include "turn/saveturn.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax {

std::vector<int> MENUHISTORY{101};

namespace {

constexpr int FIRSTMENU = 101;

// ---- graphics -------------------------------------------------------------------

// Palette entries every screen relies on, set over the palette picture's colours.
constexpr std::uint8_t FIXEDPALETTE[20][3] = {
    {0, 0, 0},     {0, 0, 128},   {0, 128, 0},     {0, 128, 128},  {128, 0, 0},
    {128, 0, 128}, {128, 128, 0}, {128, 128, 128}, {64, 64, 64},   {0, 0, 255},
    {0, 255, 0},   {0, 255, 255}, {255, 0, 0},     {255, 0, 255},  {255, 255, 0},
    {255, 255, 255}, {176, 176, 0}, {0, 176, 176}, {0, 208, 208},  {187, 17, 187},
};

void OPENGRAPH() {
    try {
        EINITGRAPH(XMODE);
    } catch (const FatalError&) {
        ERROR(100, L[10].str());
    }
}

void OPENMOUSE() {
    EINITMOUSE();
    EMOUSEPOS(EGETMAXX() / 2, EGETMAXY() / 2);
    ESHOWMOUSE();
}

void open_screen() {
    OPENGRAPH();
    ECLEARDEVICE();
    SHOWPCX(0, 0, JOINPATH(KXPATH, "palette!.pcx"));
    if (!PCXLOADED) ERROR(1, "PALETTE!.PCX");
    for (int i = 0; i < 20; ++i)
        ESETRGBPALETTE(i, FIXEDPALETTE[i][0], FIXEDPALETTE[i][1], FIXEDPALETTE[i][2]);
    INITOBERFLAECHE(1);
    OPENMOUSE();
}

void close_screen() {
    if (!INGRAPH) return;
    try {
        ECLOSEGRAPH();
    } catch (const FatalError&) {
        INGRAPH = false;
    }
}

// ---- command line ---------------------------------------------------------------

// A whole word that is a decimal number (optional sign); anything else is no number.
bool parse_number(const std::string& w, long long& out) {
    if (w.empty() || w.size() > 12) return false;
    std::size_t i = (w[0] == '-' || w[0] == '+') ? 1 : 0;
    if (i == w.size()) return false;
    long long v = 0;
    for (; i < w.size(); ++i) {
        if (w[i] < '0' || w[i] > '9') return false;
        v = v * 10 + (w[i] - '0');
    }
    out = w[0] == '-' ? -v : v;
    return true;
}

bool names_result(const std::string& s) {
    std::string up = UPCASE(s);
    return up.find(".RST") != std::string::npos || up.find(".RSZ") != std::string::npos;
}

// A container in the program directory that names its game directory in its header
// is moved there, to be imported from the game directory.
void pass_through(const std::string& name) {
    std::ifstream f(HOSTPATH(name), std::ios::binary);
    if (!f) ERROR(1, name);
    char first = 0;
    if (!f.get(first)) ERROR(2, name);
    // A first byte of the format version + 100 marks a container that only passes
    // through the program directory on its way into its game directory.
    if (static_cast<unsigned char>(first) != RSTVERSION + 100) {
        RSTNAME = UPCASE(name);
        return;
    }
    // The header field is a string[12]; a file cut short inside it keeps what is there.
    char field[13] = {};
    f.read(field, sizeof field);
    std::size_t got = static_cast<std::size_t>(f.gcount());
    STRING12 dir;
    std::size_t len = got == 0 ? 0 : std::min<std::size_t>(static_cast<unsigned char>(field[0]), got - 1);
    dir.set(std::string_view(field + 1, std::min<std::size_t>(len, 12)));
    f.close();
    std::string gamedir = DATAGAMEDIR(dir.str(), name);
    GAMEDIR = gamedir.empty() ? std::string(".") : gamedir;
    NORMDIR(GAMEDIR);
    CHECKGAMEDIR();
    MOVEFILE(name, JOINPATH(GAMEDIR, name));
}

void no_arguments() {
    auto rsz = FINDFILES(".", "*.RSZ");
    if (!rsz.empty()) {
        const std::string& n = rsz.front();
        RSZNAME = n.size() > 4 ? n.substr(0, n.size() - 4) : std::string();
        RSTNAME = UPCASE(n);
        return;
    }
    auto rst = FINDFILES(".", "*.RST");
    if (!rst.empty()) pass_through(rst.front());
}

void with_arguments(std::vector<std::string> words) {
    if (AUSVGR) words.resize(2);  // the viewer hands back the usual two words plus its mark
    if (words.size() == 2) {
        long long n = 0;
        if (parse_number(words[1], n) && n >= 0 && n <= 10) NUMMERWAHL = static_cast<int>(n);
    }
    if (NUMMERWAHL > 0) {
        RSTNAME = words[0];
    } else {
        RSTNAME.clear();
        for (std::size_t i = 0; i < words.size(); ++i) RSTNAME += (i ? " " : "") + words[i];
        if (words.size() > 1 && names_result(RSTNAME)) {
            auto sep = RSTNAME.find_last_of("\\/");
            if (sep == std::string::npos) ERROR(14, RSTNAME);
            // Only a plain file name may be appended to the temporary directory.
            std::string fn = RSTNAME.substr(sep + 1);
            if (fn.empty() || fn == "." || fn == "..") ERROR(14, RSTNAME);
            std::string copy = JOINPATH(TEMPBASE(), fn);
            bool copied = false;
            try {
                copied = COPYFILE(RSTNAME, copy);
            } catch (const FatalError&) {
                copied = false;
            }
            if (!copied) ERROR(13, RSTNAME);
            RSTNAME = copy;
        }
    }
    RSTNAME = UPCASE(RSTNAME);
    if (!names_result(RSTNAME)) {
        GAMEDIR = RSTNAME;
        RSTNAME.clear();
    }
}

// ---- menu -----------------------------------------------------------------------

struct MENUSCREEN {
    int code;
    void (*open)();
};

void REPLAY() { AUSWAHLGAME(0); }

// Code 104: the keep decisions on the last match day, the market before it.
void SAISONENDE_or_SKLAVENMARKT() {
    if (LASTDAY) SAISONENDE();
    else SKLAVENMARKT();
}

void LINEUP() { AUFSTELLUNG(false); }
void LINEUP_FRIENDLY() { AUFSTELLUNG(true); }

// The screen each menu code opens; codes without a screen show the placeholder.
const MENUSCREEN SCREENS[] = {
    {101, TEAMUEBERSICHT},
    {102, LINEUP},
    {103, REPLAY},
    {104, SAISONENDE_or_SKLAVENMARKT},
    {105, TABELLE},
    {106, SPIELPAARUNG},
    {107, HISTORIE},
    {108, UNTERKUNFT},
    {109, STADION},
    {110, TRAINING},
    {111, BANK},
    {112, SCHREIBEN},
    {113, LESEN},
    {114, STATISTIK},
    {115, WETTBUERO},
    {116, POKALAUSLOSUNG},
    {117, LINEUP_FRIENDLY},
    {118, VERPFLEGUNG},
    {119, WERBUNG},
    {120, ZEITUNG},
    {122, NOTHING},
    {123, TEAMDATEN},
    {124, SHAPEEDITOR},
    {125, TEMPEL},
    {127, SETUP},
    {128, ZAT},
    {199, NOTHING},
};

void (*screen_of(int code))() {
    for (const auto& s : SCREENS)
        if (s.code == code) return s.open;
    return nullptr;
}

void OPENSCREEN(int code) {
    // A code without a screen (also one from a hand-edited menu file) shows the
    // placeholder; otherwise it would stay pending for ever.
    if (auto open = screen_of(code)) open();
    else NOTHING();
}

// Shows the entry chosen by code (not by a button key) pressed in the menu column.
void select_button(int code) {
    if (code < 101 || code > 199) return;
    EHIDEMOUSE();
    BUTTONAUS(OLDBUTTON);
    BUTTONAN(MENU2BUTTON(code));
    ESHOWMOUSE();
}

// Codes the loop acts on; anything else means "no code pending, read input".
bool is_code(int k) {
    return (k >= 21 && k <= 24) || k == 27 || k == 48 || k == 82 || (k >= 100 && k <= 199);
}

void auto_play() {
    NEWRST = false;
    if (GEN.TURN > 0 && !AUSVGR) {
        TEAM.TRAINING.VGRANZAHL = 1;
        WRITETEAM(NUMMER, TEAM);
        TESTGAME(NEWPOKAL ? -1 : 0, NEWPOKAL);
    }
    // Only screens that exist are shown here; a row of placeholders would only
    // cost the trainer four keys.
    if (GEN.TURN > 0 && !NEWPOKAL)
        for (int code : {106, 105, 120})
            if (auto open = screen_of(code)) open();
    if (auto open = screen_of(113)) open();
    INITOBERFLAECHE(0);
    LESETIPS();
    EMOUSEPOS(EGETMAXX() / 2, EGETMAXY() / 2);
}

// Returns false when the menu ends.
bool on_escape() {
    unsigned char key2 = KEY2;
    KEY2 = 0;
    if (ESCAPEASKS(key2)) {
        if (JANEIN(L[441].str())) return false;
        KEY = static_cast<unsigned char>(MENUHISTORY.front());
        select_button(KEY);
        return true;
    }
    CLEAROBERFLAECHE();
    KEY = static_cast<unsigned char>(ESCAPETARGET(key2, AKTUMENU, TIP));
    select_button(KEY);
    return true;
}

// The turn file as the trainer finds it: with its game directory, relative to
// the program directory when it lies below it.
std::string turnfileshown() {
    std::string dir = GAMEDIR;
    if (dir == ".\\" || dir == "./") dir.clear();
    return dir + TRNNAME;
}

void stop_sequence() {
    CLOSEFILES(_PLAYER | _TEAM);
    SAVETURN();
    // The quit question's box goes first: the closing message stands alone.
    CLEAROBERFLAECHE();
    EHIDEMOUSE();
    if (!GESENDET) {
        // Without a licence the last day writes no league turn: nothing to mail,
        // and a turn left from an earlier run must not go out instead.
        const bool noturn = LASTDAY && TEAM.LIZENZ == 0 && SPIELTAG() != POKALTAG;
        if (noturn)
            DELAY(10);
        else
            MELDUNG(L[214].str() + " \"" + NOLINEBREAKS(turnfileshown()) + "\" " + L[215].str());
        AUTOSEND = false;
        if (!noturn && POSTREADY()) AUTOSEND = JANEIN(L[497].str());
    }
    TESTPOST();
    close_screen();
}

// A run killed while it wrote leaves its temporary files beside their targets:
// in the program directory and the game directories below it. They go before
// this run writes anything; only names of the program's own pattern are touched.
void remove_stale_temps() {
    REMOVESTALETEMPS(".");
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(".", ec))
        if (e.is_directory(ec)) REMOVESTALETEMPS(e.path().filename().string());
}

void enter_program_dir(const std::vector<std::string>& args) {
    const std::string exedir = EXEDIR();
    std::string dir = exedir;
    if (INSTALLEDCOPY(exedir)) {
        dir = USERPROGRAMDIR();
        const USERDIRRESULT made = PREPAREUSERDIR(exedir, dir);
        if (!made.note.empty()) std::fprintf(stderr, "korax: %s\n", made.note.c_str());
        // The message names a directory of the system's UTF-8; error texts are CP437.
        if (!made.ok) ERROR(13, UTF8_TO_CP437(made.error));
    }
    KXPATH = dir;
    std::string exe = EXEPATH();
    if (exe.empty()) exe = args.empty() ? std::string("korax") : args[0];
    std::string base = exe.substr(exe.find_last_of('/') == std::string::npos ? 0 : exe.find_last_of('/') + 1);
    auto dot = base.rfind('.');
    KXNAME = dot == std::string::npos ? base : base.substr(0, dot);
    KXEXT = dot == std::string::npos ? std::string() : base.substr(dot);
    if (::chdir(dir.c_str()) != 0) ERROR(13, "Korax-Inst.Path not 8.3");
}

}  // namespace

// ---- public -----------------------------------------------------------------------

void LESEPARAM(const std::vector<std::string>& args) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    const char* fsm = std::getenv("FSM");
    IGNORMODE = fsm && std::string(fsm) == "ignore";
    TESTMODE = fsm && std::string(fsm) == "test";
    std::vector<std::string> words(args.size() > 1 ? args.begin() + 1 : args.end(), args.end());
    AUSVGR = words.size() == 3 && words[2] == "AusVGR";
    NEUGRAPH = false;
    NUMMERWAHL = 0;
    RSTNAME.clear();
    BARESTART = words.empty();
    if (words.empty()) no_arguments();
    else with_arguments(words);
}

void MENUVISIT(int code) {
    for (int c : MENUHISTORY)
        if (c == code) return;
    MENUHISTORY.push_back(code);
}

void MENURESET() { MENUHISTORY.assign(1, FIRSTMENU); }

bool ESCAPEASKS(unsigned char key2) { return MENUHISTORY.size() <= 1 && key2 != KEY2_TIPCYCLE; }

int ESCAPETARGET(unsigned char key2, int current, bool (*hastips)(int code)) {
    if (key2 == KEY2_TIPCYCLE && hastips) {
        int c = current;
        // One full round at most: without any tips this falls through to the first entry.
        for (int step = 0; step < 100; ++step) {
            c = c >= 199 ? 100 : c + 1;
            if (hastips(c)) return c;
        }
    } else if (key2 == KEY2_BACK && MENUHISTORY.size() > 1) {
        MENUHISTORY.pop_back();
        return MENUHISTORY.back();
    }
    MENUHISTORY.resize(1);
    return MENUHISTORY.front();
}

void USAGESTART() {
    if (FILECHECK(JOINPATH(GAMEDIR, "VGR.TMP"))) {
        KXSTARTTIME = STOPPETIME("VGR.TMP");
        KXSTOPTIME = STARTETIME("VGR.TMP");
        TEAM.TRAINING.VGRGESAMT = ADDUSAGE(TEAM.TRAINING.VGRGESAMT, KXSTARTTIME, KXSTOPTIME);
        KXSTARTTIME = STOPPETIME("KORAX.TMP");
        DELETEFILE(JOINPATH(GAMEDIR, "VGR.TMP"));
    } else {
        TEAM.TRAINING.KXANZAHL = static_cast<std::uint16_t>(TEAM.TRAINING.KXANZAHL + 1);
        KXSTARTTIME = STARTETIME("KORAX.TMP");
    }
}

void USAGESTOP() {
    if (KXSTARTTIME > 0) {
        KXSTOPTIME = STARTETIME("KORAX.TMP");
        TEAM.TRAINING.KXGESAMT = ADDUSAGE(TEAM.TRAINING.KXGESAMT, KXSTARTTIME, KXSTOPTIME);
    }
}

void LOADICONS() {
    // The own team stands out in white in every list, unless colours are off for it.
    if (NUMMER >= 1 && NUMMER <= 10 && TEAMCOLOR[NUMMER] != 0) TEAMCOLOR[NUMMER] = 15;
}

void NOTHING() {
    CLEAROBERFLAECHE();
    FENSTER(0, XM1 + 20, 100, XM2 - 20, YM2 - 20, L[2].str(), -1);
    do {
        GLOBALBUTTON();
        if (KEY == 0) DELAY(10);
    } while (KEY == 0);
    CLEAROBERFLAECHE();
    // A menu button and Escape act as from any screen; other keys only close the
    // window (a letter such as "R" must not be taken for a menu code).
    if (KEY != 27 && KEY < 100) KEY = 0;
}

void HAUPTMENU() {
    // Usage is booked before auto-play: the viewer's time file it writes is for a
    // viewer run still to come, not one that has ended.
    if (XMODE == 2) USAGESTART();
    if ((NEWRST || AUSVGR) && AUTOPLAY) auto_play();
    BUTTONINIT(true);
    if (XMODE != 2) {
        MELDUNG(L[3].str() + L[4].str() + " *" + std::to_string(XMODE));
        return;
    }
    MENURESET();
    KEY = FIRSTMENU;
    KEY2 = 0;
    select_button(FIRSTMENU);
    bool running = true;
    while (running) {
        int code = KEY;
        if (code >= 101 && code <= 199) {
            AKTUMENU = code;
            MENUVISIT(code);
        }
        if (!is_code(code)) {
            KEY = 0;
            if (KEYPRESSED()) MENUTASTE();
            CHECKMOUSEPOS();
            KEYBUTTON();
            if (KEY == 0) DELAY(10);
            continue;
        }
        if (code >= 21 && code <= 24) {
            RELATIVBUTTON(code);
            KEY = 0;
        } else if (code == 27) {
            running = on_escape();
        } else if (code == 82) {
            running = false;
        } else if (code == 48) {
            HELP(13);
            KEY = 0;
        } else {
            OPENSCREEN(code);
        }
    }
    USAGESTOP();
    WRITETEAM(NUMMER, TEAM);
}

int SHOWFATAL(int nr, const std::string& text) {
    std::string line = "Error " + std::to_string(nr) + ": " + text;
    // Standard error first: it is all there is when no screen can be opened, and
    // it is what a script running the client reads.
    std::fprintf(stderr, "%s\n", CP437_TO_UTF8(line).c_str());
    std::fflush(stderr);
    try {
        if (!INGRAPH) EINITGRAPH(0);
        // Whatever a screen left set (viewport, font size) must not hide the message.
        ESETVIEWPORT(0, 0, EGETMAXX(), EGETMAXY(), true);
        ESETTEXTSTYLE(1, 0, 2);
        ESETBLKCOLOR(0);
        ECLEARDEVICE();
        ESETCOLOR(15);
        ESETTEXTJUSTIFY(CENTERTEXT, TOPTEXT);
        EOUTTEXTXY(EGETMAXX() / 2, 100, line);
        EOUTTEXTXY(EGETMAXX() / 2, 200, "[Press RETURN]");
        TASTE();
    } catch (const FatalError&) {
        // No screen: the message already went to standard error.
    } catch (const ScriptStop&) {
        // Nobody can press a key in this run; the error's own exit code counts.
    }
    close_screen();
    REMOVERUNTEMPDIR();
    return ERROR_EXITCODE(nr);
}

int KORAXMAIN(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    try {
        START_INPUT_SCRIPT();
        EWINTITLE = "Manager - Korax 32-Bit";
        enter_program_dir(args);
        FONT_CACHE_FILE(KXPATH + FONTCACHENAME);
        remove_stale_temps();
        READ_LG("KORAX", 220);
        LESEPARAM(args);
        CHECKGAMEDIR();
        REMOVESTALETEMPS(GAMEDIR);  // a game directory given by its path may lie elsewhere
        // Checking the game directory never leaves it, but make sure anyway; a
        // failure is harmless since step 2 entered the program directory already.
        [[maybe_unused]] int back = ::chdir(KXPATH.c_str());
        READINI(255, true);
        open_screen();
        SHOWRST();
        READINI(255, false);
        if (NEUGRAPH) {
            close_screen();
            OPENGRAPH();
            ECLEARDEVICE();
            OPENMOUSE();
        }
        OPENFILES(_PLAYER | _TEAM);
        LESEPOSTINI();
        READGEN();
        // The news of a result is filed under its own day even when the newspaper
        // is not opened before the next result arrives.
        if (GEN.TURN > 0) FILENEWS(SPIELTAG());
        READALLTEAMS();
        CHECKTEAMCHANGE();
        READPLAYERS();
        READPOKAL();
        // The cup result read the team record anew and changed player records:
        // the squad in memory follows the files again.
        if (POKALPATCHED) READPLAYERS();
        LOADICONS();
        ADVISERINIT();
        INITOBERFLAECHE(0);
        LESETIPS();
        HAUPTMENU();
        stop_sequence();
        REMOVERUNTEMPDIR();
        return 0;
    } catch (const ReportedStop& e) {
        close_screen();
        REMOVERUNTEMPDIR();
        return ERROR_EXITCODE(e.nr);
    } catch (const ProgramEnd& e) {
        close_screen();
        REMOVERUNTEMPDIR();
        return e.code;
    } catch (const ScriptStop& e) {
        std::fprintf(stderr, "%s\n", e.what());
        close_screen();
        REMOVERUNTEMPDIR();
        return e.exitcode;
    } catch (const FatalError& e) {
        return SHOWFATAL(e.nr, e.text);
    } catch (const std::bad_alloc&) {
        return SHOWFATAL(8, "");
    } catch (const std::exception& e) {
        // Nothing should get here; if it does, end as a failure with its text
        // rather than abort without a word.
        return SHOWFATAL(99, e.what());
    }
}

}  // namespace korax
