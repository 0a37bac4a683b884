#include "adviser/bparser.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "adviser/mathlib.h"
#include "data/g_tools.h"

namespace korax {

std::array<std::string, STRMAX + 1> STRFELD;
int STRANZ = 0;
std::array<std::string, VARMAX + 1> VARFELD;
std::array<char, VARMAX + 1> VARTYP{};
std::uint8_t LEVMAX = 4;
bool GLOBALTOLERANZ = false;
bool LEEROK = true;
int AKTPOS = 0;
unsigned char AKTCHAR = 0;
bool FEHLER = false;
int FEHLERART = -1;
std::int16_t RUNTIMEERROR = 0;

// The tree written as steps on a stack of values (see BAUEBAUM).
struct PROGRAMM {
    // OP2K and OP2V take their right operand from the step itself (a constant in
    // wert, a variable in var) instead of the stack; VOK pushes variable var
    // combined with constant wert.
    enum ART : unsigned char { KONST, VAR, OP2, OP2K, OP2V, VOK, OP1L, OP1R, OP0 };
    struct SCHRITT {
        ART art;
        unsigned char op;
        unsigned char var;
        double wert;
    };
    std::vector<SCHRITT> schritte;
    std::vector<double> stapel;
};

namespace {

constexpr double LITERALMARK = 0.87376;
constexpr double VARIABLEMARK = 0.87375;
constexpr double PI = 3.141592653589793;
constexpr double EULERZAHL = 2.718281829;
// Bounds that keep a hostile text from exhausting the stack: the evaluator and the
// clean-up recurse over the tree, the parser over the nesting.
constexpr int MAXKNOTEN = 1000;
constexpr int MAXTIEFE = 100;

// The value of a variable, worked out once when it is set.
std::array<double, VARMAX + 1> varwert{};
std::array<bool, VARMAX + 1> varzahl{};

// ---- normalisation ----------------------------------------------------------------

struct ERSATZ {
    const char* wort;
    const char* durch;
};
// In this order; each keeps the text's length by filling with spaces.
const ERSATZ ERSETZUNGEN[] = {
    {"und", "\xEF"},   {"and", "\xEF"},    {"&", "\xEF"},       {"oder", "|"},   {"or", "|"},
    {"modulo", "\xF6"}, {"mod", "\xF6"},   {"nicht", "not"},    {"length", "len"},
    {"l\x84nge", "len"}, {"gel\x94scht", "del"}, {"delete", "del"}, {"<=", "\xF3"},
    {">=", "\xF2"},    {"!=", "\xD8"},     {"<>", "\xD8"},      {"?", "\xA8"},   {"$", "\xF7"},
};

unsigned char klein(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    switch (c) {
        case 0x8E: return 0x84;
        case 0x99: return 0x94;
        case 0x9A: return 0x81;
        default: return c;
    }
}

// ---- parser -----------------------------------------------------------------------

struct PARSER {
    std::string_view s;
    std::size_t pos = 0;
    int knoten = 0;
    int tiefe = 0;

    bool ende() const { return pos >= s.size(); }
    unsigned char zeichen() const { return ende() ? 0 : static_cast<unsigned char>(s[pos]); }
    void leer() {
        while (!ende() && s[pos] == ' ') ++pos;
    }
    void fehler(int art) {
        if (FEHLER) return;
        FEHLER = true;
        FEHLERART = art;
        AKTPOS = static_cast<int>(pos) + 1;
        AKTCHAR = zeichen();
    }
    TFUNKTION neu(unsigned char o, TFUNKTION l, TFUNKTION r) {
        if (++knoten > MAXKNOTEN) fehler(4);
        auto* k = new KNOTEN;
        k->BOPERATOR = o;
        k->LCHILD = l;
        k->RCHILD = r;
        return k;
    }
    TFUNKTION konstante(double v) {
        TFUNKTION k = neu(op::KONSTANTE, nullptr, nullptr);
        k->OPERAND = new double(v);
        return k;
    }

    using STUFE = TFUNKTION (PARSER::*)();
    // One left-associative level: next { operator next }.
    TFUNKTION kette(STUFE next, const unsigned char* ops, std::size_t n) {
        TFUNKTION t = (this->*next)();
        while (!FEHLER) {
            leer();
            unsigned char c = zeichen();
            if (ende() || !std::memchr(ops, c, n)) break;
            ++pos;
            TFUNKTION r = (this->*next)();
            t = neu(c, t, r);
        }
        return t;
    }

    TFUNKTION logik() {
        static const unsigned char ops[] = {op::UND, op::ODER};
        return kette(&PARSER::vergleich, ops, sizeof ops);
    }
    TFUNKTION vergleich() {
        static const unsigned char ops[] = {'=', '<', op::KLEINERGLEICH, '>', op::GROESSERGLEICH,
                                            op::UNGLEICH, op::LEVGLEICH, op::PHONGLEICH};
        return kette(&PARSER::summe, ops, sizeof ops);
    }
    TFUNKTION summe() {
        static const unsigned char ops[] = {'+', '-'};
        return kette(&PARSER::produkt, ops, sizeof ops);
    }
    TFUNKTION produkt() {
        static const unsigned char ops[] = {'*', '/', op::MOD};
        return kette(&PARSER::potenz, ops, sizeof ops);
    }
    TFUNKTION potenz() {
        static const unsigned char ops[] = {'^'};
        return kette(&PARSER::vorzeichen, ops, sizeof ops);
    }
    TFUNKTION vorzeichen() {
        leer();
        if (zeichen() == '-' && !ende()) {
            ++pos;
            TFUNKTION f = faktor();
            return neu(op::NEGATION, f, nullptr);
        }
        if (zeichen() == '+' && !ende()) ++pos;
        return faktor();
    }

