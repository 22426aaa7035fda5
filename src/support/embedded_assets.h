#pragma once
// The figure bitmaps and the alert sound, compiled in from data/ at build time.
#include <cstdint>
#include <span>

namespace pathwick {

// The bitmap file bytes of figure T1, T2 or T3 (number 1..3); empty otherwise.
std::span<const std::uint8_t> figureBitmap(int number);

// The alert sound's wave file bytes.
std::span<const std::uint8_t> alertWave();

}  // namespace pathwick
