#include "adviser/mathlib.h"

#include <cmath>

namespace korax {

bool LAUFZEITFEHLER = false;

namespace {

constexpr double HALFPI = 1.570796327;
constexpr double EXACTLIMIT = 9007199254740992.0;  // 2^53

double fail() {
    LAUFZEITFEHLER = true;
    return 0;
}

// Finite results pass; an overflow or a NaN is a domain error like the listed ones.
double checked(double r) { return std::isfinite(r) ? r : fail(); }

}  // namespace

double ROUNDEVEN(double x) { return std::nearbyint(x); }

double DIVIDE(double a, double b) {
    if (b == 0) return fail();
    return checked(a / b);
}

double MODULO(double a, double b) {
    if (!(std::fabs(a) <= EXACTLIMIT) || !(std::fabs(b) <= EXACTLIMIT)) return fail();
    double ra = ROUNDEVEN(a), rb = ROUNDEVEN(b);
    if (rb == 0) return fail();
    if (ra < rb) return -ra + 0.0;
    return std::fmod(ra, rb);
}

double LOG(double x) {
    if (!(x > 0)) return fail();
    return checked(std::log10(x));
}

double POWER(double a, double b) {
    if (a == 0 && b == 0) return fail();
    if (a == 0) return 0;
    if (b == 2) return checked(a * a);  // exact where pow may be off by its last bit
    if (a > 0) return checked(std::pow(a, b));
    if (b != std::trunc(b)) return fail();
    // pow gives the sign of an odd whole exponent itself.
    return checked(std::pow(a, b));
}

double SINH(double x) { return checked(std::sinh(x)); }
double COSH(double x) { return checked(std::cosh(x)); }
double TANH(double x) { return checked(std::tanh(x)); }

double ARCTANH(double x) {
    if (!(std::fabs(x) < 1)) return fail();
    return checked(0.5 * std::log((1 + x) / (1 - x)));
}

double TAN(double x) {
    double c = std::cos(x);
    if (c == 0) return fail();
    return checked(std::sin(x) / c);
}

double COT(double x) {
    double q = x / HALFPI;
    if (!std::isfinite(q) || q == std::trunc(q)) return fail();
    double t = std::tan(x);
    if (t == 0) return fail();
    return checked(1 / t);
}

double ARCSIN(double x) {
    if (!(std::fabs(x) <= 1)) return fail();
    return std::asin(x);
}

double ARCCOS(double x) {
    if (!(std::fabs(x) <= 1)) return fail();
    return std::acos(x);
}

double ARCCOT(double x) { return checked(HALFPI - std::atan(x)); }

}  // namespace korax
