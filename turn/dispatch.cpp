#include "turn/dispatch.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "base/state.h"
#include "base/types.h"
#include "data/config.h"
#include "data/g_general.h"
#include "data/g_tools.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/htime.h"
#include "platform/dospath.h"
#include "platform/paths.h"
#include "turn/post.h"
#include "turn/saveturn.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/m_tool.h"

namespace korax {

namespace {

// Click windows of the buttons; their keys are "A".."D".
constexpr int WINDOW_A = 10, WINDOW_B = 11, WINDOW_C = 12, WINDOW_D = 13;

std::string two(unsigned v) {
    char b[8];
    std::snprintf(b, sizeof b, "%02u", v % 100);
    return b;
}

void shadowed(int x, int y, int colour, const std::string& s) {
    ESETCOLOR(0);
    EOUTTEXTXY(x + 1, y + 1, s);
    ESETCOLOR(colour);
    EOUTTEXTXY(x, y, s);
}

bool settings_valid() { return BADPOSTVALUE({POSTEMAIL, POSTSMTP, POSTSUBJECT, POSTLOGIN, POSTPASSWORD, POSTTLS}, GEN.ZATEMAIL.str()).empty(); }

// The switch of automatic dispatch: the game's POST.BAT in any of its spellings.
void delete_postbat() {
    for (const char* n : {"POST.BAT", "post.bat", "Post.bat"}) DELETEFILE(GAMEDIR + n);
}

void ask_postbat() {
    if (JANEIN(L[533].str())) WRITEPOSTBAT();
    else delete_postbat();
}

void aufbau(const DATETIME16& zat) {
    CLEAROBERFLAECHE();
    HEADER(L[128].str());
    AUTOSEND = FILECHECK(GAMEDIR + "post.ini") && POSTREADY();
    const int r = WERTEPOSTLOG();
    for (int n : {WINDOW_A, WINDOW_B, WINDOW_C, WINDOW_D}) SETKLICKFENSTER(n, 0, 0, -1, -1);
    REFRESHFENSTER();
    HINTERGRUND(XM1 + 10, 92, XM2 - 10, 542, 7);
    ESETTEXTJUSTIFY(1, 2);
    ESETTEXTSTYLE(0, 0, 2);
    shadowed(XMC, 122, 14, GEN.ZATTEXT.str());
    DEFAULTTEXT();
    ESETTEXTJUSTIFY(1, 2);
    shadowed(XMC, 162, 4, L[128].str() + " " + two(zat.hour) + ":" + two(zat.minute) + " h");
    shadowed(XMC, 202, 4, "mailto:" + GEN.ZATEMAIL.str());
    HINTERGRUND(XMC - 200, 227, XMC + 200, 452, 15);
    ESETTEXTJUSTIFY(0, 2);
    ESETCOLOR(0);
    EOUTTEXTXY(XMC - 150, 257, "eMail= " + POSTEMAIL);
    EOUTTEXTXY(XMC - 150, 287, "SMTP = " + POSTSMTP);
    EOUTTEXTXY(XMC - 150, 317, "Subj.= " + POSTSUBJECT);
    DEFAULTTEXT();
    FENSTER(WINDOW_A, XMC - 150, 347, XMC + 150, 377, L[535].str(), 1);
    if (!GEN.ZATEMAIL.str().empty())
        FENSTER(WINDOW_B, XMC - 150, 392, XMC + 150, 432, L[AUTOSEND ? 531 : 530].str(), 1);
    if (r != 2) FENSTER(WINDOW_C, XMC - 150, 467, XMC + 150, 492, MAILLOGLABEL(DTLOG, LGNR, L[308 + r].str()), 1);
    if (AUTOSEND) FENSTER(WINDOW_D, XMC - 150, 507, XMC + 150, 532, L[424].str(), 1);
}

// The refusals of "B" and "D": no mail program, or a setting empty or not valid.
bool refused() {
    if (!MAILPROGRAMPRESENT()) {
        MELDUNG(L[534].str());
        return true;
    }
    if (!settings_valid()) {
        MELDUNG(L[532].str());
        return true;
    }
    return false;
}

void edit_settings() {
    const std::string ini = GAMEDIR + "post.ini";
    if (!FILECHECK(ini)) {
        if (COPYFILE(GAMEDIR + "post.old", ini) || COPYFILE("post.org", ini))
            // It may come to hold the mail password.
            ::chmod(HOSTPATH(ini).c_str(), 0600);
    }
    EDITOR(ini);
    LESEPOSTINI();
    if (!POSTEMAIL.empty() && !POSTSMTP.empty() && !POSTSUBJECT.empty()) {
        if (settings_valid()) ask_postbat();
        else MELDUNG(L[532].str());
    }
}

}  // namespace

void ZAT() {
    // Nothing to advise on here: the adviser's figure keeps quiet.
    if (ADVISER.silence) ADVISER.silence();
    CLEAROBERFLAECHE();
    const DATETIME16 zat = DOSUNPACK(static_cast<std::uint32_t>(GEN.ZAT));
    LESEPOSTINI();
    aufbau(zat);
    while (true) {
        GLOBALBUTTON();
        if (KEY == 27 || KEY == 'R' || KEY >= 100) break;
        switch (KEY) {
        case '0': HELP(128); break;
        case 'A': edit_settings(); break;
        case 'B':
            if (!refused()) ask_postbat();
            break;
        case 'C': EDITOR(GAMEDIR + "post.log"); break;
        case 'D':
            if (!refused() && AUTOSEND) {
                SAVETURN();
                SENDTURN();
                GESENDET = true;
            }
            break;
        default:
            if (KEY == 0) DELAY(10);
            continue;
        }
        aufbau(zat);
    }
    if (KEY == 'R') KEY = 27;
    REFRESHFENSTER();
}

}  // namespace korax