    bool wort(std::string_view w) const { return s.substr(pos, w.size()) == w; }

    // "(" logic ")" after a function name or an opening parenthesis.
    TFUNKTION klammer() {
        TFUNKTION t = logik();
        if (FEHLER) return t;
        leer();
        if (zeichen() == ')' && !ende()) ++pos;
        else fehler(0);
        return t;
    }

    TFUNKTION zahl() {
        std::size_t start = pos;
        auto ziffern = [&] {
            std::size_t a = pos;
            while (!ende() && s[pos] >= '0' && s[pos] <= '9') ++pos;
            return pos > a;
        };
        ziffern();
        if (zeichen() == '.' && !ende()) {
            ++pos;
            if (!ziffern()) {
                pos = start;
                fehler(2);
                return nullptr;
            }
        }
        if (zeichen() == 'e' && !ende()) {
            ++pos;
            if ((zeichen() == '+' || zeichen() == '-') && !ende()) ++pos;
            if (!ziffern()) {
                pos = start;
                fehler(2);
                return nullptr;
            }
        }
        double v = 0;
        std::string text(s.substr(start, pos - start));
        auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
        if (ec != std::errc() || p != text.data() + text.size() || !std::isfinite(v)) {
            pos = start;
            fehler(2);
            return nullptr;
        }
        return konstante(v);
    }

