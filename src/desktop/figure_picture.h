#pragma once
// Decoding a built-in figure (BMP or PNG file bytes) into an SDL surface,
// pixels as stored.
#include <SDL.h>

#include <cstdint>
#include <span>

namespace pathwick {

// A new surface the caller frees, or nullptr for bytes that are no picture.
SDL_Surface* DecodeFigure(std::span<const std::uint8_t> bytes);

}  // namespace pathwick
