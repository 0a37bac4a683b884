// The expression language of the adviser's conditions: a text is normalised
// (CONVERTFUNKTION), parsed into a tree (BAUEBAUM), its variables are given values
// (SETVARIABLE), and the tree is evaluated (BERECHNE) to a number; non-zero is true.
// Strings travel as numbers: literal n is n + 0.87376, a variable whose text is no
// number is its number + 0.87375. One expression is handled at a time.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace korax {

using REALPTR = double*;
struct KNOTEN;
struct PROGRAMM;
using TFUNKTION = KNOTEN*;

// A tree node. Unary operators keep their operand in LCHILD; only constant nodes
// own an OPERAND. The root of a parsed tree also owns the tree written as a flat
// program (CODE), which BERECHNE runs.
struct KNOTEN {
    unsigned char BOPERATOR = 0;
    REALPTR OPERAND = nullptr;
    TFUNKTION LCHILD = nullptr;
    TFUNKTION RCHILD = nullptr;
    PROGRAMM* CODE = nullptr;
};

// Operator codes after normalisation (besides "+", "-", "*", "/", "^", "=", "<",
// ">", "|", the variables 1..26 and 37, and the functions "a".."r").
namespace op {
inline constexpr unsigned char KONSTANTE = 0;
inline constexpr unsigned char MOD = 0xF6;
inline constexpr unsigned char KLEINERGLEICH = 0xF3;
inline constexpr unsigned char GROESSERGLEICH = 0xF2;
inline constexpr unsigned char UNGLEICH = 0xD8;
inline constexpr unsigned char LEVGLEICH = 0xA8;
inline constexpr unsigned char PHONGLEICH = 0xF7;
inline constexpr unsigned char UND = 0xEF;
inline constexpr unsigned char ODER = '|';
inline constexpr unsigned char NICHT = 0xAD;
inline constexpr unsigned char NEGATION = 's';
inline constexpr unsigned char LAENGE = 't';
inline constexpr unsigned char LITERAL = 0xE9;
inline constexpr unsigned char GELOESCHT = 0xFB;
inline constexpr unsigned char EULER = 0x82;
inline constexpr unsigned char PROZENT = 37;
}  // namespace op

inline constexpr int STRMAX = 50;  // string literals of one expression
inline constexpr int VARMAX = 37;  // variables a..z are 1..26, "%" is 37

// Literals of the expression being handled, 1..STRANZ in order of appearance.
extern std::array<std::string, STRMAX + 1> STRFELD;
extern int STRANZ;
// Variable values and types; VARTYP 0 = no value.
extern std::array<std::string, VARMAX + 1> VARFELD;
extern std::array<char, VARMAX + 1> VARTYP;

// Settings of the comparisons.
extern std::uint8_t LEVMAX;  // largest edit distance that still counts as equal
extern bool GLOBALTOLERANZ;  // every string comparison is tolerant
extern bool LEEROK;          // an empty pattern matches everything

// Parser state and the evaluator's outcome.
extern int AKTPOS;  // 1-based position in the text
extern unsigned char AKTCHAR;
extern bool FEHLER;
extern int FEHLERART;  // 0 ")" missing, 1 "(" after a function name missing, 2 malformed
                       // number, 3 operand missing, 4 unexpected character,
                       // 5 unterminated string literal
extern std::int16_t RUNTIMEERROR;

// Returns the normalised text; errpos -1 on success, else the 1-based position of
// the error (0: too many literals).
std::string CONVERTFUNKTION(std::string_view text, int& errpos, int& errkind);
// Parses a normalised text; errpos and errkind -1 on success, else no tree.
// Empties the variables.
TFUNKTION BAUEBAUM(std::string_view text, int& errpos, int& errkind);
// Gives variable nr its text; its type is set when it had no value yet.
void SETVARIABLE(int nr, std::string_view value, char type);
// The number in the variable's text, or its handle; an unset variable is a
// runtime error.
double VARIABLE(int nr);
// Evaluates; RUNTIMEERROR is 1 after a runtime error (the result is then 0).
double BERECHNE(TFUNKTION tree);
void DELETETREE(TFUNKTION& tree);
void DELETEVARIABLEN();
// The tree as infix text, fully parenthesised; a debugging aid.
std::string INORDERPRINT(TFUNKTION tree);
std::string UNFUNKTNAME(unsigned char code);

// Comparisons: 1.0 or 0.0. The type of a comparison is that of its left operand.
double GLEICH(double l, double r);
double UNGLEICH(double l, double r);
double KLEINER(double l, double r);
double GROESSER(double l, double r);
double KLEINERGLEICH(double l, double r);
double GROESSERGLEICH(double l, double r);
double LEVGLEICH(double l, double r);
double PHONGLEICH(double l, double r);
double NICHT(double x);
double LEN(double x);
// The text a value stands for: a literal's, a variable's, or the number written out.
std::string GETSTR(double x);
char GETTYPE(double l, double r, std::string& ltext, std::string& rtext);

// Strings.
bool LEVENSTEIN(std::string_view a, std::string_view b, int max);
// The weighted distance itself (dropping a character of a costs 2, adding one of
// b 1, changing one 3); -1 when either is longer than 80.
int LEVENSTEINDISTANZ(std::string_view a, std::string_view b);
bool FILTERSTRING(std::string value, std::string pattern);
bool FILTERDATUM(std::string_view value, std::string_view pattern);
void SPACECUT(std::string& s);  // leading and trailing spaces; CAPS is data/g_tools'
unsigned char LOWCASE(unsigned char c);
std::string KEINUMLAUT(std::string_view s);
bool FILTERDEZ(std::string_view value, std::string_view pattern);
bool FILTERBOOLEAN(std::string_view value, std::string_view pattern);
bool FILTERREAL(std::string_view value, std::string_view pattern);

// A whole text as a number (optional sign, digits, ".", exponent); false otherwise.
bool TEXTZAHL(std::string_view s, double& out);
// A number as text: whole numbers without a point, others shortest exact.
std::string ZAHLTEXT(double x);

}  // namespace korax