    TFUNKTION faktor();
};

struct FUNKTION {
    const char* name;
    unsigned char code;
};
// Longer names before shorter ones with the same start.
const FUNKTION FUNKTIONEN[] = {
    {"arctanh", 'r'}, {"arcsin", 'g'}, {"arccos", 'h'}, {"arctan", 'i'}, {"arccot", 'q'},
    {"sinh", 'j'},    {"cosh", 'k'},   {"tanh", 'l'},   {"sqrt", 'm'},   {"frac", 'n'},
    {"abs", 'o'},     {"cot", 'p'},    {"ln", 'a'},     {"log", 'b'},    {"exp", 'c'},
    {"sin", 'd'},     {"cos", 'e'},    {"tan", 'f'},    {"len", op::LAENGE},
    {"not", op::NICHT}, {"\xE9", op::LITERAL},
};

TFUNKTION PARSER::faktor() {
    leer();
    if (ende()) {
        fehler(3);
        return nullptr;
    }
    if (tiefe >= MAXTIEFE) {
        fehler(4);
        return nullptr;
    }
    struct TIEFE {
        int& t;
        explicit TIEFE(int& x) : t(x) { ++t; }
        ~TIEFE() { --t; }
    } tief(tiefe);
    unsigned char c = zeichen();
    if (c == '(') {
        ++pos;
        return klammer();
    }
    for (const auto& f : FUNKTIONEN) {
        if (!wort(f.name)) continue;
        pos += std::strlen(f.name);
        leer();
        if (zeichen() != '(' || ende()) {
            fehler(1);
            return nullptr;
        }
        ++pos;
        TFUNKTION arg = klammer();
        return neu(f.code, arg, nullptr);
    }
    if (wort("del")) {
        pos += 3;
        return neu(op::GELOESCHT, nullptr, nullptr);
    }
    if (wort("pi")) {
        pos += 2;
        return konstante(PI);
    }
    if (c == op::EULER) {
        ++pos;
        return konstante(EULERZAHL);
    }
    if (c >= 'a' && c <= 'z') {
        ++pos;
        return neu(static_cast<unsigned char>(c - 'a' + 1), nullptr, nullptr);
    }
    if (c == '%') {
        ++pos;
        return neu(op::PROZENT, nullptr, nullptr);
    }
    if (c >= '0' && c <= '9') return zahl();
    fehler(4);
    return nullptr;
}

void loesche(TFUNKTION t) {
    if (!t) return;
    loesche(t->LCHILD);
    loesche(t->RCHILD);
    delete t->OPERAND;
    delete t->CODE;
    delete t;
}

TFUNKTION vereinfache(TFUNKTION t) {
    if (!t) return t;
    t->LCHILD = vereinfache(t->LCHILD);
    t->RCHILD = vereinfache(t->RCHILD);
    auto negiert = [](TFUNKTION k) { return k && k->BOPERATOR == op::NEGATION; };
    if (negiert(t) && negiert(t->LCHILD)) {
        TFUNKTION inner = t->LCHILD;
        TFUNKTION rest = inner->LCHILD;
        delete inner;
        delete t;
        return rest;
    }
    if ((t->BOPERATOR == '+' || t->BOPERATOR == '-') && negiert(t->RCHILD)) {
        TFUNKTION n = t->RCHILD;
        t->RCHILD = n->LCHILD;
        delete n;
        t->BOPERATOR = t->BOPERATOR == '+' ? '-' : '+';
        return t;
    }
    if (t->BOPERATOR == '+' && negiert(t->LCHILD)) {
        TFUNKTION n = t->LCHILD;
        t->LCHILD = t->RCHILD;
        t->RCHILD = n->LCHILD;
        delete n;
        t->BOPERATOR = '-';
    }
    return t;
}

// ---- values -----------------------------------------------------------------------

// Which string a value stands for: 1 literal, 2 variable with a text, 0 a number.
int handle(double x, int& n) {
    if (!(x >= 1 && x < STRMAX + 1)) return 0;
    double whole = std::trunc(x);
    double frac = x - whole;
    n = static_cast<int>(whole);
    if (std::fabs(frac - LITERALMARK) < 1e-6) return n <= STRANZ ? 1 : 0;
    if (std::fabs(frac - VARIABLEMARK) < 1e-6 && n <= VARMAX) {
        const auto i = static_cast<std::size_t>(n);
        return VARTYP[i] != 0 && !varzahl[i] ? 2 : 0;
    }
    return 0;
}

char typ_von(double x) {
    int n = 0;
    switch (handle(x, n)) {
        case 1: return 'C';
        case 2: return VARTYP[static_cast<std::size_t>(n)];
        default: return 'F';
    }
}

bool ist_zeichenkette(char t) { return t != 'D' && t != 'F' && t != 'N' && t != 'L'; }

std::string kleintext(std::string s) {
    for (auto& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return s;
}

double wahr(bool b) { return b ? 1.0 : 0.0; }

double levgleich(double l, double r, int max) {
    std::string lt, rt;
    char t = GETTYPE(l, r, lt, rt);
    if (t == 'D') return wahr(lt == rt);
    if (!ist_zeichenkette(t)) return wahr(l == r);
    return wahr(LEVENSTEIN(lt, rt, max));
}

// ---- evaluation -------------------------------------------------------------------

double fehlerwert() {
    LAUFZEITFEHLER = true;
    return 0;
}

// A value that may stand for a string; anything else compares as a plain number.
inline bool vielleicht_text(double x) {
    if (!(x >= 1 && x < STRMAX + 1)) return false;
    double frac = x - std::trunc(x);
    return frac > VARIABLEMARK - 1e-6 && frac < LITERALMARK + 1e-6;
}

// One operation on its operands' values. Every node is worked out even after a
// runtime error: nothing has side effects, and BERECHNE answers 0 then anyway.
inline double anwenden(unsigned char o, double l, double r) {
    double v = 0;
    switch (o) {
        case '+': v = l + r; break;
        case '-': v = l - r; break;
        case '*': v = l * r; break;
        case '/': v = r != 0 ? l / r : DIVIDE(l, r); break;
        case '^': v = POWER(l, r); break;
        case op::MOD: v = MODULO(l, r); break;
        case op::UND: v = l * r; break;
        case op::ODER: v = l + r; break;
        case op::NICHT: v = NICHT(l); break;
        case op::NEGATION: v = -l; break;
        case op::LITERAL: v = l + LITERALMARK; break;
        case op::LAENGE: v = LEN(l); break;
        // Numbers compare directly; only a possible string goes the long way.
        case '=': return vielleicht_text(l) ? GLEICH(l, r) : wahr(l == r);
        case '<': return vielleicht_text(l) ? KLEINER(l, r) : wahr(l < r);
        case '>': return vielleicht_text(l) ? GROESSER(l, r) : wahr(l > r);
        case op::KLEINERGLEICH: return vielleicht_text(l) ? KLEINERGLEICH(l, r) : wahr(l <= r);
        case op::GROESSERGLEICH: return vielleicht_text(l) ? GROESSERGLEICH(l, r) : wahr(l >= r);
        case op::UNGLEICH: return vielleicht_text(l) ? UNGLEICH(l, r) : wahr(l != r);
        case op::LEVGLEICH: return vielleicht_text(l) ? LEVGLEICH(l, r) : wahr(l == r);
        case op::PHONGLEICH: return vielleicht_text(l) ? PHONGLEICH(l, r) : wahr(l == r);
        case 'a': v = std::log(l); break;
        case 'b': v = LOG(l); break;
        case 'c': v = std::exp(l); break;
        case 'd': v = std::sin(l); break;
        case 'e': v = std::cos(l); break;
        case 'f': v = TAN(l); break;
        case 'g': v = ARCSIN(l); break;
        case 'h': v = ARCCOS(l); break;
        case 'i': v = std::atan(l); break;
        case 'j': v = SINH(l); break;
        case 'k': v = COSH(l); break;
        case 'l': v = TANH(l); break;
        case 'm': v = std::sqrt(l); break;
        case 'n': v = l - std::trunc(l); break;
        case 'o': v = std::fabs(l); break;
        case 'p': v = COT(l); break;
        case 'q': v = ARCCOT(l); break;
        case 'r': v = ARCTANH(l); break;
        default: return fehlerwert();  // the deleted marker among others
    }
    if (!std::isfinite(v)) return fehlerwert();
    return v;
}

double variablenwert(unsigned char o) {
    const auto i = static_cast<std::size_t>(o);
    return VARTYP[i] ? varwert[i] : fehlerwert();
}

bool ist_variable(unsigned char o) { return (o >= 1 && o <= 26) || o == op::PROZENT; }

double rechne(TFUNKTION t) {
    if (!t) return fehlerwert();
    const unsigned char o = t->BOPERATOR;
    if (o == op::KONSTANTE) return t->OPERAND ? *t->OPERAND : fehlerwert();
    if (ist_variable(o)) return variablenwert(o);
    const double l = t->LCHILD ? rechne(t->LCHILD) : 0;
    const double r = t->RCHILD ? rechne(t->RCHILD) : 0;
    return anwenden(o, l, r);
}

// ---- the tree as a flat program -----------------------------------------------------
// BAUEBAUM also writes each tree as a sequence of steps on a stack of values, in the
// tree's own order (left operand before right), with subtrees of constants worked out
// once. BERECHNE runs that: the same operations without walking the nodes.

// Constants and operations on them alone; strings, variables and comparisons
// (which read the literal table) are left to the evaluation.
bool konstant(TFUNKTION t) {
    if (!t) return true;
    const unsigned char o = t->BOPERATOR;
    if (o == op::KONSTANTE) return t->OPERAND != nullptr;
    if (ist_variable(o) || o == op::LITERAL || o == op::GELOESCHT || o == op::LAENGE) return false;
    switch (o) {
        case '=': case '<': case '>': case op::KLEINERGLEICH: case op::GROESSERGLEICH:
        case op::UNGLEICH: case op::LEVGLEICH: case op::PHONGLEICH: return false;
        default: break;
    }
    return konstant(t->LCHILD) && konstant(t->RCHILD);
}

void uebersetze(TFUNKTION t, PROGRAMM& p, int tiefe, int& maxtiefe) {
    if (tiefe > maxtiefe) maxtiefe = tiefe;
    const unsigned char o = t->BOPERATOR;
    if (o == op::KONSTANTE) {
        p.schritte.push_back({PROGRAMM::KONST, 0, 0, t->OPERAND ? *t->OPERAND : 0});
        return;
    }
    if (ist_variable(o)) {
        p.schritte.push_back({PROGRAMM::VAR, 0, o, 0});
        return;
    }
    if (konstant(t)) {
        const bool vorher = LAUFZEITFEHLER;
        LAUFZEITFEHLER = false;
        const double v = rechne(t);
        const bool fehler = LAUFZEITFEHLER;
        LAUFZEITFEHLER = vorher;
        // A failing subtree stays, so that its error comes with the evaluation.
        if (!fehler) {
            p.schritte.push_back({PROGRAMM::KONST, 0, 0, v});
            return;
        }
    }
    const std::size_t vorlinks = p.schritte.size();
    if (t->LCHILD) uebersetze(t->LCHILD, p, tiefe, maxtiefe);
    const std::size_t vorrechts = p.schritte.size();
    if (t->RCHILD) uebersetze(t->RCHILD, p, tiefe + (t->LCHILD ? 1 : 0), maxtiefe);
    using A = PROGRAMM::ART;
    A a = t->LCHILD && t->RCHILD ? A::OP2 : t->LCHILD ? A::OP1L : t->RCHILD ? A::OP1R : A::OP0;
    if (a == A::OP0 && tiefe + 1 > maxtiefe) maxtiefe = tiefe + 1;
    // A right operand that is a single constant or variable rides on the operation.
    if (a == A::OP2 && p.schritte.size() == vorrechts + 1) {
        PROGRAMM::SCHRITT& r = p.schritte.back();
        if (r.art == A::KONST || r.art == A::VAR) {
            r.art = r.art == A::KONST ? A::OP2K : A::OP2V;
            r.op = o;
            // "variable op constant", the commonest condition, is a single step.
            PROGRAMM::SCHRITT& l = p.schritte[vorrechts - 1];
            if (r.art == A::OP2K && vorrechts == vorlinks + 1 && l.art == A::VAR) {
                l = {A::VOK, o, l.var, r.wert};
                p.schritte.pop_back();
            }
            return;
        }
    }
    p.schritte.push_back({a, o, 0, 0});
}

PROGRAMM* programm(TFUNKTION t) {
    auto* p = new PROGRAMM;
    int maxtiefe = 0;
    uebersetze(t, *p, 1, maxtiefe);
    p->stapel.resize(static_cast<std::size_t>(maxtiefe) + 1);
    return p;
}

// The commonest operations on two numbers without a call; false for anything
// unusual (a possible string, a division by zero, a result out of range), which
// then takes the full way.
[[gnu::always_inline]] inline bool schnell(unsigned char o, double l, double r, double& v) {
    switch (o) {
        case '+': case op::ODER: v = l + r; break;
        case '-': v = l - r; break;
        case '*': case op::UND: v = l * r; break;
        case '/':
            if (r == 0) return false;
            v = l / r;
            break;
        case '^':
            if (r != 2) return false;
            v = l * l;  // what pow gives for a whole exponent 2, also for 0 and negatives
            break;
        case '<': if (vielleicht_text(l)) return false; v = wahr(l < r); return true;
        case '>': if (vielleicht_text(l)) return false; v = wahr(l > r); return true;
        case '=': if (vielleicht_text(l)) return false; v = wahr(l == r); return true;
        case op::KLEINERGLEICH: if (vielleicht_text(l)) return false; v = wahr(l <= r); return true;
        case op::GROESSERGLEICH: if (vielleicht_text(l)) return false; v = wahr(l >= r); return true;
        case op::UNGLEICH: if (vielleicht_text(l)) return false; v = wahr(l != r); return true;
        default: return false;
    }
    return std::isfinite(v);
}

[[gnu::always_inline]] inline double zwei(unsigned char o, double l, double r) {
    double v;
    return schnell(o, l, r, v) ? v : anwenden(o, l, r);
}

double laufe(const PROGRAMM& p, double* stapel) {
    double* sp = stapel;
    for (const PROGRAMM::SCHRITT& s : p.schritte) {
        switch (s.art) {
            case PROGRAMM::KONST: *sp++ = s.wert; break;
            case PROGRAMM::VAR: *sp++ = variablenwert(s.var); break;
            case PROGRAMM::OP2: --sp; sp[-1] = zwei(s.op, sp[-1], *sp); break;
            case PROGRAMM::OP2K: sp[-1] = zwei(s.op, sp[-1], s.wert); break;
            case PROGRAMM::OP2V: sp[-1] = zwei(s.op, sp[-1], variablenwert(s.var)); break;
            case PROGRAMM::VOK: *sp++ = zwei(s.op, variablenwert(s.var), s.wert); break;
            case PROGRAMM::OP1L: sp[-1] = anwenden(s.op, sp[-1], 0); break;
            case PROGRAMM::OP1R: sp[-1] = anwenden(s.op, 0, sp[-1]); break;
            case PROGRAMM::OP0: *sp++ = anwenden(s.op, 0, 0); break;
        }
    }
    return sp[-1];
}

const char* opname(unsigned char o) {
    switch (o) {
        case '+': return "+";
        case '-': return "-";
        case '*': return "*";
        case '/': return "/";
        case '^': return "^";
        case op::MOD: return " mod ";
        case '=': return "=";
        case '<': return "<";
        case '>': return ">";
        case op::KLEINERGLEICH: return "<=";
        case op::GROESSERGLEICH: return ">=";
        case op::UNGLEICH: return "<>";
        case op::LEVGLEICH: return "?";
        case op::PHONGLEICH: return "$";
        case op::UND: return "&";
        case op::ODER: return "|";
        default: return nullptr;
    }
}

bool ganzzahl(std::string_view s, long long& out) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (i == s.size() || s.size() > 18) return false;
    for (std::size_t k = i; k < s.size(); ++k)
        if (s[k] < '0' || s[k] > '9') return false;
    out = std::strtoll(std::string(s).c_str(), nullptr, 10);
    return true;
}

std::string getrimmt(std::string_view s) {
    std::string t(s);
    SPACECUT(t);
    return t;
}

// Matches piece p at value position at: "?" stands for any one character.
bool stueck_passt(std::string_view v, std::size_t at, std::string_view p) {
    if (at + p.size() > v.size()) return false;
    for (std::size_t i = 0; i < p.size(); ++i)
        if (p[i] != '?' && p[i] != v[at + i]) return false;
    return true;
}

bool wildcard(std::string_view v, std::string_view p) {
    std::size_t stern = p.find('*');
    if (stern == std::string_view::npos) return v.size() == p.size() && stueck_passt(v, 0, p);
    std::vector<std::string_view> teile;
    std::size_t a = 0;
    for (;;) {
        std::size_t b = p.find('*', a);
        if (b == std::string_view::npos) {
            teile.push_back(p.substr(a));
            break;
        }
        teile.push_back(p.substr(a, b - a));
        a = b + 1;
    }
    if (!stueck_passt(v, 0, teile.front())) return false;
    std::size_t at = teile.front().size();
    // A last piece without a star after it must end the value, as a wildcard does.
    for (std::size_t k = 1; k < teile.size(); ++k) {
        std::string_view t = teile[k];
        if (k + 1 == teile.size()) {
            if (t.empty()) return true;
            return v.size() >= at + t.size() && stueck_passt(v, v.size() - t.size(), t);
        }
        std::size_t f = at;
        while (f + t.size() <= v.size() && !stueck_passt(v, f, t)) ++f;
        if (f + t.size() > v.size()) return false;
        at = f + t.size();
    }
    return true;
}

void ohne_dollar(std::string& s) {
    std::size_t d = s.find('$');
    if (d != std::string::npos) s.erase(0, d + 1);
}

bool ohne_sterne(std::string& s) {
    std::size_t n = s.size();
    s.erase(std::remove(s.begin(), s.end(), '*'), s.end());
    return s.size() != n;
}

std::vector<std::string> datumsfelder(std::string_view s) {
    std::vector<std::string> f(3);
    std::size_t k = 0;
    for (char c : s) {
        if (k < 2 && (c == '.' || c == '/' || c == '-')) ++k;
        else f[k] += c;
    }
    for (auto& x : f) SPACECUT(x);
    return f;
}

int wahrheit(std::string s) {
    SPACECUT(s);
    CAPS(s);
    for (const char* w : {"J", "JA", "Y", "YES", "T", "TRUE", "1", "WAHR", "ON", "EIN"})
        if (s == w) return 1;
    for (const char* w : {"N", "NEIN", "NO", "F", "FALSE", "0", "FALSCH", "OFF", "AUS"})
        if (s == w) return 0;
    return -1;
}

}  // namespace

// ---- public: numbers as text ------------------------------------------------------

bool TEXTZAHL(std::string_view s, double& out) {
    std::size_t a = 0, b = s.size();
    while (a < b && s[a] == ' ') ++a;
    while (b > a && s[b - 1] == ' ') --b;
    s = s.substr(a, b - a);
    std::size_t i = 0, ziffern = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t start = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++ziffern;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++ziffern;
    }
    if (ziffern == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t e = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        if (i == e) return false;
    }
    if (i != s.size()) return false;
    double v = 0;
    auto [p, ec] = std::from_chars(s.data() + start, s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size() || !std::isfinite(v)) return false;
    out = (start > 0 && s[0] == '-') ? -v : v;
    return true;
}

