// The hints.txt shipped in the repository root: one hint for every pool
// question, in pool order, in the format the hint reader expects.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "bank/load_pool.h"
#include "bank/question_pool.h"
#include "console/counted_list.h"
#include "console/wrap_text.h"
#include "support/hints_file.h"
#include "support/screen_test.h"

namespace pathwick {
namespace {

constexpr int kPoolQuestions = 423;

std::vector<std::string> poolIds() {
    std::vector<std::string> ids;
    for (int subelement = 0; subelement <= 9; ++subelement) {
        QuestionPool pool(kWorkTableLastRow);
        LoadPool(subelement, pool);
        for (int row = 1; row <= pool.count(); ++row) ids.push_back(pool.cell(row, kIdField).substr(0, 5));
    }
    return ids;
}

class SampleHintsFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::ifstream in(std::filesystem::path(PATHWICK_SOURCE_DIR) / "hints.txt", std::ios::binary);
        std::ostringstream whole;
        whole << in.rdbuf();
        bytes_ = whole.str();
        ASSERT_FALSE(bytes_.empty()) << "hints.txt missing or empty";
        for (std::size_t start = 0; start < bytes_.size();) {  // lines ended by CR LF
            const std::size_t end = std::min(bytes_.find("\r\n", start), bytes_.size());
            lines_.push_back(bytes_.substr(start, end - start));
            start = end + 2;
        }
    }
    std::string bytes_;
    std::vector<std::string> lines_;  // a comment, then the hints
};

TEST_F(SampleHintsFile, CommentThenOneHintPerPoolQuestionInPoolOrderAllInCrLfLines) {
    EXPECT_TRUE(lines_.front().starts_with("'"));
    EXPECT_TRUE(bytes_.ends_with("\r\n"));
    for (char end : {'\r', '\n'})  // no lone CR or LF
        EXPECT_EQ(std::count(bytes_.begin(), bytes_.end(), end), static_cast<long>(lines_.size()));
    const auto ids = poolIds();
    ASSERT_EQ(ids.size(), static_cast<std::size_t>(kPoolQuestions));
    ASSERT_EQ(lines_.size(), ids.size() + 1);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(lines_[i + 1].substr(0, 7), ids[i] + ": ") << "hint line " << i + 1;
        EXPECT_GT(lines_[i + 1].size(), 7u);
        EXPECT_NE(lines_[i + 1][7], ' ') << ids[i];
    }
}

// Short, plain, ending in "]" (so the index lists it), fitting two screen
// lines of 95, and naming no choice letter: choices are re-lettered every
// time a question is shown.
TEST_F(SampleHintsFile, HintsAreShortPlainIndexedAndNameNoChoiceLetter) {
    const std::regex choiceLetter(
        R"((^|[^A-Za-z0-9])[A-D]\.(\s|$)|\b([Aa]nswers?|[Cc]hoices?|[Oo]ptions?|[Ll]etter)\s+[A-D]\b|\([A-D]\))");
    for (std::size_t i = 1; i < lines_.size(); ++i) {
        const std::string text = lines_[i].substr(std::min<std::size_t>(7, lines_[i].size()));
        ASSERT_FALSE(text.empty()) << lines_[i];
        EXPECT_LE(text.size(), 190u) << lines_[i];
        EXPECT_EQ(text.back(), ']') << lines_[i];
        EXPECT_EQ(text.find("~Figure "), std::string::npos) << lines_[i];
        EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](unsigned char c) { return c >= 32 && c < 127; }))
            << lines_[i];
        CountedList wrapped(15);
        WrapText(text, wrapped, 95);
        EXPECT_LE(wrapped.count(), 2) << lines_[i];
        EXPECT_FALSE(std::regex_search(text, choiceLetter)) << lines_[i];
    }
}

TEST(SampleHintsFileIndex, ListsEveryPoolQuestionInOrder) {
    testing::ScreenRig rig;
    CountedList index(640);
    std::string request = "Index";
    WindowHandle hintWindow = 0;
    showHint(request, index, hintWindow, rig.screen, rig.desktop, PATHWICK_SOURCE_DIR);
    const auto ids = poolIds();
    ASSERT_EQ(index.count(), kPoolQuestions);
    for (int i = 1; i <= kPoolQuestions; ++i) EXPECT_EQ(index[i], ids[std::size_t(i - 1)]) << "index entry " << i;
}

}  // namespace
}  // namespace pathwick
