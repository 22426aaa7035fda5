#include "support/bitmap_header.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "support/bounded_file.h"
#include "support/embedded_assets.h"

namespace pathwick {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> header(std::int32_t width, std::int32_t height,
                                 std::uint32_t infoSize = 40) {
    std::vector<std::uint8_t> bytes(54, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    const auto put = [&](std::size_t at, std::uint32_t value) {
        for (int k = 0; k < 4; ++k) bytes[at + k] = static_cast<std::uint8_t>(value >> (8 * k));
    };
    put(14, infoSize);
    put(18, static_cast<std::uint32_t>(width));
    put(22, static_cast<std::uint32_t>(height));
    return bytes;
}

TEST(BitmapHeader, BuiltInFiguresHaveTheirDocumentedSizes) {
    EXPECT_EQ(parseBitmapSize(figureBitmap(1)), (BitmapSize{640, 533}));
    EXPECT_EQ(parseBitmapSize(figureBitmap(2)), (BitmapSize{640, 317}));
    EXPECT_EQ(parseBitmapSize(figureBitmap(3)), (BitmapSize{640, 707}));
}

TEST(BitmapHeader, AcceptsTopDownAndCoreHeaders) {
    EXPECT_EQ(parseBitmapSize(header(400, -300)), (BitmapSize{400, 300}));
    // The 12-byte core header keeps 16-bit sizes at offsets 18 and 20.
    auto core = header(0, 0, 12);
    core[18] = 0x90;
    core[19] = 0x01;  // 400
    core[20] = 0x2C;
    core[21] = 0x01;  // 300
    EXPECT_EQ(parseBitmapSize(core), (BitmapSize{400, 300}));
    EXPECT_EQ(parseBitmapSize(header(kMaxBitmapSide, kMaxBitmapSide)),
              (BitmapSize{kMaxBitmapSide, kMaxBitmapSide}));
}

TEST(BitmapHeader, RejectsMalformedAndAbsurdHeaders) {
    EXPECT_FALSE(parseBitmapSize({}));
    auto shortHeader = header(10, 10);
    shortHeader.resize(25);
    EXPECT_FALSE(parseBitmapSize(shortHeader));
    auto notBitmap = header(10, 10);
    notBitmap[0] = 'P';
    EXPECT_FALSE(parseBitmapSize(notBitmap));
    EXPECT_FALSE(parseBitmapSize(header(10, 10, 20)));  // unknown info header
    EXPECT_FALSE(parseBitmapSize(header(0, 10)));
    EXPECT_FALSE(parseBitmapSize(header(10, 0)));
    EXPECT_FALSE(parseBitmapSize(header(-10, 10)));
    EXPECT_FALSE(parseBitmapSize(header(kMaxBitmapSide + 1, 10)));
    EXPECT_FALSE(parseBitmapSize(header(10, -kMaxBitmapSide - 1)));
    EXPECT_FALSE(parseBitmapSize(header(10, INT32_MIN)));
}

class BitmapFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("pathwick_bmp_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    fs::path dir_;
};

TEST_F(BitmapFile, ReadsTheSizeFromTheFileHeaderOnly) {
    // The header alone is enough: the pixel data is not read here.
    EXPECT_EQ(readBitmapSize(write("a.bmp", header(400, 300))), (BitmapSize{400, 300}));
    EXPECT_FALSE(readBitmapSize((dir_ / "missing.bmp").string()));
    EXPECT_FALSE(readBitmapSize(dir_.string()));
}

TEST_F(BitmapFile, AFifoIsRefusedWithoutBlocking) {
    const fs::path fifo = dir_ / "pipe.bmp";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(readBitmapSize(fifo.string()));
    EXPECT_FALSE(readWholeFile(fifo.string(), 1024));
}

TEST_F(BitmapFile, WholeFileReadsAreBounded) {
    const std::string path = write("b.bmp", std::vector<std::uint8_t>(100, 7));
    EXPECT_EQ(readWholeFile(path, 100)->size(), 100u);
    EXPECT_FALSE(readWholeFile(path, 99));
    EXPECT_EQ(readFilePrefix(path, 10)->size(), 10u);
}

}  // namespace
}  // namespace pathwick
