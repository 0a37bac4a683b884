// The shipped tips files: every block parses, fits, stands on a figure screen; both languages agree.
#include <gtest/gtest.h>

#include <set>

#include "adviser_fixture.h"
#include "data/lg.h"

using namespace korax;
using advisertest::tree;

namespace {

std::string asset(const std::string& name) { return advisertest::read(std::string(KORAX_SOURCE_DIR) + "/assets/" + name); }

const std::set<int> FIGURESCREENS = {101, 102, 104, 105, 106, 107, 108, 109, 110, 111, 112,
                                     113, 114, 115, 118, 119, 120, 123, 124, 125, 127};

}  // namespace

TEST(ShippedTips, EveryBlockParsesFitsAndStandsOnAScreenEnglishAndGermanAgree) {
    const auto eng = READTIPSTEXT(asset("HUGI.ENG")), deu = READTIPSTEXT(asset("HUGI.DEU"));
    for (const auto* blocks : {&eng, &deu}) {
        std::set<int> codes;
        for (const auto& b : *blocks) {
            codes.insert(b.code);
            EXPECT_TRUE(FIGURESCREENS.count(b.code)) << b.code;
            EXPECT_EQ(tree(b.condition).find("error"), std::string::npos) << b.code << ": " << b.condition;
            EXPECT_LE(b.condition.size(), 80u) << b.code;
            EXPECT_GE(b.lines.size(), 1u) << b.code;
            EXPECT_LE(b.lines.size(), 7u) << b.code;
            for (const auto& l : b.lines) EXPECT_LE(l.size(), 36u) << b.code << ": " << l;
            EXPECT_FALSE(b.action.empty()) << b.code;
        }
        EXPECT_EQ(codes, FIGURESCREENS);
    }
    ASSERT_EQ(eng.size(), deu.size());
    for (std::size_t i = 0; i < eng.size(); ++i) {
        EXPECT_EQ(eng[i].code, deu[i].code);
        EXPECT_EQ(tree(eng[i].condition), tree(deu[i].condition)) << eng[i].code;
        EXPECT_EQ(eng[i].action, deu[i].action) << eng[i].code;
    }
}

TEST(ShippedTips, TheAdvisersLanguageTextsArePresent) {
    for (const char* name : {"lang/KORAX.ENG", "lang/KORAX.DEU"}) {
        std::array<STRING70, 701> table{};
        int line = 0, maxlg = 0;
        std::uint16_t verlg = 0;
        ASSERT_EQ(PARSE_LG(asset(name), "KORAX", 220, table, line, verlg, maxlg), 0) << name;
        for (int n : {450, 454, 470, 474, 480, 481, 482, 483, 484, 485, 486, 487, 488, 489})
            EXPECT_GT(table[static_cast<std::size_t>(n)].size(), 0u) << name << " " << n;
        // The button: "->" + text + " (" + count + ")" within a button's 25 characters.
        EXPECT_LE(table[480].size() + 10, 25u) << name;
        for (int n = 481; n <= 487; ++n) EXPECT_LE(table[static_cast<std::size_t>(n)].size(), 36u) << name << " " << n;
    }
}
