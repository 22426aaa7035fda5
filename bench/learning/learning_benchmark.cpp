// The learning benchmark: simulated learners whose memory is not the
// scheduler's model study the 2026-2030 Technician pool with the drill, the
// drill on the weakest subelement first, Review and an oracle that knows
// their true chances. It prints, per family, the answers until the true
// chance to pass first reaches 95 % and how well the chance Pathwick shows
// matches the truth; the last two lines give the worst family's figures.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "simulation.h"

namespace pathwick::bench {
namespace {

struct Options {
    int learners = 200;
    int threads = 2;
    int examEveryDays = 0;
};

Options ReadOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const int value = std::atoi(argv[i + 1]);
        if (name == "--learners" && value > 0) options.learners = value;
        if (name == "--threads" && value > 0) options.threads = value;
        if (name == "--exam-every" && value >= 0) options.examEveryDays = value;
    }
    return options;
}

constexpr std::size_t kStrategyCount = std::size(kStrategies);
using LearnerRuns = std::array<StudyRun, kStrategyCount>;

// Every learner of a family with every strategy, the learners shared out
// over the threads; each run depends on its seed only.
std::vector<LearnerRuns> RunFamily(const StudyPool& pool, const LearnerFamily& family, const Options& options) {
    std::vector<LearnerRuns> runs(static_cast<std::size_t>(options.learners));
    StudyPlan plan;
    plan.examEveryDays = options.examEveryDays;
    auto work = [&](int first) {
        for (int l = first; l < options.learners; l += options.threads) {
            for (std::size_t s = 0; s < kStrategyCount; ++s)
                runs[static_cast<std::size_t>(l)][s] = Study(pool, family, 1000 + static_cast<std::uint64_t>(l), kStrategies[s], plan);
        }
    };
    std::vector<std::jthread> threads;
    for (int t = 0; t < options.threads; ++t) threads.emplace_back(work, t);
    threads.clear();
    return runs;
}

double Quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    const double at = q * static_cast<double>(values.size() - 1);
    const auto low = static_cast<std::size_t>(std::floor(at));
    const auto high = std::min(low + 1, values.size() - 1);
    return values[low] + (values[high] - values[low]) * (at - static_cast<double>(low));
}

struct FamilyFigures {
    double reviewPerDrill = 0;
    double calibrationError = 0;
};

// Answers to the goal per strategy; a learner who never reaches it counts
// with all the answers given (a bound from below).
std::array<double, kStrategyCount> ReportAnswers(const std::vector<LearnerRuns>& runs) {
    std::array<double, kStrategyCount> medians{};
    std::printf("  answers until the true chance to pass first reaches 95 %%\n");
    std::printf("  %-22s %8s %8s %8s %12s\n", "strategy", "q1", "median", "q3", "not reached");
    for (std::size_t s = 0; s < kStrategyCount; ++s) {
        std::vector<double> answers;
        int missed = 0;
        for (const auto& learner : runs) {
            const int n = learner[s].answersToGoal;
            missed += n < 0;
            answers.push_back(n < 0 ? learner[s].answers : n);
        }
        medians[s] = Quantile(answers, 0.5);
        std::printf("  %-22s %8.0f %8.0f %8.0f %12d\n", std::string(NameOf(kStrategies[s])).c_str(), Quantile(answers, 0.25),
                    medians[s], Quantile(answers, 0.75), missed);
    }
    return medians;
}

double ReportCalibration(const std::vector<LearnerRuns>& runs) {
    struct Bin {
        int count = 0;
        double shown = 0;
        double truth = 0;
    };
    std::array<Bin, 10> bins{};
    double error = 0;
    int moments = 0;
    for (const auto& learner : runs) {
        for (std::size_t s = 0; s < kStrategyCount; ++s) {
            // The oracle picks by what Pathwick cannot know (it never asks a
            // question the learner knew before, so the first answers it leaves
            // are all to unknown ones): its record is not what a user builds.
            if (kStrategies[s] == StrategyKind::Oracle) continue;
            for (const ShownAndTrue& m : learner[s].moments) {
                error += std::abs(m.shown - m.truth);
                ++moments;
                Bin& bin = bins[static_cast<std::size_t>(std::clamp(int(m.shown * 10), 0, 9))];
                ++bin.count, bin.shown += m.shown, bin.truth += m.truth;
            }
        }
    }
    const double meanError = 100 * error / moments;
    std::printf("  mean absolute error by strategy:");
    for (std::size_t s = 0; s < kStrategyCount; ++s) {
        double e = 0;
        int n = 0;
        for (const auto& learner : runs)
            for (const ShownAndTrue& m : learner[s].moments) e += std::abs(m.shown - m.truth), ++n;
        std::printf(" %s %.1f pp%s", std::string(NameOf(kStrategies[s])).c_str(), 100 * e / n, s + 1 < kStrategyCount ? "," : "\n");
    }
    std::printf("  chance shown against the true chance, at the start of each day's session (%d moments):\n", moments);
    std::printf("  mean absolute error %.1f pp\n", meanError);
    std::printf("  %-10s %8s %12s %12s\n", "shown", "moments", "mean shown", "mean true");
    for (std::size_t b = 0; b < bins.size(); ++b) {
        const Bin& bin = bins[b];
        if (bin.count == 0) continue;
        std::printf("  %3zu-%3zu %% %8d %11.1f%% %11.1f%%\n", b * 10, b * 10 + 10, bin.count, 100 * bin.shown / bin.count,
                    100 * bin.truth / bin.count);
    }
    return meanError;
}

}  // namespace
}  // namespace pathwick::bench

int main(int argc, char** argv) {
    using namespace pathwick::bench;
    const Options options = ReadOptions(argc, argv);
    const StudyPool pool(pathwick::Edition2026());
    const StudyPlan plan;
    std::printf("Technician 2026-2030 pool: %d questions, %zu groups, pass mark %d; %d learners per family, "
                "%d answers a day\n",
                pool.size(), pool.groups.size(), pool.edition.passMark, options.learners, plan.answersPerDay);
    FamilyFigures worst;
    for (const LearnerFamily& family : kFamilies) {
        std::printf("\nfamily %s\n", std::string(family.name).c_str());
        const auto runs = RunFamily(pool, family, options);
        const auto medians = ReportAnswers(runs);
        const double reviewPerDrill = medians[2] / medians[0];
        std::printf("  review/drill %.2f, oracle/drill %.2f, weakest first/drill %.2f\n", reviewPerDrill,
                    medians[3] / medians[0], medians[1] / medians[0]);
        const double calibration = ReportCalibration(runs);
        worst.reviewPerDrill = std::max(worst.reviewPerDrill, reviewPerDrill);
        worst.calibrationError = std::max(worst.calibrationError, calibration);
    }
    std::printf("\nreview/drill answers to 95 %%: %.2f\n", worst.reviewPerDrill);
    std::printf("calibration mean abs error: %.1f pp\n", worst.calibrationError);
    return 0;
}
