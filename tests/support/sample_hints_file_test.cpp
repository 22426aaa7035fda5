// The hints.txt shipped in the repository root: one hint for every pool
// question, in pool order, in the format the hint reader expects.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
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

constexpr std::size_t kLongestHint = 190;  // two screen lines of 95
constexpr int kPoolQuestions = 423;
constexpr int kHintIndexLast = 640;
constexpr int kHintWidth = 95;

std::filesystem::path sourceDir() { return std::filesystem::path(PATHWICK_SOURCE_DIR); }

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream whole;
    whole << in.rdbuf();
    return whole.str();
}

// Lines ended by CR LF; a trailing piece without CR LF is kept as a line.
std::vector<std::string> crLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> poolIds() {
    std::vector<std::string> ids;
    for (int subelement = 0; subelement <= 9; ++subelement) {
        QuestionPool pool(kWorkTableLastRow);
        LoadPool(subelement, pool);
        for (int row = 1; row <= pool.count(); ++row) {
            ids.push_back(pool.cell(row, kIdField).substr(0, 5));
        }
    }
    return ids;
}

// "T1A01 [97.1]" lines: the Part 97 section the pool gives for a question.
std::map<std::string, std::string> ruleReferences() {
    std::map<std::string, std::string> references;
    std::istringstream in(readBytes(sourceDir() / "data/pool-references.txt"));
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() > 6) references[line.substr(0, 5)] = line.substr(6);
    }
    return references;
}

class SampleHintsFile : public ::testing::Test {
protected:
    void SetUp() override {
        bytes_ = readBytes(sourceDir() / "hints.txt");
        ASSERT_FALSE(bytes_.empty()) << "hints.txt missing or empty";
        lines_ = crLfLines(bytes_);
    }

    std::vector<std::string> hintLines() const {
        return std::vector<std::string>(lines_.begin() + 1, lines_.end());
    }

    std::string bytes_;
    std::vector<std::string> lines_;
};

TEST_F(SampleHintsFile, CommentFirstAndEveryLineEndsInCrLf) {
    ASSERT_FALSE(lines_.empty());
    EXPECT_EQ(lines_.front().substr(0, 1), "'");
    EXPECT_GT(lines_.front().size(), 20u) << "the comment should say what the file is";
    EXPECT_EQ(bytes_.substr(bytes_.size() - 2), "\r\n");
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        if (bytes_[i] == '\r') {
            EXPECT_EQ(bytes_[i + 1], '\n') << "lone CR at byte " << i;
        }
        if (bytes_[i] == '\n') {
            EXPECT_EQ(bytes_[i - 1], '\r') << "lone LF at byte " << i;
        }
    }
}

TEST_F(SampleHintsFile, OneHintPerPoolQuestionInPoolOrder) {
    const auto ids = poolIds();
    ASSERT_EQ(ids.size(), static_cast<std::size_t>(kPoolQuestions));
    const auto hints = hintLines();
    ASSERT_EQ(hints.size(), ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(hints[i].substr(0, 7), ids[i] + ": ") << "hint line " << i + 1;
        EXPECT_GT(hints[i].size(), 7u);
        EXPECT_NE(hints[i][7], ' ') << ids[i];
    }
}

TEST_F(SampleHintsFile, HintsAreShortPlainAndEndInTheirReference) {
    const auto references = ruleReferences();
    ASSERT_EQ(references.size(), 66u);
    for (const auto& line : hintLines()) {
        const std::string id = line.substr(0, 5);
        const std::string text = line.size() > 7 ? line.substr(7) : "";
        EXPECT_LE(text.size(), kLongestHint) << id;
        ASSERT_FALSE(text.empty()) << id;
        EXPECT_EQ(text.back(), ']') << id;
        EXPECT_EQ(text.find("~Figure "), std::string::npos) << id;
        for (unsigned char c : text) {
            EXPECT_TRUE(c >= 32 && c < 127) << id << " byte " << int(c);
        }
        const auto found = references.find(id);
        if (found != references.end()) {
            EXPECT_EQ(text.substr(text.rfind('[')), found->second) << id;
        } else {
            EXPECT_EQ(text.find("[97."), std::string::npos) << id << " cites an unlisted rule";
        }
    }
}

TEST_F(SampleHintsFile, EveryHintFitsTwoScreenLines) {
    for (const auto& line : hintLines()) {
        CountedList wrapped(15);
        WrapText(line.substr(7), wrapped, kHintWidth);
        EXPECT_LE(wrapped.count(), 2) << line;
    }
}

TEST_F(SampleHintsFile, NoHintNamesAChoiceLetter) {
    // Choices are re-lettered every time a question is shown.
    const std::regex letterWithStop(R"((^|[^A-Za-z0-9])[A-D]\.(\s|$))");
    const std::regex namedLetter(R"(\b([Aa]nswers?|[Cc]hoices?|[Oo]ptions?|[Ll]etter)\s+[A-D]\b)");
    const std::regex bracketedLetter(R"(\([A-D]\))");
    for (const auto& line : hintLines()) {
        const std::string text = line.substr(7);
        EXPECT_FALSE(std::regex_search(text, letterWithStop)) << line;
        EXPECT_FALSE(std::regex_search(text, namedLetter)) << line;
        EXPECT_FALSE(std::regex_search(text, bracketedLetter)) << line;
    }
}

TEST(SampleHintsFileIndex, ListsEveryPoolQuestionInOrder) {
    testing::ScreenRig rig;
    rig.context.hintsDirectory = sourceDir();
    CountedList index(kHintIndexLast);
    std::string request = "Index";
    WindowHandle hintWindow = 0;
    showHint(request, index, hintWindow, rig.screen, rig.desktop, rig.context.hintsDirectory);

    EXPECT_TRUE(request.empty());
    const auto ids = poolIds();
    ASSERT_EQ(index.count(), kPoolQuestions);
    for (int i = 1; i <= kPoolQuestions; ++i) {
        EXPECT_EQ(index[i], ids[static_cast<std::size_t>(i - 1)]) << "index entry " << i;
    }
}

}  // namespace
}  // namespace pathwick
