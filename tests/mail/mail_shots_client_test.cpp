// Pictures of the three mail screens in English and German; KORAX_SHOTS keeps them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "common/client_run.h"

using namespace korax::client;

namespace {

const char* const MENU = "101   ;a\n128   ;b\n113   ;c\n112   ;d\n---\n102   ;e\n105   ;f\n106   ;g\n120   ;h\n"
                         "104   ;i\n103   ;j\n109   ;k\n111   ;l\n115   ;m\n108   ;n\n118   ;o\n110   ;p\n117   ;q\n"
                         "116   ;r\n114   ;s\n107   ;t\n123   ;v\n124   ;w\n125   ;x\n119   ;y\n127   ;z\n";

}  // namespace

TEST(MailShots, DeadlineReadAndWriteInBothLanguages) {
    const char* names[3] = {"deadline", "read", "write"};
    std::string pictures[2][3];
    for (int lang = 0; lang < 2; ++lang) {
        ProgramDir g;
        ASSERT_EQ(g.container(3, 4), 0);
        ASSERT_EQ(g.run({"korax", "TEAM3.RST"}, IMPORTQUIT), 0) << g.log();
        spit(g.prog / "MENU.CFG", MENU);
        const std::string cfg = g.file("LANGUAGE.CFG");
        spit(g.prog / "LANGUAGE.CFG", (lang == 0 ? "2" : "1") + cfg.substr(cfg.find('\n')));
        const std::string dir = g.root.string() + "/";
        std::string script;
        for (int s = 0; s < 3; ++s) script += menubutton(2 + s) + "shot " + dir + names[s] + ".png\n";
        script += QUIT;
        g.run({"korax", "LIGA", "3"}, script);
        for (int s = 0; s < 3; ++s) {
            pictures[lang][s] = slurp(g.root / (std::string(names[s]) + ".png"));
            if (const char* keep = std::getenv("KORAX_SHOTS"))
                spit(fs::path(keep) / (std::string(names[s]) + (lang == 0 ? "-en.png" : "-de.png")), pictures[lang][s]);
        }
    }
    for (int lang = 0; lang < 2; ++lang)
        for (int s = 0; s < 3; ++s) {
            EXPECT_GT(pictures[lang][s].size(), 1000u) << lang << names[s];
            if (s > 0) {
                EXPECT_NE(pictures[lang][s], pictures[lang][s - 1]) << lang << names[s];
            }
        }
    for (int s = 0; s < 3; ++s) EXPECT_NE(pictures[0][s], pictures[1][s]) << names[s];
}
