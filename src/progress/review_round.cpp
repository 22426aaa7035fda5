#include "progress/review_round.h"

#include <algorithm>

namespace pathwick {

ReviewRound::ReviewRound(std::span<const WorthyQuestion> byWorth) {
    // Each answer takes one question and a wrong one is put back, so the
    // first kAnswers worth asking are all a round can reach.
    for (const WorthyQuestion& question : byWorth) {
        if (pending_.size() == std::size_t{kAnswers}) break;
        if (question.check || question.chance < kWorthAskingBelow) pending_.push_back(question.id);
    }
}

std::optional<std::string_view> ReviewRound::next() const {
    if (over()) return std::nullopt;
    return pending_.front();
}

void ReviewRound::answer(bool correct) {
    if (over()) return;
    const std::string_view asked = pending_.front();
    pending_.pop_front();
    ++answered_;
    if (correct) {
        ++right_;
        return;
    }
    const auto returnsAt = std::min<std::size_t>(kWrongComesBackAfter - 1, pending_.size());
    pending_.insert(pending_.begin() + static_cast<std::ptrdiff_t>(returnsAt), asked);
}

}  // namespace pathwick
