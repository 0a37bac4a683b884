// Team and player records, their two files, the calculations every screen shares
// on them, and the in-memory team model loaded at start-up.
#pragma once

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>

#include "base/state.h"

namespace korax {

// Multi-byte integers of the file records. The records are packed, so a plain
// int16_t field can sit at an odd address, and any reference bound to it (a
// template taking const T&, a test macro) would be a misaligned access. These keep
// alignment 1 and convert to and from the plain integer, so `TEAM.GOLD += 50`,
// `TEAM.PLAYERS[i] = 5` and `if (TEAM.WETTEN[t] > 0)` read as usual. Use
// static_cast<int>(...) where a template needs the plain type.
template <typename T>
struct LEINT {
    std::uint8_t b[sizeof(T)];

    LEINT() = default;
    explicit LEINT(T v) { std::memcpy(b, &v, sizeof(T)); }
    operator T() const {
        T v;
        std::memcpy(&v, b, sizeof(T));
        return v;
    }
    LEINT& operator=(T v) {
        std::memcpy(b, &v, sizeof(T));
        return *this;
    }
    // Sums wrap in the field's width, as the stored type does.
    LEINT& operator+=(long long d) { return *this = static_cast<T>(static_cast<std::uint64_t>(T(*this)) + static_cast<std::uint64_t>(d)); }
    LEINT& operator-=(long long d) { return *this = static_cast<T>(static_cast<std::uint64_t>(T(*this)) - static_cast<std::uint64_t>(d)); }
    LEINT& operator*=(long long f) { return *this = static_cast<T>(static_cast<std::uint64_t>(T(*this)) * static_cast<std::uint64_t>(f)); }
    LEINT& operator++() { return *this += 1; }
    LEINT& operator--() { return *this -= 1; }
    T operator++(int) {
        T old = *this;
        *this += 1;
        return old;
    }
    T operator--(int) {
        T old = *this;
        *this -= 1;
        return old;
    }
    friend std::ostream& operator<<(std::ostream& os, const LEINT& v) { return os << static_cast<long long>(T(v)); }
};
using I16 = LEINT<std::int16_t>;   // SMALLINT
using U16 = LEINT<std::uint16_t>;  // WORD
using I32 = LEINT<std::int32_t>;   // LONGINT
static_assert(sizeof(I16) == 2 && alignof(I16) == 1 && sizeof(I32) == 4 && alignof(I32) == 1);

// array[LO..HI] of T, indexed as the record files number it. Indices come from data all over the
// program; one outside the bounds reads a zeroed element and writes to a scratch
// element, so it can never touch memory beside the array. Use in(i) to tell
// "no such entry" apart from a zero entry.
template <typename T, int LO, int HI>
struct ARR1 {
    static_assert(HI >= LO);
    static constexpr int LOW = LO;
    static constexpr int HIGH = HI;
    static constexpr int COUNT = HI - LO + 1;
    T v[COUNT];

