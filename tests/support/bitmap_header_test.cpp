#include "support/bitmap_header.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/bitmap_files.h"
#include "support/bounded_file.h"
#include "support/embedded_assets.h"

namespace pathwick {
namespace {

using testing::putLittle;

std::vector<std::uint8_t> header(std::int32_t width, std::int32_t height, std::uint32_t info = 40) {
    auto bytes = testing::solidBitmap(1, 1, 0);
    putLittle(bytes, 14, info);
    putLittle(bytes, 18, static_cast<std::uint32_t>(width));
    putLittle(bytes, 22, static_cast<std::uint32_t>(height));
    return bytes;
}

TEST(BitmapHeader, ReadsTheSizeFields) {
    EXPECT_EQ(parseBitmapSize(figureBitmap(1)), (BitmapSize{640, 533}));
    EXPECT_EQ(parseBitmapSize(figureBitmap(3)), (BitmapSize{640, 707}));
    EXPECT_EQ(parseBitmapSize(header(400, -300)), (BitmapSize{400, 300}));  // top-down rows
    auto core = header(0, 0, 12);  // old core header: 16-bit sizes at 18 and 20
    putLittle(core, 18, 400 | 300u << 16);
    EXPECT_EQ(parseBitmapSize(core), (BitmapSize{400, 300}));
    EXPECT_EQ(parseBitmapSize(header(kMaxBitmapSide, 1)), (BitmapSize{kMaxBitmapSide, 1}));
}

TEST(BitmapHeader, RejectsMalformedAndAbsurdHeaders) {
    auto cut = header(10, 10);
    cut.resize(25);
    auto notBitmap = header(10, 10);
    notBitmap[0] = 'P';
    for (const auto& bytes : {cut, notBitmap, header(10, 10, 20), header(0, 10), header(10, 0),
                              header(-10, 10), header(kMaxBitmapSide + 1, 10),
                              header(10, -kMaxBitmapSide - 1), header(10, INT32_MIN)}) {
        EXPECT_FALSE(parseBitmapSize(bytes));
    }
}

TEST(BitmapHeader, FilesAreReadBoundedAndOnlyWhenRegular) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("pathwick_bmp_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = testing::writeFile(dir / "a.bmp", header(400, 300));
    EXPECT_EQ(readBitmapSize(path), (BitmapSize{400, 300}));
    EXPECT_EQ(readFilePrefix(path, 10)->size(), 10u);
    EXPECT_EQ(readWholeFile(path, 58)->size(), 58u);
    EXPECT_FALSE(readWholeFile(path, 57));
    EXPECT_FALSE(readBitmapSize((dir / "missing.bmp").string()));
    EXPECT_FALSE(readBitmapSize(dir.string()));
    // A FIFO without a writer would block an ordinary open.
    ASSERT_EQ(::mkfifo((dir / "pipe.bmp").c_str(), 0600), 0);
    EXPECT_FALSE(readBitmapSize((dir / "pipe.bmp").string()));
    EXPECT_FALSE(readWholeFile((dir / "pipe.bmp").string(), 1024));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace pathwick
