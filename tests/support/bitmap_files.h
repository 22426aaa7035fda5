#pragma once
// Bitmap files for the desktop tests: write a solid one, read a pixel back.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <vector>

namespace pathwick::testing {

inline void putLittle(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value,
                      int size = 4) {
    for (int k = 0; k < size; ++k) bytes[at + k] = static_cast<std::uint8_t>(value >> (8 * k));
}

// A 24-bit bottom-up bitmap file of one colour (0xRRGGBB).
inline std::vector<std::uint8_t> solidBitmap(int width, int height, std::uint32_t colour) {
    const int stride = (width * 3 + 3) & ~3;
    std::vector<std::uint8_t> bytes(54 + static_cast<std::size_t>(stride * height), 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    putLittle(bytes, 10, 54);
    putLittle(bytes, 14, 40);
    putLittle(bytes, 18, static_cast<std::uint32_t>(width));
    putLittle(bytes, 22, static_cast<std::uint32_t>(height));
    putLittle(bytes, 26, 1, 2);
    putLittle(bytes, 28, 24, 2);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) putLittle(bytes, 54 + y * stride + x * 3, colour, 3);
    }
    return bytes;
}

// The colour (0xRRGGBB) of (x, y) in a 24-bit bottom-up bitmap file.
inline std::uint32_t bitmapPixel(std::span<const std::uint8_t> file, int x, int y) {
    const auto at32 = [&](std::size_t at) {
        return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24;
    };
    const int width = at32(18), height = at32(22);
    const std::size_t offset =
        static_cast<std::size_t>(at32(10)) +
        static_cast<std::size_t>(((width * 3 + 3) & ~3) * (height - 1 - y) + x * 3);
    return static_cast<std::uint32_t>(file[offset + 2] << 16 | file[offset + 1] << 8 |
                                      file[offset]);
}

inline std::string writeFile(const std::filesystem::path& path,
                             const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

}  // namespace pathwick::testing