    static constexpr bool in(long long i) { return i >= LO && i <= HI; }
    T& operator[](long long i) {
        if (in(i)) return v[i - LO];
        static thread_local T none;
        none = T{};
        return none;
    }
    const T& operator[](long long i) const {
        if (in(i)) return v[i - LO];
        static thread_local T none;
        none = T{};
        return none;
    }
    T* begin() { return v; }
    T* end() { return v + COUNT; }
    const T* begin() const { return v; }
    const T* end() const { return v + COUNT; }
};

#pragma pack(push, 1)

// One player: record p of PLAYER<n>.DAT sits at byte (p-1)*61.
struct PLAYERREC {
    I16 TEAM;               // 0: unused record
    I16 RACE;               // 1..10, two looks per race
    STRING8 NAME;
    I16 INDI;
    std::uint8_t INTELLIGENZ;
    std::uint8_t SCHNELLIGKEIT;
    std::uint8_t AUSDAUER;
    std::uint8_t KOERPERKRAFT;
    std::uint8_t GESCHICKLICHKEIT;
    std::uint8_t MOTIVATION;
    std::int8_t VERFASSUNG;          // may be negative; <= 0 means out
    I16 TORE;
    I16 SONDER;
    I16 TRANSFER;
    I32 PRUEF;              // check value, see PLAYERPRUEF
    I16 PASS;
    I16 FARBE;              // low byte: colour painted into the icon
    I16 INDI3;
    std::uint8_t VORLEGEN;
    std::uint8_t MARKTCOUNT;
    I16 SAISON;
    std::uint8_t ARTIFAKT;           // derived from TEAM.ARTPLAYER in READPLAYERS
    std::uint8_t ARTLEVEL;
    I16 LASTTORE;
    I16 DAYSIMTEAM;
    std::uint8_t ORGTEAM;
    ARR1<std::uint8_t, 1, 2> RESERVE1;
    ARR1<std::uint8_t, 1, 10> RESERVE2;
};

// Tactics of one field position.
struct TAKTIKTYPE {
    I16 NORMALX;            // <= 0: not placed
    I16 NORMALY;
    I16 FANGRADIUS;
    I16 NR;
    I16 LAUFX;
    I16 LAUFY;
    std::uint8_t EINSATZ;
    ARR1<std::uint8_t, 1, 13> RESERVE1;
    ARR1<std::uint8_t, 1, 20> RESERVE2;
};

struct STADIONTYPE {
    I16 SITZPLAETZE;
    I16 EINTRITT;
    I16 STIMMUNG;
    I16 ZUSCHAUER;
    I16 ERWEITERUNG;
    I16 OLDEINTRITT;
    I16 OLDWETTER;
    ARR1<std::uint8_t, 1, 28> RESERVE;
};

struct TRAININGTYPE {
    I16 POINTS;
    I16 TECHNIK;
    I16 TAKTIK;
    I16 KRAFT;
    I16 SCHUSS;
    I16 AUSDAUER;
    I16 INTERVALL;
    I16 TRAINERERG;
    I32 VGRGESAMT;
    U16 VGRANZAHL;
    I32 KXGESAMT;
    U16 KXANZAHL;
    I16 TENDENZ;
    ARR1<std::uint8_t, 1, 32> RESERVE;
};

// One team: record t of TEAM<n>.DAT sits at byte (t-1)*907.
struct TEAMREC {
    STRING25 NAME;
    I32 GOLD;
    STRING25 TRAINER;
    ARR1<I16, 1, 10> PLAYERS;        // player numbers of the squad slots; <= 0 empty
    ARR1<std::uint8_t, 1, 5> IMTEAM; // squad slot on each field position
    ARR1<TAKTIKTYPE, 1, 5> TAKTIK;
    ARR1<TAKTIKTYPE, 1, 5> SPARRTAKTIK;
    ARR1<I16, 1, 10> ANGEBOT;
    ARR1<I16, 1, 10> TRANSFER;
    STADIONTYPE STADION;
    TRAININGTYPE TRAINING;
    I16 COMPUTER;
    I16 UNTERKUNFT;
    I32 KREDITSUMME;
    I16 KREDITDAUER;
    std::uint8_t KREDITZINSEN;
    ARR1<I32, 1, 10> WETTEN;
    ARR1<I32, 1, 10> UEBERWEISUNG;
    ARR1<I16, 1, 10> TRANSGEBOT;
    std::uint8_t PROFI;
    std::uint8_t LIZENZ;             // 0: no licence for the next season
    I16 BRUTAL;
    I16 BRUTALL;
    I16 SAISON;
    std::uint8_t ABGABE;
    U16 ERFOLGE;
    I16 VPREIS;
    ARR1<std::uint8_t, 1, 5> VKAUF;
    std::uint8_t LIGA;
    std::uint8_t POKALFLAG;
    std::uint8_t ERFAHRUNG;
    std::uint8_t ERFCODE;
    std::uint8_t FARBE1;
    std::uint8_t FARBE2;
    ARR1<std::uint8_t, 1, 10> SYMBOLVER;
    std::uint8_t VERPFLEGUNG;
    std::uint8_t WERB1;
    std::uint8_t WERB2;
    std::uint8_t ARTEFAKT;
    std::uint8_t ARTLEVEL;
    ARR1<std::uint8_t, 1, 10> ARTPLAYER;  // artefact*10 + level per squad slot
    I16 PACKER;
    std::uint8_t RSTSIZE;
    STRING8 PASSWORT;
    I16 ARTPRUEF;
    std::uint8_t ARTDAUER;
    I16 PLUSGOLD;
    U16 LIGAKENNUNG;
    STRING12 SHORTNAME;
    STRING12 GAMEDIR;
    std::uint8_t LANGUAGE;
    std::uint8_t TEAMNUMMER;
    std::uint8_t TEMPART;
    ARR1<std::uint8_t, 1, 14> RESERVE;
};

// Per-turn differences of a team and of a player.
struct TEAMPATCHTYPE {
    I16 NR;
    I16 EINTRITT;
    I16 SITZEDIF;
    I16 FANDIF;
    I32 GOLDDIF;
    std::uint8_t ERFOLG;
    STRING12 NAME;
    STRING12 GEGNER;
};

struct PLAYERPATCHTYPE {
    I16 NR;
    STRING8 NAME;
    I16 VERDIF;
    I16 TORDIF;
};

// A 32x32 icon: 32 rows of 32 palette indices, top row first.
struct ICONREC {
    std::uint8_t P[32][32];
};
struct ICONREC64 {
    std::uint8_t P[64][64];
};

#pragma pack(pop)

static_assert(sizeof(PLAYERREC) == 61);
static_assert(offsetof(PLAYERREC, RACE) == 2 && offsetof(PLAYERREC, NAME) == 4 && offsetof(PLAYERREC, INDI) == 13);
static_assert(offsetof(PLAYERREC, INTELLIGENZ) == 15 && offsetof(PLAYERREC, MOTIVATION) == 20);
static_assert(offsetof(PLAYERREC, VERFASSUNG) == 21 && offsetof(PLAYERREC, TORE) == 22 && offsetof(PLAYERREC, SONDER) == 24);
static_assert(offsetof(PLAYERREC, TRANSFER) == 26 && offsetof(PLAYERREC, PRUEF) == 28 && offsetof(PLAYERREC, PASS) == 32);
static_assert(offsetof(PLAYERREC, FARBE) == 34 && offsetof(PLAYERREC, INDI3) == 36 && offsetof(PLAYERREC, VORLEGEN) == 38);
static_assert(offsetof(PLAYERREC, MARKTCOUNT) == 39 && offsetof(PLAYERREC, SAISON) == 40 && offsetof(PLAYERREC, ARTIFAKT) == 42);
static_assert(offsetof(PLAYERREC, ARTLEVEL) == 43 && offsetof(PLAYERREC, LASTTORE) == 44 && offsetof(PLAYERREC, DAYSIMTEAM) == 46);
static_assert(offsetof(PLAYERREC, ORGTEAM) == 48 && offsetof(PLAYERREC, RESERVE1) == 49 && offsetof(PLAYERREC, RESERVE2) == 51);

static_assert(sizeof(TAKTIKTYPE) == 46);
static_assert(offsetof(TAKTIKTYPE, NORMALY) == 2 && offsetof(TAKTIKTYPE, LAUFX) == 8 && offsetof(TAKTIKTYPE, EINSATZ) == 12);
static_assert(offsetof(TAKTIKTYPE, RESERVE1) == 13 && offsetof(TAKTIKTYPE, RESERVE2) == 26);
static_assert(sizeof(STADIONTYPE) == 42);
static_assert(offsetof(STADIONTYPE, EINTRITT) == 2 && offsetof(STADIONTYPE, OLDWETTER) == 12 && offsetof(STADIONTYPE, RESERVE) == 14);
static_assert(sizeof(TRAININGTYPE) == 62);
static_assert(offsetof(TRAININGTYPE, VGRGESAMT) == 16 && offsetof(TRAININGTYPE, VGRANZAHL) == 20 && offsetof(TRAININGTYPE, KXGESAMT) == 22);
static_assert(offsetof(TRAININGTYPE, KXANZAHL) == 26 && offsetof(TRAININGTYPE, TENDENZ) == 28 && offsetof(TRAININGTYPE, RESERVE) == 30);

static_assert(sizeof(TEAMREC) == 907);
static_assert(offsetof(TEAMREC, GOLD) == 26 && offsetof(TEAMREC, TRAINER) == 30 && offsetof(TEAMREC, PLAYERS) == 56);
static_assert(offsetof(TEAMREC, IMTEAM) == 76 && offsetof(TEAMREC, TAKTIK) == 81 && offsetof(TEAMREC, SPARRTAKTIK) == 311);
static_assert(offsetof(TEAMREC, ANGEBOT) == 541 && offsetof(TEAMREC, TRANSFER) == 561 && offsetof(TEAMREC, STADION) == 581);
static_assert(offsetof(TEAMREC, TRAINING) == 623 && offsetof(TEAMREC, COMPUTER) == 685 && offsetof(TEAMREC, UNTERKUNFT) == 687);
static_assert(offsetof(TEAMREC, KREDITSUMME) == 689 && offsetof(TEAMREC, KREDITDAUER) == 693 && offsetof(TEAMREC, KREDITZINSEN) == 695);
static_assert(offsetof(TEAMREC, WETTEN) == 696 && offsetof(TEAMREC, UEBERWEISUNG) == 736 && offsetof(TEAMREC, TRANSGEBOT) == 776);
static_assert(offsetof(TEAMREC, PROFI) == 796 && offsetof(TEAMREC, LIZENZ) == 797 && offsetof(TEAMREC, BRUTAL) == 798);
static_assert(offsetof(TEAMREC, BRUTALL) == 800 && offsetof(TEAMREC, SAISON) == 802 && offsetof(TEAMREC, ABGABE) == 804);
static_assert(offsetof(TEAMREC, ERFOLGE) == 805 && offsetof(TEAMREC, VPREIS) == 807 && offsetof(TEAMREC, VKAUF) == 809);
static_assert(offsetof(TEAMREC, LIGA) == 814 && offsetof(TEAMREC, POKALFLAG) == 815 && offsetof(TEAMREC, ERFAHRUNG) == 816);
static_assert(offsetof(TEAMREC, ERFCODE) == 817 && offsetof(TEAMREC, FARBE1) == 818 && offsetof(TEAMREC, FARBE2) == 819);
static_assert(offsetof(TEAMREC, SYMBOLVER) == 820 && offsetof(TEAMREC, VERPFLEGUNG) == 830 && offsetof(TEAMREC, WERB1) == 831);
static_assert(offsetof(TEAMREC, WERB2) == 832 && offsetof(TEAMREC, ARTEFAKT) == 833 && offsetof(TEAMREC, ARTLEVEL) == 834);
static_assert(offsetof(TEAMREC, ARTPLAYER) == 835 && offsetof(TEAMREC, PACKER) == 845 && offsetof(TEAMREC, RSTSIZE) == 847);
static_assert(offsetof(TEAMREC, PASSWORT) == 848 && offsetof(TEAMREC, ARTPRUEF) == 857 && offsetof(TEAMREC, ARTDAUER) == 859);
static_assert(offsetof(TEAMREC, PLUSGOLD) == 860 && offsetof(TEAMREC, LIGAKENNUNG) == 862 && offsetof(TEAMREC, SHORTNAME) == 864);
static_assert(offsetof(TEAMREC, GAMEDIR) == 877 && offsetof(TEAMREC, LANGUAGE) == 890 && offsetof(TEAMREC, TEAMNUMMER) == 891);
static_assert(offsetof(TEAMREC, TEMPART) == 892 && offsetof(TEAMREC, RESERVE) == 893);

static_assert(sizeof(TEAMPATCHTYPE) == 39);
static_assert(offsetof(TEAMPATCHTYPE, GOLDDIF) == 8 && offsetof(TEAMPATCHTYPE, ERFOLG) == 12);
static_assert(offsetof(TEAMPATCHTYPE, NAME) == 13 && offsetof(TEAMPATCHTYPE, GEGNER) == 26);
static_assert(sizeof(PLAYERPATCHTYPE) == 15);
static_assert(offsetof(PLAYERPATCHTYPE, NAME) == 2 && offsetof(PLAYERPATCHTYPE, VERDIF) == 11 && offsetof(PLAYERPATCHTYPE, TORDIF) == 13);
static_assert(sizeof(ICONREC) == 1024 && sizeof(ICONREC64) == 4096);

// The team's experience counts only together with its code: ERFCODE must be
// ERFAHRUNG ^ ERFMASK. The game master writes both with this mask; a trainer who
// raises ERFAHRUNG in the file alone gains nothing.
inline constexpr std::uint8_t ERFMASK = 0xA5;

// The files OPENFILES and CLOSEFILES act on.
using OPENSET = unsigned;
inline constexpr OPENSET _PLAYER = 1;
inline constexpr OPENSET _TEAM = 2;

// The in-memory team model.
extern TEAMREC TEAM;                          // own team
extern ARR1<PLAYERREC, 1, 10> PLAYER;         // own squad by slot
extern ARR1<bool, 1, 10> BELEGT;              // slot holds a valid player
extern ARR1<ICONREC, 1, 10> ICON;             // coloured icon of each squad player
extern ARR1<ICONREC, 1, 5> ICONRACE;          // one icon per race
extern ARR1<STRING25, 1, 10> TEAMNAME;
extern ARR1<STRING25, 1, 10> TRAINERNAME;
extern ARR1<bool, 1, 10> TEAMPROFI;           // professional, or outside the league's active count
extern ARR1<std::uint8_t, 1, 10> TEAMLIZENZ;
extern ARR1<std::int16_t, 1, 10> TEAMBRUTAL;
extern ARR1<std::int16_t, 1, 10> TEAMBRUTALL;
// Current game directory, DOS-style with a trailing "\" (".\" is the program directory).
// Kept unbounded: a full path given on the command line must not be cut.

// Team and player files, held open between OPENFILES and CLOSEFILES.
// Both carry an exclusive lock while open, so a second client on the same game
// fails to open them (error 1).
void OPENFILES(OPENSET s);
void CLOSEFILES(OPENSET s);
bool FILESOPEN(OPENSET s);                    // every file named in s is open
void READPLAYER(int nr, PLAYERREC& p);
void READTEAM(int nr, TEAMREC& t);
void WRITEPLAYER(int nr, PLAYERREC& p);       // stores a fresh check value in p first
void WRITETEAM(int nr, TEAMREC& t);

// Calculations.
std::int32_t PLAYERPRUEF(const PLAYERREC& p);
std::int16_t PLAYERWERT(const PLAYERREC& p);
void SETMOTIPLAYER(const PLAYERREC& src, PLAYERREC& dst, std::int16_t& prozent);
bool TESTPOSI(const TEAMREC& t, int nr, int x, int y);
bool TESTSPARRPOSI(const TEAMREC& t, int nr, int x, int y);
std::int16_t TABPLATZ(int team);
std::int16_t SPIELTAG();
std::int16_t LIGAFAKTOR();
STRING10 GETRACENAME(int race);               // "" for a race code outside 1..10

// Start-up loading (GEN must have been read).
void READALLTEAMS();
void CHECKTEAMCHANGE();
void READPLAYERS();

// Byte images of the records, for writers and tests.
template <typename R>
std::string RECORDBYTES(const R& r) {
    return std::string(reinterpret_cast<const char*>(&r), sizeof(R));
}

}  // namespace korax
