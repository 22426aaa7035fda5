#include "support/embedded_assets.h"

extern "C" {
extern const std::uint8_t pathwick_figure_t1_begin[], pathwick_figure_t1_end[];
extern const std::uint8_t pathwick_figure_t2_begin[], pathwick_figure_t2_end[];
extern const std::uint8_t pathwick_figure_t3_begin[], pathwick_figure_t3_end[];
extern const std::uint8_t pathwick_alert_wave_begin[], pathwick_alert_wave_end[];
}

namespace pathwick {

std::span<const std::uint8_t> figureBitmap(int number) {
    switch (number) {
        case 1: return {pathwick_figure_t1_begin, pathwick_figure_t1_end};
        case 2: return {pathwick_figure_t2_begin, pathwick_figure_t2_end};
        case 3: return {pathwick_figure_t3_begin, pathwick_figure_t3_end};
        default: return {};
    }
}

std::span<const std::uint8_t> alertWave() {
    return {pathwick_alert_wave_begin, pathwick_alert_wave_end};
}

}  // namespace pathwick
