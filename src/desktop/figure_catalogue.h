#pragma once
// The pictures of every pool's figures, built in, found by the marker that
// a question's ID field carries ("Figure:T1", "Figure:G7-1"). The Technician
// figures are bitmaps, the others lossless PNG files; both stay as they are
// in data/ and are decoded only when a window shows them.
#include <cstdint>
#include <span>
#include <string_view>

namespace pathwick {

struct FigurePicture {
    std::string_view name;   // "G7-1", as after "Figure:"
    std::string_view title;  // "Figure G7-1", the window title
    const std::uint8_t* begin;
    const std::uint8_t* end;
    int width;  // of the picture, and so of its window
    int height;

    // The picture file's bytes.
    std::span<const std::uint8_t> picture() const { return {begin, end}; }
};

// Every built-in figure.
std::span<const FigurePicture> FigureCatalogue();

// The figure a marker names; nullptr for an unknown marker.
const FigurePicture* FindFigure(std::string_view marker);

}  // namespace pathwick
