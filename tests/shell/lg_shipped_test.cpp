// The shipped language files: both load, carry every text the program cites, keep
// placeholders and line splits in step, and the German one is stored in code page 437.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "data/lg.h"
#include "platform/cp437.h"

namespace fs = std::filesystem;
using namespace korax;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

fs::path source(const std::string& rel) { return fs::path(KORAX_SOURCE_DIR) / rel; }

std::array<STRING70, 701> load(const std::string& ext) {
    std::array<STRING70, 701> table;
    int line = 0, maxlg = 0;
    std::uint16_t verlg = 0;
    std::string data = slurp(source("assets/lang/KORAX." + ext));
    EXPECT_FALSE(data.empty()) << ext;
    EXPECT_EQ(PARSE_LG(data, "KORAX", 220, table, line, verlg, maxlg), 0) << ext << " line " << line;
    EXPECT_GE(verlg, 220);
    EXPECT_LE(maxlg, 700);
    return table;
}

// Every text number the program's screens, messages and configuration cite.
std::set<int> cited_numbers() {
    static const std::pair<int, int> ranges[] = {
        {1, 4},     {6, 11},    {13, 13},   {15, 50},   {58, 120},  {122, 125}, {127, 128}, {197, 204},
        {208, 240}, {242, 298}, {300, 309}, {312, 312}, {316, 327}, {330, 399}, {401, 424}, {440, 446},
        {450, 455}, {470, 474}, {480, 489}, {497, 508}, {510, 514}, {516, 517}, {519, 519}, {522, 522},
        {530, 548}, {550, 553}, {556, 557}, {559, 562}, {564, 566}, {568, 601}};
    std::set<int> out;
    for (auto [a, b] : ranges)
        for (int n = a; n <= b; ++n) out.insert(n);
    return out;
}

// Every L[number] written in the program's sources, whoever wrote them.
std::set<int> numbers_in_code() {
    std::set<int> out;
    const std::regex use(R"(\bL\[\s*(\d+)\s*\])");
    for (const char* folder : {"platform", "graph", "ui", "shell", "data", "results", "turn", "management",
                               "adviser", "tools"}) {
        fs::path root = source(folder);
        if (!fs::exists(root)) continue;
        for (auto& e : fs::recursive_directory_iterator(root)) {
            auto ext = e.path().extension();
            if (!e.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
            std::string text = slurp(e.path());
            for (std::sregex_iterator it(text.begin(), text.end(), use), end; it != end; ++it)
                out.insert(std::stoi((*it)[1].str()));
        }
    }
    return out;
}

TEST(ShippedLanguages, BothFilesLoad) {
    auto eng = load("ENG");
    auto deu = load("DEU");
    EXPECT_EQ(eng[101].str(), "Team overview");
    EXPECT_EQ(CP437_TO_UTF8(deu[101].str()), "Teamübersicht");
}

TEST(ShippedLanguages, EveryCitedNumberHasATextInBoth) {
    auto eng = load("ENG");
    auto deu = load("DEU");
    std::set<int> nums = cited_numbers();
    std::set<int> code = numbers_in_code();
    nums.insert(code.begin(), code.end());
    for (int n : nums) {
        ASSERT_LE(n, 700);
        EXPECT_GT(eng[n].size(), 0u) << "KORAX.ENG " << n;
        EXPECT_GT(deu[n].size(), 0u) << "KORAX.DEU " << n;
    }
}

TEST(ShippedLanguages, PlaceholdersAndLineSplitsMatch) {
    auto eng = load("ENG");
    auto deu = load("DEU");
    for (int n = 0; n <= 700; ++n) {
        std::string e = eng[n].str(), d = deu[n].str();
        EXPECT_EQ(std::count(e.begin(), e.end(), '#'), std::count(d.begin(), d.end(), '#')) << n;
        EXPECT_LE(std::count(e.begin(), e.end(), '#'), 1) << n;
        EXPECT_EQ(std::count(e.begin(), e.end(), '/'), std::count(d.begin(), d.end(), '/')) << n;
        if (e.empty() || d.empty()) {
            EXPECT_EQ(e.empty(), d.empty()) << n;
            continue;
        }
        // Texts the program joins to others begin or end with their joint.
        for (char c : {'/', ':', ' '}) {
            EXPECT_EQ(e.front() == c, d.front() == c) << n;
            EXPECT_EQ(e.back() == c, d.back() == c) << n;
        }
    }
}

TEST(ShippedLanguages, ShapesByRole) {
    for (const char* ext : {"ENG", "DEU"}) {
        auto t = load(ext);
        for (int n : {240, 243, 244, 249, 250, 251, 303, 334, 410, 411, 412, 442, 503, 540, 550, 568, 569, 573})
            EXPECT_NE(t[n].str().find('#'), std::string::npos) << ext << " " << n;
        for (int n : {4, 201, 202, 203, 292}) EXPECT_EQ(t[n].str().front(), '/') << ext << " " << n;
        for (int n : {256, 257, 258}) EXPECT_EQ(t[n].str().back(), '/') << ext << " " << n;
        EXPECT_EQ(t[279].str().front(), ':');
        EXPECT_EQ(t[550].str().front(), ':');
        EXPECT_EQ(t[295].str().front(), ' ');
        EXPECT_EQ(t[414].str().back(), ' ');
        for (int n = 542; n <= 548; ++n) {
            EXPECT_EQ(t[n].str().find('#'), std::string::npos) << ext << " " << n;
            EXPECT_LE(t[n].size() + t[550].size(), 68u) << ext << " " << n;
        }
        // Joined lines of the game chooser's help carry no line split of their own.
        for (int n : {564, 565, 566}) EXPECT_EQ(t[n].str().find('/'), std::string::npos) << ext << " " << n;
        // Every line of a message box fits its 70 columns.
        for (int n = 0; n <= 700; ++n) {
            std::stringstream ss(t[n].str());
            std::string part;
            while (std::getline(ss, part, '/')) EXPECT_LE(part.size(), 70u) << ext << " " << n;
        }
    }
}

TEST(ShippedLanguages, GermanIsStoredInCodePage437) {
    std::string data = slurp(source("assets/lang/KORAX.DEU"));
    EXPECT_FALSE(LOOKS_LIKE_UTF8(data));
    for (char c : {'\x84', '\x94', '\x81', '\xE1', '\x9A'})
        EXPECT_NE(data.find(c), std::string::npos) << static_cast<int>(static_cast<unsigned char>(c));
    std::string eng = slurp(source("assets/lang/KORAX.ENG"));
    for (unsigned char c : eng) EXPECT_LT(c, 0x80);
}

TEST(ShippedLanguages, LanguageListOffersBoth) {
    std::string cfg = slurp(source("assets/LANGUAGE.CFG"));
    std::uint8_t nr = 0;
    std::string ext;
    ASSERT_EQ(PARSE_LANGUAGE_CFG(cfg, nr, ext), 0);
    EXPECT_EQ(ext, "ENG");
    EXPECT_EQ(PARSE_LANGUAGE_CFG("1" + cfg.substr(cfg.find('\n')), nr, ext), 0);
    EXPECT_EQ(ext, "DEU");
}

}  // namespace
