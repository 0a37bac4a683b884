// The general game record of the league (GEN<n>.DAT), the team history files and
// the 32x32 icon files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "base/types.h"
#include "data/g_types.h"

namespace korax {

#pragma pack(push, 1)

// One row of the league table; row 1 is the first place.
struct TABELLENTYPE {
    I16 TEAM;
    I16 GEWONNEN;
    I16 UNENTSCHIEDEN;
    I16 VERLOREN;
    I16 TORDIFF;
    I16 STAERKE;
    std::uint8_t LIZENZ;
    ARR1<std::uint8_t, 1, 3> RESERVE;
};

// One pairing of a match day.
struct SPIELPLANTYPE {
    I16 HEIM;
    I16 GAST;
    I16 HWERT;
    I16 GWERT;
    I16 RESERVE;
};

struct TORSCHUETZENTYPE {
    I16 PLAYER;
    STRING8 NAME;
    std::uint8_t TEAM;
    std::uint8_t RASSE;
    I16 TORE;
    I16 RESERVE;
};

struct STATISTIKTYPE {
    std::uint8_t TABPLATZ;
    I16 STAERKE;
    std::uint8_t RESERVE1;
    ARR1<std::uint8_t, 1, 20> RESERVE;
};

struct WERBREC {
    std::uint8_t DAUER;
    I16 PROSPIEL;
    I16 PROSIEG;
    std::uint8_t TEAM;
    std::uint8_t INUSE;
    ARR1<std::uint8_t, 1, 4> RESERVE;
};

struct GENTYPE {
    I16 TURN;               // match day within the current half (1..9)
    std::uint8_t ANZAHL;             // active teams of the league
    std::uint8_t HINRUNDE;           // 1: first half of the season
    std::uint8_t LIGA;
    STRING10 LIGATXT;
    I16 PLATZ;
    ARR1<TABELLENTYPE, 1, 10> TABELLE;
    // [half][match day][pairing]; half 1 is the first half of the season, see PAARUNG.
    ARR1<ARR1<ARR1<SPIELPLANTYPE, 1, 5>, 1, 9>, 0, 1> SPIELPLAN;
    ARR1<TORSCHUETZENTYPE, 1, 10> TORSCHUETZEN;
    ARR1<ARR1<STATISTIKTYPE, 0, 20>, 1, 10> STATISTIK;  // [team][match day]
    ARR1<WERBREC, 1, 10> WERBUNG;
    PSTRING<6> POKALNAME;
    I32 ZAT;
    PSTRING<19> ZATTEXT;
    STRING40 ZATEMAIL;
    ARR1<std::uint8_t, 1, 28> RESERVE1;
    ARR1<I16, 1, 10> SKLAVEN;
    ARR1<std::uint8_t, 1, 10> SKLAVENCOUNT;
    std::uint8_t ZINSEN;
    I32 SEED;
    I32 PRUEF;
    ARR1<I16, 1, 10> SKLAVENGEBOT;
    ARR1<std::uint8_t, 1, 10> SKLAVENTEAM;
    std::uint8_t ABSTIEG;
    std::uint8_t AUFSTIEG;
    std::uint8_t TXTNR;
    std::uint8_t DELOLD;             // boolean on disk; kept as a byte so any value is safe
    std::uint8_t ABGABE;
    ARR1<I16, 1, 10> VPREIS;
    ARR1<std::uint8_t, 1, 10> TSYMVER;
    ARR1<std::uint8_t, 1, 10> INNEWS;
    ARR1<std::uint8_t, 1, 10> ININTERVIEW;
    U16 LIGAKENNUNG;
    std::uint8_t PASSWORT;
    STRING8 RSZNAME;
    std::uint8_t RESERVE;
};

#pragma pack(pop)

static_assert(sizeof(TABELLENTYPE) == 16 && offsetof(TABELLENTYPE, STAERKE) == 10 && offsetof(TABELLENTYPE, LIZENZ) == 12);
static_assert(sizeof(SPIELPLANTYPE) == 10 && offsetof(SPIELPLANTYPE, GWERT) == 6);
static_assert(sizeof(TORSCHUETZENTYPE) == 17 && offsetof(TORSCHUETZENTYPE, NAME) == 2 && offsetof(TORSCHUETZENTYPE, TEAM) == 11);
static_assert(offsetof(TORSCHUETZENTYPE, RASSE) == 12 && offsetof(TORSCHUETZENTYPE, TORE) == 13);
static_assert(sizeof(STATISTIKTYPE) == 24 && offsetof(STATISTIKTYPE, STAERKE) == 1 && offsetof(STATISTIKTYPE, RESERVE) == 4);
static_assert(sizeof(WERBREC) == 11 && offsetof(WERBREC, PROSIEG) == 3 && offsetof(WERBREC, TEAM) == 5 && offsetof(WERBREC, INUSE) == 6);

static_assert(sizeof(GENTYPE) == 6635);
static_assert(offsetof(GENTYPE, ANZAHL) == 2 && offsetof(GENTYPE, HINRUNDE) == 3 && offsetof(GENTYPE, LIGA) == 4);
static_assert(offsetof(GENTYPE, LIGATXT) == 5 && offsetof(GENTYPE, PLATZ) == 16 && offsetof(GENTYPE, TABELLE) == 18);
static_assert(offsetof(GENTYPE, SPIELPLAN) == 178 && offsetof(GENTYPE, TORSCHUETZEN) == 1078 && offsetof(GENTYPE, STATISTIK) == 1248);
static_assert(offsetof(GENTYPE, WERBUNG) == 6288 && offsetof(GENTYPE, POKALNAME) == 6398 && offsetof(GENTYPE, ZAT) == 6405);
static_assert(offsetof(GENTYPE, ZATTEXT) == 6409 && offsetof(GENTYPE, ZATEMAIL) == 6429 && offsetof(GENTYPE, RESERVE1) == 6470);
static_assert(offsetof(GENTYPE, SKLAVEN) == 6498 && offsetof(GENTYPE, SKLAVENCOUNT) == 6518 && offsetof(GENTYPE, ZINSEN) == 6528);
static_assert(offsetof(GENTYPE, SEED) == 6529 && offsetof(GENTYPE, PRUEF) == 6533 && offsetof(GENTYPE, SKLAVENGEBOT) == 6537);
static_assert(offsetof(GENTYPE, SKLAVENTEAM) == 6557 && offsetof(GENTYPE, ABSTIEG) == 6567 && offsetof(GENTYPE, AUFSTIEG) == 6568);
static_assert(offsetof(GENTYPE, TXTNR) == 6569 && offsetof(GENTYPE, DELOLD) == 6570 && offsetof(GENTYPE, ABGABE) == 6571);
static_assert(offsetof(GENTYPE, VPREIS) == 6572 && offsetof(GENTYPE, TSYMVER) == 6592 && offsetof(GENTYPE, INNEWS) == 6602);
static_assert(offsetof(GENTYPE, ININTERVIEW) == 6612 && offsetof(GENTYPE, LIGAKENNUNG) == 6622 && offsetof(GENTYPE, PASSWORT) == 6624);
static_assert(offsetof(GENTYPE, RSZNAME) == 6625 && offsetof(GENTYPE, RESERVE) == 6634);

// One line of a history file.
using ERFOLGREC = STRING40;

// Process-wide.
extern GENTYPE GEN;
extern std::FILE* HISDAT;                     // the open history file, or null
extern std::string HISNAME;                   // its DOS-style name (kept whole, never cut)
extern std::int16_t TAG;                      // match day at the last READGEN
extern std::uint8_t HIN;                      // GEN.HINRUNDE at the last READGEN
extern bool LASTDAY;                          // day 18, the last of the season, is reached
extern ARR1<std::uint8_t, 1, 100> CODE;       // random filler, new at every READGEN

void READGEN();

// History of team `team`: GAMEDIR + "TEAM" + team + ".HIS" (his) or ".HI".
void OPENHIS(int team, bool neu, bool his);
bool READHIS(ERFOLGREC& line);                // false at end of file, line unchanged
void WRITEHIS(const ERFOLGREC& line);
void APPENDHIS(int team, const ERFOLGREC& line, bool his);
void CLOSEHIS();

// name + ".RAW" (cut to 12 characters) from the current directory.
void READICON(const std::string& name, ICONREC& icon);
bool READICONTOL(const std::string& name, ICONREC& icon);
void CHANGEICON(ICONREC& icon, int from, int to);
// The file name stem of icon n (1..20); empty for any other n.
std::string GETICONNAME(int n);
int INDICOLOR(int c);

// Index of the fixture half a match day lies in: 1 for days 1..9 (first half),
// 0 for days 10..18.
int SPIELPLANHALF(int spieltag);
// The pairing k (1..5) of match day `spieltag` (1..18) of the season. False, with
// `out` zeroed, when the day or pairing is outside the season.
bool PAARUNG(int spieltag, int k, SPIELPLANTYPE& out);

}  // namespace korax
