// The build installed into a temporary DESTDIR and started through its `korax`
// command as a user whose home is temporary too; the desktop entry, icons and
// manual page it installs; and the Debian package made from the same rules.
#include <gtest/gtest.h>
#include <zlib.h>

#include <set>

#include "common/client_run.h"

namespace {

using namespace korax::client;
using korax::PROCESSRUN;

// Runs a program with extra environment; its standard output and error go to `log`.
int run(const std::string& program, const std::vector<std::string>& args, const Env& env, const fs::path& dir,
        const fs::path& log) {
    PROCESSRUN r;
    r.program = program;
    r.args = args;
    r.dir = dir.string();
    r.output = log.string();
    return runwithenv(r, env);
}

bool have(const char* tool) { return ::access(tool, X_OK) == 0; }

// Every path below a directory, relative, with its size (links by their target).
std::set<std::string> listing(const fs::path& top, bool sizes = true) {
    std::set<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(top)) {
        std::string line = e.path().lexically_relative(top).string();
        if (e.is_symlink()) line += " -> " + fs::read_symlink(e.path()).string();
        else if (sizes && e.is_regular_file()) line += " " + std::to_string(e.file_size());
        out.insert(line);
    }
    return out;
}

class Installed : public ::testing::Test {
protected:
    static inline fs::path root;
    static inline int installed = -1;

    static void SetUpTestSuite() {
        std::string t = (fs::temp_directory_path() / "korax-install-XXXXXX").string();
        if (!::mkdtemp(t.data())) return;
        root = t;
        installed = run(KORAX_CMAKE, {"--install", KORAX_BUILD_DIR, "--prefix", "/usr"},
                        {{"DESTDIR", (root / "dest").string()}}, root, root / "install.log");
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        if (!root.empty()) fs::remove_all(root, ec);
    }
    void SetUp() override { ASSERT_EQ(installed, 0) << slurp(root / "install.log"); }

    static fs::path usr() { return root / "dest" / "usr"; }

    // A user of their own for each test: a fresh home, no XDG_DATA_HOME unless given.
    struct User {
        fs::path home;
        std::string err;
        int code = 0;
    };
    User start(const std::string& name, const std::string& script, Env env = {}) {
        User u;
        u.home = root / name;
        fs::create_directories(u.home);
        spit(u.home / "input.script", script);
        env.insert(env.begin(), {{"HOME", u.home.string()},
                                 {"XDG_DATA_HOME", std::nullopt},
                                 {"KORAX_VIDEO", "headless"},
                                 {"KORAX_INPUT", (u.home / "input.script").string()}});
        u.code = run((usr() / "bin" / "korax").string(), {"DEMO"}, env, u.home, u.home / "client.log");
        u.err = slurp(u.home / "client.log");
        return u;
    }
};

// The start through the command below needs the rest of the program directory.
TEST_F(Installed, EveryPartInItsPlace) {
    for (const char* program : {"lib/korax/korax", "lib/korax/rzip", "lib/korax/kxmail"})
        EXPECT_EQ(::access((usr() / program).c_str(), X_OK), 0) << program;
    for (const char* file : {"lib/korax/KORAX.VER", "lib/korax/GAMES.INI", "share/applications/korax.desktop",
                             "share/man/man6/korax.6"})
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(usr() / file))) << file;
    // Build tools and the pristine demonstration game stay in the build.
    for (const char* absent : {"lib/korax/mkgame", "lib/korax/mkassets", "lib/korax/DEMO.ORIG", "lib/korax/DEMO/TEAM1.TRN"})
        EXPECT_FALSE(fs::exists(usr() / absent)) << absent;
    // A relative link, so the command works wherever the tree is unpacked.
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(usr() / "bin/korax")));
    EXPECT_EQ(fs::read_symlink(usr() / "bin/korax"), "../lib/korax/korax");
}

TEST_F(Installed, IconsArePicturesOfTheirThemeSize) {
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const std::string s = std::to_string(size);
        const std::string png = slurp(usr() / "share/icons/hicolor" / (s + "x" + s) / "apps/korax.png");
        auto be32 = [&](std::size_t at) {
            std::uint32_t v = 0;
            for (int i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(png[at + i]);
            return v;
        };
        const std::string side = {0, 0, char(size >> 8), char(size & 0xFF)};
        // The signature, then a header of 13 bytes: the size, 8 bits, RGBA.
        ASSERT_EQ(png.substr(0, 26), "\x89PNG\r\n\x1a\n" + std::string("\0\0\0\x0DIHDR", 8) + side + side + "\x08\x06");
        std::string z;
        for (std::size_t pos = 8; pos + 12 <= png.size();) {
            const std::uint32_t len = be32(pos);
            ASSERT_LE(pos + 12 + len, png.size());
            if (png.substr(pos + 4, 4) == "IDAT") z += png.substr(pos + 8, len);
            const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(png.data() + pos + 4), len + 4);
            EXPECT_EQ(be32(pos + 8 + len), crc) << png.substr(pos + 4, 4);
            pos += 12 + len;
        }
        const std::size_t row = 1 + 4 * std::size_t(size);
        std::string raw(row * size, '\0');
        uLongf n = raw.size();
        ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &n, reinterpret_cast<const Bytef*>(z.data()), z.size()),
                  Z_OK);
        ASSERT_EQ(n, raw.size());
        auto alpha = [&](int x, int y) { return static_cast<unsigned char>(raw[y * row + 1 + 4 * x + 3]); };
        EXPECT_EQ(alpha(0, size - 1), 0);  // the corner beside the shield's point is clear
        EXPECT_EQ(alpha(size / 2, size / 2), 255);
    }
}

