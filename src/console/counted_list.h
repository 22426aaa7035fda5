#pragma once
// A list whose entry 0 holds the number of items as decimal text and whose
// entries 1..n hold the items. Readers take the numeric value of entry 0, so
// " 35" and "35" mean the same. The capacity is fixed when it is made.
#include <string>
#include <vector>

#include "console/text_values.h"

namespace pathwick {

class CountedList {
public:
    // Entries 0..lastIndex, all empty (entry 0 always exists).
    explicit CountedList(int lastIndex)
        : entries_(static_cast<std::size_t>(lastIndex < 0 ? 0 : lastIndex) + 1) {}

    std::string& operator[](int index) { return entries_.at(static_cast<std::size_t>(index)); }
    const std::string& operator[](int index) const {
        return entries_.at(static_cast<std::size_t>(index));
    }

    int lastIndex() const { return static_cast<int>(entries_.size()) - 1; }
    // The numeric value of entry 0, truncated to a whole number.
    int count() const { return wholeValueOf(entries_.front()); }
    void clear() {
        for (auto& entry : entries_) entry.clear();
    }

private:
    std::vector<std::string> entries_;
};

}  // namespace pathwick
