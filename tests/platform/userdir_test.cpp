// The user's own program directory beside an installed copy: made whole or not at
// all, repaired at the next start, renewed for another version, and never a
// setting or a game of the user's lost.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "common/client_run.h"
#include "platform/userdir.h"

using namespace korax;
namespace fs = std::filesystem;
using korax::client::slurp;
using korax::client::spit;

namespace {

struct Dirs {
    fs::path root, inst, user;
    Dirs() {
        std::string t = (fs::temp_directory_path() / "korax-userdir-XXXXXX").string();
        root = ::mkdtemp(t.data());
        inst = root / "lib" / "korax";
        user = root / "data" / "korax";
        fs::create_directories(inst / "DEMO");
        for (const auto& [file, text] : {std::pair{"KORAX.VER", "2.0.0\n"}, {"KORAX.INI", "GRAPHMODE=2\n"},
                                         {"GAMES.INI", "DEMO, Demonstration\n"}, {"menu.cfg", "101\n"},
                                         {"KORAX.ENG", "texts\n"}, {"rzip", "#!\n"}, {"DEMO/GEN1.DAT", "gen\n"}})
            spit(inst / file, text);
        // Installed files may come without any write bit.
        fs::permissions(inst / "KORAX.INI", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }
    ~Dirs() {
        std::error_code ec;
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(root, ec);
    }
    USERDIRRESULT prepare() const { return PREPAREUSERDIR(inst.string() + "/", user.string() + "/"); }
    bool links(const std::string& name) const {
        return fs::is_symlink(user / name) && fs::read_symlink(user / name) == inst / name;
    }
};

// Everything a complete user directory holds for the installed copy above.
void expect_complete(const Dirs& d) {
    EXPECT_TRUE(d.links("KORAX.ENG"));
    EXPECT_TRUE(d.links("rzip"));
    for (const char* own : {"KORAX.INI", "GAMES.INI", "menu.cfg", "KORAX.VER"})
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(d.user / own))) << own;
    EXPECT_EQ(slurp(d.user / "KORAX.VER"), "2.0.0\n");
    EXPECT_EQ(::access((d.user / "KORAX.INI").c_str(), W_OK), 0);
    EXPECT_EQ(slurp(d.user / "DEMO" / "GEN1.DAT"), "gen\n");
}

TEST(UserDir, OwnedNames) {
    const std::pair<const char*, bool> files[] = {{"KORAX.INI", true}, {"games.ini", true}, {"MENU.CFG", true},
                                                  {"KORAX.ENG", false}, {"rzip", false}, {".INI", false}};
    for (const auto& [name, owned] : files) EXPECT_EQ(USEROWNED(name, false), owned) << name;
    EXPECT_TRUE(USEROWNED("DEMO", true));
}

TEST(UserDir, PlaceFollowsTheEnvironment) {
    const struct { const char *xdg, *home, *dir; } cases[] = {  // xdg nullptr: unset
        {"/x/data/", "/home/t", "/x/data/korax/"}, {nullptr, "/home/t", "/home/t/.local/share/korax/"},
        {"/x/data", "/home/t", "/x/data/korax/"},
        {"relative/data", "/home/t/", "/home/t/.local/share/korax/"},  // not absolute: ignored
    };
    const char* oldx = std::getenv("XDG_DATA_HOME");
    const char* oldh = std::getenv("HOME");
    const std::string sx = oldx ? oldx : "", sh = oldh ? oldh : "";
    for (const auto& c : cases) {
        if (c.xdg) ::setenv("XDG_DATA_HOME", c.xdg, 1);
        else ::unsetenv("XDG_DATA_HOME");
        ::setenv("HOME", c.home, 1);
        EXPECT_EQ(USERPROGRAMDIR(), c.dir) << (c.xdg ? c.xdg : "(unset)");
    }
    if (oldx) ::setenv("XDG_DATA_HOME", sx.c_str(), 1);
    else ::unsetenv("XDG_DATA_HOME");
    if (oldh) ::setenv("HOME", sh.c_str(), 1);
    else ::unsetenv("HOME");
}

TEST(UserDir, FirstStartMakesItWholeAndLeavesNoSibling) {
    Dirs d;
    const USERDIRRESULT r = d.prepare();
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_NE(r.note.find(d.user.string()), std::string::npos) << r.note;
    expect_complete(d);
    for (const auto& e : fs::directory_iterator(d.user.parent_path()))
        EXPECT_EQ(e.path().filename(), "korax") << e.path();
    // A second start finds nothing to do and says nothing.
    const USERDIRRESULT again = d.prepare();
    EXPECT_TRUE(again.ok);
    EXPECT_EQ(again.note, "");
}

// Each case damages a complete user directory (or leaves a first start's remains)
// and checks what the next start makes of it.
struct Damage {
    const char* name;
    std::function<void(const Dirs&)> harm;
    std::function<void(const Dirs&)> check;
};

