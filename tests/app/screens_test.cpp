// Every screen of the program, reached by walking the real program loop on a
// script and compared cell by cell, text and colours, with tests/screens.
#include <gtest/gtest.h>

#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

using namespace std::chrono_literals;

struct Walk {
    const char* screen;  // file under tests/screens
    std::string script;
    std::string calls;   // the desktop calls, "; " between them
    bool ends = false;   // the program ended through the goodbye screen
    LocalTime start = {2026, 6, 15, 10, 0, 0, 0};
};

std::string joined(const std::vector<std::string>& calls) {
    std::string text;
    for (const std::string& call : calls) text += (text.empty() ? "" : "; ") + call;
    return text;
}

std::string repeated(std::string_view word, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += std::string(word) + " ";
    return text;
}

TEST(Screens, WalkedThroughTheProgram) {
    const std::string picture = "showImageFile <hints>/Figures/battery.bmp '' -> 1";
    const Walk walks[] = {
        {"menu", "", ""},
        {"help", "?", ""},
        {"goodbye", "<esc>", "", true},
        {"drill_order", "0", ""},
        {"drill_start_again", "4 s 25 <cr>", ""},
        {"drill_question", "0 s 1 <cr> <sp>", ""},
        {"drill_hint", "0 s 1 <cr> h", picture},
        {"drill_figure", "6 s 24 <cr>", "showFigure Figure:T1 -> 1"},
        {"drill_wrong", "0 s 1 <cr> a", "play #10"},
        {"drill_complete", "4 s 24 <cr> a x", "play #10"},
        {"menu", "4 s 24 <cr> c y", ""},
        {"goodbye", "4 s 24 <cr> c n", "", true},
        {"drill_invalid_date", "0", "", false, {1979, 12, 31, 23, 59, 0, 0}},
        {"exam_page", "p", ""},
        {"exam_review", "p b b r", ""},
        {"exam_notice", "p " + repeated("a", 35), "showFigure Figure:T1 -> 1; close 1"},
        {"exam_confirm", "p s", ""},
        {"exam_results", "p " + repeated("a", 20) + "s y", "showFigure Figure:T1 -> 1; close 1"},
        {"study_intro", "s", ""},
        {"study_question", "s x T6C02 <cr>", ""},
        {"study_hint", "s x t0a01 <cr> x", picture + "; close 1"},
        {"study_answer", "s x t0a01 <cr> x x", picture + "; close 1"},
        {"study_not_found", "s x T9A99 <cr>", ""},
    };
    for (const Walk& walk : walks) {
        ProgramRig rig;
        rig.clock.set(walk.start);
        EXPECT_EQ(rig.run(walk.script), walk.ends) << walk.screen;
        expectScreen(rig.screen, walk.screen);
        std::string calls = joined(rig.desktop.calls());
        if (const auto at = calls.find(rig.folder.path().string()); at != std::string::npos)
            calls.replace(at, rig.folder.path().string().size(), "<hints>");
        EXPECT_EQ(calls, walk.calls) << walk.screen;
        EXPECT_EQ(rig.terminal.title(), "Pathwick By The Pathwick Team (N0CALL) v2021.09.17a");
        EXPECT_EQ(rig.clock.slept(), walk.ends ? 5000ms : 0ms) << walk.screen;
    }
}

// What a key or click on the menu starts: the drill shows its module's name.
TEST(Menu, KeysAndClicks) {
    const std::pair<const char*, const char*> cases[] = {
        {"7", "Module T7"},  {"@15,99", "Module T7"}, {"@8,1", "Module T0"},  {"@17,50", "Module T9"},
        {"x", "Module T0"},  {"#72", "Module T0"},    {"#59", "Module T0"},   {"@7,10", "Module T0"},
        {"@20,10", "Module T0"}, {"<cr>", "Module T0"}, {"p", "Stop Exam"}, {"P", "Stop Exam"},
        {"@18,3", "Stop Exam"}, {"S", "In this mo"},  {"@19,90", "In this mo"}, {"? #72", "<<< Pathwi"},
    };
    for (const auto& [input, shown] : cases) {
        ProgramRig rig;
        rig.run(input);
        std::string screen = dump(rig.screen);
        EXPECT_NE(screen.find(shown), std::string::npos) << input << "\n" << screen;
        EXPECT_EQ(screen.find("Welcome"), std::string::npos) << input;
    }
}

}  // namespace
}  // namespace pathwick::testing
