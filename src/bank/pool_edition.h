#pragma once
// A pool edition: everything that differs between the question pools the
// program carries, as one constant value. The 2018-2022 pool is the
// default; the 2026-2030 pool (the one in force today) is chosen on the
// command line. The value is handed to every screen, which take their pool,
// texts and file names from it and never ask which edition they run.
// Text is Windows-1252 bytes.
#include <array>
#include <span>
#include <string_view>

namespace pathwick {

inline constexpr int kSubelementCount = 10;
inline constexpr int kExamGroups = 35;

struct ExamGroup {
    std::string_view code;  // "T1A"
    int size;               // its questions are code + 01..size
};

struct PoolEdition {
    std::string_view years;  // "2018-2022"
    // The values of --pool that choose it.
    std::array<std::string_view, 2> commandLineNames;
    // One block per subelement 0..9: seven items per question, then
    // "ENDofPOOL".
    std::array<std::span<const std::string_view>, kSubelementCount> blocks;
    // The question groups in the order a practice test draws them: T1 to T9,
    // then T0. The exam blueprint follows from them.
    std::array<ExamGroup, kExamGroups> groups;
    // Follows the program's name and version in the window title.
    std::string_view windowTitleSuffix;
    // Row 6 of the main menu: the program name, and which pool is in use.
    std::string_view menuTitle;
    // The main menu's line of each subelement, "0. SUBELEMENT T0 ...".
    std::array<std::string_view, kSubelementCount> menuLines;
    // The long name of each subelement; the text before its first colon is
    // the short name on the question screen.
    std::array<std::string_view, kSubelementCount> descriptionLines;
    std::string_view effectiveDates;  // "7/01/2018-6/30/2022"
    // Read from the current folder; each edition has its own, because the
    // question IDs of different pools name different questions.
    std::string_view hintsFileName;

    // Number of items in the block of subelement 0..9 (0 outside).
    int itemCount(int subelement) const;
    // Item `index` (1-based) of a block; index 0, past the end or a
    // subelement outside 0..9 gives empty text.
    std::string_view item(int subelement, int index) const;
};

// The 2018-2022 pool, the default.
const PoolEdition& Edition2018();
// The 2026-2030 pool.
const PoolEdition& Edition2026();
// Every edition, the default first.
std::span<const PoolEdition* const> AllEditions();

}  // namespace pathwick
