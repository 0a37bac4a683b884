// Key "0" and F1 on the finance screens: the help box opens on the screen's own
// topic, and that topic is present in both shipped help files.
#include <fstream>
#include <sstream>

#include "common/png_shot.h"
#include "screen_fixture.h"
#include "ui/dialogs.h"

using namespace korax;
using korax::mtest::Screen;

namespace {

using HelpScreen = Screen;

constexpr int LINES = 30;

// A help file where only `topic` has a long text: the box is then tall enough
// for its left border to cross y 300, any other topic gives a short box.
void helpfile(const std::filesystem::path& root, int topic) {
    std::ofstream out(root / "HELP.ENG", std::ios::binary);
    out << "<1>\nshort\n<" << topic << ">\n";
    for (int i = 0; i < LINES; ++i) out << "line " << i << "\n";
    out << "<9999>\nshort\n";
}

std::string asset(const char* name) {
    std::ifstream in(std::string(KORAX_SOURCE_DIR) + "/assets/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void vpreis() {
    bool leave = false;
    SETVPREIS(leave);
}

}  // namespace

TEST_F(HelpScreen, KeyZeroAndF1OpenTheScreensTopic) {
    struct Case {
        const char* what;
        int topic;
        void (*screen)();
    } cases[] = {
        {"accommodation", 108, UNTERKUNFT}, {"stadium", 109, STADION},       {"training", 110, TRAINING},
        {"bank", 111, BANK},                {"betting office", 115, WETTBUERO}, {"catering", 118, VERPFLEGUNG},
        {"advance sale", 200, vpreis},
    };
    LEXT.set("ENG");
    for (const auto& c : cases) {
        for (const char* key : {"0", "F1"}) {
            SCOPED_TRACE(std::string(c.what) + " key " + key);
            TEAM = TEAMREC{};
            TEAM.TRAINING.POINTS = 20;
            GEN = GENTYPE{};
            GEN.HINRUNDE = 1;
            GEN.TURN = 2;
            for (int k = 1; k <= 5; ++k) {
                auto& p = GEN.SPIELPLAN[1][3][k];
                p.HEIM = static_cast<std::int16_t>(2 * k - 1);
                p.GAST = static_cast<std::int16_t>(2 * k);
            }
            helpfile(root, c.topic);
            std::filesystem::remove(root / "help.png");
            script(std::string("key ") + key + "\nshot help.png\nkey Esc\nkey Esc\nkey Esc\n");
            c.screen();
            korax::testing::PNGSHOT shot;
            ASSERT_TRUE(shot.load(root / "help.png"));
            // Left border of the box white, its inside blue, at a height only the long topic reaches.
            const int y1 = 768 - 20 - (LINES * 15 + 70);
            EXPECT_LT(y1, 300);
            EXPECT_EQ(shot.rgb(20, 300), 0xFCFCFCu);
            EXPECT_EQ(shot.rgb(22, 300), 0x0000A8u);
        }
    }
}

TEST_F(HelpScreen, EveryTopicInUseIsInBothHelpFiles) {
    for (const char* file : {"HELP.ENG", "HELP.DEU"}) {
        const std::string text = asset(file);
        for (int topic : {108, 109, 110, 111, 115, 118, 200}) {
            const HELPTOPIC t = READHELPTOPIC(text, topic);
            EXPECT_TRUE(t.found) << file << " " << topic;
            EXPECT_FALSE(t.lines.empty()) << file << " " << topic;
        }
    }
}
