// Every screen of the program, reached by walking the real program loop on a
// script and compared cell by cell, text and colours, with tests/screens;
// walks that should come to the same screen share its file.
#include <gtest/gtest.h>

#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

using namespace std::chrono_literals;

struct Walk {
    const char* screen;  // file under tests/screens
    std::string script;
    std::string calls = "";  // the desktop calls, "; " between them
    bool ends = false;   // the program ended through the goodbye screen
    LocalTime start = {2026, 6, 15, 10, 0, 0, 0};
};

std::string repeated(std::string_view word, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += std::string(word) + " ";
    return text;
}

TEST(Screens, WalkedThroughTheProgram) {
    const std::string picture = "showImageFile <hints>/Figures/battery.bmp '' -> 1", figure = "showFigure Figure:T1 -> 1";
    const std::string toLast = "p " + repeated("n", 34), sound = "play #10";
    const Walk walks[] = {
        {"menu", ""}, {"menu", "? #72"}, {"menu", "? @30,30"}, {"help", "?"}, {"goodbye", "<esc>", "", true},
        {"drill_order", "0"}, {"drill_order", "@8,1"}, {"drill_order", "x"}, {"drill_order", "#72"}, {"drill_order", "#59"},
        {"drill_order", "@7,10"}, {"drill_order", "@20,10"}, {"drill_order", "<cr>"}, {"drill_order_t7", "7"},
        {"drill_order_t7", "@15,99"}, {"drill_order_t9", "@17,50"}, {"exam_page", "p"}, {"exam_page", "P"},
        {"exam_page", "@18,3"}, {"study_intro", "S"}, {"study_intro", "@19,90"}, {"drill_order", "0 @21,57"},
        {"drill_order", "0 @21,61 @21,74 @21,78 @20,58 q"}, {"drill_random", "0 @21,58"}, {"drill_random", "0 @21,60"},
        {"drill_random", "0 r"}, {"drill_start_t0", "0 @21,75"}, {"drill_start_t0", "0 @21,77"}, {"drill_start_t0", "0 S"},
        {"drill_start_again", "4 s 25 <cr>"}, {"drill_start_again", "4 s 0.4 <cr>"}, {"drill_start_again", "4 s 24.5 <cr>"},
        {"drill_start_again", "4 s -3 <cr>"}, {"drill_start_again", "4 s abc <cr>"}, {"drill_start_again", "4 s <cr>"},
        {"drill_t4_first", "4 s 0.5 <cr>"}, {"drill_t4_last", "4 s 24.4 <cr>"}, {"drill_t4_last", "4 s 23.6,2 <cr>"},
        {"drill_question", "0 s 1 <cr> <sp>"}, {"drill_hint", "0 s 1 <cr> h", picture},
        {"drill_figure", "6 s 24 <cr>", figure}, {"drill_figure_next", "6 s 24 <cr> a x", figure + "; " + sound + "; close 1; showFigure Figure:T1 -> 2"},
        {"drill_wrong", "0 s 1 <cr> a", sound}, {"drill_complete", "4 s 24 <cr> a x", sound}, {"menu", "4 s 24 <cr> c y"},
        {"goodbye", "4 s 24 <cr> c n", "", true}, {"drill_invalid_date", "0", "", false, {1979, 12, 31, 23, 59, 0, 0}},
        {"drill_run_time", "0 s 1 <cr> ~61000", "", false, {2026, 12, 31, 23, 59, 30, 500}},
        {"exam_review", "p b b r"}, {"exam_notice", "p " + repeated("a", 35), figure + "; close 1"}, {"exam_confirm", "p s"},
        {"exam_results", "p " + repeated("a", 20) + "s y", figure + "; close 1"}, {"exam_page", "p P", sound},
        {"exam_page", "p @25,31", sound}, {"exam_page", "p #80 <cr> <esc> @25,30 @24,3 x"}, {"exam_page_3", "p @25,25 @25,28"},
        {"exam_notice_next", toLast + "n", figure + "; close 1; " + sound}, {"exam_last", toLast + "n x", figure + "; close 1; " + sound}, {"exam_page_2", "p n s n"},
        {"exam_page_2", "p n @25,29 @25,35 @25,53 @25,69"},
        {"study_question", "s x T6C02 <cr>"}, {"study_hint", "s x t0a01 <cr> x", picture + "; close 1"},
        {"study_answer", "s x t0a01 <cr> x x", picture + "; close 1"}, {"study_t9a04", "s x t9a04 <cr>"},
        {"study_t9a04", "s x T9A04,x <cr>"}, {"study_t9a04", "s x \"T9A04\" <cr>"}, {"study_not_found", "s x T9A99 <cr>"},
        {"study_not_found", "s x T9A4 <cr>"}, {"study_not_found", "s x XYZ <cr>"}, {"menu", "s x <cr>"},
        {"menu", "s x ,T9A04 <cr>"}, {"menu", "s x T9A99 <cr> q"}, {"menu", "s x T9A99 <cr> Q"},
        {"study_prompt", "s x T9A99 <cr> x"},
    };
    for (const Walk& walk : walks) {
        ProgramRig rig;
        rig.clock.set(walk.start);
        EXPECT_EQ(rig.run(walk.script), walk.ends) << walk.script;
        expectScreen(rig.screen, walk.screen);
        std::string calls;
        for (const std::string& call : rig.desktop.calls()) calls += (calls.empty() ? "" : "; ") + call;
        if (const auto at = calls.find(rig.folder.path().string()); at != std::string::npos)
            calls.replace(at, rig.folder.path().string().size(), "<hints>");
        EXPECT_EQ(calls, walk.calls) << walk.script;
        EXPECT_EQ(rig.terminal.title(), "Pathwick By The Pathwick Team (N0CALL) v2021.09.17a");
        EXPECT_EQ(rig.clock.slept(), walk.ends ? 5000ms : 0ms) << walk.script;
    }
}

}  // namespace
}  // namespace pathwick::testing
