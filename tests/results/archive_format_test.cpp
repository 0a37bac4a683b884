// The archive format: header bytes, round trips, and every kind of bad archive
// leaving the target directory as it was.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <string>
#include <vector>

#include "archive_helpers.h"
#include "data/fixture.h"
#include "results/zipper.h"

using namespace korax;
using namespace archivetest;

namespace {

std::vector<RSZENTRY> sample() {
    return {{"TEAM3.RST", noise(150000, 3)}, {"NEWS.TXT", "Hurtin beat Bogon 3:1\r\n"}, {"EMPTY.DAT", ""}};
}

// A plain archive around a hand-made inner stream, for contents our packer refuses.
std::string crafted(const std::string& inner, bool last = true) {
    uLongf n = compressBound(inner.size());
    std::string z(n, '\0');
    compress2(reinterpret_cast<Bytef*>(z.data()), &n, reinterpret_cast<const Bytef*>(inner.data()), inner.size(), 9);
    z.resize(n);
    std::string a = '\x01' + std::string(22, '\0') + std::string("KXRZ\x01\x00", 6);
    std::uint32_t len = static_cast<std::uint32_t>(z.size()) | (last ? 0x80000000u : 0);
    for (int i = 0; i < 4; ++i) a += static_cast<char>((len >> (8 * i)) & 0xFF);
    return a + z;
}

std::string entry(const std::string& name, const std::string& data) {
    std::string s = '\x01' + std::string(1, static_cast<char>(name.size())) + name;
    for (int i = 0; i < 8; ++i) s += static_cast<char>((std::uint64_t(data.size()) >> (8 * i)) & 0xFF);
    return s + data;
}

}  // namespace

TEST(ArchiveHeader, GoldenBytesParseAndRead) {
    std::string a = pack({{"TEAM1.RST", "x"}}, options("DEMO", ""));
    EXPECT_EQ(a.substr(0, 29), std::string("\x01\x04" "DEMO", 6) + std::string(17, '\0') + std::string("KXRZ\x01\x00", 6));
    EXPECT_FALSE(RSZENCRYPTED(a));
    a = pack({{"TEAM1.RST", "x"}}, options("", "secret"));
    EXPECT_EQ(a.substr(0, 23), '\x01' + std::string(13, '\0') + "\x06" + CRUNCHPW("secret") + std::string(2, '\0'));
    EXPECT_EQ(a[28], 1);
    EXPECT_TRUE(RSZENCRYPTED(a));

    std::string raw(23, '\0');  // lengths beyond the fields are clamped
    raw[1] = static_cast<char>(200);
    raw[14] = static_cast<char>(99);
    ZIPHEADERTYPE h;
    ASSERT_TRUE(PARSEZIPHEADER(raw, h));
    EXPECT_EQ(h.GAMEDIR.str().size(), 12u);
    EXPECT_EQ(h.PASSWORT.str().size(), 8u);
    EXPECT_FALSE(PARSEZIPHEADER(raw.substr(0, 22), h));

    ScratchDir d;
    spit(d / "short.RSZ", std::string(22, '\x01'));
    spit(d / "ok.RSZ", pack({{"A", "b"}}, options("GAME1", "")));
    for (const auto& [name, status] : {std::pair{"missing.RSZ", 1}, {"", 1}, {"short.RSZ", 2}, {"ok.RSZ", 0}})
        EXPECT_EQ(READZIPHEADER(d / name, h), status) << name;
    EXPECT_EQ(std::to_string(h.VERSION) + h.GAMEDIR.str() + "|" + h.PASSWORT.str(), std::to_string(RSZVERSION) + "GAME1|");
}

TEST(ArchivePack, RefusesUnsafeNamesAndPasswordsAndLeavesNothing) {
    std::string a;
    for (const char* bad : {"..", "a/b", "a\\b", "C:X", "", " lead", "a\nb"})
        EXPECT_EQ(RSZPACKBYTES({{bad, "x"}}, options("", ""), a).status, RSZSTATUS::BADNAME) << bad;
    EXPECT_EQ(RSZPACKBYTES({{"A", "x"}, {"a", "y"}}, options("", ""), a).status, RSZSTATUS::BADNAME);
    EXPECT_EQ(RSZPACKBYTES({{"A", "x"}}, options("../x", ""), a).status, RSZSTATUS::BADNAME);
    EXPECT_EQ(RSZPACKBYTES({{"A", "x"}}, options("THIRTEENCHARS", ""), a).status, RSZSTATUS::BADNAME);
    EXPECT_EQ(RSZPACKBYTES({{"A", "x"}}, options("", "NINECHARS"), a).status, RSZSTATUS::PASSWORD);
    EXPECT_TRUE(a.empty());
    ScratchDir d;
    spit(d / "A.RST", "a");
    EXPECT_EQ(RSZPACKFILES(d / "x.RSZ", {d / "A.RST", d / "missing"}, options("", "")).status, RSZSTATUS::OPEN);
    EXPECT_EQ(RSZPACKFILES(d / "nodir/x.RSZ", {d / "A.RST"}, options("", "")).status, RSZSTATUS::WRITE);
    EXPECT_EQ(listdir(d.path), (std::set<std::string>{"A.RST"}));
}

