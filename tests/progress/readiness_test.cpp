// The replay of answers into per-question chances, and the standing of a
// tiny pool worked by hand. Recall values come from the reference forgetting
// curve: R(1 day, S 2.3065) = 0.9468475, R(0.25, 2.3065) = 0.98454886,
// R(1, 0.212) = 0.76619573 (2.3065 and 0.212 being S after a first right and
// a first wrong answer).
#include <gtest/gtest.h>

#include "progress/readiness.h"

namespace pathwick::testing {
namespace {

using namespace std::chrono_literals;
const UtcTime kStart{std::chrono::sys_days{std::chrono::year{2026} / 12 / 1}};

constexpr std::string_view kT1A[] = {"T1A01", "T1A02"};
constexpr std::string_view kT1B[] = {"T1B01"};
constexpr std::string_view kT2A[] = {"T2A01", "T2A02"};
constexpr ExamGroup kGroups[] = {{"T1A", kT1A}, {"T1B", kT1B}, {"T2A", kT2A}};

PoolEdition tinyEdition() {
    PoolEdition edition{};
    edition.groups = kGroups;
    edition.examQuestions = 3;
    edition.passMark = 2;
    return edition;
}

// First answers at the start: T1A01 right, T2A01 wrong, T1B01 right.
QuestionStates threeFirstAnswers() {
    QuestionStates states;
    EXPECT_DOUBLE_EQ(states.chance("T1A01", kStart), 0.25);
    const std::pair<const char*, bool> answers[] = {{"T1A01", true}, {"T2A01", false}, {"T1B01", true}};
    for (const auto& [id, right] : answers) states.add(id, kStart, right);
    return states;
}

TEST(QuestionStates, ChanceOfAnsweredAndUnansweredQuestions) {
    const QuestionStates states = threeFirstAnswers();
    const std::tuple<const char*, UtcTime, double> cases[] = {
        {"T1A01", kStart - 24h, 1},  // before the last answer: just answered
        {"T1A01", kStart + 6h, 0.98454886 + (1 - 0.98454886) / 4},
        {"T1A01", kStart + 24h, 0.9468475 + (1 - 0.9468475) / 4},
        {"T2A01", kStart + 24h, 0.76619573 + (1 - 0.76619573) / 4},
        {"T1A02", kStart + 24h, 3.0 / 7},  // two of three first answers right
    };
    for (const auto& [id, when, chance] : cases) EXPECT_NEAR(states.chance(id, when), chance, 1e-7) << id;
}

TEST(QuestionStates, SecondAnswerWithinADayIsShortTerm) {
    // A right answer on the same day leaves S 2.3065 as it is; a day later it grows.
    const std::pair<std::chrono::milliseconds, bool> cases[] = {{24h - 1ms, true}, {24h, false}};
    for (const auto& [later, sameDay] : cases) {
        QuestionStates states = threeFirstAnswers();
        states.add("T1A01", kStart + later, true);
        const QuestionMemory state = *states.find("T1A01");
        EXPECT_TRUE(sameDay ? state.memory.stability == 2.3065 : state.memory.stability > 7) << later.count();
        EXPECT_EQ(std::tuple(state.answers, state.lastAnswer, states.firstAnswers(), states.firstAnswersRight()),
                  std::tuple(2, kStart + later, 3, 2));
    }
}

// A day after the three first answers, with chances
//   T1A01, T1B01 0.960135625 (solid), T2A01 0.8246467975, T1A02, T2A02 3/7;
// so the groups: T1A (0.960135625 + 3/7) / 2 = 0.6943535268, T1B 0.960135625,
// T2A (0.8246467975 + 3/7) / 2 = 0.6266091130; two of three right to pass:
// ab + ac + bc - 2abc = 0.8679040844.
TEST(Readiness, StandingOfATinyPool) {
    const Standing standing = StandingAt(threeFirstAnswers(), tinyEdition(), kStart + 24h);
    EXPECT_NEAR(standing.passChance, 0.8679040844, 1e-7);
    EXPECT_NEAR(standing.expectedScore, 2.2810982648, 1e-7);
    EXPECT_EQ(std::tuple(standing.examQuestions, standing.passMark, standing.seen), std::tuple(3, 2, 3));
    const std::tuple<int, int, int, int, int, double> parts[] = {
        {0, 0, 0, 0, 0, 0}, {1, 3, 2, 2, 2, 1.6544891518}, {2, 2, 1, 0, 1, 0.6266091130}};
    for (const auto& [index, questions, seen, solid, exam, expected] : parts) {
        const SubelementStanding& part = standing.subelements[static_cast<std::size_t>(index)];
        EXPECT_EQ(std::tuple(part.questions, part.seen, part.solid, part.examQuestions),
                  std::tuple(questions, seen, solid, exam)) << index;
        EXPECT_NEAR(part.expectedRight, expected, 1e-7) << index;
    }
}

}  // namespace
}  // namespace pathwick::testing
