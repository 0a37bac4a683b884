// The language table loader: LANGUAGE.CFG, the language file format and every
// failure message the trainer can meet.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "data/lg.h"
#include "platform/dospath.h"

namespace fs = std::filesystem;
using namespace korax;

namespace {

class LanguageFile : public ::testing::Test {
protected:
    fs::path dir;
    fs::path oldcwd;
    std::array<STRING70, 701> saved;

    void SetUp() override {
        saved = L;
        oldcwd = fs::current_path();
        char tmpl[] = "/tmp/korax_lg_XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir = tmpl;
        fs::current_path(dir);
        write("LANGUAGE.CFG", "1\n1 :ENG English\n2 :DEU Deutsch\n");
    }
    void TearDown() override {
        fs::current_path(oldcwd);
        fs::remove_all(dir);
        L = saved;
        LGNR = 0;
        LEXT.set("ENG");
        LONG.set("");
        NAME.set("");
        VERLG = 0;
        MAXLG = 0;
        lg::LINE = 0;
    }
    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    // Loads and returns the message of the stop, or "" when the load succeeded.
    std::string load(const std::string& file) {
        write("KORAX.ENG", file);
        testing::internal::CaptureStderr();
        try {
            READ_LG("KORAX", 220);
            testing::internal::GetCapturedStderr();
        } catch (const ReportedStop& e) {
            EXPECT_NE(testing::internal::GetCapturedStderr().find(e.text), std::string::npos);
            EXPECT_EQ(e.nr, 1);
            EXPECT_EQ(ERROR_EXITCODE(e.nr), 1);
            return e.text;
        }
        return "";
    }
};

TEST_F(LanguageFile, LoadsEntriesAndLeavesOthersEmpty) {
    L[5].set("stale");
    EXPECT_EQ(load("KORAX 220\n1=Press a key\n215=has been saved./Send it.\r\n700=last\n"), "");
    EXPECT_EQ(L[1].str(), "Press a key");
    EXPECT_EQ(L[215].str(), "has been saved./Send it.");
    EXPECT_EQ(L[700].str(), "last");
    EXPECT_EQ(L[5].str(), "");
    EXPECT_EQ(MAXLG, 700);
    EXPECT_EQ(VERLG, 220);
    EXPECT_EQ(NAME.str(), "KORAX.ENG");
    EXPECT_EQ(LGNR, 1);
}

TEST_F(LanguageFile, TextsKeepEqualsSignsBlanksAndTheirLimits) {
    const std::string t70(70, 'x');
    const struct { std::string file; int entry; std::string text; } cases[] = {
        {"KORAX 221\n3=Needs GRAPHMODE=2.\n", 3, "Needs GRAPHMODE=2."},
        {"KORAX 220\n295= has not arrived.\n", 295, " has not arrived."},
        {"KORAX 220\n414=Importing \n", 414, "Importing "},
        {"KORAX 220\n\n- a comment=with equals\n7=first\n7=second\n", 7, "second"},  // later lines win
        {"KORAX 220\n9=\n", 9, ""},
        {"KORAX 220\n-5=x\n", 5, ""},  // "-" starts a comment whatever follows
        {"KORAX 220\n6=On|5\n", 6, "On"},
        {"KORAX 220\n1=" + t70 + "\n", 1, t70},
        {"KORAX 220\n1=" + t70 + "yz|100\n", 1, t70},  // a larger maximum lets it in; the table keeps 70
        {"KORAX    220\n700=ok\n", 700, "ok"},
        {"KORAX 65535\n", 1, ""},
        {"KORAX 220\n1=T\xC3\xBCr\n", 1, "T\x81r"},  // saved as UTF-8, read in code page 437
        {"KORAX 220\n2=" + t70.substr(2) + "\xC3\xA4\xC3\xB6\n", 2, t70.substr(2) + "\x84\x94"}};
    for (const auto& c : cases) {
        EXPECT_EQ(load(c.file), "") << c.file;
        EXPECT_EQ(L[c.entry].str(), c.text) << c.file;
    }
}

TEST_F(LanguageFile, BadFilesStopWithTheirMessageAndKeepThePreviousTable) {
    EXPECT_EQ(load("KORAX 220\n1=kept\n"), "");
    const std::string t70(70, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {"KORAX 220\n6=On\n8=abc|2\n", "Fileformat KORAX.ENG, Stringlength in Line 3"},
        {"KORAX 220\n8=abc|x\n", "Fileformat KORAX.ENG, Stringlength in Line 2"},
        {"KORAX 220\n8=abc|\n", "Fileformat KORAX.ENG, Stringlength in Line 2"},
        {"KORAX 220\n1=" + t70 + "y\n", "Fileformat KORAX.ENG, Stringlength in Line 2"},
        {"KORAX 220\n1=a\n701=too far\n", "Reading KORAX.ENG, too much entries, Line 3"},
        {"KORAX 220\n999=too far\n", "Reading KORAX.ENG, too much entries, Line 2"},
        {"KORAX 220\n1234=cut\n", "Fileformat KORAX.ENG, Line 2"},  // never entry 123
        {"KORAX 220\n0123=x\n", "Fileformat KORAX.ENG, Line 2"},
        {"KORAX 220\n -5=x\n", "Fileformat KORAX.ENG, Line 2"},
        {"KORAX 220\n+5=x\n", "Fileformat KORAX.ENG, Line 2"},
        {"KORAX 220\nab=x\n", "Fileformat KORAX.ENG, Line 2"},
        {"KORAX 220\n=x\n", "Fileformat KORAX.ENG, Line 2"},
        {"KORAX 220\n1=a\n12 no equals\n", "Fileformat KORAX.ENG, Line 3"},
        {"KORAX 219\n1=a\n", "File KORAX.ENG, Version 2.19 is obsolete"},
        {"KORAX 5\n", "File KORAX.ENG, Version 0.05 is obsolete"},
        {"KORAX 65536\n", "Fileformat KORAX.ENG, Line 1"},
        {"KORAX v220\n", "Fileformat KORAX.ENG, Line 1"},
        {"KORAX \n", "Fileformat KORAX.ENG, Line 1"},
        {"", "Reading KORAX.ENG, Line 1"},
        {"KORAX220\n", "Reading KORAX.ENG, Line 1"},
        {" KORAX 220\n", "Reading KORAX.ENG, Line 1"},
        {"OTHER 220\n", "Fileformat KORAX.ENG, Entry \"KORAX\" don't match"},
        {"korax 220\n", "Fileformat KORAX.ENG, Entry \"KORAX\" don't match"}};
    for (const auto& [file, message] : cases) {
        EXPECT_EQ(load(file), message) << file;
        EXPECT_EQ(L[1].str(), "kept") << file;
    }
}

TEST_F(LanguageFile, LanguageChoiceFromTheListInAnyLetterCase) {
    const struct { const char* cfg; const char* file; } cases[] = {
        {"2\n1 :ENG English\n2 :DEU Deutsch\n", "KORAX.DEU"},
        {"12\n12 xx\n12:DEU Deutsch\n", "KORAX.DEU"},  // two-digit numbers, short lines skipped
        {"1\n1 :ENG English\n", "korax.eng"}};
    for (const auto& c : cases) {
        fs::remove(dir / "LANGUAGE.CFG");
        write("language.cfg", c.cfg);
        write(c.file, "KORAX 220\n1=Taste dr\x81" "cken\n");
        READ_LG("KORAX", 220);
        EXPECT_EQ(LEXT.str(), UPCASE(std::string(c.file).substr(6))) << c.cfg;
        EXPECT_EQ(L[1].str(), "Taste dr\x81" "cken");
        fs::remove(dir / c.file);
    }
}

TEST_F(LanguageFile, MissingOrBadListAndMissingFile) {
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, "Open LANGUAGE.CFG"},
        {"1\n1 :ENG English\n", "Open KORAX.ENG"},
        {"one\n1 :ENG English\n", "Open LANGUAGE.CFG"},
        {"3\n1 :ENG English\n2 :DEU Deutsch\n", "Fileformat LANGUAGE.CFG, Entry \"KORAX\" not found"},
        {"1\n1 :/.. escape\n", nullptr}};  // the extension must be a plain name
    for (const auto& [cfg, message] : cases) {
        fs::remove(dir / "LANGUAGE.CFG");
        if (cfg) write("LANGUAGE.CFG", cfg);
        testing::internal::CaptureStderr();
        try {
            READ_LG("KORAX", 220);
            ADD_FAILURE() << (cfg ? cfg : "(none)");
        } catch (const ReportedStop& e) {
            if (message) {
                EXPECT_EQ(e.text, message);
            }
        }
        testing::internal::GetCapturedStderr();
    }
}

TEST(LanguageMessages, OutOfMemoryAndTheStopOfErrorLg) {
    EXPECT_EQ(LG_MESSAGE(10), "Not enough memory");
    testing::internal::CaptureStderr();
    try {
        ERROR_LG(1);
        FAIL();
    } catch (const ReportedStop& e) {
        EXPECT_EQ(e.nr, 1);
    }
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "\nError 1 Language-File :\nOpen LANGUAGE.CFG\nTo change Language -> edit LANGUAGE.CFG in the program directory (first line: number of a listed language)\n");
}

}  // namespace
