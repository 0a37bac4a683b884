// fontconfig's answers kept between starts: the file's exact text, every kind of
// damage refused, and the answers taken only while nothing they depend on changed.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "common/client_run.h"
#include "platform/fontcache.h"
#include "platform/fonts.h"

using namespace korax;
namespace fs = std::filesystem;
using korax::client::slurp;
using korax::client::spit;

namespace {

struct Scratch {
    fs::path dir;
    Scratch() {
        std::string t = (fs::temp_directory_path() / "korax-fontcache-XXXXXX").string();
        dir = ::mkdtemp(t.data());
    }
    ~Scratch() { fs::remove_all(dir); }
};

const std::string SAMPLE =
    "KXFONTS 1\n"
    "E\tHOME=/h\tXDG_DATA_HOME=\t\n"
    "S\t1750775815123456789\t2940\t/etc/fonts/fonts.conf\n"
    "S\t-1\t-1\t/h/.fonts\n"
    "M\tLiberation Sans||\t/usr/share/fonts/a.ttf\tLiberation Sans\n"
    "M\tNone|b|i\t\t\n";

}  // namespace

TEST(FontCache, TextIsReadAndWrittenExactly) {
    FONTCACHE c;
    ASSERT_TRUE(PARSEFONTCACHE(SAMPLE, c));
    EXPECT_EQ(c.env, "HOME=/h\tXDG_DATA_HOME=\t");
    ASSERT_EQ(c.stamps.size(), 2u);
    EXPECT_EQ(c.stamps[0].mtime, 1750775815123456789LL);
    EXPECT_EQ(c.stamps[1].size, -1);
    ASSERT_EQ(c.answers.size(), 2u);
    EXPECT_EQ(c.answers[1].request, "None|b|i");
    EXPECT_EQ(c.answers[1].file, "");
    EXPECT_EQ(FORMATFONTCACHE(c), SAMPLE);
}

TEST(FontCache, DamageIsRefused) {
    const std::string header = "KXFONTS 1\nE\tHOME=/h\t\n";
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"no final line end", header + "M\ta||\tf\tF"},
        {"other version", "KXFONTS 2\nE\t\n"},
        {"no environment line", "KXFONTS 1\n"},
        {"environment line without its tab", "KXFONTS 1\nE\n"},
        {"stamp missing its size", header + "S\t1\t/a\n"},
        {"stamp of a relative path", header + "S\t1\t2\tetc/fonts\n"},
        {"stamp with a letter", header + "S\t1x\t2\t/a\n"},
        {"stamp of twenty digits", header + "S\t12345678901234567890\t2\t/a\n"},
        {"stamp beyond 64 bits", header + "S\t9999999999999999999\t2\t/a\n"},
        {"stamp below -1", header + "S\t-2\t2\t/a\n"},
        {"stamp after an answer", header + "M\ta||\tf\tF\nS\t1\t2\t/a\n"},
        {"answer without a request", header + "M\t\tf\tF\n"},
        {"answer with a field too many", header + "M\ta||\tf\tF\tx\n"},
        {"unknown line", header + "X\t1\n"},
        {"empty line", header + "\nM\ta||\tf\tF\n"},
    };
    for (const auto& t : cases) {
        FONTCACHE c;
        c.env = "left over";
        EXPECT_FALSE(PARSEFONTCACHE(t.text, c)) << t.what;
        EXPECT_TRUE(c.env.empty() && c.stamps.empty() && c.answers.empty()) << t.what;
    }
    std::string many = header;
    for (int i = 0; i <= 8192; ++i) many += "S\t1\t2\t/a\n";
    FONTCACHE c;
    EXPECT_FALSE(PARSEFONTCACHE(many, c)) << "more entries than a cache ever needs";

    // Fields that could not be read back are never written.
    FONTCACHE bad;
    ASSERT_TRUE(PARSEFONTCACHE(SAMPLE, bad));
    bad.stamps[0].path = "/a\tb";
    EXPECT_EQ(FORMATFONTCACHE(bad), "");
    ASSERT_TRUE(PARSEFONTCACHE(SAMPLE, bad));
    bad.answers[0].family = "x\ny";
    EXPECT_EQ(FORMATFONTCACHE(bad), "");
    ASSERT_TRUE(PARSEFONTCACHE(SAMPLE, bad));
    bad.stamps[1].path = "relative";
    EXPECT_EQ(FORMATFONTCACHE(bad), "");
}

TEST(FontCache, CurrentOnlyWhileNothingChanged) {
    Scratch s;
    const fs::path conf = s.dir / "fonts.conf", later = s.dir / "later.conf";
    spit(conf, "one");
    FONTCACHE c;
    c.env = FONTENV();
    c.stamps = {STAMPOF(conf.string()), STAMPOF(later.string())};
    EXPECT_EQ(c.stamps[1].mtime, -1);
    EXPECT_TRUE(FONTCACHECURRENT(c));

    spit(conf, "two!");
    EXPECT_FALSE(FONTCACHECURRENT(c)) << "a configuration file rewritten";
    c.stamps[0] = STAMPOF(conf.string());
    EXPECT_TRUE(FONTCACHECURRENT(c));
    spit(later, "");
    EXPECT_FALSE(FONTCACHECURRENT(c)) << "a file made where none was";
    fs::remove(later);
    c.env += "x";
    EXPECT_FALSE(FONTCACHECURRENT(c)) << "another environment";
}

// Through the font lookup: the first answer comes from fontconfig and is kept; a
// later lookup takes the kept answer (here made up, to tell it apart) while the
// stamps hold, and asks fontconfig again once the environment differs.
TEST(FontCache, LookupsKeepAndTakeAnswers) {
    Scratch s;
    const fs::path file = s.dir / FONTCACHENAME;
    FONT_RELEASE_ALL();
    FONT_CACHE_FILE(file.string());
    const std::string real = FONT_FILE("Arial", false, false);
    if (real.empty()) GTEST_SKIP() << "no fonts";
    FONTCACHE kept;
    ASSERT_TRUE(PARSEFONTCACHE(slurp(file), kept));
    ASSERT_EQ(kept.answers.size(), 1u);
    EXPECT_EQ(kept.answers[0].request, "Liberation Sans||");
    EXPECT_EQ(kept.answers[0].file, real);
    bool stamped_font = false;
    for (const FONTSTAMP& st : kept.stamps) stamped_font |= st.path == real;
    EXPECT_TRUE(stamped_font);

    kept.answers[0].file = s.dir.string() + "/made-up.ttf";
    spit(file, FORMATFONTCACHE(kept));
    FONT_RELEASE_ALL();
    FONT_CACHE_FILE(file.string());
    EXPECT_EQ(FONT_FILE("Arial", false, false), kept.answers[0].file);

    const char* old = std::getenv("XDG_CACHE_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CACHE_HOME", s.dir.c_str(), 1);
    FONT_RELEASE_ALL();
    FONT_CACHE_FILE(file.string());
    EXPECT_EQ(FONT_FILE("Arial", false, false), real);
    if (old) setenv("XDG_CACHE_HOME", saved.c_str(), 1);
    else unsetenv("XDG_CACHE_HOME");

    spit(file, "KXFONTS 1\nbroken");
    FONT_RELEASE_ALL();
    FONT_CACHE_FILE(file.string());
    EXPECT_EQ(FONT_FILE("Arial", false, false), real) << "a damaged cache is asked past and written anew";
    EXPECT_TRUE(PARSEFONTCACHE(slurp(file), kept));
    FONT_CACHE_FILE("");
    FONT_RELEASE_ALL();
}
