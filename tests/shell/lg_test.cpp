// The language table: LANGUAGE.CFG, the language file format with every failure
// message the trainer can meet, and the two shipped language files.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

#include "data/lg.h"
#include "platform/cp437.h"
#include "workdir.h"

using namespace korax;
using namespace shelltest;

namespace {

class LanguageFile : public ::testing::Test {
protected:
    std::array<STRING70, 701> saved = L;
    WorkDir w;

    void SetUp() override { w.put("LANGUAGE.CFG", "1\n1 :ENG English\n2 :DEU Deutsch\n"); }
    void TearDown() override {
        L = saved;
        LGNR = VERLG = MAXLG = lg::LINE = 0;
        LEXT.set("ENG"), LONG.set(""), NAME.set("");
    }
    // Loads; returns the message of the stop, "" when the load succeeded.
    std::string load(const std::optional<std::string>& file) {
        if (file) w.put("KORAX.ENG", *file);
        testing::internal::CaptureStderr();
        try {
            READ_LG("KORAX", 220);
            testing::internal::GetCapturedStderr();
        } catch (const ReportedStop& e) {
            EXPECT_NE(testing::internal::GetCapturedStderr().find(e.text), std::string::npos);
            EXPECT_EQ(ERROR_EXITCODE(e.nr), 1);
            return e.text;
        }
        return "";
    }
};

// Each load starts from an empty table.
TEST_F(LanguageFile, TextsKeepEqualsSignsBlanksAndTheirLimits) {
    const std::string t70(70, 'x');
    const struct { std::string file; int entry; std::string text; } cases[] = {
        {"KORAX 221\n3=Needs GRAPHMODE=2.\n", 3, "Needs GRAPHMODE=2."},
        {"KORAX 220\n295= has not arrived.\n", 295, " has not arrived."},
        {"KORAX 220\n\n- a comment=with equals\n7=first\n7=second\n", 7, "second"},  // later lines win
        {"KORAX 220\n-5=x\n", 5, ""},  // "-" starts a comment whatever follows
        {"KORAX 220\n1=" + t70 + "\n", 1, t70},
        {"KORAX 220\n1=" + t70 + "yz|100\n", 1, t70},  // a larger maximum lets it in; the table keeps 70
        {"KORAX 65535\n", 5, ""},
        {"KORAX 220\n2=" + t70.substr(2) + "\xC3\xA4\xC3\xB6\n", 2, t70.substr(2) + "\x84\x94"},  // UTF-8 read in code page 437
        {"KORAX 220\n215=has been saved./Send it.\r\n700=last\n", 700, "last"}};
    for (const auto& c : cases) {
        L[5].set("stale");
        EXPECT_EQ(load(c.file), "") << c.file;
        EXPECT_EQ(L[c.entry].str(), c.text) << c.file;
    }
    EXPECT_EQ(L[215].str(), "has been saved./Send it.");
    EXPECT_EQ(std::to_string(MAXLG) + " " + std::to_string(VERLG) + " " + NAME.str() + " " + std::to_string(LGNR), "700 220 KORAX.ENG 1");
}

TEST_F(LanguageFile, BadFilesStopWithTheirMessageAndKeepThePreviousTable) {
    EXPECT_EQ(load("KORAX 220\n1=kept\n"), "");
    const std::string t70(70, 'x'), length = "Fileformat KORAX.ENG, Stringlength in Line ",
                      format = "Fileformat KORAX.ENG, Line ", reading = "Reading KORAX.ENG, Line 1";
    const std::pair<std::string, std::string> cases[] = {
        {"KORAX 220\n6=On\n8=abc|2\n", length + "3"}, {"KORAX 220\n8=abc|x\n", length + "2"},
        {"KORAX 220\n1=" + t70 + "y\n", length + "2"},
        {"KORAX 220\n1=a\n701=too far\n", "Reading KORAX.ENG, too much entries, Line 3"},
        {"KORAX 220\n1234=cut\n", format + "2"},  // never entry 123
        {"KORAX 220\n -5=x\n", format + "2"},      {"KORAX 220\n1=a\n12 no equals\n", format + "3"},
        {"KORAX 219\n1=a\n", "File KORAX.ENG, Version 2.19 is obsolete"},
        {"KORAX 65536\n", format + "1"},           {"KORAX220\n", reading},
        {"korax 220\n", "Fileformat KORAX.ENG, Entry \"KORAX\" don't match"}};
    for (const auto& [file, message] : cases) {
        EXPECT_EQ(load(file), message) << file;
        EXPECT_EQ(L[1].str(), "kept") << file;
    }
}

TEST_F(LanguageFile, LanguageListInAnyLetterCaseAndItsFailures) {
    // Two-digit numbers; short lines skipped.
    fs::remove(w.dir / "LANGUAGE.CFG");
    w.put("language.cfg", "12\n12 xx\n12:DEU Deutsch\n");
    w.put("korax.deu", "KORAX 220\n1=Taste dr\x81" "cken\n");
    READ_LG("KORAX", 220);
    EXPECT_EQ(LEXT.str() + " " + L[1].str(), "DEU Taste dr\x81" "cken");
    fs::remove(w.dir / "language.cfg");
    const std::pair<const char*, const char*> failing[] = {
        {nullptr, "Open LANGUAGE.CFG"},
        {"1\n1 :ENG English\n", "Open KORAX.ENG"},
        {"one\n1 :ENG English\n", "Open LANGUAGE.CFG"},
        {"3\n1 :ENG English\n2 :DEU Deutsch\n", "Fileformat LANGUAGE.CFG, Entry \"KORAX\" not found"},
        {"1\n1 :/.. escape\n", "Fileformat LANGUAGE.CFG, Entry \"KORAX\" not found"}};  // not a plain name
    for (const auto& [cfg, message] : failing) {
        fs::remove(w.dir / "LANGUAGE.CFG");
        if (cfg) w.put("LANGUAGE.CFG", cfg);
        EXPECT_EQ(load(std::nullopt), message) << (cfg ? cfg : "(none)");
    }
    EXPECT_EQ(LG_MESSAGE(10), "Not enough memory");
    testing::internal::CaptureStderr();
    EXPECT_THROW(ERROR_LG(1), ReportedStop);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "\nError 1 Language-File :\nOpen LANGUAGE.CFG\nTo change Language -> edit LANGUAGE.CFG in the program "
              "directory (first line: number of a listed language)\n");
}

