#pragma once
// A pool edition: everything that differs between the question pools the
// program carries, as one constant value. The 2018-2022 Technician pool is
// the default; the others (Technician 2026-2030, General 2023-2027, Amateur
// Extra 2024-2028) are chosen on the command line. The value is handed to
// every screen, which take their pool, texts, exam size and file names from
// it and never ask which edition they run. Text is Windows-1252 bytes.
#include <array>
#include <span>
#include <string_view>

namespace pathwick {

inline constexpr int kSubelementCount = 10;

struct ExamGroup {
    std::string_view code;                  // "G8C"
    std::span<const std::string_view> ids;  // the pool's IDs, withdrawn numbers left out
};

// A help page row that names the class or the pool's dates.
struct HelpLine {
    int row;
    std::string_view text;
};

struct PoolEdition {
    std::string_view className;  // "Technician", "General", "Amateur Extra"
    std::string_view years;      // "2018-2022"
    // The values of --pool that choose it; empty names are unused slots.
    std::array<std::string_view, 3> commandLineNames;
    // One block per subelement 0..9: seven items per question, then
    // "ENDofPOOL".
    std::array<std::span<const std::string_view>, kSubelementCount> blocks;
    // The question groups in the order a practice test draws them:
    // subelements 1 to 9, then 0. The exam blueprint follows from them.
    std::span<const ExamGroup> groups;
    // A practice test: one question from each group; passed with more than
    // 73.99 per cent, which is this many correct answers.
    int examQuestions;
    int passMark;
    // The names its figure markers use ("T1", "G7-1"); the pictures are
    // built into the desktop helper under the same names.
    std::span<const std::string_view> figures;
    // Follows the program's name and version in the window title.
    std::string_view windowTitleSuffix;
    // Row 6 of the main menu: the program name, and which pool is in use.
    std::string_view menuTitle;
    // The main menu's line of each subelement, "0. SUBELEMENT T0 ...".
    std::array<std::string_view, kSubelementCount> menuLines;
    // The long name of each subelement; the text before its first colon is
    // the short name on the question screen.
    std::array<std::string_view, kSubelementCount> descriptionLines;
    // The help page rows that name the class and the effective dates.
    std::span<const HelpLine> helpLines;
    // The example study mode's introduction gives.
    std::string_view exampleId;
    // Looked for at start-up (hints/hints_location.h); each edition has its
    // own, because the question IDs of different pools name different
    // questions.
    std::string_view hintsFileName;

    // Number of items in the block of subelement 0..9 (0 outside).
    int itemCount(int subelement) const;
    // Item `index` (1-based) of a block; index 0, past the end or a
    // subelement outside 0..9 gives empty text.
    std::string_view item(int subelement, int index) const;
};

// The 2018-2022 Technician pool, the default.
const PoolEdition& Edition2018();
// The 2026-2030 Technician pool.
const PoolEdition& Edition2026();
// The 2023-2027 General pool.
const PoolEdition& EditionGeneral();
// The 2024-2028 Amateur Extra pool.
const PoolEdition& EditionExtra();
// Every edition, the default first.
std::span<const PoolEdition* const> AllEditions();

}  // namespace pathwick
