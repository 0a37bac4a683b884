// Streams in memory, else in a private spill file: the bytes come back, misuse is an error number.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "ui/frames.h"
#include "ui/memplus.h"

using namespace korax;

namespace {

struct MemplusTest : ::testing::Test {
    std::filesystem::path dir;
    void SetUp() override {
        MEMPLUSRESET();
        dir = std::filesystem::temp_directory_path() /
              ("memplus-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        TEMPPFAD = (dir / "EMS_XMS.TMP").string();
        MEMPLUSFREEKB = -1;
    }
    void TearDown() override {
        MEMPLUSRESET();
        TEMPPFAD.clear();
        MEMPLUSFREEKB = -1;
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(dir);
    }
};

}  // namespace

TEST_F(MemplusTest, RoundTripInMemoryOrInTheFileWhenMemoryIsShortReopeningKeepsTheStream) {
    const std::array<std::uint8_t, 10> out{1, 2, 3, 4, 5, 6, 7, 8, 9, 250};
    for (const auto& [h, freekb, form] : {std::tuple{3, -1, "HP"}, std::tuple{1, 0, "HD"}}) {
        MEMPLUSFREEKB = freekb;
        MEMPLUSOPEN(h, 4, 8);
        ASSERT_TRUE(MEMPLUSISOPEN(h));
        EXPECT_EQ(MEMPLUSFORM.str(), form);
        MEMPLUSWRITE(h, out.data(), out.size());
        MEMPLUSOPEN(h, 4, 8);  // already open: kept as it is
        EXPECT_EQ(MEMPLUSPOS(h), 10);
        MEMPLUSSEEK(h, 0);
        std::array<std::uint8_t, 10> in{};
        MEMPLUSREAD(h, in.data(), in.size());
        EXPECT_EQ(in, out);
        EXPECT_EQ(MEMPLUSERROR, 0);
    }
    // The spill file is private to the stream: its name is free again at once.
    EXPECT_FALSE(std::filesystem::exists(TEMPPFAD));
    // Closed handles do nothing.
    std::uint8_t b = 9;
    MEMPLUSWRITE(9, &b, 1);
    MEMPLUSREAD(9, &b, 1);
    MEMPLUSSEEK(9, 5);
    EXPECT_EQ(std::make_tuple(MEMPLUSPOS(9), MEMPLUSERROR, b), std::make_tuple(0, 0, 9));
}

TEST_F(MemplusTest, AMemoryStreamGrowsUpToItsMaximumOrTakesTheSecondSizeWhenTheFirstDoesNotFit) {
    MEMPLUSOPEN(6, 4, 8);
    ASSERT_EQ(MEMPLUSFORM.str(), "HP");
    std::vector<std::uint8_t> data(8 * 1024 + 1, 5);
    MEMPLUSWRITE(6, data.data(), 6 * 1024);  // past the 4 KiB it started with
    MEMPLUSWRITE(6, data.data(), 2 * 1024);
    EXPECT_EQ(std::make_tuple(MEMPLUSERROR, MEMPLUSPOS(6)), std::make_tuple(0, 8 * 1024));
    MEMPLUSWRITE(6, data.data(), 1);
    EXPECT_EQ(MEMPLUSERROR, 3);
    MEMPLUSFREEKB = 10;
    MEMPLUSOPEN(2, 100, 8);
    EXPECT_EQ(MEMPLUSFORM.str(), "HP");
    MEMPLUSWRITE(2, data.data(), data.size());
    EXPECT_EQ(MEMPLUSERROR, 3);  // past the stream's size
}

TEST_F(MemplusTest, SeekAndReadPastTheEndAreErrors) {
    for (bool file : {false, true}) {
        MEMPLUSRESET();
        MEMPLUSFREEKB = file ? 0 : -1;
        MEMPLUSOPEN(4, 4, 4);
        std::array<std::uint8_t, 4> d{1, 2, 3, 4};
        MEMPLUSWRITE(4, d.data(), d.size());
        MEMPLUSSEEK(4, 5);
        EXPECT_EQ(std::make_tuple(MEMPLUSERROR, MEMPLUSPOS(4)), std::make_tuple(2, 4));
        MEMPLUSSEEK(4, 2);
        std::array<std::uint8_t, 4> r{9, 9, 9, 9};
        MEMPLUSREAD(4, r.data(), r.size());
        EXPECT_EQ(MEMPLUSERROR, 4);
        EXPECT_EQ(r, (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
        MEMPLUSCLOSE(4);
        EXPECT_FALSE(MEMPLUSISOPEN(4));
    }
}

TEST_F(MemplusTest, NoMemoryAndUnwritableTempOrABadHandleIsErrorOne) {
    MEMPLUSOPEN(-1, 4, 4);
    EXPECT_EQ(MEMPLUSERROR, 1);
    if (::geteuid() == 0) {
        // root writes anywhere: point the file at a directory that does not exist instead
        TEMPPFAD = (dir / "missing" / "EMS_XMS.TMP").string();
    } else {
        std::filesystem::permissions(dir, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    }
    MEMPLUSFREEKB = 0;
    MEMPLUSOPEN(7, 4, 4);
    EXPECT_EQ(std::make_tuple(MEMPLUSERROR, MEMPLUSISOPEN(7), MEMPLUSFORM.str()), std::make_tuple(1, false, "NO"));
}