std::string ZAHLTEXT(double x) {
    char buf[64];
    if (x == std::trunc(x) && std::fabs(x) < 1e15) {
        auto [p, ec] = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(x));
        return std::string(buf, p);
    }
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, x);
    return ec == std::errc() ? std::string(buf, p) : std::string();
}

// ---- public: normaliser and parser ------------------------------------------------

std::string CONVERTFUNKTION(std::string_view text, int& errpos, int& errkind) {
    std::string s(text);
    errkind = -1;
    for (auto& c : s) c = static_cast<char>(klein(static_cast<unsigned char>(c)));
    for (int i = 1; i <= STRMAX; ++i) STRFELD[static_cast<std::size_t>(i)].clear();
    STRANZ = 0;
    for (auto& c : s) {
        if (c == '"') c = '\'';
        else if (c == '#') c = ' ';
    }
    for (;;) {
        std::size_t p = s.find('\'');
        if (p == std::string::npos) break;
        s[p] = ' ';
        std::size_t q = s.find('\'', p + 1);
        if (q == std::string::npos) {
            errpos = static_cast<int>(p) + 1;
            errkind = 5;
            return s;
        }
        s[q] = ' ';
        int n = STRANZ + 1;
        if (n > STRMAX) {
            errpos = 0;
            errkind = 6;
            return s;
        }
        STRFELD[static_cast<std::size_t>(n)] = s.substr(p + 1, q - p - 1);
        STRANZ = n;
        std::string mark = "\xE9(" + std::to_string(n) + ")";
        std::size_t platz = q - p + 1;
        if (platz < mark.size()) {
            s.insert(p, mark.size() - platz, ' ');
            q += mark.size() - platz;
        }
        s.replace(p, q - p + 1, mark + std::string(q - p + 1 - mark.size(), ' '));
    }
    for (const auto& e : ERSETZUNGEN) {
        std::string_view w(e.wort), d(e.durch);
        std::string fuell = std::string(d) + std::string(w.size() - d.size(), ' ');
        for (std::size_t p = s.find(w); p != std::string::npos; p = s.find(w, p + fuell.size()))
            s.replace(p, w.size(), fuell);
    }
    errpos = -1;
    return s;
}