const Damage DAMAGES[] = {
    {"interrupted first start",
     [](const Dirs& d) {
         fs::remove_all(d.user);
         fs::create_directories(d.user.parent_path() / "korax.new-Ab12Cd");
         spit(d.user.parent_path() / "korax.new-Ab12Cd" / "KORAX.INI", "half");
     },
     [](const Dirs& d) {
         EXPECT_FALSE(fs::exists(d.user.parent_path() / "korax.new-Ab12Cd"));
         EXPECT_EQ(slurp(d.user / "KORAX.INI"), "GRAPHMODE=2\n");
     }},
    {"links and settings deleted",
     [](const Dirs& d) { for (const char* f : {"KORAX.ENG", "menu.cfg", "KORAX.VER"}) fs::remove(d.user / f); },
     [](const Dirs&) {}},
    {"link to a file no longer installed",
     [](const Dirs& d) { fs::create_symlink(d.inst / "OLD.PCX", d.user / "OLD.PCX"); },
     [](const Dirs& d) { EXPECT_FALSE(fs::is_symlink(fs::symlink_status(d.user / "OLD.PCX"))); }},
    {"link to a copy installed elsewhere before",
     [](const Dirs& d) { fs::remove(d.user / "rzip"); fs::create_symlink("/opt/korax/rzip", d.user / "rzip"); },
     [](const Dirs&) {}},
    {"older stamp: settings, games and own files kept",
     [](const Dirs& d) {
         spit(d.user / "KORAX.VER", "1.0.0\n");
         spit(d.user / "KORAX.INI", "mine");
         spit(d.user / "GAMES.INI", "LIGA, mine\n");
         fs::remove(d.user / "KORAX.ENG");
         spit(d.user / "KORAX.ENG", "my texts");
         fs::create_directories(d.user / "LIGA");
         spit(d.user / "LIGA" / "TEAM1.TRN", "turn");
         spit(d.user / "DEMO" / "GEN1.DAT", "played");
     },
     [](const Dirs& d) {
         const std::string got[] = {slurp(d.user / "KORAX.INI"), slurp(d.user / "GAMES.INI"),
                                    slurp(d.user / "KORAX.ENG"), slurp(d.user / "LIGA" / "TEAM1.TRN"),
                                    slurp(d.user / "DEMO" / "GEN1.DAT")};
         EXPECT_THAT(got, testing::ElementsAre("mine", "LIGA, mine\n", "my texts", "turn", "played"));
         EXPECT_FALSE(fs::is_symlink(fs::symlink_status(d.user / "KORAX.ENG")));
     }},
    {"newer stamp and the game deleted on purpose",
     [](const Dirs& d) { spit(d.user / "KORAX.VER", "3.0.0\n"); fs::remove_all(d.user / "DEMO"); },
     [](const Dirs& d) { EXPECT_FALSE(fs::exists(d.user / "DEMO")); }},
};

TEST(UserDir, NextStartRepairsWithoutLosingAnything) {
    for (const Damage& c : DAMAGES) {
        SCOPED_TRACE(c.name);
        Dirs d;
        ASSERT_TRUE(d.prepare().ok);
        c.harm(d);
        const USERDIRRESULT r = d.prepare();
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_NE(r.note.find(d.user.string()), std::string::npos) << r.note;
        EXPECT_TRUE(d.links("rzip"));
        EXPECT_TRUE(fs::exists(d.user / "KORAX.ENG"));
        EXPECT_EQ(slurp(d.user / "KORAX.VER"), "2.0.0\n");
        c.check(d);
    }
}

TEST(UserDir, UnusablePlacesNameTheDirectory) {
    // The user directory to ask for (a file in the way is made first), and a part
    // the message must hold.
    const struct { const char *user, *file, *named; } cases[] = {
        {"plain/share/korax", "plain", "plain"},
        {"share/korax", "share/korax", "share/korax"},
        {"/proc/korax-data/korax", nullptr, "/proc/korax-data"},  // never writable
    };
    for (const auto& c : cases) {
        Dirs d;
        if (c.file) {
            fs::create_directories((d.root / c.file).parent_path());
            spit(d.root / c.file, "x");
        }
        const USERDIRRESULT r = PREPAREUSERDIR(d.inst.string(), (d.root / c.user).string());
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.error.find(c.named), std::string::npos) << r.error;
    }
    if (::geteuid() == 0) return;  // the superuser writes anywhere
    Dirs d;
    fs::create_directories(d.root / "ro");
    fs::permissions(d.root / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    const USERDIRRESULT r = PREPAREUSERDIR(d.inst.string(), (d.root / "ro" / "korax").string());
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find((d.root / "ro").string()), std::string::npos) << r.error;
}

// Two first starts at once (a double click): each ends with the whole directory,
// neither takes the other's half-filled temporary directory for a leftover.
TEST(UserDir, TwoFirstStartsAtOnceBothSucceed) {
    for (int round = 0; round < 20; ++round) {
        Dirs d;
        const pid_t child = ::fork();
        if (child == 0) ::_exit(d.prepare().ok ? 0 : 1);
        const USERDIRRESULT r = d.prepare();
        int status = -1;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(r.ok) << round << ": " << r.error;
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << round;
        expect_complete(d);
    }
}

}  // namespace
