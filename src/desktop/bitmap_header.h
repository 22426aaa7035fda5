#pragma once
// The picture size stored in a bitmap file's header, read without trusting
// the file: a short bounded read of a regular file, then a pure parse.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace pathwick {

struct BitmapSize {
    int width = 0;
    int height = 0;
    bool operator==(const BitmapSize&) const = default;
};

// Larger pictures are treated as malformed.
inline constexpr int kMaxBitmapSide = 4096;

// The header bytes a size needs: file header (14) + the two size fields.
inline constexpr std::size_t kBitmapHeaderBytes = 26;

// Width and height from the first bytes of a bitmap file: "BM", then the
// 32-bit little-endian fields at offsets 18 and 22 (or the 16-bit ones of
// the old 12-byte core header). A negative height marks a top-down bitmap
// and gives its magnitude. Empty for anything else, for a zero side and for
// a side above kMaxBitmapSide.
std::optional<BitmapSize> parseBitmapSize(std::span<const std::uint8_t> header);

// The size from the file at `path`; empty when it is not a regular file,
// cannot be read or has no sensible header. Reads only the first bytes and
// never blocks on a FIFO or device.
std::optional<BitmapSize> readBitmapSize(const std::string& path);

}  // namespace pathwick
