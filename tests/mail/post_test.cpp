// Mail settings, POST.BAT bytes and read-back, value checks and log judgement.
#include <gtest/gtest.h>

#include <tuple>

#include "turn/post.h"

using namespace korax;
using namespace std::string_literals;

namespace {

POSTSETTINGS good() { return {"COACH@CLUB.EXAMPLE", "MAIL.EXAMPLE:587", "TURN 3", "", "", ""}; }

const std::string GOODBAT =
    "@echo Please wait...\r\n"
    "@blat.exe DEMO\\post.txt -t GM@LEAGUE.EXAMPLE -s \"TURN 3\" -f COACH@CLUB.EXAMPLE -server MAIL.EXAMPLE:587 "
    "-attach %1 >DEMO\\post.log\r\n";

}  // namespace

TEST(PostIni, LinesAndKeys) {
    struct Case { const char *text, *email, *smtp, *subject; } const cases[] = {
        {"EMAIL=a@b.c\nSMTP=mail.x\nSUBJECT=turn\n", "A@B.C", "MAIL.X", "TURN"},
        {"subject=small letters", "", "", "SMALL LETTERS"}, {"SUBJECT =blank before", "", "", ""},
        {"  SMTP=host;comment  ", "", "HOST", ""}, {";EMAIL=a@b.c", "", "", ""},
        {"EMAIL=a@b.c\r\nEMAIL=later@b.c\r\n", "LATER@B.C", "", ""},
        {"SUBJECT=0123456789012345678901234567890123456789xyz", "", "", "0123456789012345678901234567890123456789"},
        {"SMTP=mail.example:465", "", "MAIL.EXAMPLE:465", ""},
        {"SUBJECT=Zug \xc3\xa4", "", "", "ZUG \x84"},  // UTF-8 from a Linux editor becomes CP437
    };
    for (const auto& c : cases) {
        POSTSETTINGS s = PARSEPOSTINI(c.text);
        EXPECT_EQ(std::tie(s.EMAIL, s.SMTP, s.SUBJECT), std::make_tuple(c.email, c.smtp, c.subject)) << c.text;
    }
    // The sender's own keys keep their case.
    POSTSETTINGS s = PARSEPOSTINI("login=Trainer.One ; note\nPassword=Se;cret pw \nTLS=StartTLS\n");
    EXPECT_EQ(std::tie(s.LOGIN, s.PASSWORD, s.TLS), std::make_tuple("Trainer.One", "Se;cret pw ", "starttls"));
    std::string nul("EMAIL=a\0@b.c\n", 13);
    EXPECT_FALSE(VALIDADDRESS(PARSEPOSTINI(nul).EMAIL));
}

TEST(PostValues, OnlyPlainValuesPass) {
    struct Case { const char* value; bool address, server, subject; } const cases[] = {
        {"GM@LEAGUE.EXAMPLE", true, false, true}, {"a@b & x", false, false, true}, {"-attach /etc/passwd", false, false, true},
        {"a@b`id`", false, false, true}, {"$(x)@b", false, false, true}, {"nobody", false, true, true},
        {"mail.example:587", false, true, true}, {"mail.example:0", false, false, true},
        {"mail.example:99999", false, false, true}, {"-mail", false, false, true}, {"say \"hi\"", false, false, false},
        {"", false, false, false}, {"0123456789012345678901234567890123456789@", false, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(std::make_tuple(VALIDADDRESS(c.value), VALIDSERVER(c.value), VALIDSUBJECT(c.value)),
                  std::make_tuple(c.address, c.server, c.subject)) << c.value;
    }
    EXPECT_EQ(BADPOSTVALUE(good(), "GM@LEAGUE.EXAMPLE"), "");
    EXPECT_EQ(BADPOSTVALUE(good(), "a@b & x"), "mailto");
    POSTSETTINGS s = good();
    s.TLS = "maybe";
    EXPECT_EQ(BADPOSTVALUE(s, "GM@X.Y"), "TLS");
}

TEST(PostBat, BytesOfBothLinesAndReadBack) {
    EXPECT_EQ(POSTBATTEXT("DEMO\\", "GM@LEAGUE.EXAMPLE", good()), GOODBAT);
    // The pieces after "@blat.exe " are cut at 255 characters.
    EXPECT_EQ(POSTBATTEXT(std::string(200, 'D') + "\\", "GM@LEAGUE.EXAMPLE", good()).size(), 22u + 10u + 255u + 2u);
    // Read back it gives the sender's arguments.
    auto call = PARSEPOSTBAT(GOODBAT, "DEMO\\", "/games/DEMO/TEAM3.TRN");
    ASSERT_TRUE(call);
    const std::vector<std::string> tail(call->args.begin() + 1, call->args.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"-t", "GM@LEAGUE.EXAMPLE", "-s", "TURN 3", "-f", "COACH@CLUB.EXAMPLE",
                                              "-server", "MAIL.EXAMPLE:587", "-attach", "/games/DEMO/TEAM3.TRN"}));
    EXPECT_NE(call->args[0].find("post.txt"), std::string::npos);
    EXPECT_NE(call->log.find("post.log"), std::string::npos);
}

TEST(PostBat, AnyOtherShapeRunsNothing) {
    auto swap = [](std::string from, std::string to) {
        std::string s = GOODBAT;
        s.replace(s.find(from), from.size(), to);
        return s;
    };
    const std::vector<std::string> bad = {
        swap("\r\n@blat", "\n@blat"), GOODBAT + "del *.*\r\n", swap("@blat.exe", "@rm.exe"),
        swap("GM@LEAGUE.EXAMPLE", "GM@LEAGUE.EXAMPLE & rm -rf x"), swap("GM@LEAGUE.EXAMPLE", "-attach /etc/passwd"),
        swap(">DEMO\\post.log", ">/tmp/post.log"), swap("DEMO\\post.txt", "/etc/post.txt"), swap("%1", "/etc/passwd"),
        swap("-server MAIL.EXAMPLE:587", "-server `id`"), swap(" >DEMO\\post.log", ""),
        "@echo Please wait...\r\n@blat.exe DEMO\\post.txt\0 -t\r\n"s, "",
    };
    for (const std::string& text : bad) EXPECT_FALSE(PARSEPOSTBAT(text, "DEMO\\", "/t/TEAM3.TRN")) << text;
    std::string dir(200, 'D');
    EXPECT_FALSE(PARSEPOSTBAT(POSTBATTEXT(dir + "\\", "GM@X.Y", good()), dir + "\\", "/t")) << "cut line";
}

TEST(PostLog, Judgement) {
    const std::pair<const char*, int> cases[] = {{"Sending\nMail accepted\n", 0}, {"Error: Login denied\n", 1},
        {"some error here", 1}, {"ERROR in caps\n", 0}, {"", 0}, {"\x01\x02rror\xff", 1}};
    for (const auto& [text, want] : cases) EXPECT_EQ(JUDGEPOSTLOG(text), want) << text;
}
