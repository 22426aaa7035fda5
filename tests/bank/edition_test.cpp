// Every pool edition against what its release publishes (the README of its
// data folder): counts, groups with their real IDs, keys, figure markers,
// exam size and pass mark; and the menu and description lines it brings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include "bank/load_pool.h"
#include "console/wrap_text.h"
#include "desktop/figure_catalogue.h"
#include "desktop/figure_picture.h"
#include "exam/exam_scoring.h"

namespace pathwick {
namespace {

struct Release {
    const PoolEdition& edition;
    std::array<int, kSubelementCount> counts;
    int examQuestions, passMark;
    std::map<char, int> keys;
    std::string groups;   // "G8C:02-16": each group's IDs as runs of numbers
    std::string figures;  // "G7A09-13:G7-1": figure questions as runs
};

// Numbers as runs: {1, 2, 3, 5, 6, 11} -> {"01-03", "05-06", "11"}.
std::vector<std::string> runsOf(const std::vector<int>& numbers) {
    std::vector<std::string> runs;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1) ++j;
        char text[8];
        std::snprintf(text, sizeof text, j > i ? "%02d-%02d" : "%02d", numbers[i] % 100, numbers[j] % 100);
        runs.push_back(text), i = j + 1;
    }
    return runs;
}

// IDs in order, grouped by a key (the group code, or the code and the
// figure), written "KEY:01-03,05-11" (groups) or "CODE01-03:NAME" (figures).
struct Grouped {
    std::vector<std::pair<std::string, std::vector<int>>> keys;
    void add(const std::string& key, int number) {
        if (keys.empty() || keys.back().first != key) keys.push_back({key, {}});
        keys.back().second.push_back(number);
    }
    std::string groups() const {
        std::string text;
        for (const auto& [code, numbers] : keys) {
            text += (text.empty() ? "" : " ") + code + ":";
            for (const std::string& run : runsOf(numbers)) text += run + (run == runsOf(numbers).back() ? "" : ",");
        }
        return text;
    }
    std::string figures() const {
        std::string text;
        for (const auto& [key, numbers] : keys)
            for (const std::string& run : runsOf(numbers))
                text += (text.empty() ? "" : " ") + key.substr(0, 3) + run + ":" + key.substr(3);
        return text;
    }
};

