#pragma once
// One review round: the questions worth asking, highest worth first. The
// round ends after 20 answers or when nothing is left worth asking. Whether
// a question comes back within the round depends on whether repeats in one
// sitting pay for this learner: when they do, a question comes back as the
// fifth question after it until it has been answered right twice; when they
// do not, nothing comes back and the answers go to other questions; while
// that is not known, every other question of the round comes back, so that
// the learner's answers on later days show it. The round only keeps the
// sequence: the caller records each answer.
#include <deque>
#include <optional>
#include <span>
#include <string_view>

#include "progress/forgetting_fit.h"
#include "progress/review_order.h"

namespace pathwick {

class ReviewRound {
public:
    static constexpr int kAnswers = 20;
    static constexpr int kComesBackAfter = 5;
    static constexpr int kRightAnswersToLeave = 2;

    // `byWorth` as ReviewOrder gives it; questions at or above the line are
    // left out, unless asked as checks.
    ReviewRound(std::span<const WorthyQuestion> byWorth, SittingRepeats repeats);

    // The question to ask now; none once the round is over.
    std::optional<std::string_view> next() const;
    // The answer to next().
    void answer(bool correct);

    bool over() const { return answered_ >= kAnswers || pending_.empty(); }
    int answered() const { return answered_; }
    int right() const { return right_; }
    int wrong() const { return answered_ - right_; }

private:
    struct Pending {
        std::string_view id;
        bool comesBack = false;
        int right = 0;
    };
    std::deque<Pending> pending_;
    int answered_ = 0;
    int right_ = 0;
};

}  // namespace pathwick
