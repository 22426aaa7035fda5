#include "strategies.h"

#include <algorithm>

#include "progress/readiness.h"
#include "progress/review_order.h"

namespace pathwick::bench {
namespace {

// The drill: one subelement at a time, its questions in random order, each
// until answered right; then the next subelement.
class Drill : public Strategy {
public:
    std::optional<int> next(const StudyMoment& moment) override {
        if (left_.empty()) {
            subelement_ = nextSubelement(moment);
            left_ = moment.pool.subelements[static_cast<std::size_t>(subelement_)];
        }
        asked_ = left_[static_cast<std::size_t>(moment.random.below(static_cast<int>(left_.size())))];
        return asked_;
    }
    void answered(int q, bool right) override {
        if (right) left_.erase(std::find(left_.begin(), left_.end(), q));
    }

protected:
    virtual int nextSubelement(const StudyMoment&) { return (subelement_ + 1) % kSubelementCount; }

private:
    std::vector<int> left_;
    int subelement_ = -1;
    int asked_ = -1;
};

// The drill, each time on the subelement whose share of its exam questions
// Pathwick expects right is lowest.
class WeakestFirst final : public Drill {
    int nextSubelement(const StudyMoment& moment) override {
        const Standing standing = StandingAt(moment.record, moment.pool.edition, moment.utc);
        int weakest = 0;
        double lowest = 2;
        for (int s = 0; s < kSubelementCount; ++s) {
            const SubelementStanding& sub = standing.subelements[static_cast<std::size_t>(s)];
            if (sub.examQuestions == 0) continue;
            const double share = sub.expectedRight / sub.examQuestions;
            if (share < lowest) lowest = share, weakest = s;
        }
        return weakest;
    }
};

// Rounds of the program's review, ordered by some chance on exam day (now).
class Rounds : public Strategy {
public:
    std::optional<int> next(const StudyMoment& moment) override {
        if (!round_ || round_->over()) {
            order_ = order(moment);
            round_.emplace(order_, moment.record.curve().repeats());
        }
        const auto id = round_->next();
        if (!id) return std::nullopt;
        return moment.pool.index.at(*id);
    }
    void answered(int, bool right) override { round_->answer(right); }
    // A round does not outlive the sitting it was started in.
    void newSession() override { round_.reset(); }

protected:
    virtual std::vector<WorthyQuestion> order(const StudyMoment& moment) const = 0;

private:
    std::vector<WorthyQuestion> order_;
    std::optional<ReviewRound> round_;
};

class Review final : public Rounds {
    std::vector<WorthyQuestion> order(const StudyMoment& moment) const override {
        return ReviewOrder(moment.record, moment.pool.edition, moment.utc, moment.horizon);
    }
};

class Oracle final : public Rounds {
    // The order of worth from the learner's true memory. It needs no checks:
    // what it knows is the truth.
    std::vector<WorthyQuestion> order(const StudyMoment& moment) const override {
        return OrderOfWorth(moment.pool.edition.groups, [&moment](std::string_view id) {
            const int q = moment.pool.index.at(id);
            const Learner& truth = moment.truth;
            const double then = moment.horizonDay;
            const double recallNow = truth.recall(q, moment.day);
            const double asked = recallNow * truth.recallAfter(q, moment.day, true, then) +
                                 (1 - recallNow) * truth.recallAfter(q, moment.day, false, then);
            const double chance = truth.chanceRight(q, then);
            return QuestionOutlook{chance, Learner::withGuessing(asked) - chance};
        });
    }
};

}  // namespace

std::string_view NameOf(StrategyKind kind) {
    switch (kind) {
        case StrategyKind::Drill: return "drill";
        case StrategyKind::WeakestFirst: return "drill, weakest first";
        case StrategyKind::Review: return "review";
        case StrategyKind::Oracle: return "oracle";
    }
    return "?";
}

std::unique_ptr<Strategy> MakeStrategy(StrategyKind kind) {
    switch (kind) {
        case StrategyKind::Drill: return std::make_unique<Drill>();
        case StrategyKind::WeakestFirst: return std::make_unique<WeakestFirst>();
        case StrategyKind::Review: return std::make_unique<Review>();
        case StrategyKind::Oracle: return std::make_unique<Oracle>();
    }
    return nullptr;
}

}  // namespace pathwick::bench
