// The bitmap header and the bounded file reader, against hand-made files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "console/bounded_file.h"
#include "desktop/bitmap_header.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

// A header of `info` bytes' kind (12: 16-bit sizes) with these sides.
std::string header(std::uint32_t info, std::int64_t width, std::int64_t height) {
    std::string bytes = "BM" + std::string(24, '\0');
    const int side = info == 12 ? 2 : 4;
    for (auto [at, value, size] : {std::tuple{14, info, 4}, {18, std::uint32_t(width), side}, {18 + side, std::uint32_t(height), side}})
        for (int k = 0; k < size; ++k) bytes[std::size_t(at + k)] = char(value >> (8 * k));
    return bytes;
}

TEST(BitmapHeader, SizesFromHeadersAndFiles) {
    const std::tuple<std::string, int, int> cases[] = {
        {header(40, 640, 533), 640, 533}, {header(124, 1, -4096), 1, 4096}, {header(12, 30, 20), 30, 20},
        {header(40, 4097, 5), 0, 0}, {header(40, 5, 0), 0, 0}, {header(40, -5, 5), 0, 0}, {header(39, 5, 5), 0, 0},
        {header(12, 0, 5), 0, 0}, {"BX" + header(40, 3, 4).substr(2), 0, 0}, {header(40, 3, 4).substr(0, 25), 0, 0},
        {header(12, 30, 20).substr(0, 22), 30, 20}, {header(12, 30, 20).substr(0, 21), 0, 0},
        {header(12, 300, 1025), 300, 1025}, {header(40, 65536 + 100, 5), 0, 0}, {header(40, 5, 65536 + 100), 0, 0}};
    for (const auto& [bytes, w, h] : cases) {
        const auto size = parseBitmapSize(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
        EXPECT_EQ(size ? size->width * 10000 + size->height : 0, w * 10000 + h) << w;
    }
    TempDirectory folder;
    folder.write("a.bmp", header(40, 3, 4) + "rest");
    const auto path = [&](const char* name) { return (folder.path() / name).string(); };
    EXPECT_EQ(readBitmapSize(path("a.bmp")), (BitmapSize{3, 4}));
    EXPECT_EQ(readWholeFile(path("a.bmp"), 30).value().size() + readFilePrefix(path("a.bmp"), 4).value().size(), 34u);
    EXPECT_FALSE(readWholeFile(path("a.bmp"), 29));
    EXPECT_FALSE(readWholeFile("/proc/self/status", 4096)) << "its size, 0, is not its length";
    folder.write("empty", "");
    EXPECT_EQ(readWholeFile(path("empty"), 9).value().size() + readFilePrefix(path("empty"), 9).value().size(), 0u);
    ASSERT_EQ(::mkfifo(path("p").c_str(), 0600), 0);
    for (const char* name : {"p", "missing", "."})
        EXPECT_FALSE(readBitmapSize(path(name)) || readWholeFile(path(name), 9) || readFilePrefix(path(name), 9)) << name;
}
}  // namespace
}  // namespace pathwick::testing