TEST(Editions, MatchTheirReleases) {
    const Release releases[] = {
        {Edition2018(), {37, 67, 38, 35, 24, 57, 47, 47, 48, 23}, 35, 26, {{'A', 111}, {'B', 105}, {'C', 115}, {'D', 92}},
         "T1A:01-11 T1B:01-12 T1C:01-11 T1D:01-11 T1E:01-11 T1F:01-11 T2A:01-12 T2B:01-14 T2C:01-12 T3A:01-13 T3B:01-11 "
         "T3C:01-11 T4A:01-11 T4B:01-13 T5A:01-14 T5B:01-13 T5C:01-14 T5D:01-16 T6A:01-11 T6B:01-11 T6C:01-13 T6D:01-12 "
         "T7A:01-11 T7B:01-12 T7C:01-12 T7D:01-12 T8A:01-11 T8B:01-12 T8C:01-11 T8D:01-14 T9A:01-12 T9B:01-11 T0A:01-11 "
         "T0B:01-13 T0C:01-13",
         "T6C02-05:T1 T6C06-09:T2 T6C10-11:T3 T6D03:T2 T6D10:T1"},
        {Edition2026(), {36, 68, 37, 35, 23, 50, 46, 44, 47, 23}, 35, 26, {{'A', 102}, {'B', 102}, {'C', 103}, {'D', 102}},
         "T1A:01-11 T1B:01-12 T1C:01-11 T1D:01-12 T1E:01-11 T1F:01-11 T2A:01-11 T2B:01-14 T2C:01-12 T3A:01-12 T3B:01-12 "
         "T3C:01-11 T4A:01-12 T4B:01-11 T5A:01-11 T5B:01-13 T5C:01-12 T5D:01-14 T6A:01-11 T6B:01-12 T6C:01-12 T6D:01-11 "
         "T7A:01-11 T7B:01-11 T7C:01-11 T7D:01-11 T8A:01-12 T8B:01-12 T8C:01-11 T8D:01-12 T9A:01-11 T9B:01-12 T0A:01-12 "
         "T0B:01-11 T0C:01-13",
         "T6A09:T2 T6C02-05:T1 T6C06-09:T2 T6C10-11:T3 T6D10:T1"},
        {EditionGeneral(), {25, 52, 60, 37, 60, 40, 23, 38, 42, 46}, 35, 26, {{'A', 105}, {'B', 108}, {'C', 105}, {'D', 105}},
         "G1A:01-03,05-11 G1B:01-11 G1C:01-07,11 G1D:01-12 G1E:01-08,10-12 G2A:01-12 G2B:01-11 G2C:01-11 G2D:01-11 "
         "G2E:01-15 G3A:01-14 G3B:01-12 G3C:01-11 G4A:01-13 G4B:01-13 G4C:01-12 G4D:01-11 G4E:01-11 G5A:01-12 G5B:01-14 "
         "G5C:01-14 G6A:01-12 G6B:01-08,10-12 G7A:01-13 G7B:01-11 G7C:01-14 G8A:01-14 G8B:01-13 G8C:02-16 G9A:01-11 "
         "G9B:01-12 G9C:01-05,07-12 G9D:01-12 G0A:01-12 G0B:01-13",
         "G7A09-13:G7-1"},
        {EditionExtra(), {12, 68, 60, 39, 63, 49, 68, 99, 48, 93}, 50, 37, {{'A', 150}, {'B', 150}, {'C', 150}, {'D', 149}},
         "E1A:01-11 E1B:01-11 E1C:01-12 E1D:01-12 E1E:01-11 E1F:01-11 E2A:01-12 E2B:01-12 E2C:01-12 E2D:01-11 E2E:01-13 "
         "E3A:01-14 E3B:01-13 E3C:01-12 E4A:01-11 E4B:01-11 E4C:01-14 E4D:01-04,06-14 E4E:01-14 E5A:01-13 E5B:01-12 "
         "E5C:01-12 E5D:01-12 E6A:01-12 E6B:01-11 E6C:01-11 E6D:01-06,08-12 E6E:01-12 E6F:01-11 E7A:01-11 E7B:01-12 "
         "E7C:01-11 E7D:01-15 E7E:01-11 E7F:01-14 E7G:01-12 E7H:01-13 E8A:01-11 E8B:01-11 E8C:01-15 E8D:01-11 E9A:01-12 "
         "E9B:01-11 E9C:01-14 E9D:01-12 E9E:01-09,11 E9F:01-12 E9G:01-11 E9H:01-11 E0A:01-12",
         "E5C10-12:E5-1 E6A10-11:E6-1 E6B10:E6-2 E6C08:E6-3 E6C10-11:E6-3 E7B10-12:E7-1 E7D06-08:E7-2 E7G02:E7-3 E7G07:E7-3 "
         "E7G09-11:E7-3 E9B01-03:E9-1 E9B04-06:E9-2 E9G06-07:E9-3"},
    };
    for (const Release& release : releases) {
        const PoolEdition& edition = release.edition;
        SCOPED_TRACE(std::string(edition.className) + " " + std::string(edition.years));
        // The pool as loaded, in blueprint order (subelement 0 last), and the
        // blueprint's own groups.
        Grouped inPool, inBlueprint, figures;
        std::map<char, int> keys;
        QuestionPool pool(kScratchTableLastRow);
        for (const int s : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}) {
            LoadPool(s, pool, edition);
            EXPECT_EQ(pool.count(), release.counts[std::size_t(s)]) << s;
            for (int row = 1; row <= pool.count(); ++row) {
                const std::string& id = pool.cell(row, kIdField);
                inPool.add(id.substr(0, 3), std::stoi(id.substr(3, 2)));
                ++keys[pool.cell(row, kKeyField)[0]];
                if (id.size() == 5) continue;
                ASSERT_EQ(id.substr(5, 8), " Figure:") << id;
                EXPECT_TRUE(std::find(edition.figures.begin(), edition.figures.end(), id.substr(13)) != edition.figures.end());
                figures.add(id.substr(0, 3) + id.substr(13), std::stoi(id.substr(3, 2)));
            }
        }
        for (const ExamGroup& group : edition.groups)
            for (std::string_view id : group.ids) inBlueprint.add(std::string(group.code), std::stoi(std::string(id.substr(3))));
        EXPECT_EQ(inPool.groups(), release.groups);
        EXPECT_EQ(inBlueprint.groups(), release.groups);
        EXPECT_EQ(figures.figures(), release.figures);
        EXPECT_EQ(keys, release.keys);
        EXPECT_EQ(int(edition.groups.size()), release.examQuestions);
        EXPECT_EQ(edition.examQuestions, release.examQuestions);
        EXPECT_EQ(edition.passMark, release.passMark);
        EXPECT_TRUE(isPass(roundedPercent(float(release.passMark), float(release.examQuestions))));
        EXPECT_FALSE(isPass(roundedPercent(float(release.passMark - 1), float(release.examQuestions))));
    }
}

// A description leaves room for the drill's count within five lines, every
// figure has its picture. (Each edition's menu: its screen file, walked.)
TEST(Editions, DescriptionsAndFigurePictures) {
    for (const PoolEdition* edition : AllEditions()) {
        for (std::string_view line : edition->descriptionLines) {
            CountedList lines(8);
            WrapText(std::string(line) + " [99 Questions]", lines, 70);
            EXPECT_LE(lines.count(), 5) << line;
        }
        for (std::string_view name : edition->figures) {
            const FigurePicture* figure = FindFigure("Figure:" + std::string(name));
            ASSERT_NE(figure, nullptr) << name;
            SDL_Surface* surface = DecodeFigure(figure->picture());
            ASSERT_NE(surface, nullptr) << name;
            EXPECT_EQ(std::to_string(surface->w) + "x" + std::to_string(surface->h) + " " + std::string(figure->title),
                      std::to_string(figure->width) + "x" + std::to_string(figure->height) + " Figure " + std::string(name));
            SDL_FreeSurface(surface);
        }
    }
}

}  // namespace
}  // namespace pathwick
