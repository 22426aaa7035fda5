#include "desktop/bitmap_header.h"

#include <cstdlib>

#include "console/bounded_file.h"

namespace pathwick {

namespace {

constexpr std::size_t kInfoHeaderSizeOffset = 14;
constexpr std::size_t kWidthOffset = 18;
constexpr std::size_t kHeightOffset = 22;
constexpr std::uint32_t kCoreHeaderSize = 12;  // old OS/2 header: 16-bit sizes
constexpr std::uint32_t kInfoHeaderSize = 40;

std::uint32_t little32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) |
           static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t little16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

bool inRange(std::int64_t side) { return side >= 1 && side <= kMaxBitmapSide; }

}  // namespace

std::optional<BitmapSize> parseBitmapSize(std::span<const std::uint8_t> header) {
    if (header.size() < kWidthOffset + 4 || header[0] != 'B' || header[1] != 'M') {
        return std::nullopt;
    }
    const std::uint32_t infoSize = little32(header, kInfoHeaderSizeOffset);
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (infoSize == kCoreHeaderSize) {
        width = little16(header, kWidthOffset);
        height = little16(header, kWidthOffset + 2);
    } else if (infoSize >= kInfoHeaderSize && header.size() >= kHeightOffset + 4) {
        width = static_cast<std::int32_t>(little32(header, kWidthOffset));
        height = std::abs(std::int64_t{static_cast<std::int32_t>(little32(header, kHeightOffset))});  // negative: top-down rows
    }
    if (!inRange(width) || !inRange(height)) return std::nullopt;
    return BitmapSize{static_cast<int>(width), static_cast<int>(height)};
}

std::optional<BitmapSize> readBitmapSize(const std::string& path) {
    const auto header = readFilePrefix(path, kBitmapHeaderBytes);
    if (!header) return std::nullopt;
    return parseBitmapSize(*header);
}

}  // namespace pathwick
