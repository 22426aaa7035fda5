#pragma once
// The colours (console colours 0-15) of the pages in white on blue: the
// menu, the drill's prompts and completion, the test's result, the progress
// screen and its help, the review round's result, the goodbye. Headings are
// yellow; clickable labels are yellow on red.
namespace pathwick {

inline constexpr int kPageForeground = 15;
inline constexpr int kPageBackground = 1;
inline constexpr int kHeadingForeground = 14;
inline constexpr int kButtonForeground = 14;
inline constexpr int kButtonBackground = 4;

}  // namespace pathwick
