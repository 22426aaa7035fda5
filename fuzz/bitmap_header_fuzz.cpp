// Bitmap headers come from picture files that hints.txt names: any bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "support/bitmap_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parsed = pathwick::parseBitmapSize(std::span<const std::uint8_t>(data, size));
    if (parsed && (parsed->width < 1 || parsed->width > pathwick::kMaxBitmapSide ||
                   parsed->height < 1 || parsed->height > pathwick::kMaxBitmapSide)) {
        std::abort();
    }
    return 0;
}
