// The rules of the line-up without drawing: pitch geometry and its conversions,
// where a position may stand or be tied, who may play where, and the tactics
// files (schemas and the head of a recorded match).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/g_types.h"

namespace korax {

// The pitch on screen, set when it is drawn (SETSPIELFELD).
extern int XS1, XS2, YS1, YS2;
void SETSPIELFELD(int xm1, int xm2, int ym2);
double SCALEX();
double SCALEY();
// Pitch units (x 0..1000, y 0..600) to screen pixels and back, halves to even.
int TOSCREENX(int x);
int TOSCREENY(int y);
int TOPITCHX(int px);
int TOPITCHY(int py);
// Screen place of a position, held inside the pitch so that values from files that
// lie off it are still drawn (and can be dragged back).
int CLAMPEDSCREENX(int x);
int CLAMPEDSCREENY(int y);

// "S1", "S2", "A1", "A2", "M " for positions 1..5, " " otherwise.
std::string NUMBERSTR(int p);

// The tactics the screen edits in its mode.
ARR1<TAKTIKTYPE, 1, 5>& TACTICS(TEAMREC& t, bool sparr);

// A position stands on the pitch / is tied to another one (NORMALY 1..5). A
// negative NORMALX is neither: it shows as a box with an empty code.
bool PLACED(const TAKTIKTYPE& t);
bool TIEDCODE(const TAKTIKTYPE& t, std::string& code);

// Race of a friendly's opponent from its stored value: outside 1..5 it is 3.
int SPARRRACE(int nr);
// "Hurtin", "Bogon", "Spider", "Marvin", "Eciton" for races 1..5, "" otherwise.
std::string RACENAME(int race);
// Squad slot on position p, 0 when the stored value is no slot.
int SLOTON(const TEAMREC& t, int p);
// Position (1..5) on which a squad slot plays, 0 when none.
int POSITIONOFSLOT(const TEAMREC& t, int slot);

// More than 32 pixels inside every edge and accepted by the placement rule.
bool POSIOK(const TEAMREC& t, bool sparr, int pos, int px, int py);
// Targets offered when position pos is dragged: forwards 3, 4, 5; defenders 1, 2, 3;
// position 5 all five.
std::vector<int> TIETARGETS(int pos);
bool TIEALLOWED(int pos, int k);

// The end of a drag of position pos: Esc, a tie target k (1..5), or a drop at
// (px, py). True when the tactics changed.
enum class DROPKIND { ESCAPE, TARGET, POINT };
struct DROP {
    DROPKIND kind = DROPKIND::POINT;
    int target = 0;
    int px = 0, py = 0;
};
bool POSICHECK(TEAMREC& t, bool sparr, int pos, const DROP& d);

// A release within this many pixels of its press is a click: it only selects, so
// that two clicks exchange two positions instead of nudging the first one.
inline constexpr int CLICKSLOP = 3;
bool ISCLICK(int x0, int y0, int x, int y);

// What assigning squad slot `slot` to position pos gives: 0 done, 67 the player
// already plays, 68 he is under transfer (not on the last day), -1 nothing happens.
int ASSIGNCHECK(const TEAMREC& t, int slot, bool lastday);
void ASSIGN(TEAMREC& t, bool sparr, int slot, int pos);
// Exchanges who plays on two positions (sparring: the races); places stay.
void EXCHANGE(TEAMREC& t, bool sparr, int a, int b);

// Selection: sel and the one before it.
struct SELECTION {
    int sel = 0;
    int old = 0;
};
void SELECT(SELECTION& s, int n);
// After an action: selecting the same window twice clears it.
void AFTERACTION(SELECTION& s);
// Selection number of a key ("1".."9" 1..9, "A".."F" 10..15); 0 for others.
int SELECTIONOFKEY(int key);

// Schemas: five 46-byte records, nothing else.
inline constexpr std::size_t SCHEMASIZE = 5 * sizeof(TAKTIKTYPE);
// Reads records from bytes as a file of records: a short record ends the reading
// with false, the records before it stay replaced. In sparring mode each keeps its
// race and takes the league marker of the current league.
bool SCHEMAFROMBYTES(std::string_view bytes, bool sparr, TEAMREC& t);
std::string SCHEMABYTES(const TEAMREC& t, bool sparr);
bool LOADSCHEMA(const std::string& name, bool sparr);
// Writes the whole file or nothing; refuses to replace a file of another kind.
bool SAVESCHEMA(const std::string& name, bool sparr);

// The head of a recorded match: version, both teams, the ten players on the pitch.
inline constexpr std::size_t MATCHHEADSIZE = 6 + 2 * sizeof(TEAMREC) + 10 * sizeof(PLAYERREC);
static_assert(MATCHHEADSIZE == 2430);
struct MATCHHEAD {
    std::int16_t version = 0;
    std::array<TEAMREC, 2> team{};
    std::array<PLAYERREC, 10> player{};
};
// 0 for a head that serves, HEADSHORT when the bytes end before it, HEADVERSION for
// a version this program cannot read (above 1000, or negative).
inline constexpr int HEADSHORT = 1;
inline constexpr int HEADVERSION = 2;
int PARSEMATCHHEAD(std::string_view bytes, MATCHHEAD& h);
// Copies the tactics of side 0 (home) or 1 (away) into t.
void IMPORTSIDE(const MATCHHEAD& h, int side, bool sparr, TEAMREC& t);

}  // namespace korax
