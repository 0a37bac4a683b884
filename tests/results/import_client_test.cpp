// The import's start-up paths through the real client: archives packed with the
// built companion, named or chosen, in the program or game directory or elsewhere.
#include <gtest/gtest.h>

#include "common/client_run.h"

using namespace korax;
using namespace korax::client;

namespace {

class ImportClient : public ::testing::Test {
protected:
    ProgramDir p{"prog"};
    const fs::path& root = p.root;
    const fs::path& prog = p.prog;
    std::string err;

    void SetUp() override {
        fs::create_directories(root / "temp");
        spit(prog / "GAMES.INI", "LIGA, Friday league\n");
    }
    // The container of team `team` that names the game directory LIGA, in `where`.
    fs::path container(const fs::path& where, int team) {
        EXPECT_EQ(p.run({"mkgame", "--seed", "5", "--team", std::to_string(team), "--day", "4", "--dir", "LIGA",
                         "--form", "rst", where.string()}),
                  0);
        return where / ("TEAM" + std::to_string(team) + ".RST");
    }
    // An archive of that container packed by the companion; the container goes.
    void archive(const fs::path& rsz, int team, const std::string& gamedir) {
        fs::create_directories(rsz.parent_path());
        fs::path c = container(root / "temp", team);
        std::vector<std::string> args = {"rzip", "A!", rsz.string()};
        if (!gamedir.empty()) args.insert(args.end(), {"-g", gamedir});
        args.push_back(c.string());
        ASSERT_EQ(p.run(args), 0) << p.log();
        fs::remove(c);
    }
    // Runs the client with the input script; its output lands in `err`.
    int client(std::vector<std::string> args, const std::string& script) {
        args.insert(args.begin(), "korax");
        const int code = p.run(args, script, {{"TEMP", (root / "temp").string()}});
        err = p.log();
        return code;
    }
};

}  // namespace

TEST_F(ImportClient, NamedArchiveIsDeletedOnlyFromTheProgramOrGameDirectory) {
    // The archive below root, named by its full path or relative to the program directory.
    const struct { const char* archive; bool absolute, deleted; } cases[] = {
        {"prog/LIGA.RSZ", false, true}, {"prog/LIGA.RSZ", true, true}, {"prog/LIGA/LIGA.RSZ", true, true}, {"mail/LIGA.RSZ", true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.archive) + (c.absolute ? " absolute" : " relative"));
        fs::remove_all(prog / "LIGA");
        archive(root / c.archive, 3, "LIGA");
        const std::string name = c.absolute ? (root / c.archive).string() : fs::path(c.archive).filename().string();
        EXPECT_EQ(client({name}, IMPORTQUIT), 0) << err;
        EXPECT_TRUE(fs::exists(prog / "LIGA" / "GEN3.DAT"));
        EXPECT_EQ(fs::exists(root / c.archive), !c.deleted);
        fs::remove(root / c.archive);
    }
}

