#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "ui/dialogs.h"
#include "ui/m_tool.h"

using namespace korax;

namespace {

std::string source_file(const std::string& name) {
    std::ifstream in(std::string(KORAX_SOURCE_DIR) + "/assets/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(DefaultMenu, FitsTheColumnAt1024x768) {
    MENUCFG cfg = PARSEMENUCFG(source_file("MENU.CFG"));
    const int anz = (768 - 43 - 90) / 46;
    EXPECT_GT(static_cast<int>(cfg.codes.size()), anz);
    EXPECT_GE(cfg.festanz, 1);
    EXPECT_LE(cfg.festanz, anz - 3);
    std::set<int> unique(cfg.codes.begin(), cfg.codes.end());
    EXPECT_EQ(unique.size(), cfg.codes.size());
}

TEST(DefaultMenu, EveryEntryAndTheMainMenuHaveHelpInBothLanguages) {
    MENUCFG cfg = PARSEMENUCFG(source_file("MENU.CFG"));
    std::vector<int> topics(cfg.codes.begin(), cfg.codes.end());
    topics.insert(topics.end(), {13, 200, 210});
    for (const char* file : {"HELP.ENG", "HELP.DEU"}) {
        std::string text = source_file(file);
        ASSERT_FALSE(text.empty()) << file;
        for (int topic : topics) {
            HELPTOPIC t = READHELPTOPIC(text, topic);
            EXPECT_TRUE(t.found) << file << " topic " << topic;
            EXPECT_FALSE(t.lines.empty()) << file << " topic " << topic;
            EXPECT_LE(t.lines.size(), 35u) << file << " topic " << topic;
            for (const auto& l : t.lines) EXPECT_LE(l.size(), 90u) << file << " topic " << topic;
        }
    }
}
