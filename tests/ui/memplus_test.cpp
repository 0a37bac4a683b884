#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cstdlib>
#include <filesystem>

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
    void roundtrip(int h) {
        const std::array<std::uint8_t, 10> out{1, 2, 3, 4, 5, 6, 7, 8, 9, 250};
        std::array<std::uint8_t, 10> in{};
        MEMPLUSWRITE(h, out.data(), out.size());
        EXPECT_EQ(MEMPLUSPOS(h), 10);
        MEMPLUSSEEK(h, 0);
        EXPECT_EQ(MEMPLUSPOS(h), 0);
        MEMPLUSREAD(h, in.data(), in.size());
        EXPECT_EQ(in, out);
        EXPECT_EQ(MEMPLUSERROR, 0);
    }
};

}  // namespace

TEST_F(MemplusTest, RoundTripInMemoryOrInTheFileWhenMemoryIsShort) {
    MEMPLUSOPEN(3, 4, 8);
    ASSERT_TRUE(MEMPLUSISOPEN(3));
    EXPECT_EQ(MEMPLUSFORM.str(), "HP");
    roundtrip(3);
    MEMPLUSFREEKB = 0;
    MEMPLUSOPEN(1, 4, 8);
    ASSERT_TRUE(MEMPLUSISOPEN(1));
    EXPECT_EQ(MEMPLUSFORM.str(), "HD");
    roundtrip(1);
    // The spill file is private to the stream: its name is free again at once.
    EXPECT_FALSE(std::filesystem::exists(TEMPPFAD));
}

TEST_F(MemplusTest, SecondSizeIsTriedWhenTheFirstDoesNotFit) {
    MEMPLUSFREEKB = 10;
    MEMPLUSOPEN(2, 100, 8);
    ASSERT_TRUE(MEMPLUSISOPEN(2));
    EXPECT_EQ(MEMPLUSFORM.str(), "HP");
    std::vector<std::uint8_t> big(8 * 1024 + 1, 7);
    MEMPLUSWRITE(2, big.data(), big.size());
    EXPECT_EQ(MEMPLUSERROR, 3);  // past the stream's size
}

TEST_F(MemplusTest, AMemoryStreamGrowsUpToItsMaximum) {
    MEMPLUSOPEN(6, 4, 8);
    ASSERT_EQ(MEMPLUSFORM.str(), "HP");
    std::vector<std::uint8_t> data(8 * 1024, 5);
    MEMPLUSWRITE(6, data.data(), 6 * 1024);  // past the 4 KiB it started with
    EXPECT_EQ(MEMPLUSERROR, 0);
    MEMPLUSWRITE(6, data.data(), 2 * 1024);
    EXPECT_EQ(MEMPLUSERROR, 0);
    EXPECT_EQ(MEMPLUSPOS(6), 8 * 1024);
    MEMPLUSWRITE(6, data.data(), 1);
    EXPECT_EQ(MEMPLUSERROR, 3);
}

TEST_F(MemplusTest, OpeningAnOpenHandleKeepsTheStream) {
    MEMPLUSOPEN(5, 4, 4);
    std::uint8_t b = 42;
    MEMPLUSWRITE(5, &b, 1);
    MEMPLUSOPEN(5, 4, 4);
    EXPECT_EQ(MEMPLUSPOS(5), 1);
    MEMPLUSSEEK(5, 0);
    std::uint8_t r = 0;
    MEMPLUSREAD(5, &r, 1);
    EXPECT_EQ(r, 42);
}

TEST_F(MemplusTest, NoMemoryAndUnwritableTempIsErrorOne) {
    if (::geteuid() == 0) {
        // root writes anywhere: point the file at a directory that does not exist instead
        TEMPPFAD = (dir / "missing" / "EMS_XMS.TMP").string();
    } else {
        std::filesystem::permissions(dir, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    }
    MEMPLUSFREEKB = 0;
    MEMPLUSOPEN(7, 4, 4);
    EXPECT_EQ(MEMPLUSERROR, 1);
    EXPECT_FALSE(MEMPLUSISOPEN(7));
    EXPECT_EQ(MEMPLUSFORM.str(), "NO");
}

TEST_F(MemplusTest, ClosedHandlesDoNothing) {
    std::uint8_t b = 9;
    MEMPLUSWRITE(9, &b, 1);
    MEMPLUSREAD(9, &b, 1);
    MEMPLUSSEEK(9, 5);
    EXPECT_EQ(MEMPLUSPOS(9), 0);
    EXPECT_EQ(MEMPLUSERROR, 0);
    EXPECT_EQ(b, 9);
    MEMPLUSOPEN(-1, 4, 4);
    EXPECT_EQ(MEMPLUSERROR, 1);
}

TEST_F(MemplusTest, SeekAndReadPastTheEndAreErrors) {
    for (bool file : {false, true}) {
        MEMPLUSRESET();
        MEMPLUSFREEKB = file ? 0 : -1;
        MEMPLUSOPEN(4, 4, 4);
        std::array<std::uint8_t, 4> d{1, 2, 3, 4};
        MEMPLUSWRITE(4, d.data(), d.size());
        MEMPLUSSEEK(4, 5);
        EXPECT_EQ(MEMPLUSERROR, 2);
        EXPECT_EQ(MEMPLUSPOS(4), 4);
        MEMPLUSSEEK(4, 2);
        std::array<std::uint8_t, 4> r{9, 9, 9, 9};
        MEMPLUSREAD(4, r.data(), r.size());
        EXPECT_EQ(MEMPLUSERROR, 4);
        EXPECT_EQ(r, (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
        MEMPLUSCLOSE(4);
        EXPECT_FALSE(MEMPLUSISOPEN(4));
    }
}