TFUNKTION BAUEBAUM(std::string_view text, int& errpos, int& errkind) {
    for (int i = 1; i <= VARMAX; ++i) {
        VARFELD[static_cast<std::size_t>(i)].clear();
        VARTYP[static_cast<std::size_t>(i)] = 0;
        varzahl[static_cast<std::size_t>(i)] = false;
        varwert[static_cast<std::size_t>(i)] = 0;
    }
    FEHLER = false;
    FEHLERART = -1;
    AKTPOS = 1;
    PARSER p;
    p.s = text;
    TFUNKTION t = p.logik();
    if (!FEHLER) {
        p.leer();
        if (!p.ende()) p.fehler(4);
    }
    if (FEHLER) {
        loesche(t);
        errpos = AKTPOS;
        errkind = FEHLERART;
        return nullptr;
    }
    errpos = -1;
    errkind = -1;
    t = vereinfache(t);
    t->CODE = programm(t);
    return t;
}

void SETVARIABLE(int nr, std::string_view value, char type) {
    if (nr < 1 || nr > VARMAX) return;
    auto i = static_cast<std::size_t>(nr);
    VARFELD[i] = std::string(value);
    if (VARTYP[i] == 0) VARTYP[i] = type ? type : 'C';
    double v = 0;
    varzahl[i] = TEXTZAHL(VARFELD[i], v);
    varwert[i] = varzahl[i] ? v : nr + VARIABLEMARK;
}

