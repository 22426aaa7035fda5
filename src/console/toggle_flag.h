#pragma once
#include <cstdint>

namespace pathwick {

// -1 becomes 0, 0 becomes -1, any other value is left unchanged.
inline void ToggleFlag(std::int32_t& flag) {
    if (flag == -1) {
        flag = 0;
    } else if (flag == 0) {
        flag = -1;
    }
}

}  // namespace pathwick