TEST_F(Installed, DesktopEntryAndManualPageAreValid) {
    const fs::path entry = usr() / "share/applications/korax.desktop";
    const std::string text = slurp(entry);
    for (const char* line : {"Exec=korax\n", "Icon=korax\n", "Type=Application\n", "Categories=Game;"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    if (!have("/usr/bin/desktop-file-validate")) GTEST_SKIP() << "desktop-file-validate not installed";
    EXPECT_EQ(run("/usr/bin/desktop-file-validate", {entry.string()}, {}, root, root / "validate.log"), 0)
        << slurp(root / "validate.log");
    EXPECT_EQ(slurp(root / "validate.log"), "");
    if (!have("/usr/bin/groff")) return;
    // groff names every request or escape it does not know.
    EXPECT_EQ(run("/usr/bin/groff", {"-man", "-Tutf8", "-ww", "-z", (usr() / "share/man/man6/korax.6").string()}, {},
                  root, root / "groff.log"),
              0);
    EXPECT_EQ(slurp(root / "groff.log"), "");
}

TEST_F(Installed, FirstStartReachesTheMenuAndWritesTheTurnUnderTheUser) {
    const std::set<std::string> before = listing(root / "dest");
    // To the team overview, past the messages of the waiting cup result, and out.
    const User u = start("first", "key Esc\nkey Esc\n" + QUIT);
    ASSERT_EQ(u.code, 0) << u.err;
    const fs::path own = u.home / ".local/share/korax";
    EXPECT_NE(u.err.find("made your program directory " + own.string()), std::string::npos) << u.err;
    EXPECT_TRUE(fs::exists(own / "DEMO/KORAX.TMP"));  // written by the main menu
    EXPECT_TRUE(fs::exists(own / "DEMO/TEAM1.TRN"));
    EXPECT_FALSE(fs::exists(own / "DEMO/CUP1.RST"));  // the waiting cup result was applied
    EXPECT_EQ(fs::read_symlink(own / "KORAX.ENG"), usr() / "lib/korax/KORAX.ENG");  // the installed texts, not a copy
    EXPECT_EQ(listing(root / "dest"), before);  // the installed copy stays as installed
}

TEST_F(Installed, DataHomeThatIsAFileIsRefused) {
    spit(root / "plainfile-j\xC3\xBCrgen", "x");  // named as the system names it, in UTF-8
    const User u = start("xdg", QUIT, {{"XDG_DATA_HOME", (root / "plainfile-j\xC3\xBCrgen/data").string()}});
    EXPECT_EQ(u.code, 13) << u.err;
    EXPECT_NE(u.err.find((root / "plainfile-j\xC3\xBCrgen").string()), std::string::npos) << u.err;
    EXPECT_FALSE(fs::exists(u.home / ".local")) << "the home directory is used only without XDG_DATA_HOME";
}

TEST_F(Installed, DebianPackageHoldsTheInstalledFiles) {
    if (!have("/usr/bin/dpkg-deb")) GTEST_SKIP() << "dpkg-deb not installed";
    const fs::path out = root / "package";
    fs::create_directories(out);
    ASSERT_EQ(run(KORAX_CPACK, {"-G", "DEB", "--config", std::string(KORAX_BUILD_DIR) + "/CPackConfig.cmake", "-B", out.string()},
                  {}, out, root / "cpack.log"),
              0)
        << slurp(root / "cpack.log");
    fs::path deb;
    for (const auto& e : fs::directory_iterator(out))
        if (e.path().extension() == ".deb") deb = e.path();
    ASSERT_FALSE(deb.empty()) << slurp(root / "cpack.log");

    // Unpacked, it holds exactly what an install puts below the prefix (its programs stripped).
    ASSERT_EQ(run("/usr/bin/dpkg-deb", {"-x", deb.string(), (out / "tree").string()}, {}, out, root / "unpack.log"), 0);
    EXPECT_EQ(listing(out / "tree", false), listing(root / "dest", false));

    ASSERT_EQ(run("/usr/bin/dpkg-deb", {"-f", deb.string(), "Package", "Depends"}, {}, out, root / "fields.log"), 0);
    const std::string fields = slurp(root / "fields.log");
    EXPECT_NE(fields.find("Package: korax\n"), std::string::npos) << fields;
    for (const char* dep : {"libsdl2-2.0-0", "libfreetype6", "libfontconfig1", "zlib1g", "libsodium23", "libcurl4",
                            "fonts-liberation2", "fonts-dejavu-core"})
        EXPECT_NE(fields.find(dep), std::string::npos) << dep;
}

}  // namespace