fs::path source(const std::string& rel) { return fs::path(KORAX_SOURCE_DIR) / rel; }

std::array<STRING70, 701> shipped(const std::string& ext) {
    std::array<STRING70, 701> table;
    int line = 0, maxlg = 0;
    std::uint16_t verlg = 0;
    EXPECT_EQ(PARSE_LG(slurp(source("assets/lang/KORAX." + ext)), "KORAX", 220, table, line, verlg, maxlg), 0)
        << ext << " line " << line;
    return table;
}

// Every text number the program's screens, messages and configuration cite, and
// every L[number] written in the program's sources.
std::set<int> cited_numbers() {
    static const std::pair<int, int> ranges[] = {
        {1, 4},     {6, 11},    {13, 13},   {15, 50},   {58, 120},  {122, 125}, {127, 128}, {197, 204},
        {208, 240}, {242, 298}, {300, 309}, {312, 312}, {316, 327}, {330, 399}, {401, 424}, {440, 446},
        {450, 455}, {470, 474}, {480, 489}, {497, 508}, {510, 514}, {516, 517}, {519, 519}, {522, 522},
        {530, 548}, {550, 553}, {556, 557}, {559, 562}, {564, 566}, {568, 601}};
    std::set<int> out;
    for (auto [a, b] : ranges)
        for (int n = a; n <= b; ++n) out.insert(n);
    const std::regex use(R"(\bL\[\s*(\d+)\s*\])");
    for (const char* folder : {"platform", "graph", "ui", "shell", "data", "results", "turn", "management",
                               "adviser", "tools"}) {
        for (auto& e : fs::recursive_directory_iterator(source(folder))) {
            const auto ext = e.path().extension();
            if (!e.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
            const std::string text = slurp(e.path());
            for (std::sregex_iterator it(text.begin(), text.end(), use), end; it != end; ++it)
                out.insert(std::stoi((*it)[1].str()));
        }
    }
    return out;
}

TEST(ShippedLanguages, EveryCitedTextInBothWithTheSamePlaceholdersSplitsJointsAndWidths) {
    const auto eng = shipped("ENG"), deu = shipped("DEU");
    EXPECT_EQ(eng[101].str(), "Team overview");
    EXPECT_EQ(CP437_TO_UTF8(deu[101].str()), "Teamübersicht");
    EXPECT_FALSE(LOOKS_LIKE_UTF8(slurp(source("assets/lang/KORAX.DEU"))));  // kept in code page 437
    for (int n : cited_numbers()) {
        ASSERT_LE(n, 700);
        EXPECT_GT(eng[n].size(), 0u) << "KORAX.ENG " << n;
        EXPECT_GT(deu[n].size(), 0u) << "KORAX.DEU " << n;
    }
    for (int n = 0; n <= 700; ++n) {
        const std::string e = eng[n].str(), d = deu[n].str();
        EXPECT_EQ(std::count(e.begin(), e.end(), '#'), std::count(d.begin(), d.end(), '#')) << n;
        EXPECT_LE(std::count(e.begin(), e.end(), '#'), 1) << n;
        EXPECT_EQ(std::count(e.begin(), e.end(), '/'), std::count(d.begin(), d.end(), '/')) << n;
        EXPECT_EQ(e.empty(), d.empty()) << n;
        // Every line of a message box fits its 70 columns; error texts leave room for their line number.
        for (const auto* table : {&eng, &deu}) {
            std::stringstream ss((*table)[n].str());
            for (std::string part; std::getline(ss, part, '/');) EXPECT_LE(part.size(), 70u) << n;
            EXPECT_TRUE(n < 542 || n > 548 || (*table)[n].size() + (*table)[550].size() <= 68) << n;
        }
        if (e.empty() || d.empty()) continue;
        // Texts the program joins to others begin or end with their joint.
        for (char c : {'/', ':', ' '}) {
            EXPECT_EQ(e.front() == c, d.front() == c) << n;
            EXPECT_EQ(e.back() == c, d.back() == c) << n;
        }
    }
}

}  // namespace
