#include "turn/letters.h"

#include <array>
#include <string>

#include "adviser/adviser.h"
#include "base/types.h"
#include "data/config.h"
#include "data/g_general.h"
#include "data/g_tools.h"
#include "data/g_types.h"
#include "data/lg.h"
#include "graph/emugraph.h"
#include "graph/htime.h"
#include "graph/winpcx.h"
#include "results/pokal.h"
#include "results/showrst.h"
#include "turn/messages.h"
#include "ui/dialogs.h"
#include "ui/frames.h"
#include "ui/infotext.h"
#include "ui/m_tool.h"

namespace korax {

int LESEPTR = 0;

namespace {

std::array<std::string, 11> teamnames() {
    std::array<std::string, 11> t;
    for (int i = 1; i <= 10; ++i) t[i] = TEAMNAME[i].str();
    return t;
}

std::string msgname() { return GAMEDIR + "MSG" + NUMMERSTR + ".DAT"; }

// Appends lines to the outgoing message file, starting a new line when its last one has none.
void append_fmsg(const std::vector<std::string>& lines) {
    std::string old;
    READWHOLEFILE(FMSG, old);
    REWRITEFILE(FMSG, old + APPENDLINES(old, lines), 1, 4, 9);
}

void text_at(int x, int y, int colour, const std::string& s) {
    ESETCOLOR(colour);
    EOUTTEXTXY(x, y, s);
}

// Left-aligned rows of one line with the highlight marks applied.
void marked_row(int x, int y, const std::string& row, bool& hl) {
    for (const MSGRUN& r : MSGRUNS(row, hl)) {
        text_at(x, y, r.highlight ? 5 : 0, r.text);
        x += ETEXTWIDTH(r.text);
    }
}

struct READER {
    std::vector<MSGTYPE> recs;
    int m = 1;
    int sender = 0;
    MSGVIEW view;
};

int setleft(const MSGTYPE& rec) {
    int widest = 0;
    for (int i = 0; i < MSGSHOWN; ++i) {
        std::string s = rec.LINE[i].str();
        if (s.find(static_cast<char>(MSGBREAK)) == std::string::npos) widest = std::max(widest, ETEXTWIDTH(s));
    }
    return SETLEFTX(widest, XM1, XMC);
}

void aufbau_lesen(READER& r) {
    CLEAROBERFLAECHE();
    HEADER(L[113].str());
    HINTERGRUND(XM1 + 10, 92, XM2 - 33, 392, 15);
    FRAME(XM2 - 30, 92, XM2 - 6, 392, 1, 15, 8);
    const int c = static_cast<int>(r.recs.size());
    const MSGTYPE& rec = r.recs[static_cast<std::size_t>(r.m - 1)];
    r.view = VIEWMSG(rec);
    const int L1 = XM1 + (XM2 - XM1) / 3 - 80, R1 = XM2 - (XM2 - XM1) / 3 + 80;
    ESETFILLSTYLE(1, SCREEN);
    EBAR(L1 - 75, 437, R1 + 75, 547);
    for (int n = 3; n <= 6; ++n) SETKLICKFENSTER(n, 0, 0, -1, -1);
    REFRESHFENSTER();
    // The arrows at the panel's edge step through the messages like "4" and "6".
    BUTTON(2, XM2 - 28, 94, XM2 - 8, 114, 7, 0, "^", false);
    BUTTON(8, XM2 - 28, 370, XM2 - 8, 390, 7, 0, "v", false);
    if (r.m < c) FENSTER(6, R1 - 70, 442, R1 + 70, 482, L[267].str(), 1);
    if (r.m > 1) FENSTER(4, L1 - 70, 442, L1 + 70, 482, L[268].str(), 1);
    FENSTER(3, XMC - 70, 442, XMC + 70, 482, "", 1);
    ESETTEXTJUSTIFY(1, 2);
    text_at(XMC, 454, 0, L[269].str());
    const int bar = XMC - 50;
    ESETFILLSTYLE(1, 14);
    EBAR(bar, 462, bar + 100, 477);
    ESETCOLOR(0);
    for (int x : BARTICKS(c, bar)) ELINE(x, 462, x, 477);
    const int mark = BARMARK(r.m, c, bar);
    if (mark >= 0) text_at(mark, 474 - 10, 0, "X");
    ESETTEXTSTYLE(0, 0, 2);
    text_at(XMC, 112, r.view.titled ? 8 : 1,
            (r.view.titled ? L[270].str() : L[271].str()) + " " + std::to_string(r.m) + "/" + std::to_string(c) + ":");
    DEFAULTTEXT();
    r.sender = 0;
    if (r.view.kind == MSGKIND::CENTRED) {
        ESETTEXTJUSTIFY(1, 2);
        for (int i = 0; i < MSGSHOWN; ++i) text_at(XMC, 160 + 15 * i, 0, r.view.lines[static_cast<std::size_t>(i)]);
        return;
    }
    if (r.view.kind == MSGKIND::TRAINER) {
        ESETTEXTJUSTIFY(1, 2);
        text_at(XMC, 132, 12, r.view.header);
        r.sender = SENDERTEAM(r.view.sender, teamnames());
        if (r.sender > 0) FENSTER(5, XMC - 70, 502, XMC + 70, 542, L[272].str(), 1);
    }
    ESETTEXTJUSTIFY(0, 2);
    const int x = setleft(rec);
    int y = 157;
    bool hl = false;
    for (const std::string& line : r.view.lines)
        for (const std::string& row : MSGROWS(line)) {
            if (y > 385) break;  // keep within the panel
            marked_row(x, y, row, hl);
            y += 15;
        }
    DEFAULTTEXT();
}

void reply(const READER& r) {
    const int s = r.sender;
    if (s < 1) return;
    append_fmsg(REPLYLINES(r.view, s, TEAMNAME[s].str(), TRAINERNAME[s].str(), L[273].str()));
    EDITOR(FMSG);
}

}  // namespace

void LESEN() {
    TIPSCREEN(113);
    CLEAROBERFLAECHE();
    READER r;
    std::string bytes;
    if (!READWHOLEFILE(msgname(), bytes) || (r.recs = MSGRECORDS(bytes)).empty()) {
        MELDUNG(L[274].str());
        return;
    }
    const int c = static_cast<int>(r.recs.size());
    // A torn last record cannot be counted: it is left out, and the trainer hears it.
    if (bytes.size() % sizeof(MSGTYPE) != 0) BEEP(3);
    if (NEWPOKAL) r.m = std::max(c - 1, 1);
    else if (LESEPTR >= 1 && LESEPTR <= c) r.m = LESEPTR;
    aufbau_lesen(r);
    while (true) {
        GLOBALBUTTON();
        if (KEY == 27 || KEY == 'R' || KEY >= 100) break;
        switch (KEY) {
        case 0: DELAY(10); continue;
        case '0': HELP(113); break;
        case '2':
        case '4': if (r.m > 1) --r.m; break;
        case '6':
        case '8': if (r.m < c) ++r.m; break;
        case '3':
            if (MOUSEX >= XMC - 50 && MOUSEX <= XMC + 50 && MOUSEY >= 462 && MOUSEY <= 477)
                r.m = BARPICK(MOUSEX - 1, c, XMC - 50);
            break;
        case '5': reply(r); break;
        default: continue;
        }
        aufbau_lesen(r);
    }
    if (KEY == 'R') KEY = 27;
    LESEPTR = r.m;
    REFRESHFENSTER();
}

namespace {

void aufbau_schreiben() {
    CLEAROBERFLAECHE();
    HEADER(L[112].str());
    const int x0 = XM1 + 140;
    for (int t = 1; t <= 10; ++t) {
        FENSTER(t, x0 - 95, 52 + 40 * t, x0 + 115, 84 + 40 * t, "", 1);
        ESETTEXTJUSTIFY(1, 1);
        text_at(x0 + 10, 68 + 40 * t, t == NUMMER ? 13 : 15, TEAMNAME[t].str() + "/" + TRAINERNAME[t].str());
        const std::string pic = GAMEDIR + "team" + std::to_string(t) + ".pcx";
        // Drawn without its palette: the screen's colours stay.
        std::string bytes;
        PCXPICTURE img;
        if (READWHOLEFILE(pic, bytes) && DECODEPCX(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), img))
            SHOWSCR(x0 - 135, 52 + 40 * t, img);
    }
    FENSTER(11, x0 - 70, YM2 - 50, x0 + 70, YM2 - 20, "", 1);
    text_at(x0, YM2 - 43, 14, L[263].str());
    text_at(x0, YM2 - 28, 14, L[264].str());
    const int x1 = XM2 - 145;
    FENSTER(14, x1 - 80, YM2 - 50, x1 + 80, YM2 - 20, L[265].str(), 1);
    HINTERGRUND(x1 - 120, 92, x1 + 120, 479, 7);
    ESETTEXTJUSTIFY(1, 2);
    text_at(x1, 112, 14, "Nachricht geht an:");
    std::string text;
    READWHOLEFILE(FMSG, text);
    int k = 0;
    for (const std::string& a : ADDRESSEES(text, teamnames(), L[263].str())) text_at(x1, 132 + 20 * ++k, 15, a);
    DEFAULTTEXT();
}

}  // namespace

void SCHREIBEN() {
    TIPSCREEN(112);
    CLEAROBERFLAECHE();
    if (LASTDAY) {
        INFOTEXT(L[266].str());
        return;
    }
    aufbau_schreiben();
    while (true) {
        GLOBALBUTTON();
        if (KEY == 27 || KEY == 'R' || KEY >= 100) break;
        int t = -1;
        if (KEY >= '1' && KEY <= '9') t = KEY - '0';
        else if (KEY == 'A') t = 10;
        else if (KEY == 'B') t = 0;
        if (t >= 0) {
            append_fmsg({ADDRESSLINE(t, t ? TEAMNAME[t].str() : std::string(), L[263].str())});
            EDITOR(FMSG);
        } else if (KEY == 'E') {
            EDITOR(FMSG);
        } else if (KEY == '0') {
            HELP(112);
        } else {
            if (KEY == 0) DELAY(10);
            continue;
        }
        aufbau_schreiben();
    }
    if (KEY == 'R') KEY = 27;
    REFRESHFENSTER();
}

}  // namespace korax
