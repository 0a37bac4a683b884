// The language table loader: LANGUAGE.CFG, the language file format and every
// failure message the trainer can meet.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "data/lg.h"

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

TEST_F(LanguageFile, TextKeepsEqualsSignsAndBlanks) {
    EXPECT_EQ(load("KORAX 221\n3=Needs GRAPHMODE=2.\n295= has not arrived.\n414=Importing \n"), "");
    EXPECT_EQ(L[3].str(), "Needs GRAPHMODE=2.");
    EXPECT_EQ(L[295].str(), " has not arrived.");
    EXPECT_EQ(L[414].str(), "Importing ");
}

TEST_F(LanguageFile, EmptyTextAndCommentsAndLaterLinesWin) {
    EXPECT_EQ(load("KORAX 220\n\n- a comment=with equals\n7=first\n7=second\n9=\n"), "");
    EXPECT_EQ(L[7].str(), "second");
    EXPECT_EQ(L[9].str(), "");
}

TEST_F(LanguageFile, DeclaredMaximumLength) {
    EXPECT_EQ(load("KORAX 220\n6=On|5\n8=abc|3\n"), "");
    EXPECT_EQ(L[6].str(), "On");
    EXPECT_EQ(load("KORAX 220\n6=On\n8=abc|2\n"), "Fileformat KORAX.ENG, Stringlength in Line 3");
    EXPECT_EQ(load("KORAX 220\n8=abc|x\n"), "Fileformat KORAX.ENG, Stringlength in Line 2");
    EXPECT_EQ(load("KORAX 220\n8=abc|\n"), "Fileformat KORAX.ENG, Stringlength in Line 2");
}

TEST_F(LanguageFile, DefaultMaximumIsSeventy) {
    std::string t70(70, 'x');
    EXPECT_EQ(load("KORAX 220\n1=" + t70 + "\n"), "");
    EXPECT_EQ(L[1].str(), t70);
    EXPECT_EQ(load("KORAX 220\n1=" + t70 + "y\n"), "Fileformat KORAX.ENG, Stringlength in Line 2");
    // A larger declared maximum lets the line in; the table keeps 70 characters.
    EXPECT_EQ(load("KORAX 220\n1=" + t70 + "yz|100\n"), "");
    EXPECT_EQ(L[1].str(), t70);
}

TEST_F(LanguageFile, EntryNumberLimits) {
    EXPECT_EQ(load("KORAX 220\n700=ok\n"), "");
    EXPECT_EQ(load("KORAX 220\n1=a\n701=too far\n"), "Reading KORAX.ENG, too much entries, Line 3");
    EXPECT_EQ(MAXLG, 701);
    EXPECT_EQ(load("KORAX 220\n999=too far\n"), "Reading KORAX.ENG, too much entries, Line 2");
    // Four digits must not silently land on entry 123.
    EXPECT_EQ(load("KORAX 220\n1234=cut\n"), "Fileformat KORAX.ENG, Line 2");
    EXPECT_EQ(load("KORAX 220\n0123=x\n"), "Fileformat KORAX.ENG, Line 2");
}

TEST_F(LanguageFile, NegativeAndMalformedNumbersAreRefused) {
    EXPECT_EQ(load("KORAX 220\n -5=x\n"), "Fileformat KORAX.ENG, Line 2");
    EXPECT_EQ(load("KORAX 220\n+5=x\n"), "Fileformat KORAX.ENG, Line 2");
    EXPECT_EQ(load("KORAX 220\nab=x\n"), "Fileformat KORAX.ENG, Line 2");
    EXPECT_EQ(load("KORAX 220\n=x\n"), "Fileformat KORAX.ENG, Line 2");
    EXPECT_EQ(load("KORAX 220\n1=a\n12 no equals\n"), "Fileformat KORAX.ENG, Line 3");
    // A line starting with "-" is a comment, whatever follows.
    EXPECT_EQ(load("KORAX 220\n-5=x\n"), "");
}

TEST_F(LanguageFile, VersionCheck) {
    EXPECT_EQ(load("KORAX 219\n1=a\n"), "File KORAX.ENG, Version 2.19 is obsolete");
    EXPECT_EQ(load("KORAX 5\n"), "File KORAX.ENG, Version 0.05 is obsolete");
    EXPECT_EQ(load("KORAX    220\n"), "");
    EXPECT_EQ(load("KORAX 65535\n"), "");
    EXPECT_EQ(load("KORAX 65536\n"), "Fileformat KORAX.ENG, Line 1");
    EXPECT_EQ(load("KORAX v220\n"), "Fileformat KORAX.ENG, Line 1");
    EXPECT_EQ(load("KORAX \n"), "Fileformat KORAX.ENG, Line 1");
}

TEST_F(LanguageFile, HeaderLine) {
    EXPECT_EQ(load(""), "Reading KORAX.ENG, Line 1");
    EXPECT_EQ(load("KORAX220\n"), "Reading KORAX.ENG, Line 1");
    EXPECT_EQ(load(" KORAX 220\n"), "Reading KORAX.ENG, Line 1");
    EXPECT_EQ(load("OTHER 220\n"), "Fileformat KORAX.ENG, Entry \"KORAX\" don't match");
    EXPECT_EQ(load("korax 220\n"), "Fileformat KORAX.ENG, Entry \"KORAX\" don't match");
}

