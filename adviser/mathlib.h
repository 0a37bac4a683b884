// Numeric functions of the expression language whose domain is restricted. Each
// sets LAUFZEITFEHLER instead of failing, and then answers 0.
#pragma once

namespace korax {

// Set by the functions below (and by the evaluator) on a domain error.
extern bool LAUFZEITFEHLER;

double DIVIDE(double a, double b);
// Remainder of the rounded operands with the sign of the left one. When the
// rounded left operand is below the right one the answer is its negation.
// Operands beyond +-2^53 cannot be rounded exactly and are refused.
double MODULO(double a, double b);
double LOG(double x);  // base 10
double POWER(double a, double b);
double SINH(double x);
double COSH(double x);
double TANH(double x);
double ARCTANH(double x);
double TAN(double x);
double COT(double x);
double ARCSIN(double x);
double ARCCOS(double x);
double ARCCOT(double x);

// Rounds half to even, as the language's round does.
double ROUNDEVEN(double x);

}  // namespace korax
