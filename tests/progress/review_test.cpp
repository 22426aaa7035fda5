// The order of worth and the review round on a small pool worked by hand, and
// the moment of the exam day across a day change and a move of time zone.
#include <gtest/gtest.h>

#include <map>

#include "progress/exam_day.h"
#include "progress/review_round.h"
#include "support/fake_clock.h"

namespace pathwick::testing {
namespace {

using namespace std::chrono;

// Groups of 2, 4 and 1 questions; outlooks {chance, gain} in eighths so
// that equal worths (gain / group size) are equal in binary.
constexpr std::string_view kA[] = {"A1", "A2"}, kB[] = {"B1", "B2", "B3", "B4"}, kC[] = {"C1"};
constexpr ExamGroup kGroups[] = {{"A", kA}, {"B", kB}, {"C", kC}};
const std::map<std::string_view, QuestionOutlook> kOutlooks{
    {"A1", {0.5, 0.5}}, {"A2", {0.75, 0.25}}, {"B1", {0.25, 0.75}}, {"B2", {0.5, 0.5}},
    {"B3", {0.9, 0.1}}, {"B4", {0.25, 0.75}}, {"C1", {0.875, 0.125}}};

std::vector<std::string_view> ask(ReviewRound& round, const std::vector<bool>& answers) {
    std::vector<std::string_view> asked;
    for (std::size_t i = 0; i < answers.size() && round.next(); ++i) asked.push_back(*round.next()), round.answer(answers[i]);
    return asked;
}

TEST(ReviewOrder, HighestWorthFirstEqualWorthInGroupOrderAndTheRoundThatFollows) {
    const auto order = OrderOfWorth(kGroups, [](std::string_view id) { return kOutlooks.at(id); });
    std::vector<std::pair<std::string_view, double>> worths;
    for (const WorthyQuestion& q : order) worths.emplace_back(q.id, q.worth);
    EXPECT_EQ(worths, (std::vector<std::pair<std::string_view, double>>{
                          {"A1", 0.25}, {"B1", 0.1875}, {"B4", 0.1875}, {"A2", 0.125}, {"B2", 0.125}, {"C1", 0.125}, {"B3", 0.025}}));
    // Whether repeats pay is not known yet: every other question (A1, B4,
    // B2) comes back as the fifth after it, or after the last, until answered
    // right twice. B3 is at the 90 % line: not asked.
    ReviewRound round(order, SittingRepeats::Unknown);
    EXPECT_EQ(ask(round, {false, true, true, true, false, true, true, true, true, true, true}),
              (std::vector<std::string_view>{"A1", "B1", "B4", "A2", "B2", "A1", "C1", "B4", "B2", "A1", "B2"}));
    EXPECT_EQ(std::tuple(round.over(), round.right(), round.wrong()), std::tuple(true, 9, 2));
    round.answer(true);
    EXPECT_EQ(round.answered(), 11) << "an answer after the end counts for nothing";
}

// When repeats pay, each question comes back until answered right twice,
// in the order it left; when they do not, nothing comes back, wrong or not.
TEST(ReviewRound, EndsAfterTwentyAnswersWithQuestionsComingBackOnlyWhenRepeatsPay) {
    std::vector<std::string> ids(30);
    std::vector<WorthyQuestion> many;
    for (int i = 0; i < 30; ++i) many.push_back({ids[i] = "Q" + std::to_string(i), 0.25, 0.1});
    std::vector<bool> answers(25, true);
    answers[2] = answers[3] = false;
    ReviewRound repeating(many, SittingRepeats::Pay), once(many, SittingRepeats::DoNotPay);
    const auto asked = ask(repeating, answers), askedOnce = ask(once, answers);
    ASSERT_EQ(asked.size(), 20u);
    EXPECT_EQ(std::vector(asked.begin() + 4, asked.end()),
              (std::vector<std::string_view>{"Q4", "Q0", "Q1", "Q2", "Q3", "Q4", "Q5", "Q6", "Q2", "Q3", "Q7", "Q5",
                                             "Q6", "Q8", "Q9", "Q7"}));
    EXPECT_EQ(askedOnce, std::vector<std::string_view>(ids.begin(), ids.begin() + 20));
}

// After every two questions below the line, the question answered longest
// ago and not yet taken, asked as a check whatever its chance (S1 sits on
// the line: not worth asking, only a check).
TEST(ReviewOrder, EveryThirdQuestionChecksTheOneAnsweredLongestAgo) {
    const UtcTime day{sys_days{2026y / 12 / 1}};
    QuestionStates states;
    for (const auto& [id, days] : {std::pair{"W4", 0}, {"S2", 1}, {"W2", 2}, {"S1", 3}}) states.add(id, day + days * 24h, true);
    const std::vector<WorthyQuestion> byWorth{{"W1", 0.3}, {"W2", 0.4}, {"S1", 0.9}, {"W3", 0.5},
                                              {"S2", 0.97}, {"W4", 0.6}, {"W5", 0.2}};
    std::vector<std::pair<std::string_view, bool>> order;
    for (const WorthyQuestion& q : WithChecks(byWorth, states)) order.emplace_back(q.id, q.check);
    EXPECT_EQ(order, (std::vector<std::pair<std::string_view, bool>>{
                         {"W1", false}, {"W2", false}, {"W4", true}, {"W3", false}, {"W5", false}, {"S2", true}, {"S1", false}}));
    ReviewRound round(WithChecks(byWorth, states), SittingRepeats::DoNotPay);
    EXPECT_EQ(ask(round, std::vector<bool>(7, true)), (std::vector<std::string_view>{"W1", "W2", "W4", "W3", "W5", "S2"}));
}

// From the reference curve: R(1 day, S 2.3065) = 0.9468475 after a first
// right answer, R(1, 0.212) = 0.76619573 after a first wrong one.
TEST(ReviewOrder, OutlookAndDueCountFromTheRecord) {
    const UtcTime start{sys_days{2026y / 12 / 1}}, tomorrow = start + days{1};
    QuestionStates states;
    const QuestionOutlook unseen = OutlookFromRecord(states, "A1", start, tomorrow);
    EXPECT_DOUBLE_EQ(unseen.chance, 0.25);
    // No first answers yet: a right one would be taken for a guess, so
    // either answer leaves 0.76619573 + 0.23380427 / 4.
    EXPECT_NEAR(unseen.gain, 0.5746468, 1e-6);
    states.add("A1", start, true);
    states.add("B1", start, false);
    // One of two first answers right: A1 known with chance 1/3.
    EXPECT_NEAR(OutlookFromRecord(states, "A1", tomorrow, tomorrow).chance,
                (0.9468475 + 0.0531525 / 4) / 3 + (0.76619573 + 0.23380427 / 4) * 2 / 3, 1e-6);
    PoolEdition edition{};
    edition.groups = kGroups;
    EXPECT_EQ(DueCount(states, edition, tomorrow), 2) << "B1 at 82 %; A1 at 87 %; unseen never due";
    EXPECT_EQ(DueCount(states, edition, start), 0) << "both just answered";
}

TEST(ExamDay, NoonOfTheDateInTheZoneOfTheDayOrNowOnceItHasGoneBy) {
    FakeClock clock(LocalTime{2026, 12, 18, 23, 30, 0, 0});
    const CalendarDate exam{2026, 12, 19};
    const auto noonUtc = sys_days{2026y / 12 / 19} + 12h;
    // The moment chances are shown for, and the one review looks ahead to.
    const auto moments = [&](auto date) { return std::pair<UtcTime, UtcTime>{ExamMoment(clock, date), ReviewHorizon(clock, date)}; };
    EXPECT_EQ(moments(std::nullopt), (std::pair<UtcTime, UtcTime>{clock.utcNow(), clock.utcNow() + days{1}}));
    EXPECT_EQ(moments(std::optional(exam)), (std::pair<UtcTime, UtcTime>{noonUtc, noonUtc}));
    clock.advance(1h);  // past midnight: the exam day has begun
    EXPECT_EQ(ExamMoment(clock, exam), noonUtc);
    clock.setUtcOffset(9h);  // moved east: 09:30 local, noon comes sooner
    EXPECT_EQ(ExamMoment(clock, exam), noonUtc - 9h);
    clock.setUtcOffset(-5h);  // moved west: the 18th again, 19:30 local
    EXPECT_EQ(ExamMoment(clock, exam), noonUtc + 5h);
    for (int ms : {0, 1}) {  // at noon itself the exam is now; a millisecond later it has gone by
        clock.set(LocalTime{2026, 12, 19, 12, 0, 0, ms});
        EXPECT_EQ(moments(std::optional(exam)), (std::pair<UtcTime, UtcTime>{clock.utcNow(), clock.utcNow() + days{ms}})) << ms;
    }
}

}  // namespace
}  // namespace pathwick::testing