TEST_F(LanguageFile, FailedLoadKeepsThePreviousTable) {
    EXPECT_EQ(load("KORAX 220\n1=kept\n"), "");
    EXPECT_NE(load("KORAX 220\n1=new\n2=bad|1\n"), "");
    EXPECT_EQ(L[1].str(), "kept");
}

TEST_F(LanguageFile, LanguageChoice) {
    write("LANGUAGE.CFG", "2\n1 :ENG English\n2 :DEU Deutsch\n");
    write("KORAX.DEU", "KORAX 220\n1=Taste dr\x81" "cken\n");
    READ_LG("KORAX", 220);
    EXPECT_EQ(LEXT.str(), "DEU");
    EXPECT_EQ(NAME.str(), "KORAX.DEU");
    EXPECT_EQ(L[1].str(), "Taste dr\x81" "cken");
}

TEST_F(LanguageFile, TwoDigitLanguageNumbersAndShortLines) {
    write("LANGUAGE.CFG", "12\n12 xx\n12:DEU Deutsch\n");
    write("KORAX.DEU", "KORAX 220\n1=x\n");
    READ_LG("KORAX", 220);
    EXPECT_EQ(LEXT.str(), "DEU");
}

TEST_F(LanguageFile, UnlistedLanguageNamesTheProgram) {
    write("LANGUAGE.CFG", "3\n1 :ENG English\n2 :DEU Deutsch\n");
    try {
        READ_LG("KORAX", 220);
        FAIL();
    } catch (const ReportedStop& e) {
        EXPECT_EQ(e.text, "Fileformat LANGUAGE.CFG, Entry \"KORAX\" not found");
    }
}

TEST_F(LanguageFile, ExtensionMustBeAPlainName) {
    write("LANGUAGE.CFG", "1\n1 :/.. escape\n");
    EXPECT_THROW(READ_LG("KORAX", 220), ReportedStop);
}

TEST_F(LanguageFile, MissingFiles) {
    fs::remove(dir / "LANGUAGE.CFG");
    try {
        READ_LG("KORAX", 220);
        FAIL();
    } catch (const ReportedStop& e) {
        EXPECT_EQ(e.text, "Open LANGUAGE.CFG");
    }
    write("LANGUAGE.CFG", "1\n1 :ENG English\n");
    try {
        READ_LG("KORAX", 220);
        FAIL();
    } catch (const ReportedStop& e) {
        EXPECT_EQ(e.text, "Open KORAX.ENG");
    }
    write("LANGUAGE.CFG", "one\n1 :ENG English\n");
    try {
        READ_LG("KORAX", 220);
        FAIL();
    } catch (const ReportedStop& e) {
        EXPECT_EQ(e.text, "Open LANGUAGE.CFG");
    }
}

TEST_F(LanguageFile, FileNamesAreFoundInAnyLetterCase) {
    fs::remove(dir / "LANGUAGE.CFG");
    write("language.cfg", "1\n1 :ENG English\n");
    write("korax.eng", "KORAX 220\n1=lower\n");
    READ_LG("KORAX", 220);
    EXPECT_EQ(L[1].str(), "lower");
}

TEST_F(LanguageFile, FileSavedAsUtf8IsReadInCodePage437) {
    EXPECT_EQ(load("KORAX 220\n1=T\xC3\xBCr\n2=" + std::string(70, 'x').substr(2) + "\xC3\xA4\xC3\xB6\n"), "");
    EXPECT_EQ(L[1].str(), "T\x81r");
    EXPECT_EQ(L[2].size(), 70u);
}

TEST(LanguageMessages, EveryNumberHasItsLine) {
    NAME.set("KORAX.ENG");
    LONG.set("KORAX");
    lg::LINE = 12;
    VERLG = 219;
    EXPECT_EQ(LG_MESSAGE(1), "Open LANGUAGE.CFG");
    EXPECT_EQ(LG_MESSAGE(2), "Open KORAX.ENG");
    EXPECT_EQ(LG_MESSAGE(3), "Reading KORAX.ENG, Line 12");
    EXPECT_EQ(LG_MESSAGE(4), "Fileformat KORAX.ENG, Line 12");
    EXPECT_EQ(LG_MESSAGE(5), "Fileformat LANGUAGE.CFG, Entry \"KORAX\" not found");
    EXPECT_EQ(LG_MESSAGE(6), "Fileformat KORAX.ENG, Entry \"KORAX\" don't match");
    EXPECT_EQ(LG_MESSAGE(7), "File KORAX.ENG, Version 2.19 is obsolete");
    EXPECT_EQ(LG_MESSAGE(8), "Fileformat KORAX.ENG, Stringlength in Line 12");
    EXPECT_EQ(LG_MESSAGE(9), "Reading KORAX.ENG, too much entries, Line 12");
    EXPECT_EQ(LG_MESSAGE(10), "Not enough memory");
    NAME.set("");
    LONG.set("");
    lg::LINE = 0;
    VERLG = 0;
}

TEST(LanguageMessages, ErrorLgStopsWithExitCodeOne) {
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