TEST(ArchiveRoundTrip, BytesWithAndWithoutPassword) {
    for (const char* pw : {"", "Hugo"}) {
        ScratchDir d;
        const std::string a = pack(sample(), options("DEMO", pw));
        EXPECT_TRUE(!*pw || a.find("Hurtin beat Bogon") == std::string::npos);  // not in clear
        RSZRESULT r = RSZUNPACKBYTES(a, d.path, pw);
        ASSERT_TRUE(r.ok()) << RSZMESSAGE(r);
        EXPECT_EQ(r.names, (std::vector<std::string>{"TEAM3.RST", "NEWS.TXT", "EMPTY.DAT"}));
        for (const auto& f : sample()) EXPECT_EQ(slurp(d / f.name), f.data) << f.name;
        EXPECT_EQ(listdir(d.path).size(), 3u);
    }
}

// The check value is short and public: only the real password opens an archive,
// even when the header's check value fits another one.
TEST(ArchiveUnpack, WrongPasswordUnpacksNothing) {
    ScratchDir d;
    spit(d / "TEAM3.RST", "old");
    std::string a = pack(sample(), options("", "Hugo"));
    EXPECT_EQ(RSZUNPACKBYTES(a, d.path, "hugo").status, RSZSTATUS::PASSWORD);
    EXPECT_EQ(RSZUNPACKBYTES(a, d.path, "").status, RSZSTATUS::NOPASSWORD);
    EXPECT_EQ(RSZUNPACKBYTES(a, d.path, "Hugo1234x").status, RSZSTATUS::PASSWORD);
    a = pack({{"T.RST", "x"}}, options("", "real"));
    const std::string fake = CRUNCHPW("fake");
    a[14] = static_cast<char>(fake.size());
    a.replace(15, fake.size(), fake);
    EXPECT_EQ(RSZUNPACKBYTES(a, d.path, "fake").status, RSZSTATUS::PASSWORD);
    EXPECT_EQ(RSZUNPACKBYTES(a, d.path, "real").status, RSZSTATUS::PASSWORD);
    EXPECT_EQ(listdir(d.path), (std::set<std::string>{"TEAM3.RST"}));
    EXPECT_EQ(slurp(d / "TEAM3.RST"), "old");
}

// Protected archives authenticate every byte. Unprotected ones check their
// content: a change the packed stream ignores (padding bits) may pass, but
// never with other content.
TEST(ArchiveUnpack, EveryTruncationAndAlteredByteIsRefused) {
    for (bool protect : {false, true}) {
        const char* pw = protect ? "pw" : "";
        std::string a = pack({{"TEAM3.RST", noise(70000, 1)}, {"B", "b"}}, options("", pw));
        ScratchDir d;
        std::vector<std::size_t> cuts;
        for (std::size_t n = 0; n < 200; ++n) cuts.push_back(n);
        for (std::size_t n = 200; n < a.size(); n += 997) cuts.push_back(n);
        cuts.push_back(a.size() - 1);
        for (std::size_t n : cuts) {
            ASSERT_FALSE(RSZUNPACKBYTES(std::string_view(a).substr(0, n), d.path, pw).ok()) << n;
            ASSERT_TRUE(listdir(d.path).empty()) << n;
        }
        const std::string data = noise(700, 2);
        a = pack({{"TEAM3.RST", data}}, options("", pw));
        for (std::size_t i = protect ? 1 : 29; i < a.size(); ++i) {
            std::string b = a;
            b[i] = static_cast<char>(b[i] ^ 0x40);
            if (RSZUNPACKBYTES(b, d.path, pw).ok() && !protect) {
                ASSERT_EQ(slurp(d / "TEAM3.RST"), data) << i;
                std::filesystem::remove(d / "TEAM3.RST");
            }
            ASSERT_TRUE(listdir(d.path).empty()) << i;
        }
    }
}

