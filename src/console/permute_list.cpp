#include "console/permute_list.h"

#include <string>
#include <vector>

namespace pathwick {
namespace {

// The draw below only ends when every item finds an empty slot among 1..n,
// and an empty item would leave its slot looking empty; such calls are
// refused instead of looping for ever.
bool canPermute(const CountedList& source, const CountedList& target, int n) {
    if (n < 0 || n > source.lastIndex() || n > target.lastIndex()) return false;
    for (int i = 1; i <= n; ++i) {
        if (source[i].empty() || !target[i].empty()) return false;
    }
    return true;
}

}  // namespace

bool PermuteList(const CountedList& source, CountedList& target, RandomSource& random) {
    const int n = source.count();
    if (!canPermute(source, target, n)) return false;

    const std::string countText = source[0];
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) items.push_back(source[i]);

    random.seedFromTimer();
    target[0] = countText;

    // Each item goes to a slot drawn uniformly from [lo, hi]; a filled slot
    // means draw again. lo and hi close in only when the edge slot itself is
    // filled, so all empty slots always lie within the range.
    int lo = 1;
    int hi = n;
    int k = 1;
    while (k <= n) {
        const int r = random.between(lo, hi);
        if (!target[r].empty()) continue;
        target[r] = items[static_cast<std::size_t>(k - 1)];
        ++k;
        if (k == n + 1) break;
        if (r == lo) ++lo;
        if (r == hi) --hi;
    }
    target[0] = countText;
    return true;
}

}  // namespace pathwick
