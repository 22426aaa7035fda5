#include "desktop/embedded_assets.h"

extern "C" {
extern const std::uint8_t pathwick_alert_wave_begin[], pathwick_alert_wave_end[];
}

namespace pathwick {

std::span<const std::uint8_t> alertWave() {
    return {pathwick_alert_wave_begin, pathwick_alert_wave_end};
}

}  // namespace pathwick