TEST(ArchiveUnpack, DamagedArchivesAndPathNamesWriteNothing) {
    ScratchDir d;
    std::string lying = pack({{"A", "hello"}}, options("", ""));
    lying[29] = lying[30] = '\xFF';
    std::string toolong = entry("A", "hello");
    toolong[4] = '\x7F';  // a file size beyond what the stream holds
    std::string unprotected = pack({{"A", "x"}}, options("", ""));
    unprotected.replace(14, 2, "\x01Z");  // the header claims a password the payload lacks
    std::string protectedpayload = pack({{"A", "x"}}, options("", "pw"));
    std::memset(protectedpayload.data() + 14, 0, 9);
    const struct { const char* what; std::string archive; const char* pw; } cases[] = {
        {"trailing bytes", pack({{"A", "x"}}, options("", "")) + "junk", ""},
        {"trailing bytes, protected", pack({{"A", "x"}}, options("", "pw")) + "junk", "pw"},
        {"frame length", lying, ""}, {"file size", crafted(toolong + '\0'), ""},
        {"size beyond every limit", crafted("\x01\x01" "A" + std::string(7, '\0') + "\x7F"), ""},
        {"header protected, payload not", unprotected, "Z"}, {"payload protected, header not", protectedpayload, ""},
        {"duplicate names", crafted(entry("TEAM1.RST", "a") + entry("team1.rst", "b") + '\0'), ""},
        {"no end mark", crafted(entry("A", "x")), ""}, {"no last frame", crafted(entry("A", "x") + '\0', false), ""},
        {"bytes after the end mark", crafted(entry("A", "x") + '\0' + 'x'), ""},
        {"empty", "", ""}, {"header only", std::string(23, '\0'), ""},
        {"another format", std::string(23, '\0') + "PK\x03\x04xxxx", ""}};
    for (const auto& c : cases) EXPECT_EQ(RSZUNPACKBYTES(c.archive, d.path, c.pw).status, RSZSTATUS::DAMAGED) << c.what;
    EXPECT_EQ(RSZUNPACKFILE(d / "missing.RSZ", d.path, "").status, RSZSTATUS::OPEN);
    EXPECT_EQ(RSZUNPACKBYTES(pack({{"A", "x"}}, options("", "")), d / "missing", "").status, RSZSTATUS::WRITE);
    std::filesystem::create_directory(d / "target");
    for (const char* bad : {"../EVIL.RST", "/tmp/EVIL.RST", "..\\EVIL.RST", "C:EVIL", ".", "A\x01"}) {
        std::string inner = entry("GOOD.RST", "good") + entry(bad, "evil") + '\0';
        EXPECT_EQ(RSZUNPACKBYTES(crafted(inner), d / "target", "").status, RSZSTATUS::BADNAME) << bad;
    }
    EXPECT_TRUE(listdir(d / "target").empty());
    EXPECT_EQ(listdir(d.path), (std::set<std::string>{"target"}));
    EXPECT_TRUE(RSZUNPACKBYTES(crafted(entry("A", "x") + '\0'), d / "target", "").ok());
}

// An existing file is replaced under its own spelling, a symbolic link in its
// place is replaced and not followed.
TEST(ArchiveUnpack, ReplacesExistingFilesInPlace) {
    ScratchDir d;
    spit(d / "team3.rst", "old");
    spit(d / "victim", "keep");
    std::filesystem::create_symlink(d / "victim", d / "NEWS.TXT");
    ASSERT_TRUE(RSZUNPACKBYTES(pack({{"TEAM3.RST", "new"}, {"NEWS.TXT", "news"}}, options("", "")), d.path, "").ok());
    EXPECT_EQ(listdir(d.path), (std::set<std::string>{"team3.rst", "victim", "NEWS.TXT"}));
    EXPECT_EQ(slurp(d / "team3.rst") + slurp(d / "victim") + slurp(d / "NEWS.TXT"), "newkeepnews");
    EXPECT_FALSE(std::filesystem::is_symlink(d / "NEWS.TXT"));
}

TEST(ArchiveUnpack, FullDiskLeavesNoPartialFiles) {
    ScratchDir d;
    spit(d / "TEAM3.RST", "old");
    std::string a = pack({{"SMALL.TXT", "s"}, {"TEAM3.RST", noise(200000, 4)}}, options("", ""));
    RSZRESULT r;
    {
        datatest::FileSizeLimit full(100000);  // stands in for a full disk
        r = RSZUNPACKBYTES(a, d.path, "");
    }
    EXPECT_EQ(r.status, RSZSTATUS::WRITE);
    EXPECT_NE(r.detail.find("TEAM3.RST"), std::string::npos) << r.detail;
    EXPECT_EQ(listdir(d.path), (std::set<std::string>{"TEAM3.RST"}));
    EXPECT_EQ(slurp(d / "TEAM3.RST"), "old");
}
