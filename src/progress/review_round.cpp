#include "progress/review_round.h"

#include <algorithm>

namespace pathwick {

ReviewRound::ReviewRound(std::span<const WorthyQuestion> byWorth, SittingRepeats repeats) {
    // Each answer takes one question, and one coming back only delays the
    // rest, so the first kAnswers worth asking are all a round can reach.
    for (const WorthyQuestion& question : byWorth) {
        if (pending_.size() == std::size_t{kAnswers}) break;
        if (!question.asked()) continue;
        const bool comesBack = repeats == SittingRepeats::Pay ||
                               (repeats == SittingRepeats::Unknown && pending_.size() % 2 == 0);
        pending_.push_back({question.id, comesBack});
    }
}

std::optional<std::string_view> ReviewRound::next() const {
    if (over()) return std::nullopt;
    return pending_.front().id;
}

void ReviewRound::answer(bool correct) {
    if (over()) return;
    Pending asked = pending_.front();
    pending_.pop_front();
    ++answered_;
    if (correct) ++right_, ++asked.right;
    if (!asked.comesBack || asked.right >= kRightAnswersToLeave) return;
    const auto returnsAt = std::min<std::size_t>(kComesBackAfter - 1, pending_.size());
    pending_.insert(pending_.begin() + static_cast<std::ptrdiff_t>(returnsAt), asked);
}

}  // namespace pathwick