TEST_F(ImportClient, ArchiveChosenIsTheOneUnpackedAndDeletedWhereverItLies) {
    // The archive below root and the keys in the file chooser (in the second another directory).
    const struct { const char* archive, *keys; } cases[] = {
        {"prog/LIGA/LIGA.RSZ", "key Down\nkey Enter\n"}, {"mail/LIGA.RSZ", "click 100 130\nkey Esc\ntext ../mail\nkey Enter\nkey Down\nkey Enter\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.archive);
        fs::remove_all(prog / "LIGA");
        // Archives of another team of the same name in the program directory and in the game directory.
        archive(prog / "LIGA.RSZ", 5, "LIGA");
        archive(prog / "LIGA" / "OLD.RSZ", 5, "");
        const std::string decoy = slurp(prog / "LIGA.RSZ");
        archive(root / c.archive, 3, "");
        EXPECT_EQ(client({"LIGA"}, c.keys + IMPORTQUIT), 0) << err;
        EXPECT_TRUE(fs::exists(prog / "LIGA" / "GEN3.DAT"));
        EXPECT_FALSE(fs::exists(prog / "LIGA" / "GEN5.DAT"));
        EXPECT_FALSE(fs::exists(root / c.archive));
        EXPECT_TRUE(fs::exists(prog / "LIGA" / "OLD.RSZ"));
        EXPECT_EQ(slurp(prog / "LIGA.RSZ"), decoy);
    }
}

// A damaged archive or a result without team number is refused, told and kept.
TEST_F(ImportClient, RefusedResultsSayWhyAndStay) {
    archive(prog / "LIGA.RSZ", 3, "LIGA");
    std::string a = slurp(prog / "LIGA.RSZ");
    a[a.size() - 3] ^= 0x40;
    spit(prog / "LIGA.RSZ", a);
    EXPECT_EQ(client({}, "key Enter\n"), 1);
    EXPECT_NE(err.find("rzip: damaged archive"), std::string::npos) << err;  // the unpacker's own words
    EXPECT_NE(err.find("Error 1: LIGA\\TEAM*.RST (LIGA.RSZ: the archive is damaged"), std::string::npos) << err;
    EXPECT_EQ(slurp(prog / "LIGA.RSZ"), a);
    fs::path c = container(root / "temp", 3);
    fs::rename(c, prog / "RESULT.RST");
    EXPECT_EQ(client({(prog / "RESULT.RST").string()}, "key Enter\n"), 1);
    EXPECT_NE(err.find("RESULT.RST (the name carries no team number 1..10"), std::string::npos) << err;
    EXPECT_TRUE(fs::exists(prog / "RESULT.RST"));
}

TEST_F(ImportClient, OnlyABareStartAsksForTheDirectoryOfAnUnnamedContainer) {
    // Bare: the chooser picks LIGA, the new-game panel offers LIGA, Enter takes
    // it. The program directory named on the command line: no question.
    const struct { std::vector<std::string> args; const char* dir; std::string script; const char* gamesini; } cases[] = {
        {{}, "LIGA", "key Down\nkey Enter\nkey Enter\ntext my league\nkey Enter\n", "LIGA, Friday league\nLIGA, my league\n"},
        {{"."}, ".", "", "LIGA, Friday league\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dir);
        spit(prog / "GAMES.INI", "LIGA, Friday league\n");
        fs::create_directories(prog / "LIGA");
        fs::path rst = container(prog / c.dir, 3);
        std::string bytes = slurp(rst);
        bytes[1] = 0;  // no game directory named
        spit(rst, bytes);
        EXPECT_EQ(client(c.args, c.script + IMPORTQUIT), 0) << err;
        EXPECT_TRUE(fs::exists(prog / c.dir / "GEN3.DAT"));
        EXPECT_FALSE(fs::exists(rst));
        EXPECT_EQ(slurp(prog / "GAMES.INI"), c.gamesini);
    }
}

// A bare start moves a pass-through file into its game directory, tells of a
// game line naming a path and shows the chooser, where Escape ends the program in
// order. A start removes the temporary files of a killed run; a game directory
// without a team is told, then the program ends.
TEST_F(ImportClient, BareStartShowsTheChooserAfterThePreparations) {
    fs::create_directory(prog / "LIGA");
    const std::string f = char(101) + std::string("\x04LIGA") + std::string(8, '\0') + "cup result";
    spit(prog / "TEAM3.RST", f);
    const std::string ini = "../../x, evil\nLIGA, Friday league\n";
    spit(prog / "GAMES.INI", ini);
    const char* stale[] = {"LIGA/.GAME3.DAT.k3Xq9Z", "LIGA/.GEN3.DAT.000abc", "LIGA/.rsz-77-0-12345.tmp", ".GAMES.INI.Ab12Cd"};
    const char* kept[] = {"LIGA/notes.txt", "LIGA/.hidden", "LIGA/.GAME3.DAT.k3Xq9", "LIGA/GAME3.DAT"};
    EXPECT_EQ(client({}, "key Enter\nkey Esc\n"), 0) << err;
    EXPECT_EQ(slurp(prog / "LIGA" / "TEAM3.RST"), f);
    EXPECT_FALSE(fs::exists(prog / "TEAM3.RST"));
    EXPECT_EQ(slurp(prog / "GAMES.INI"), ini);
    EXPECT_FALSE(fs::exists(root / "x"));
    fs::remove(prog / "LIGA" / "TEAM3.RST");
    spit(prog / "GAMES.INI", "LIGA, Friday league\n");
    for (const char* n : stale) spit(prog / n, "half");
    for (const char* n : kept) spit(prog / n, "mine");
    EXPECT_EQ(client({"LIGA"}, "key Enter\n"), 0) << err;
    for (const char* n : stale) EXPECT_FALSE(fs::exists(prog / n)) << n;
    for (const char* n : kept) EXPECT_EQ(slurp(prog / n), "mine") << n;
}
