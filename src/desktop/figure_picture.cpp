#include "desktop/figure_picture.h"

#include <SDL_image.h>

namespace pathwick {

SDL_Surface* DecodeFigure(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return nullptr;
    SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    return source ? IMG_Load_RW(source, 1) : nullptr;
}

}  // namespace pathwick
