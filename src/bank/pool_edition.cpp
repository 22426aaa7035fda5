#include "bank/pool_edition.h"

#include <array>

namespace pathwick {

int PoolEdition::itemCount(int subelement) const {
    if (subelement < 0 || subelement >= kSubelementCount) return 0;
    return static_cast<int>(blocks[static_cast<std::size_t>(subelement)].size());
}

std::string_view PoolEdition::item(int subelement, int index) const {
    if (index < 1 || index > itemCount(subelement)) return {};
    return blocks[static_cast<std::size_t>(subelement)][static_cast<std::size_t>(index - 1)];
}

std::span<const PoolEdition* const> AllEditions() {
    static const std::array editions{&Edition2018(), &Edition2026(),
                                                          &EditionGeneral(), &EditionExtra()};
    return editions;
}

}  // namespace pathwick