double VARIABLE(int nr) {
    if (nr < 1 || nr > VARMAX || VARTYP[static_cast<std::size_t>(nr)] == 0) {
        LAUFZEITFEHLER = true;
        return 0;
    }
    return varwert[static_cast<std::size_t>(nr)];
}

double BERECHNE(TFUNKTION tree) {
    // A tree of constants alone was worked out when it was built.
    if (tree && tree->CODE && tree->CODE->schritte.size() == 1 && tree->CODE->schritte[0].art == PROGRAMM::KONST) {
        RUNTIMEERROR = 0;
        return tree->CODE->schritte[0].wert;
    }
    LAUFZEITFEHLER = false;
    double v = tree && tree->CODE ? laufe(*tree->CODE, tree->CODE->stapel.data()) : rechne(tree);
    RUNTIMEERROR = LAUFZEITFEHLER ? 1 : 0;
    return LAUFZEITFEHLER ? 0 : v;
}

void DELETETREE(TFUNKTION& tree) {
    loesche(tree);
    tree = nullptr;
}

void DELETEVARIABLEN() {
    for (auto& s : STRFELD) std::string().swap(s);
    STRANZ = 0;
    for (auto& s : VARFELD) std::string().swap(s);
    VARTYP.fill(0);
    varzahl.fill(false);
    varwert.fill(0);
}

