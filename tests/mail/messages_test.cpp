// Incoming message records, their rows on screen, replies and the addressee list.
#include <gtest/gtest.h>

#include <tuple>

#include "turn/messages.h"

using namespace korax;

namespace {

const std::array<std::string, 11> TEAMS = {"",           "Giant Boots", "Pixie Dust", "Golem Works", "Banshees",
                                           "Kraken",     "Team 6",      "Team 7",     "Team 8",      "Team 9",
                                           "Giant"};

MSGTYPE msg(std::vector<std::string> lines) {
    MSGTYPE m{};
    for (std::size_t i = 0; i < lines.size() && i < 15; ++i) m.LINE[i].set(lines[i]);
    return m;
}

// "***" + 11 characters + team name + 4 closing characters.
const std::string HEADER = "*** From: 001 Giant Boots ***";
const std::string HEADER_ALL = "*** From: 001 Giant Boots <*>**";

}  // namespace

TEST(MessageSender, Headers) {
    const std::pair<std::string, std::string> cases[] = {
        {HEADER, "Giant Boots"}, {HEADER_ALL, "Giant Boots"}, {"*** short", ""}, {"***", ""},
        {"*** <*> early all message", ""}, {"*** 0123456789<*>", ""}, {"*** 01234567890123", ""},
        {"*** 0123456789Xabcd", "X"}};
    for (const auto& [header, name] : cases) EXPECT_EQ(SENDERNAME(header), name) << header;
    EXPECT_EQ((std::array<int, 4>{SENDERTEAM("Giant Boots", TEAMS), SENDERTEAM("Giant", TEAMS),
                                  SENDERTEAM("giant boots", TEAMS), SENDERTEAM("", TEAMS)}),
              (std::array<int, 4>{1, 10, 0, 0}));
}

TEST(MessageKinds, FirstLineDecides) {
    struct Case { std::string line1; MSGKIND kind; bool titled; std::string first_shown; } const cases[] = {
        {HEADER, MSGKIND::TRAINER, false, "body"}, {"\xe9\xe9" + HEADER, MSGKIND::TRAINER, true, "body"},
        {"*Notice", MSGKIND::NOTICE, false, "Notice"}, {"\xe9*Notice", MSGKIND::NOTICE, true, "Notice"},
        {"** Two stars", MSGKIND::NOTICE, false, "* Two stars"}, {"Centred", MSGKIND::CENTRED, false, "Centred"},
        {"\xe9\xe9\xe9", MSGKIND::CENTRED, true, ""},
    };
    for (const auto& c : cases) {
        MSGVIEW v = VIEWMSG(msg({c.line1, "body"}));
        EXPECT_EQ(std::tie(v.kind, v.titled, v.lines.front()), std::tie(c.kind, c.titled, c.first_shown)) << c.line1;
        EXPECT_EQ(v.lines.size(), c.kind == MSGKIND::TRAINER ? 9u : 10u);
    }
    EXPECT_TRUE(VIEWMSG(msg({HEADER_ALL})).toall);
}

TEST(MessageRows, LayoutAndHighlight) {
    const std::string a40 = std::string(30, 'a') + " " + std::string(39, 'b');  // blank at 31
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"short   ", {"short"}}, {"one\xf5two", {"one", "two"}}, {"\xf5\xf5\xf5", {}}, {"", {}},
        {a40, {std::string(30, 'a'), std::string(39, 'b')}},
        {std::string(80, 'x'), {std::string(20, 'x'), std::string(60, 'x')}},
        // A blank after position 40 does not count; one at 20 neither.
        {std::string(19, 'c') + " " + std::string(25, 'd') + " " + std::string(30, 'e'),
         {std::string(19, 'c') + " ", std::string(25, 'd') + " " + std::string(30, 'e')}},
        {std::string(40, 'f') + " " + std::string(30, 'g'), {std::string(20, 'f'), std::string(20, 'f') + " " + std::string(30, 'g')}},
    };
    for (const auto& [line, rows] : cases) EXPECT_EQ(MSGROWS(line), rows) << line;
    // Marks switch the highlight, also across rows.
    bool hl = false;
    auto runs = [&](const std::string& line) {
        std::string s;
        for (const auto& r : MSGRUNS(line, hl)) s += (r.highlight ? "[" : "(") + r.text + (r.highlight ? "]" : ")");
        return s;
    };
    EXPECT_EQ(runs("plain #bright"), "(plain )[bright]");
    EXPECT_EQ(runs("still^ back"), "[still]( back)");
}

TEST(MessageScreen, LeftMarginAndPositionBar) {
    EXPECT_EQ(SETLEFTX(400, 150, 587), 387);
    EXPECT_EQ(SETLEFTX(900, 150, 587), 170);
    // Ticks every 100/c pixels, halves to even: c = 8 gives 12.5 → 12, 37.5 → 38.
    EXPECT_EQ(BARTICKS(8, 0), (std::vector<int>{0, 12, 25, 38, 50, 62, 75, 88, 100}));
    EXPECT_EQ(BARMARK(1, 8, 0), 7);  // (0 + 12.5) / 2 = 6.25 → 6, + 1
    EXPECT_EQ(BARMARK(1, 20, 0), -1);
    // Over 100 messages the ticks stay on the bar.
    const std::vector<int> t150 = BARTICKS(150, 0);
    EXPECT_EQ(t150.size(), 151u);
    EXPECT_EQ(*std::max_element(t150.begin(), t150.end()), 100);
    const std::array<int, 5> picks = {BARPICK(0, 8, 0), BARPICK(99, 8, 0), BARPICK(40, 8, 0), BARPICK(100, 8, 0),
                                      BARPICK(50, 10000, 0)};
    EXPECT_EQ(picks, (std::array<int, 5>{1, 8, 4, 8, 51}));
}

TEST(MessageReply, LongQuotesAreBroken) {
    // A quote of 78 characters is broken at a blank to stay within 80.
    std::string longline = std::string(50, 'w') + " " + std::string(27, 'z');
    EXPECT_EQ(REPLYLINES(VIEWMSG(msg({HEADER, longline})), 1, "Giant Boots", "U", "R"),
              (std::vector<std::string>{"<1> Giant Boots", "R", " U> " + std::string(50, 'w'), " U> " + std::string(27, 'z')}));
}

TEST(OutgoingFile, AppendAndAddressees) {
    EXPECT_EQ(APPENDLINES("", {"<3> Golem Works"}), "<3> Golem Works\r\n");
    EXPECT_EQ(APPENDLINES("last line", {"<*> all"}), "\r\n<*> all\r\n");
    EXPECT_EQ(APPENDLINES("done\r\n", {"x"}), "x\r\n");
    std::string text = "<1> Giant Boots\r\nhello <2>\r\n<0> x\r\n<11> y\r\n<> z\r\n<*> all\r\n<3\r\n";
    text += std::string("<1\0> nul\r\n", 10);
    EXPECT_EQ(ADDRESSEES(text, TEAMS, "ALL"), (std::vector<std::string>{"Giant Boots", "* ALL *"}));
    std::string eleven;
    for (int i = 0; i < 11; ++i) eleven += "<" + std::to_string(i % 10 + 1) + "> t\r\n";
    auto listed = ADDRESSEES(eleven, TEAMS, "ALL");
    ASSERT_EQ(listed.size(), 10u);
    EXPECT_EQ(listed.back(), "Giant");
}
