// The language switch end to end: the built client shows its main menu in the
// language LANGUAGE.CFG selects, and stops visibly on a broken language file.
#include <gtest/gtest.h>

#include "common/client_run.h"

using namespace korax::client;

namespace {

class LanguageClient : public testing::Test {
protected:
    ProgramDir p;
    void SetUp() override { p.demo(); }

    // Runs the client on the demonstration game with an input script; returns the
    // exit code and leaves its output in `err`.
    int run(const std::string& script, std::string& err) {
        const int code = p.run({"korax", "DEMO"}, script, {{"TMPDIR", p.root.string()}});
        err = p.log();
        return code;
    }
    void language(const std::string& choice) {
        const std::string cfg = p.file("LANGUAGE.CFG");
        spit(p.prog / "LANGUAGE.CFG", choice + cfg.substr(cfg.find('\n')));
    }
    std::string menu_shot(const std::string& choice, const std::string& name) {
        language(choice);
        std::string err;
        run("wait 100\nshot " + (p.root / name).string() + "\n", err);
        std::string png = slurp(p.root / name);
        EXPECT_EQ(png.substr(0, 4), "\x89PNG") << err;
        return png;
    }
};

TEST_F(LanguageClient, MainMenuInEachLanguage) {
    std::string deu = menu_shot("1", "menu_deu.png");
    std::string eng = menu_shot("2", "menu_eng.png");
    std::string again = menu_shot("2", "menu_eng2.png");
    EXPECT_FALSE(deu.empty());
    EXPECT_NE(deu, eng);
    EXPECT_EQ(eng, again);
}

TEST_F(LanguageClient, BrokenLanguageFileStopsWithItsMessage) {
    spit(p.prog / "KORAX.ENG", "KORAX 219\n1=old\n");
    language("2");
    std::string err;
    EXPECT_EQ(run("key Esc\n", err), 1);
    EXPECT_NE(err.find("Error 7 Language-File :\nFile KORAX.ENG, Version 2.19 is obsolete\n"
                       "To change Language -> edit LANGUAGE.CFG in the program directory"),
              std::string::npos)
        << err;
}

TEST_F(LanguageClient, ForeignConfigurationStopsWithExitCodeOne) {
    spit(p.prog / "KORAX.INI", "ID=12\n");
    std::string err;
    EXPECT_EQ(run("key Esc\n", err), 1);
    EXPECT_NE(err.find("KORAX.INI"), std::string::npos) << err;
}

}  // namespace