std::string UNFUNKTNAME(unsigned char code) {
    static const char* const namen[] = {"ln",   "log",  "exp",  "sin",  "cos",    "tan",
                                        "arcsin", "arccos", "arctan", "sinh", "cosh", "tanh",
                                        "sqrt", "frac", "abs",  "cot",  "arccot", "arctanh"};
    if (code >= 'a' && code <= 'r') return namen[code - 'a'];
    if (code == op::LAENGE) return "len";
    if (code == op::NICHT) return "not";
    if (code == op::LITERAL) return "str";
    return "";
}

std::string INORDERPRINT(TFUNKTION t) {
    if (!t) return "";
    const unsigned char o = t->BOPERATOR;
    if (o == op::KONSTANTE) return t->OPERAND ? ZAHLTEXT(*t->OPERAND) : "?";
    if (o >= 1 && o <= 26) return std::string(1, static_cast<char>('a' + o - 1));
    if (o == op::PROZENT) return "%";
    if (o == op::GELOESCHT) return "del";
    if (o == op::NEGATION) return "(-" + INORDERPRINT(t->LCHILD) + ")";
    if (const char* n = opname(o)) return "(" + INORDERPRINT(t->LCHILD) + n + INORDERPRINT(t->RCHILD) + ")";
    return UNFUNKTNAME(o) + "(" + INORDERPRINT(t->LCHILD) + ")";
}

// ---- public: comparisons ----------------------------------------------------------

std::string GETSTR(double x) {
    int n = 0;
    switch (handle(x, n)) {
        case 1: return STRFELD[static_cast<std::size_t>(n)];
        case 2: return VARFELD[static_cast<std::size_t>(n)];
        default: return ZAHLTEXT(x);
    }
}

char GETTYPE(double l, double r, std::string& ltext, std::string& rtext) {
    ltext = GETSTR(l);
    rtext = GETSTR(r);
    return typ_von(l);
}

double GLEICH(double l, double r) {
    char t = typ_von(l);
    if (t == 'F' || t == 'N' || t == 'L') return wahr(l == r);
    std::string lt, rt;
    GETTYPE(l, r, lt, rt);
    if (t == 'D') return wahr(FILTERDATUM(lt, rt));
    if (!lt.empty() && !rt.empty()) return wahr(FILTERSTRING(lt, rt));
    return wahr(lt == rt);
}

double UNGLEICH(double l, double r) { return 1.0 - GLEICH(l, r); }

double KLEINER(double l, double r) {
    char t = typ_von(l);
    if (t == 'F' || t == 'N') return wahr(l < r);
    if (t == 'L') return wahr(l != r);
    std::string lt, rt;
    GETTYPE(l, r, lt, rt);
    if (t == 'D') return wahr(lt < rt);
    return wahr(kleintext(lt) < kleintext(rt));
}

double GROESSER(double l, double r) {
    char t = typ_von(l);
    if (t == 'F' || t == 'N') return wahr(l > r);
    if (t == 'L') return wahr(l != r);
    std::string lt, rt;
    GETTYPE(l, r, lt, rt);
    if (t == 'D') return wahr(lt > rt);
    return wahr(kleintext(lt) > kleintext(rt));
}

double KLEINERGLEICH(double l, double r) { return wahr(GLEICH(l, r) != 0 || KLEINER(l, r) != 0); }
double GROESSERGLEICH(double l, double r) { return wahr(GLEICH(l, r) != 0 || GROESSER(l, r) != 0); }
double LEVGLEICH(double l, double r) { return levgleich(l, r, LEVMAX); }
double PHONGLEICH(double l, double r) { return levgleich(l, r, LEVMAX + 2); }
double NICHT(double x) { return wahr(x == 0); }

