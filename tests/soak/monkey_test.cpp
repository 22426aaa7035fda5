// A seeded monkey plays the whole program through the scripted terminal:
// keys and clicks mostly aimed at what the screen on show answers to, idle
// time and clock jumps. The program may
// end only through the goodbye screen (then it starts again) or when the
// input runs out; the screen stays sane and windows do not outlive their use.
// PATHWICK_SOAK_EVENTS sets the number of events, PATHWICK_SOAK_SEED the
// seed; from 100 000 events on the resident memory must stay flat.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <random>

#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

struct Page {
    const char* name;
    int row, column;
    const char* text;
    const char* keys;  // what the page answers to, most of the time: keys, or words between '|'

};
const Page kPages[] = {
    {"wrong answer", 22, 29, "We will come back", "x"}, {"invalid date", 0, 0, "Invalid date range!", "x"},
    {"question", 25, 1, " [ A ][ B ][ C ][ D ] [Stop", "ABCDabcd HhZzSs"}, {"menu", 6, 33, "<<< Pathwick", "0123456789PpSs?\x1b"},
    {"help", 2, 1, "  Welcome the", "x"}, {"completion", 20, 17, "You have correctly", "YyNn"},
    {"start question", 23, 15, "Start with Question:", "23\r|47\r|1\r|0\r|x\x08\r|99999999999\r"},
    {"order", 21, 15, "Do you want the", "RrSs"}, {"exam results", 25, 35, "Press any key to end", "x"},
    {"exam confirm", 25, 26, "Are you sure", "NnNnNnY"}, {"exam notice", 22, 10, "This was the last", "x"},
    {"exam page", 25, 1, " [ A ][ B ][ C ][ D ]   Next", "ABCDNabcdnABCDNabcdnABCDNPRS"},
    {"study not found", 1, 1, "Question not found.", "Qqx"},
    {"study prompt", 20, 20, "Enter the Question ID: ", "T0A01\r|t6c02\r|T9A99\r|\r|\"T9A04\"\r|T9\x08\r"},
    {"study answer", 23, 1, "         The Correct Answer", "x"}, {"study hint", 26, 49, "[Hint]", "x"},
    {"study question", 2, 1, "         Question ID: ", "x"}, {"study intro", 15, 16, "In this mode", "x"}};

long residentKiB() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

long environment(const char* name, long fallback) { return std::getenv(name) ? std::atol(std::getenv(name)) : fallback; }

TEST(MonkeySoak, ProgramSurvivesRandomInputAndReachesEveryScreen) {
    const long budget = environment("PATHWICK_SOAK_EVENTS", 3000);
    std::mt19937 random(static_cast<unsigned>(environment("PATHWICK_SOAK_SEED", 20210917)));
    const auto between = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(random); };
    ProgramRig rig;
    rig.folder.write("hints.txt", "T0A01: x [y] ~Figure ../../etc/passwd\r\nT6C02: Look [z] ~Figure t1.bmp\r\n");
    std::map<std::string, long> seen;
    long events = 0, warmResident = 0;
    std::string fault;
    const auto check = [&](bool ok, const std::string& what) {
        if (!ok && fault.empty()) fault = what + " after event " + std::to_string(events) + "\n" + dump(rig.screen);
    };
    rig.terminal.whenEmpty = [&](ScriptedTerminal& next) {
        if (events++ >= budget) return;
        if (events == budget / 10) warmResident = residentKiB();
        const ScreenLayer& s = rig.screen;
        const Page* page = nullptr;
        for (const Page& p : kPages) {
            const bool shown = p.row == 0 ? dump(s).find(p.text) != std::string::npos
                                          : textAt(s, p.row, p.column, int(std::string_view(p.text).size())) == p.text;
            if (!page && shown) page = &p;
        }
        check(page != nullptr, "unknown screen");
        ++seen[page ? page->name : "?"];
        for (int r = 1; r <= kScreenRows; ++r)
            for (int c = 1; c <= kScreenColumns; ++c) check(s.cellAt(r, c).ch >= 0x20 && (s.cellAt(r, c).ch < 0x7F || s.cellAt(r, c).ch >= 0xA0), "control character");
        check(rig.desktop.openWindows().size() <= 2, "more than two windows");
        check(!page || std::string(page->name) != "menu" || rig.desktop.openWindows().empty(), "window open on the menu");
        for (const std::string& call : rig.desktop.calls())
            check(!call.starts_with("showImageFile") || call.find("/Figures/t1.bmp") != std::string::npos, call);
        rig.desktop.clear();
        if (page && std::string(page->name) == "question") check(textAt(s, 25, 50, 10) == "Run Time: ", "no run time");
        const int roll = between(1, 100);
        const std::string keys = page ? page->keys : "x";
        std::vector<std::string> words{""};
        for (char c : keys) c == '|' ? words.push_back("") : words.back().push_back(c);
        const std::string word = words[std::size_t(between(0, int(words.size()) - 1))];
        if (roll <= 60) words.size() > 1 ? void(next.type(word)) : void(next.key(word.substr(std::size_t(between(0, int(word.size()) - 1)), 1)));
        else if (roll <= 80) next.click(page && page->row > 0 ? page->row : between(1, 43), between(1, 100));
        else if (roll <= 85) next.click(between(-1, 48), between(-1, 130));
        else if (roll <= 90) next.extended(static_cast<unsigned char>(between(59, 83)));
        else if (roll <= 94) next.idle(between(10, 3000));
        else if (roll <= 98) rig.clock.advance(std::chrono::seconds(between(-7200, 90000))), next.idle(30);
        else rig.clock.set(between(0, 1) ? LocalTime{1979, 12, 31, 23, 59, 0, 0} : LocalTime{2026, 6, 15, 10, 0, 0, 0}), next.idle(30);
    };
    while (rig.run()) check(trimmedRow(rig.screen, 21).find("Thanks for playing.") != std::string::npos, "goodbye");
    EXPECT_EQ(fault, "");
    for (const Page& page : kPages) EXPECT_GT(seen[page.name], 0) << "never reached: " << page.name;
    EXPECT_TRUE(budget < 100000 || residentKiB() - warmResident < 8 * 1024) << "resident memory grew";
}

}  // namespace
}  // namespace pathwick::testing
