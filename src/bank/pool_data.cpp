#include "bank/pool_data.h"

#include <array>
#include <span>

#include "pool_blocks.inc"

namespace pathwick {
namespace {

using generated::kPool0, generated::kPool1, generated::kPool2, generated::kPool3,
    generated::kPool4, generated::kPool5, generated::kPool6, generated::kPool7,
    generated::kPool8, generated::kPool9;

constexpr std::array<std::span<const std::string_view>, kSubelementCount> kBlocks{
    kPool0, kPool1, kPool2, kPool3, kPool4, kPool5, kPool6, kPool7, kPool8, kPool9};

}  // namespace

int poolItemCount(int subelement) {
    if (subelement < 0 || subelement >= kSubelementCount) return 0;
    return static_cast<int>(kBlocks[static_cast<std::size_t>(subelement)].size());
}

std::string_view poolItem(int subelement, int index) {
    if (index < 1 || index > poolItemCount(subelement)) return {};
    return kBlocks[static_cast<std::size_t>(subelement)][static_cast<std::size_t>(index - 1)];
}

}  // namespace pathwick