double LEN(double x) {
    int n = 0;
    switch (handle(x, n)) {
        case 1: return static_cast<double>(STRFELD[static_cast<std::size_t>(n)].size());
        case 2:
            if (VARTYP[static_cast<std::size_t>(n)] == 'L') return 1;
            return static_cast<double>(VARFELD[static_cast<std::size_t>(n)].size());
        default: return static_cast<double>(ZAHLTEXT(x).size());
    }
}

// ---- public: strings --------------------------------------------------------------

int LEVENSTEINDISTANZ(std::string_view a, std::string_view b) {
    if (a.size() > 80 || b.size() > 80) return -1;
    // Codes reduced by 32 in byte arithmetic: so "_" is the character that matches any.
    auto red = [](char c) { return static_cast<unsigned char>(static_cast<unsigned char>(c) - 32); };
    int vorher[81], jetzt[81];
    for (std::size_t j = 0; j <= b.size(); ++j) vorher[j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        jetzt[0] = static_cast<int>(2 * i);
        unsigned char ca = red(a[i - 1]);
        for (std::size_t j = 1; j <= b.size(); ++j) {
            unsigned char cb = red(b[j - 1]);
            int c = (ca == cb || ca == '?' || cb == '?') ? 0 : 3;
            jetzt[j] = std::min({vorher[j - 1] + c, jetzt[j - 1] + 1, vorher[j] + 2});
        }
        std::memcpy(vorher, jetzt, sizeof(int) * (b.size() + 1));
    }
    return vorher[b.size()];
}

bool LEVENSTEIN(std::string_view a, std::string_view b, int max) {
    int d = LEVENSTEINDISTANZ(a, b);
    return d >= 0 && d <= max;
}

bool FILTERSTRING(std::string value, std::string pattern) {
    while (!value.empty() && value.back() == ' ') value.pop_back();
    while (!pattern.empty() && pattern.back() == ' ') pattern.pop_back();
    if (pattern == "*") return true;
    bool tolerant = GLOBALTOLERANZ || (!value.empty() && value[0] == '$') || (!pattern.empty() && pattern[0] == '$');
    if (tolerant) {
        ohne_dollar(value);
        ohne_dollar(pattern);
        bool sv = ohne_sterne(value), sp = ohne_sterne(pattern);
        if (sv && value.size() < pattern.size()) value.resize(pattern.size(), '?');
        if (sp && pattern.size() < value.size()) pattern.resize(value.size(), '?');
        return LEVENSTEIN(value, pattern, LEVMAX);
    }
    CAPS(value);
    CAPS(pattern);
    if (pattern.empty()) return LEEROK;
    return wildcard(value, pattern);
}

bool FILTERDATUM(std::string_view value, std::string_view pattern) {
    std::string p = getrimmt(pattern);
    if (p.empty()) return LEEROK;
    auto vf = datumsfelder(value), pf = datumsfelder(p);
    for (std::size_t k = 0; k < 3; ++k) {
        if (pf[k].empty() || pf[k] == "*") continue;
        long long a = 0, b = 0;
        if (ganzzahl(vf[k], a) && ganzzahl(pf[k], b)) {
            if (a != b) return false;
            continue;
        }
        CAPS(vf[k]);
        CAPS(pf[k]);
        if (vf[k] != pf[k]) return false;
    }
    return true;
}

void SPACECUT(std::string& s) {
    std::size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos) {
        s.clear();
        return;
    }
    s.erase(s.find_last_not_of(' ') + 1);
    s.erase(0, a);
}

unsigned char LOWCASE(unsigned char c) { return klein(c); }

std::string KEINUMLAUT(std::string_view s) {
    std::string r;
    r.reserve(s.size());
    for (char c : s) {
        switch (static_cast<unsigned char>(c)) {
            case 0x84: r += "ae"; break;
            case 0x94: r += "oe"; break;
            case 0x81: r += "ue"; break;
            case 0x8E: r += "Ae"; break;
            case 0x99: r += "Oe"; break;
            case 0x9A: r += "Ue"; break;
            case 0xE1: r += "ss"; break;
            default: r += c;
        }
    }
    return r;
}

bool FILTERDEZ(std::string_view value, std::string_view pattern) {
    std::string p = getrimmt(pattern), v = getrimmt(value);
    if (p.empty()) return LEEROK;
    if (p == "*") return true;
    long long a = 0, b = 0;
    return ganzzahl(v, a) && ganzzahl(p, b) && a == b;
}

bool FILTERBOOLEAN(std::string_view value, std::string_view pattern) {
    std::string p = getrimmt(pattern);
    if (p.empty()) return LEEROK;
    if (p == "*") return true;
    int a = wahrheit(std::string(value)), b = wahrheit(p);
    return a >= 0 && a == b;
}

bool FILTERREAL(std::string_view value, std::string_view pattern) {
    std::string p = getrimmt(pattern);
    if (p.empty()) return LEEROK;
    if (p == "*") return true;
    double a = 0, b = 0;
    if (!TEXTZAHL(value, a) || !TEXTZAHL(p, b)) return false;
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(a));
}

}  // namespace korax
