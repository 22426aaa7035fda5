// The numbers of progress: the memory model against the values of an
// independent implementation (eight answer sequences with every rating,
// same-day and later answers; the forgetting curve), the exam score worked by
// hand, the replay of answers into chances, the standing of a tiny pool and
// the pass chance over time.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>

#include "progress/chance_history.h"
#include "progress/pass_chance.h"
#include "progress/readiness.h"

namespace pathwick::testing {
namespace {

using namespace std::chrono_literals;

TEST(MemoryModel, ReproducesTheReferenceValues) {
    std::ifstream reviews(PATHWICK_SOURCE_DIR "/data/fsrs6-reference/reviews.tsv"),
        curve(PATHWICK_SOURCE_DIR "/data/fsrs6-reference/forgetting-curve.tsv");
    for (std::ifstream* table : {&reviews, &curve}) table->ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    std::string sequence, recallBefore;
    double elapsed = 0, stability = 0, difficulty = 0, recall = 0;
    int step = 0, rating = 0, rows = 0;
    MemoryState state;
    for (; reviews >> sequence >> step >> elapsed >> rating >> recallBefore >> stability >> difficulty; ++rows) {
        SCOPED_TRACE("sequence " + sequence + " step " + std::to_string(step));
        // Before a first answer ("-") no time has passed: recall 1 whatever the state.
        EXPECT_NEAR(Retrievability(elapsed, state.stability), recallBefore == "-" ? 1 : std::stod(recallBefore), 1e-6);
        const auto given = static_cast<Rating>(rating);
        state = step == 1 ? FirstMemory(given) : NextMemory(state, elapsed, given);
        EXPECT_NEAR(state.stability, stability, 1e-6);
        EXPECT_NEAR(state.difficulty, difficulty, 1e-6);
    }
    for (; curve >> stability >> elapsed >> recall; ++rows)
        EXPECT_NEAR(Retrievability(elapsed, stability), recall, 1e-6) << "S " << stability << " t " << elapsed;
    EXPECT_EQ(rows, 47 + 35);

    MemoryState hammered = FirstMemory(Rating::Again);  // wrong again and again the same day
    for (int answer = 0; answer < 20; ++answer) hammered = NextMemory(hammered, 0, Rating::Again);
    EXPECT_EQ(hammered.stability, 0.001);
    // A lapse 1000 days after a first wrong answer: relearning (0.228) would
    // leave more than a lapse allows, S / e^(w17 w18).
    EXPECT_DOUBLE_EQ(NextMemory(FirstMemory(Rating::Again), 1000, Rating::Again).stability, 0.212 / std::exp(0.5425 * 0.0912));
}

// Groups right with chances 1/2, 3/4, 1/5 (wrong: 1/2, 1/4, 4/5):
//   P(0) = 1/2 * 1/4 * 4/5                                      = 0.1
//   P(1) = 1/2*1/4*4/5 + 1/2*3/4*4/5 + 1/2*1/4*1/5 = .1+.3+.025  = 0.425
//   P(2) = 1/2*3/4*4/5 + 1/2*1/4*1/5 + 1/2*3/4*1/5 = .3+.025+.075 = 0.4
//   P(3) = 1/2 * 3/4 * 1/5                                      = 0.075
// so a pass mark of 0 .. 3 is reached with 1, 0.9, 0.475, 0.075, and 4 or more never.
TEST(PassChance, ThreeGroupsWorkedByHand) {
    const double groups[] = {0.5, 0.75, 0.2};
    const std::vector<double> scores = ScoreDistribution(groups);
    const std::tuple<int, double, double> marks[] = {{-1, 0, 1},     {0, 0.1, 1},       {1, 0.425, 0.9},
                                                     {2, 0.4, 0.475}, {3, 0.075, 0.075}, {4, 0, 0}, {5, 0, 0}};
    for (const auto& [mark, exactly, atLeast] : marks) {
        EXPECT_NEAR(mark >= 0 && mark <= 3 ? scores.at(mark) : 0, exactly, 1e-12) << mark;
        EXPECT_NEAR(PassChance(groups, mark), atLeast, 1e-12) << mark;
    }
}

// Recall from the reference forgetting curve: R(1 day, S 2.3065) = 0.9468475,
// R(0.25, 2.3065) = 0.98454886, R(1, 0.212) = 0.76619573, S being 2.3065
// after a first right answer and 0.212 after a first wrong one.
const UtcTime kStart{std::chrono::sys_days{std::chrono::year{2026} / 12 / 1}};
constexpr std::string_view kT1A[] = {"T1A01", "T1A02"}, kT1B[] = {"T1B01"}, kT0A[] = {"T0A01", "T0A02"};
constexpr ExamGroup kGroups[] = {{"T1A", kT1A}, {"T9", kT1B}, {"T0A", kT0A}};  // a code as short as it can be

const PoolEdition kTiny = [] {  // passed with two of its three groups right
    PoolEdition edition{};
    edition.groups = kGroups, edition.passMark = 2;
    return edition;
}();

QuestionStates threeFirstAnswers() {  // at the start: T1A01 right, T0A01 wrong, T1B01 right
    QuestionStates states;
    EXPECT_DOUBLE_EQ(states.chance("T1A01", kStart), 0.25);  // before any answer
    states.add("T1A01", kStart, true), states.add("T0A01", kStart, false), states.add("T1B01", kStart, true);
    return states;
}

TEST(QuestionStates, ChanceOfAnsweredAndUnansweredQuestions) {
    const QuestionStates states = threeFirstAnswers();
    const std::tuple<const char*, UtcTime, double> cases[] = {
        {"T1A01", kStart - 24h, 1},  // before the last answer: just answered
        // Two of three first answers right: a share k = (3/7 - 1/4) / (3/4)
        // known, so a right one known with chance k / (3/7) = 5/9, else a
        // guess that leaves the memory of a wrong first answer (recall
        // 0.88827864 six hours on).
        {"T1A01", kStart + 6h, 5.0 / 9 * (0.98454886 + (1 - 0.98454886) / 4) + 4.0 / 9 * (0.88827864 + (1 - 0.88827864) / 4)},
        {"T1A01", kStart + 24h, 5.0 / 9 * (0.9468475 + (1 - 0.9468475) / 4) + 4.0 / 9 * (0.76619573 + (1 - 0.76619573) / 4)},
        {"T0A01", kStart + 24h, 0.76619573 + (1 - 0.76619573) / 4},
        {"T1A02", kStart + 24h, 3.0 / 7},  // two of three first answers right
    };
    for (const auto& [id, when, chance] : cases) EXPECT_NEAR(states.chance(id, when), chance, 1e-7) << id;
}

TEST(QuestionStates, SecondAnswerWithinADayIsShortTermAndACopyKeepsItsOwn) {
    const QuestionStates original = threeFirstAnswers();
    for (const std::chrono::milliseconds later : {24h - 1ms, std::chrono::milliseconds(24h)}) {
        QuestionStates states = original;
        states.add("T1A01", kStart + later, true);
        const QuestionMemory state = *states.find("T1A01");
        // A right answer the same day leaves S 2.3065 as it is; a day later it grows.
        EXPECT_TRUE(later < 24h ? state.memory.stability == 2.3065 : state.memory.stability > 7) << later.count();
        EXPECT_EQ(std::tuple(state.answers, state.lastAnswer, states.firstAnswers(), states.firstAnswersRight()),
                  std::tuple(2, kStart + later, 3, 2));
    }
    EXPECT_EQ(original.find("T1A01")->answers, 1);
}

// A sitting holds answers each less than half a day after the one before.
// The answer after it counts once more, on the side of sittings that asked
// the question again or of those that did not.
TEST(QuestionStates, SittingsOfAnswersLessThanHalfADayApart) {
    QuestionStates states;
    // Three answers in one sitting, then one exactly half a day later: a new sitting.
    for (const std::chrono::milliseconds later : {0ms, std::chrono::milliseconds(11h), 23h - 1ms, 35h - 1ms})
        states.add("T1A01", kStart + later, later > 0ms);
    EXPECT_EQ(states.find("T1A01")->sitting, (Sitting{1, states.find("T1A01")->memory.stability}));
    // On the repeated side, in bin floor(4 log2(0.5 / 0.212)) = 4 (+ 32) of
    // the stability the sitting's first answer left.
    EXPECT_EQ(states.forgetting().counts().at((ForgettingRecord::kClasses + 1) * ForgettingRecord::kBins + 36).answers, 1);
}

// Three and a half days after the three first answers (recall 0.86890021
// after a first right answer, 0.64497083 after a wrong one): T1A01 and T1B01
// 5/9 0.9016751575 + 4/9 0.7337281225 = 0.8270320308, not solid, T0A01
// 0.7337281225, the others 3/7. The groups: T1A (0.8270320308 + 3/7) / 2 =
// 0.6278017297, T9 0.8270320308, T0A (0.7337281225 + 3/7) / 2 =
// 0.5811497755; two of three right: ab + ac + bc - 2abc = 0.7612084162.
TEST(Readiness, StandingOfATinyPool) {
    const Standing standing = StandingAt(threeFirstAnswers(), kTiny, kStart + 84h);
    EXPECT_NEAR(standing.passChance, 0.7612084162, 1e-7);
    EXPECT_NEAR(standing.expectedScore, 2.0359835360, 1e-7);
    EXPECT_EQ(std::tuple(standing.examQuestions, standing.passMark, standing.seen), std::tuple(3, 2, 3));
    const std::tuple<int, int, int, int, int, double> parts[] = {
        {0, 2, 1, 0, 1, 0.5811497755}, {1, 2, 1, 0, 1, 0.6278017297}, {9, 1, 1, 0, 1, 0.8270320308}, {2, 0, 0, 0, 0, 0}};
    for (const auto& [index, questions, seen, solid, exam, expected] : parts) {
        const SubelementStanding& part = standing.subelements[static_cast<std::size_t>(index)];
        EXPECT_EQ(std::tuple(part.questions, part.seen, part.solid, part.examQuestions),
                  std::tuple(questions, seen, solid, exam)) << index;
        EXPECT_NEAR(part.expectedRight, expected, 1e-7) << index;
    }
}

TEST(PassChanceHistory, AgreesWithAReplayAtEachMoment) {
    std::vector<RecordedAnswer> answers;
    const char* ids[] = {"T1A01", "T1B01", "T0A01", "T1A02", "T0A02"};
    for (int i = 0; i < 30; ++i) answers.push_back({ids[i % 5], kStart + i * 5h, i % 4 != 0});  // one every 5 hours
    const UtcTime moments[] = {kStart, kStart + 1h, kStart + 30h, answers[17].answeredAt, kStart + 900h};
    const std::vector<double> history = PassChanceHistory(answers, kTiny, moments);
    for (std::size_t i = 0; i < std::size(moments); ++i) {
        const auto later = [&](const RecordedAnswer& answer) { return answer.answeredAt >= moments[i]; };
        const QuestionStates replay = Replay({answers.begin(), std::find_if(answers.begin(), answers.end(), later)});
        EXPECT_DOUBLE_EQ(history.at(i), StandingAt(replay, kTiny, moments[i]).passChance) << i;
    }
}

}  // namespace
}  // namespace pathwick::testing
