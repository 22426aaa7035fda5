#pragma once
// The alert sound, compiled in from data/ at build time (the figures are in
// desktop/figure_catalogue.h).
#include <cstdint>
#include <span>

namespace pathwick {

// The alert sound's wave file bytes.
std::span<const std::uint8_t> alertWave();

}  // namespace pathwick
