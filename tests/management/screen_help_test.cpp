// Key "0" and F1 on the finance screens: the help box opens on the screen's own
// topic, and that topic is present in both shipped help files.
#include "common/client_run.h"
#include "common/png_shot.h"
#include "screen_fixture.h"
#include "ui/dialogs.h"

using namespace korax;
using HelpScreen = korax::mtest::Screen;

namespace {

void vpreis() {
    bool leave = false;
    SETVPREIS(leave);
}

}  // namespace

TEST_F(HelpScreen, KeyZeroAndF1OpenTheScreensTopic) {
    struct Case { const char* what; int topic; void (*screen)(); } cases[] = {
        {"accommodation", 108, UNTERKUNFT}, {"stadium", 109, STADION},          {"training", 110, TRAINING},
        {"bank", 111, BANK},                {"betting office", 115, WETTBUERO}, {"catering", 118, VERPFLEGUNG},
        {"advance sale", 200, vpreis},
    };
    LEXT.set("ENG");
    constexpr int LINES = 30;
    for (const auto& c : cases) {
        for (const char* key : {"0", "F1"}) {
            SCOPED_TRACE(std::string(c.what) + " key " + key);
            TEAM = TEAMREC{}, TEAM.TRAINING.POINTS = 20, GEN = GENTYPE{};
            day(2);
            for (int k = 1; k <= 5; ++k) {
                GEN.SPIELPLAN[1][3][k].HEIM = static_cast<std::int16_t>(2 * k - 1);
                GEN.SPIELPLAN[1][3][k].GAST = static_cast<std::int16_t>(2 * k);
            }
            // Only the screen's topic is long: only its box is tall enough for the
            // left border to cross y 300.
            std::string help = "<1>\nshort\n<" + std::to_string(c.topic) + ">\n";
            for (int i = 0; i < LINES; ++i) help += "line " + std::to_string(i) + "\n";
            korax::client::spit(root / "HELP.ENG", help + "<9999>\nshort\n");
            std::filesystem::remove(root / "help.png");
            script(std::string("key ") + key + "\nshot help.png\nkey Esc\nkey Esc\nkey Esc\n");
            c.screen();
            korax::testing::PNGSHOT shot;
            ASSERT_TRUE(shot.load(root / "help.png"));
            EXPECT_LT(768 - 20 - (LINES * 15 + 70), 300);
            EXPECT_EQ(shot.rgb(20, 300), 0xFCFCFCu);  // the box's white border
            EXPECT_EQ(shot.rgb(22, 300), 0x0000A8u);  // its blue inside
        }
    }
    for (const char* file : {"HELP.ENG", "HELP.DEU"}) {
        const std::string text = korax::client::slurp(std::string(KORAX_SOURCE_DIR) + "/assets/" + file);
        for (const auto& c : cases) {
            const HELPTOPIC t = READHELPTOPIC(text, c.topic);
            EXPECT_TRUE(t.found) << file << " " << c.topic;
            EXPECT_FALSE(t.lines.empty()) << file << " " << c.topic;
        }
    }
}
