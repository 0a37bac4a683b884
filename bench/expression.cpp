// The expression language beside muparser: the shipped tips conditions as the
// adviser runs them, and ten numeric expressions; parse + evaluate, and evaluate
// alone on trees parsed beforehand.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "adviser/adviser.h"
#include "adviser/bparser.h"
#include "data/g_types.h"

#ifdef KORAX_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

std::vector<std::string> conditions() {
    std::ifstream in(std::string(KORAX_DIST_DIR) + "/HUGI.ENG", std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> out;
    for (const auto& b : korax::READTIPSTEXT(text)) out.push_back(b.condition);
    return out;
}

// The same expressions in both languages: ours, then muparser's spelling.
struct PAIR {
    const char* korax;
    const char* mu;
};
const PAIR NUMERIC[] = {
    {"(2^3)^2", "(2^3)^2"},
    {"sin(1.5)*cos(0.5)+sqrt(16)", "sin(1.5)*cos(0.5)+sqrt(16)"},
    {"a+b*x-g/7", "a+b*x-g/7"},
    {"ln(g)+exp(1.5)", "ln(g)+exp(1.5)"},
    {"abs(-3.5)+sinh(0.5)", "abs(-3.5)+sinh(0.5)"},
    {"(a+b)*(x-1)^2", "(a+b)*(x-1)^2"},
    {"tanh(0.3)+arctan(2)", "tanh(0.3)+atan(2)"},
    {"log(1000)*3.5", "log10(1000)*3.5"},
    {"g/3 - x*2 + 7/2", "g/3 - x*2 + 7/2"},
    {"sqrt(a^2+b^2)*(1+x)", "sqrt(a^2+b^2)*(1+x)"},
};

// Team facts the conditions see (about half of the shipped tips hold).
void team() {
    korax::TEAM = korax::TEAMREC{};
    korax::TEAM.GOLD = 2500;
    korax::TEAM.UNTERKUNFT = 1;
    korax::TEAM.VERPFLEGUNG = 3;
    for (int i = 1; i <= 6; ++i) korax::TEAM.PLAYERS[i] = static_cast<std::int16_t>(i);
}

void setvars() {
    for (const auto& v : korax::TIPVARIABLEN()) korax::SETVARIABLE(v.nr, v.text, 'N');
}

std::vector<korax::TFUNKTION> trees(const std::vector<std::string>& texts) {
    std::vector<korax::TFUNKTION> t;
    for (const auto& s : texts) {
        int pos = 0, kind = 0;
        std::string norm = korax::CONVERTFUNKTION(s, pos, kind);
        t.push_back(korax::BAUEBAUM(norm, pos, kind));
    }
    setvars();
    return t;
}

std::vector<std::string> ours(bool numeric) {
    if (!numeric) return conditions();
    std::vector<std::string> v;
    for (const auto& p : NUMERIC) v.push_back(p.korax);
    return v;
}

void BM_Korax_ParseEvaluate(benchmark::State& state, bool numeric) {
    team();
    const auto texts = ours(numeric);
    if (texts.empty()) return state.SkipWithError("HUGI.ENG not built");
    for (auto _ : state) {
        for (const auto& s : texts) benchmark::DoNotOptimize(korax::CHECKPARSER(0, s));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * texts.size()));
}
BENCHMARK_CAPTURE(BM_Korax_ParseEvaluate, conditions, false);
BENCHMARK_CAPTURE(BM_Korax_ParseEvaluate, numeric, true);

void BM_Korax_Evaluate(benchmark::State& state, bool numeric) {
    team();
    const auto texts = ours(numeric);
    if (texts.empty()) return state.SkipWithError("HUGI.ENG not built");
    auto t = trees(texts);
    for (auto _ : state) {
        for (auto* tree : t) benchmark::DoNotOptimize(korax::BERECHNE(tree));
    }
    for (auto*& tree : t) korax::DELETETREE(tree);
    korax::DELETEVARIABLEN();
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * texts.size()));
}
BENCHMARK_CAPTURE(BM_Korax_Evaluate, conditions, false);
BENCHMARK_CAPTURE(BM_Korax_Evaluate, numeric, true);

#ifdef KORAX_HAVE_MUPARSER
// muparser spells "=" "==", "<>" "!=", "and" "&&", "or" "||".
std::string muspelling(std::string s) {
    auto swap = [&](const std::string& a, const std::string& b) {
        for (std::size_t p = s.find(a); p != std::string::npos; p = s.find(a, p + b.size())) s.replace(p, a.size(), b);
    };
    swap("<>", "!#");
    swap(">=", ">#");
    swap("<=", "<#");
    swap("=", "==");
    swap("!#", "!=");
    swap(">#", ">=");
    swap("<#", "<=");
    swap(" and ", " && ");
    swap(" or ", " || ");
    return s;
}

struct MUVARS {
    double a = 1, b = 3, f = 0, g = 2500, s = 0, t = 0, w = 0, x = 6;
    void define(mu::Parser& p) {
        p.DefineVar("a", &a);
        p.DefineVar("b", &b);
        p.DefineVar("f", &f);
        p.DefineVar("g", &g);
        p.DefineVar("s", &s);
        p.DefineVar("t", &t);
        p.DefineVar("w", &w);
        p.DefineVar("x", &x);
    }
};

std::vector<std::string> theirs(bool numeric) {
    std::vector<std::string> v;
    if (numeric) {
        for (const auto& p : NUMERIC) v.push_back(p.mu);
    } else {
        for (const auto& c : conditions()) v.push_back(muspelling(c));
    }
    return v;
}

void BM_Muparser_ParseEvaluate(benchmark::State& state, bool numeric) {
    const auto texts = theirs(numeric);
    if (texts.empty()) return state.SkipWithError("HUGI.ENG not built");
    MUVARS vars;
    mu::Parser p;
    vars.define(p);
    for (auto _ : state) {
        for (const auto& s : texts) {
            p.SetExpr(s);
            benchmark::DoNotOptimize(p.Eval());
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * texts.size()));
}
BENCHMARK_CAPTURE(BM_Muparser_ParseEvaluate, conditions, false);
BENCHMARK_CAPTURE(BM_Muparser_ParseEvaluate, numeric, true);

void BM_Muparser_Evaluate(benchmark::State& state, bool numeric) {
    const auto texts = theirs(numeric);
    if (texts.empty()) return state.SkipWithError("HUGI.ENG not built");
    MUVARS vars;
    std::vector<mu::Parser> parsers(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        vars.define(parsers[i]);
        parsers[i].SetExpr(texts[i]);
        parsers[i].Eval();  // the first evaluation compiles the expression
    }
    for (auto _ : state) {
        for (auto& p : parsers) benchmark::DoNotOptimize(p.Eval());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * texts.size()));
}
BENCHMARK_CAPTURE(BM_Muparser_Evaluate, conditions, false);
BENCHMARK_CAPTURE(BM_Muparser_Evaluate, numeric, true);
#endif

}  // namespace

BENCHMARK_MAIN();
