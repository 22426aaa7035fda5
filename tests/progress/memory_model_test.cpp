// The memory model against the values of an independent implementation:
// eight answer sequences (every rating, same-day and later answers) and the
// forgetting curve.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "progress/memory_model.h"

namespace pathwick::testing {
namespace {

// The rows of a reference table below its heading, split at the tabs.
std::vector<std::vector<std::string>> referenceRows(const std::string& name) {
    std::ifstream file(PATHWICK_SOURCE_DIR "/data/fsrs6-reference/" + name);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    for (std::getline(file, line); std::getline(file, line);) {
        std::istringstream fields(line);
        auto& row = rows.emplace_back();
        for (std::string field; std::getline(fields, field, '\t');) row.push_back(field);
    }
    return rows;
}

TEST(MemoryModel, ReproducesTheReferenceSequences) {
    const auto rows = referenceRows("reviews.tsv");
    ASSERT_EQ(rows.size(), 47u);
    MemoryState state;
    for (const auto& row : rows) {
        const double elapsed = std::stod(row[2]);
        const auto rating = static_cast<Rating>(std::stoi(row[3]));
        const std::string where = "sequence " + row[0] + " step " + row[1];
        if (row[1] == "1") {
            state = FirstMemory(rating);
        } else {
            EXPECT_NEAR(Retrievability(elapsed, state.stability), std::stod(row[4]), 1e-6) << where;
            state = NextMemory(state, elapsed, rating);
        }
        EXPECT_NEAR(state.stability, std::stod(row[5]), 1e-6) << where;
        EXPECT_NEAR(state.difficulty, std::stod(row[6]), 1e-6) << where;
    }
}

TEST(MemoryModel, ReproducesTheForgettingCurve) {
    const auto rows = referenceRows("forgetting-curve.tsv");
    ASSERT_EQ(rows.size(), 35u);
    for (const auto& row : rows)
        EXPECT_NEAR(Retrievability(std::stod(row[1]), std::stod(row[0])), std::stod(row[2]), 1e-6)
            << "S " << row[0] << " t " << row[1];
}

}  // namespace
}  // namespace pathwick::testing
