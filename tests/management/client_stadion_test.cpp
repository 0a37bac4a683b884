// The stadium through the real client on the demonstration game: a build order
// and a ticket price set by scripted input land in the team file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "data/g_types.h"
#include "platform/process.h"

using namespace korax;
namespace fs = std::filesystem;

namespace {

TEAMREC own_team(const fs::path& file) {
    std::ifstream f(file, std::ios::binary);
    const std::string b{std::istreambuf_iterator<char>(f), {}};
    TEAMREC t{};
    EXPECT_GE(b.size(), sizeof t);
    if (b.size() >= sizeof t) std::memcpy(&t, b.data(), sizeof t);  // demo team 1
    return t;
}

}  // namespace

TEST(StadiumThroughTheClient, OrderAndPriceAreWrittenWhenLeaving) {
    std::string tmpl = (fs::temp_directory_path() / "korax-mgmtclient-XXXXXX").string();
    const fs::path root = ::mkdtemp(tmpl.data());
    for (auto& e : fs::directory_iterator(KORAX_DIST_DIR))
        if (e.path().filename() != "DEMO") fs::copy(e.path(), root / e.path().filename(), fs::copy_options::recursive);
    fs::rename(root / "DEMO.ORIG", root / "DEMO");
    const TEAMREC before = own_team(root / "DEMO" / "TEAM1.DAT");
    ASSERT_LE(before.STADION.SITZPLAETZE + 10, 2000);
    ASSERT_GE(before.GOLD, 20);

    // The stadium's menu button, ten seats, ticket price 9, leave with "R".
    std::ofstream(root / "input.script") << "wait 200\nclick 888 511\nwait 200\n"
                                            "key 1\nkey Space\nkey Esc\ntext 10\nkey Enter\nkey Enter\n"
                                            "key 2\nkey Space\nkey Esc\ntext 9\nkey Enter\nkey Enter\n"
                                            "key R\nwait 200\n";
    PROCESSRUN r;
    r.program = (root / "korax").string();
    r.args = {"DEMO"};
    r.dir = root.string();
    r.output = (root / "client.log").string();
    ::setenv("KORAX_VIDEO", "headless", 1);
    ::setenv("KORAX_INPUT", (root / "input.script").c_str(), 1);
    RUNANDWAIT(r);  // ends when the script runs out in the menu
    ::unsetenv("KORAX_INPUT");

    const TEAMREC after = own_team(root / "DEMO" / "TEAM1.DAT");
    EXPECT_EQ(after.STADION.ERWEITERUNG, 10);
    EXPECT_EQ(after.STADION.EINTRITT, 9);
    EXPECT_EQ(after.GOLD, before.GOLD - 20);
    std::error_code ec;
    fs::remove_all(root, ec);
}
