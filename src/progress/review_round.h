#pragma once
// One review round: the questions worth asking, highest worth first; a
// question answered wrong comes back as the fifth question after it. The
// round ends after 20 answers or when nothing is left worth asking. It only
// keeps the sequence: the caller records each answer.
#include <deque>
#include <optional>
#include <span>
#include <string_view>

#include "progress/review_order.h"

namespace pathwick {

class ReviewRound {
public:
    static constexpr int kAnswers = 20;
    static constexpr int kWrongComesBackAfter = 5;

    // `byWorth` as OrderOfWorth gives it; questions at or above the line are
    // left out.
    explicit ReviewRound(std::span<const WorthyQuestion> byWorth);

    // The question to ask now; none once the round is over.
    std::optional<std::string_view> next() const;
    // The answer to next().
    void answer(bool correct);

    bool over() const { return answered_ >= kAnswers || pending_.empty(); }
    int answered() const { return answered_; }
    int right() const { return right_; }
    int wrong() const { return answered_ - right_; }

private:
    std::deque<std::string_view> pending_;
    int answered_ = 0;
    int right_ = 0;
};

}  // namespace pathwick
