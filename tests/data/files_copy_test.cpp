// Copying, moving and rewriting whole files: every byte, the target replaced in one
// step or left whole, and the error numbers of the failing step.
#include "fixture.h"

using namespace korax;
using namespace datatest;

namespace {

std::string pattern(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return s;
}

}  // namespace

using FilesCopy = DataDir;

TEST_F(FilesCopy, CopiesEveryByteReplacesTheTargetAndKeepsAFileCopiedOntoItself) {
    EXPECT_FALSE(COPYFILE("NOPE.DAT", "COPY.DAT"));
    dirs({"SUB", "game1"});
    EXPECT_FALSE(COPYFILE("SUB", "X.DAT"));
    EXPECT_EQ(listing(), "SUB\ngame1\n");
    const std::string data = pattern(3 * BUFFERSIZE + 17);  // across buffer boundaries
    put("SRC.DAT", data);
    put("DST.DAT", "old and longer");
    EXPECT_TRUE(COPYFILE("SRC.DAT", "DST.DAT"));
    EXPECT_EQ(get("DST.DAT"), data);
    put("EMPTY.DAT", "");
    EXPECT_TRUE(COPYFILE("EMPTY.DAT", "DST.DAT"));
    EXPECT_EQ(listing(), "DST.DAT\nEMPTY.DAT\nSRC.DAT\nSUB\ngame1\n");  // no temporary file left
    EXPECT_EQ(get("DST.DAT"), "");
    // Onto itself, however spelt.
    put("game1/team3.rst", "container bytes");
    std::filesystem::create_symlink(root / "game1" / "team3.rst", root / "LINK.RST");
    const std::pair<std::string, std::string> same[] = {{"GAME1\\TEAM3.RST", "game1/team3.rst"},
                                                        {".\\GAME1\\TEAM3.RST", root.string() + "/game1/team3.rst"},
                                                        {"LINK.RST", "GAME1\\TEAM3.RST"}};
    for (const auto& [from, to] : same) EXPECT_TRUE(COPYFILE(from, to)) << from;
    EXPECT_EQ(get("game1/team3.rst"), "container bytes");
}

TEST_F(FilesCopy, FailedCopyIsFatal4AndLeavesSourceAndOldTargetWhole) {
    put("SRC.DAT", pattern(50000));
    put("DST.DAT", "previous turn");
    EXPECT_EQ(fatal([] { COPYFILE("SRC.DAT", "NODIR\\DST.DAT"); }), "4:NODIR\\DST.DAT");
    {
        FileSizeLimit limit(20000);
        EXPECT_EQ(fatal([] { COPYFILE("SRC.DAT", "DST.DAT"); }), "4:DST.DAT");
    }
    EXPECT_EQ(get("DST.DAT"), "previous turn");
    EXPECT_EQ(get("SRC.DAT"), pattern(50000));
    EXPECT_EQ(listing(), "DST.DAT\nSRC.DAT\n");
}

TEST_F(FilesCopy, MoveRemovesTheSourceOnlyAfterTheCopy) {
    put("A.DAT", "payload");
    put("B.DAT", "keep");
    EXPECT_EQ(fatal([] { MOVEFILE("A.DAT", "NODIR\\A.DAT"); }), "4:NODIR\\A.DAT");
    EXPECT_EQ(get("A.DAT"), "payload");
    EXPECT_FALSE(MOVEFILE("C.DAT", "B.DAT"));
    EXPECT_EQ(get("B.DAT"), "keep");
    dirs({"GAME1"});
    EXPECT_TRUE(MOVEFILE("A.DAT", "GAME1\\A.DAT"));
    EXPECT_FALSE(exists("A.DAT"));
    EXPECT_EQ(get("GAME1/A.DAT"), "payload");
    // Onto itself, however spelt: nothing happens.
    put("GAME1/POKAL3.RST", "cup result");
    EXPECT_TRUE(MOVEFILE("GAME1\\POKAL3.RST", ".\\game1\\pokal3.rst"));
    EXPECT_EQ(get("GAME1/POKAL3.RST"), "cup result");
}

TEST_F(FilesCopy, FileCheckDeleteAndReadWholeFileTakeOnlyFiles) {
    put("GEN3.DAT", std::string("a\0b", 3));
    dirs({"DIR"});
    EXPECT_TRUE(FILECHECK("gen3.dat"));
    for (const char* name : {"GEN4.DAT", "DIR", ""}) EXPECT_FALSE(FILECHECK(name)) << name;
    std::string s;
    EXPECT_FALSE(READWHOLEFILE("NOPE", s));
    EXPECT_TRUE(READWHOLEFILE("gen3.dat", s));
    EXPECT_EQ(s, std::string("a\0b", 3));
    EXPECT_NO_THROW(DELETEFILE("NOPE.DAT"));
    DELETEFILE("gen3.dat");
    DELETEFILE("DIR");
    EXPECT_EQ(listing(), "DIR\n");
}

TEST_F(FilesCopy, RewriteReplacesWholeKeepsRightsAndAFailureLeavesThePreviousFile) {
    put("KORAX.INI", "ID=255\nold\n");
    std::filesystem::permissions(root / "KORAX.INI", std::filesystem::perms(0640));
    REWRITEFILE("korax.ini", "ID=255\nnew\n");
    EXPECT_EQ(get("KORAX.INI"), "ID=255\nnew\n");
    EXPECT_EQ(std::filesystem::status(root / "KORAX.INI").permissions(), std::filesystem::perms(0640));
    {
        FileSizeLimit limit(10);
        EXPECT_EQ(fatal([] { REWRITEFILE("KORAX.INI", std::string(100, 'x'), 1, 5, 9); }), "5:KORAX.INI");
    }
    EXPECT_EQ(get("KORAX.INI"), "ID=255\nnew\n");
    EXPECT_EQ(listing(), "KORAX.INI\n");
    EXPECT_EQ(fatal([] { REWRITEFILE("NODIR\\TEAM3.TRN", "x", 4, 5, 9); }), "4:NODIR\\TEAM3.TRN");
}

TEST_F(FilesCopy, UncommittedFileVanishesWithoutTouchingTheTarget) {
    put("TEAM3.DAT", "old");
    {
        ATOMICFILE f;
        CREATEFILE(f, "TEAM3.DAT");
        WRITEFILE(f, "half");
    }
    EXPECT_EQ(get("TEAM3.DAT"), "old");
    EXPECT_EQ(listing(), "TEAM3.DAT\n");
    ATOMICFILE f;
    CREATEFILE(f, "TEAM3.DAT");
    WRITEFILE(f, "whole");
    COMMITFILE(f);
    EXPECT_EQ(get("TEAM3.DAT"), "whole");
}
