// A seeded monkey plays the whole program through the scripted terminal:
// keys, clicks, double-clicks, idle time and clock jumps, aimed mostly at
// what the screen on show answers to, and now and then a drill or a
// practice test played properly to its end. Whatever it does, the program
// may end only through the goodbye screen (then it is started again) or
// through InputClosed when the monkey has no more input; the screen model
// stays sane and no window outlives the drill, test or look-up it belongs to.
//
// PATHWICK_SOAK_EVENTS sets the number of input events, PATHWICK_SOAK_SEED
// the seed. A run of 100 000 events or more also checks that the resident
// memory stays flat (see bench/README.md, "Soak").
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "drill/program.h"
#include "support/drill_driver.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

constexpr long kDefaultEvents = 10000;
constexpr unsigned kDefaultSeed = 20210917;
constexpr long kMemoryCheckEvents = 100000;
constexpr long kAllowedGrowthKiB = 8 * 1024;

// ---------------------------------------------------------------- pages ---

enum class Page {
    Menu, Help, InvalidDate, OrderPrompt, StartQuestion, Question, WrongAnswer, Completion,
    ExamPage, ExamReview, ExamLastQuestion, ExamConfirm, ExamResults,
    StudyIntro, StudyPrompt, StudyQuestion, StudyHint, StudyAnswer, StudyNotFound,
    Goodbye, Unknown, Count
};

constexpr std::array<std::string_view, static_cast<std::size_t>(Page::Count)> kPageNames = {
    "Menu", "Help", "InvalidDate", "OrderPrompt", "StartQuestion", "Question", "WrongAnswer",
    "Completion", "ExamPage", "ExamReview", "ExamLastQuestion", "ExamConfirm", "ExamResults",
    "StudyIntro", "StudyPrompt", "StudyQuestion", "StudyHint", "StudyAnswer", "StudyNotFound",
    "Goodbye", "Unknown"};

enum class Area { Menu, Drill, Exam, Study };

Area areaOf(Page page) {
    switch (page) {
        case Page::InvalidDate: case Page::OrderPrompt: case Page::StartQuestion:
        case Page::Question: case Page::WrongAnswer: case Page::Completion:
            return Area::Drill;
        case Page::ExamPage: case Page::ExamReview: case Page::ExamLastQuestion:
        case Page::ExamConfirm: case Page::ExamResults:
            return Area::Exam;
        case Page::StudyIntro: case Page::StudyPrompt: case Page::StudyQuestion:
        case Page::StudyHint: case Page::StudyAnswer: case Page::StudyNotFound:
            return Area::Study;
        default:
            return Area::Menu;
    }
}

// The screen as ASCII rows (other characters as '#'), read once per event,
// and whatever was wrong with its cells.
struct Snapshot {
    std::array<std::string, kScreenRows + 1> rows;  // index 1..43
    std::string fault;

    explicit Snapshot(const ScreenLayer& screen) {
        for (int row = 1; row <= kScreenRows; ++row) {
            std::string& text = rows[static_cast<std::size_t>(row)];
            text.resize(kScreenColumns);
            for (int column = 1; column <= kScreenColumns; ++column) {
                const char32_t ch = screen.cellAt(row, column).ch;
                // A control character in a cell would reach the terminal as
                // a command instead of a glyph.
                if (fault.empty() && (ch < 0x20 || ch == 0x7F || (ch >= 0x80 && ch < 0xA0) ||
                                      ch > 0x10FFFF)) {
                    fault = "control character " + std::to_string(static_cast<unsigned>(ch)) +
                            " at " + std::to_string(row) + "," + std::to_string(column);
                }
                text[static_cast<std::size_t>(column - 1)] = ch < 0x80 ? static_cast<char>(ch) : '#';
            }
        }
    }

    const std::string& row(int r) const { return rows[static_cast<std::size_t>(r)]; }
    bool has(int r, int column, std::string_view text) const {
        return row(r).compare(static_cast<std::size_t>(column - 1), text.size(), text) == 0;
    }
    bool anyRowHas(std::string_view text) const {
        for (int r = 1; r <= kScreenRows; ++r) {
            if (row(r).find(text) != std::string::npos) return true;
        }
        return false;
    }
    // The column of `letter` inside "[letter]" on a row, or 0.
    int bracketedLetterColumn(int r, char letter) const {
        const auto at = row(r).find(std::string{'[', letter, ']'});
        return at == std::string::npos ? 0 : static_cast<int>(at) + 2;
    }
};

Page classify(const Snapshot& s) {
    if (s.anyRowHas("Invalid date range!")) return Page::InvalidDate;
    if (s.has(6, 33, "<<< Pathwick >>>")) return Page::Menu;
    if (s.has(2, 1, "  Welcome the Amateur Radio Technician")) return Page::Help;
    if (s.has(25, 1, " [ A ][ B ][ C ][ D ] [Stop Drill]")) {
        return s.has(22, 29, "We will come back to this question again.") ? Page::WrongAnswer
                                                                          : Page::Question;
    }
    if (s.has(20, 17, "You have correctly answered all")) return Page::Completion;
    if (s.has(23, 15, "Start with Question: ")) return Page::StartQuestion;
    if (s.has(21, 15, "Do you want the questions")) return Page::OrderPrompt;
    if (s.has(25, 35, "Press any key to end the exam.")) return Page::ExamResults;
    if (s.has(25, 26, "Are you sure you want to end the Exam?")) return Page::ExamConfirm;
    if (s.has(22, 10, "This was the last question")) return Page::ExamLastQuestion;
    if (s.has(25, 1, " [ A ][ B ][ C ][ D ]   Next  Prev")) {
        return s.has(27, 1, "     Correct Answers:") ? Page::ExamReview : Page::ExamPage;
    }
    if (s.has(1, 1, "Question not found.")) return Page::StudyNotFound;
    if (s.has(20, 20, "Enter the Question ID: ")) return Page::StudyPrompt;
    if (s.has(23, 1, "         The Correct Answer is: ")) return Page::StudyAnswer;
    if (s.has(26, 49, "[Hint]")) return Page::StudyHint;
    if (s.has(2, 1, "         Question ID: ")) return Page::StudyQuestion;
    if (s.has(15, 16, "In this mode you can enter")) return Page::StudyIntro;
    return Page::Unknown;
}

bool isRunTime(std::string_view text) {
    if (text.starts_with("ERROR")) return true;
    for (std::size_t i = 0; i < 8; ++i) {
        const bool colon = i == 2 || i == 5;
        if (colon ? text[i] != ':' : (text[i] < '0' || text[i] > '9')) return false;
    }
    return true;
}

// "[37 Questions]" of the drill's description line: the pool's size.
int questionCountOn(const Snapshot& s) {
    for (int r = 16; r <= 23; ++r) {
        const std::string& text = s.row(r);
        const auto end = text.find(" Questions]");
        if (end == std::string::npos) continue;
        const auto open = text.rfind('[', end);
        if (open != std::string::npos) return std::atoi(text.c_str() + open + 1);
    }
    return 0;
}

long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

long environmentNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::atol(text) : fallback;
}

bool underAddressSanitizer() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#endif
#endif
    return false;
}

// --------------------------------------------------------------- monkey ---

constexpr std::array<unsigned char, 28> kExtendedKeys = {
    72, 80, 75, 77, 71, 79, 73, 81, 82, 83,              // arrows, Home, End, PgUp, PgDn, Ins, Del
    59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 133, 134,    // F1..F12
    30, 48, 31, 25, 35, 44};                             // Alt+A, B, S, P, H, Z
constexpr std::string_view kCharacterKeys =
    "0123456789PpSsRrYyNnAaBbCcDdHhZzQqXx?  .,-\"\x1b\r\r\x08\x09\x03\xE9\x96\xA0";
constexpr std::array<std::string_view, 16> kStudyIds = {
    "T6C02", "T9A04", "T0A01", "t1a01", "T5B03", "T8D11", "T9Z99", "XYZ", "T",
    "T5",    "T6C02 and more", "\"T9A04\"", ",T1A01", "T0A01,x", "  T9A04", "T\xE9"};

struct Tally {
    std::array<long, static_cast<std::size_t>(Page::Count)> seen{};
    long events = 0;
    long programRuns = 0;
    long drills = 0, drillsCompleted = 0, properDrills = 0, properDrillsCompleted = 0;
    long exams = 0, examsFinished = 0, properExams = 0, properExamsFinished = 0;
    long properEpisodesCutShort = 0;  // a proper drill or test left without its end
    long picturesOpened = 0;

    long of(Page page) const { return seen[static_cast<std::size_t>(page)]; }
};

class Monkey {
public:
    Monkey(DrillRig& rig, unsigned seed, long budget)
        : rig_(rig),
          picturePrefix_((rig.context.hintsDirectory / "Figures").string() + "/"),
          random_(seed),
          budget_(budget) {
        rig_.screen.attachForwardedKeys(&forwarded_);
    }
    ~Monkey() { rig_.screen.attachForwardedKeys(nullptr); }
    Monkey(const Monkey&) = delete;
    Monkey& operator=(const Monkey&) = delete;

    const Tally& tally() const { return tally_; }
    const std::string& firstFault() const { return fault_; }
    long residentAtWarmUp() const { return residentAtWarmUp_; }

    // Called whenever the program waits and the script is empty.
    void respond(ScriptedTerminal& next) {
        if (tally_.events >= budget_) return;  // the input closes
        if (residentAtWarmUp_ == 0 && tally_.events >= budget_ / 10) residentAtWarmUp_ = residentKiB();
        const Snapshot snapshot(rig_.screen);
        const Page page = classify(snapshot);
        observe(page, snapshot);
        act(page, snapshot, next);
    }

    // RunProgram returned: the goodbye screen was shown.
    void sawGoodbye() {
        ++tally_.seen[static_cast<std::size_t>(Page::Goodbye)];
        if (trimmedRow(rig_.screen, 21).find("Thanks for playing.") == std::string::npos)
            note("goodbye screen without its line");
        if (!rig_.desktop.openWindows().empty()) note("window open at goodbye");
        enterArea(Area::Menu);
        page_ = Page::Goodbye;
    }
    void programStarted() { ++tally_.programRuns; }

private:
    // ---- observation ----
    void note(const std::string& fault) {
        if (fault_.empty()) fault_ = fault + " (event " + std::to_string(tally_.events) + ")\n" + dump(rig_.screen);
    }

    void observe(Page page, const Snapshot& s) {
        ++tally_.seen[static_cast<std::size_t>(page)];
        if (!s.fault.empty()) note(s.fault);
        if (page == Page::Unknown) note("unknown screen");
        const ScreenLayer& screen = rig_.screen;
        if (screen.row() < 1 || screen.row() > kScreenRows || screen.column() < 1 ||
            screen.column() > kScreenColumns) {
            note("output position off the screen");
        }
        if (screen.foreground() > 15 || screen.background() > 15) note("colour out of range");
        if (rig_.desktop.openWindows().size() > 2) note("more than two windows open");
        checkPictureCalls();
        if (page == Page::Question &&
            (!s.has(25, 50, "Run Time: ") || !isRunTime(s.row(25).substr(59, 8)))) {
            note("run time not shown as HH:MM:SS or ERROR");
        }
        if (page == Page::Question || page == Page::WrongAnswer) checkPeekMarker(s);
        if (page == Page::ExamPage || page == Page::ExamReview) checkExamPage(page, s);

        const Area area = areaOf(page);
        if (area != area_) enterArea(area);
        if (area == Area::Menu) {
            if (!rig_.desktop.openWindows().empty()) note("window left open on the menu");
            rig_.desktop.clear();  // the call log would otherwise grow for ever
            checkedCalls_ = 0;
            restoreClock();
        }
        if (page != page_) {
            if (page == Page::Completion) finishEpisode(tally_.drillsCompleted, tally_.properDrillsCompleted);
            if (page == Page::ExamResults) finishEpisode(tally_.examsFinished, tally_.properExamsFinished);
        }
        page_ = page;
    }

    // With peek on, one "*" stands above one of the four answer labels; with
    // peek off there is none.
    void checkPeekMarker(const Snapshot& s) {
        int markers = 0;
        for (int i = 0; i < 4; ++i) markers += s.row(23)[static_cast<std::size_t>(3 + 5 * i)] == '*';
        const bool peekOn = s.has(25, 90, "Peek On");
        if (markers != (peekOn ? 1 : 0)) note(peekOn ? "peek on without one marker" : "marker with peek off");
    }

    // The page shows question 1 to 35, and the review panel counts no more
    // answers than there are questions.
    void checkExamPage(Page page, const Snapshot& s) {
        const int question = std::atoi(s.row(3).c_str() + 2);
        if (question < 1 || question > 35) note("exam page outside questions 1 to 35");
        if (page != Page::ExamReview) return;
        const int correct = std::atoi(s.row(27).c_str() + 21);
        const int incorrect = std::atoi(s.row(28).c_str() + 21);
        if (correct < 0 || incorrect < 0 || correct + incorrect > 35) note("review panel miscounts");
    }

    // Every picture a hint names opens from inside the Figures folder, even
    // when the folder is missing or the name tries to climb out of it.
    void checkPictureCalls() {
        const std::vector<std::string>& calls = rig_.desktop.calls();
        for (; checkedCalls_ < calls.size(); ++checkedCalls_) {
            const std::string& call = calls[checkedCalls_];
            if (!call.starts_with("showImageFile ")) continue;
            ++tally_.picturesOpened;
            if (!call.starts_with("showImageFile " + picturePrefix_)) note("picture outside Figures: " + call);
        }
    }

    void finishEpisode(long& finished, long& properFinished) {
        if (episodeFinished_) return;
        episodeFinished_ = true;
        ++finished;
        if (proper_) ++properFinished;
    }

    void enterArea(Area area) {
        if ((area_ == Area::Drill || area_ == Area::Exam) && proper_ && !episodeFinished_)
            ++tally_.properEpisodesCutShort;
        area_ = area;
        episodeFinished_ = false;
        proper_ = false;
        lastQuestionSeen_ = false;
        if (area == Area::Drill || area == Area::Exam) {
            proper_ = chance(35);
            ++(area == Area::Drill ? tally_.drills : tally_.exams);
            if (proper_) ++(area == Area::Drill ? tally_.properDrills : tally_.properExams);
        }
    }

    // ---- random helpers ----
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    template <typename List>
    auto pick(const List& list) { return list[static_cast<std::size_t>(between(0, static_cast<int>(list.size()) - 1))]; }

    // ---- input, one counted event each ----
    void key(ScriptedTerminal& next, std::string_view k) { next.key(k); ++tally_.events; }
    void type(ScriptedTerminal& next, std::string_view text) {
        for (char c : text) key(next, std::string_view(&c, 1));
    }
    // A double-click's second event reaches whatever waits next, so a
    // proper game makes single clicks only.
    void click(ScriptedTerminal& next, int row, int column) {
        if (!proper_ && chance(6)) {
            next.doubleClick(row, column);
            tally_.events += 2;
        } else {
            next.click(row, column);
            ++tally_.events;
        }
    }
    void idle(ScriptedTerminal& next) {
        next.idle(chance(98) ? between(20, 3000) : between(30000, 70000));
        ++tally_.events;
    }
    // A long paste into a typed line: the screen scrolls under it, and the
    // line is cut at the screen layer's limit. Counted as one event.
    void paste(ScriptedTerminal& next) {
        std::string text(static_cast<std::size_t>(between(200, 12000)), 'x');
        for (char& c : text) c = static_cast<char>(between(32, 126));
        next.type(text);
        ++tally_.events;
    }
    void letterKey(ScriptedTerminal& next, char letter) {
        const char c = chance(50) ? letter : static_cast<char>(letter - 'A' + 'a');
        key(next, std::string_view(&c, 1));
    }

    void anyEvent(ScriptedTerminal& next) {
        const int roll = between(1, 100);
        if (roll <= 45) {
            key(next, std::string_view(&kCharacterKeys[static_cast<std::size_t>(between(
                                           0, static_cast<int>(kCharacterKeys.size()) - 1))],
                                       1));
        } else if (roll <= 60) {
            key(next, extendedKey(pick(kExtendedKeys)));
        } else if (roll <= 82) {
            click(next, between(1, kScreenRows), between(1, kScreenColumns));
        } else if (roll <= 85) {
            // Beyond the model: a larger terminal window reports such cells.
            click(next, between(-1, kScreenRows + 5), between(-1, kScreenColumns + 30));
        } else if (roll <= 94) {
            idle(next);
        } else if (roll <= 98) {
            forwardedKey(next);
        } else {
            jumpClock(next);
        }
    }

    // A key pressed in a figure window: queued by the desktop, read as if
    // typed. The short idle step lets the screen layer pick it up.
    void forwardedKey(ScriptedTerminal& next) {
        const char c = kCharacterKeys[static_cast<std::size_t>(
            between(0, static_cast<int>(kCharacterKeys.size()) - 1))];
        forwarded_.push(KeyEvent(1, c));
        next.idle(20);
        ++tally_.events;
    }

    // ---- the clock ----
    void jumpClock(ScriptedTerminal& next) {
        const long seconds = chance(50) ? between(1, 3600) : between(3600, 2 * 86400);
        rig_.clock.advance(std::chrono::seconds(chance(40) ? -seconds : seconds));
        idle(next);
    }

    // Before a drill now and then: a date the run-time stamp cannot hold.
    void setOddDate() {
        if (!clockOverridden_) savedTime_ = rig_.clock.now();
        clockOverridden_ = true;
        rig_.clock.set(chance(50) ? LocalTime{1979, 12, 31, 23, 59, 30, 0}
                                  : LocalTime{2048, 1, 20, 23, 59, 50, 0});
    }

    void restoreClock() {
        if (clockOverridden_) {
            rig_.clock.set(savedTime_);
            clockOverridden_ = false;
        }
        const int year = rig_.clock.now().year;
        if (year < 2020 || year > 2040) rig_.clock.set(LocalTime{2026, 6, 15, 10, 0, 0, 0});
    }

    // ---- acting on a page ----
    void act(Page page, const Snapshot& s, ScriptedTerminal& next) {
        switch (page) {
            case Page::Menu: return onMenu(next);
            case Page::OrderPrompt: return onChoice(s, 21, proper_ ? (chance(50) ? 'R' : 'S') : 0, next);
            case Page::StartQuestion: return onStartQuestion(s, next);
            case Page::Question: return proper_ ? playQuestion(s, next) : onQuestion(next);
            case Page::Completion: return onChoice(s, 21, proper_ ? (chance(90) ? 'Y' : 'N') : 0, next);
            case Page::ExamPage:
            case Page::ExamReview: return proper_ ? playExam(next) : onExamPage(next);
            case Page::ExamLastQuestion:
                lastQuestionSeen_ = true;
                return anyEvent(next);
            case Page::ExamConfirm: return onChoice(s, 25, proper_ ? 'Y' : 0, next);
            case Page::StudyPrompt: return onStudyPrompt(next);
            case Page::StudyNotFound:
                if (chance(30)) return letterKey(next, 'Q');
                return anyEvent(next);
            default: return anyEvent(next);
        }
    }

    void onMenu(ScriptedTerminal& next) {
        const int roll = between(1, 100);
        if (roll <= 2) setOddDate();
        if (roll <= 32) {
            const char digit = static_cast<char>('0' + between(0, 9));
            key(next, std::string_view(&digit, 1));
        } else if (roll <= 57) {
            click(next, between(8, 19), between(1, kScreenColumns));
        } else if (roll <= 64) {
            letterKey(next, 'P');
        } else if (roll <= 71) {
            letterKey(next, 'S');
        } else if (roll <= 75) {
            key(next, "?");
        } else if (roll <= 77) {
            key(next, "\x1b");
        } else {
            anyEvent(next);
        }
    }

    // An AskChoice prompt on `row`; `wanted` is the letter to give, 0 for
    // whatever comes.
    void onChoice(const Snapshot& s, int row, char wanted, ScriptedTerminal& next) {
        const std::string& text = s.row(row);
        std::vector<char> letters;
        for (std::size_t i = 0; i + 2 < text.size(); ++i) {
            if (text[i] == '[' && text[i + 2] == ']') letters.push_back(text[i + 1]);
        }
        if (letters.empty()) return anyEvent(next);
        if (wanted == 0 && chance(40)) return anyEvent(next);
        const char letter = wanted != 0 ? wanted : pick(letters);
        if (chance(50)) return letterKey(next, letter);
        // The letter and the two cells after it take the click.
        next.click(row, s.bracketedLetterColumn(row, letter) + between(0, 2));
        ++tally_.events;
    }

    void onStartQuestion(const Snapshot& s, ScriptedTerminal& next) {
        const int count = questionCountOn(s);
        if (proper_) {
            type(next, std::to_string(std::max(1, count - between(0, 9))));
            return key(next, "\r");
        }
        if (chance(25)) return anyEvent(next);
        const int roll = between(1, 100);
        if (roll <= 2) {
            paste(next);
        } else if (roll <= 60) {
            type(next, std::to_string(between(-2, count + 3)));
        } else if (roll <= 70) {
            type(next, "99999999999999999999999");
        } else if (roll <= 80) {
            type(next, " 7.6e3");
        } else {
            type(next, "abc");
        }
        if (chance(20)) key(next, "\x08");
        key(next, "\r");
    }

    void onQuestion(ScriptedTerminal& next) {
        static constexpr std::array<int, 12> kBarColumns = {3, 5, 8, 10, 13, 15, 18, 20, 24, 80, 90, 100};
        const int roll = between(1, 100);
        if (roll <= 25) {
            letterKey(next, static_cast<char>('A' + between(0, 3)));
        } else if (roll <= 45) {
            click(next, 25, chance(70) ? pick(kBarColumns) : between(1, kScreenColumns));
        } else if (roll <= 50) {
            key(next, " ");
        } else if (roll <= 55) {
            letterKey(next, 'H');
        } else if (roll <= 58) {
            letterKey(next, 'Z');
        } else if (roll <= 61) {
            letterKey(next, 'S');
        } else if (roll <= 69) {
            idle(next);
        } else {
            anyEvent(next);
        }
    }

    // The drill played properly: peek on, then the letter under the "*".
    void playQuestion(const Snapshot& s, ScriptedTerminal& next) {
        if (chance(10)) {  // moves that must not spoil the drill
            const int roll = between(1, 4);
            if (roll == 1) return letterKey(next, 'Z');
            if (roll == 2) return letterKey(next, 'H');
            if (roll == 3) return idle(next);
            return click(next, between(1, 24), between(1, kScreenColumns));
        }
        if (s.has(25, 90, "Peek Off")) {
            if (chance(50)) return key(next, " ");
            next.click(25, between(90, kScreenColumns));
            ++tally_.events;
            return;
        }
        char letter = 0;
        for (int i = 0; i < 4; ++i) {
            if (s.row(23)[static_cast<std::size_t>(3 + 5 * i)] == '*') letter = static_cast<char>('A' + i);
        }
        if (letter == 0) letter = static_cast<char>('A' + between(0, 3));  // marker hidden by text
        if (chance(60)) return letterKey(next, letter);
        next.click(25, 3 + 5 * (letter - 'A') + between(0, 2));
        ++tally_.events;
    }

    void onExamPage(ScriptedTerminal& next) {
        const int roll = between(1, 100);
        if (roll <= 25) {
            letterKey(next, static_cast<char>('A' + between(0, 3)));
        } else if (roll <= 37) {
            letterKey(next, chance(50) ? 'N' : 'P');
        } else if (roll <= 41) {
            letterKey(next, 'R');
        } else if (roll <= 44) {
            letterKey(next, 'S');
        } else if (roll <= 66) {
            click(next, 25, between(1, 70));
        } else {
            anyEvent(next);
        }
    }

    // A test played properly: every question answered, then Stop and Yes.
    void playExam(ScriptedTerminal& next) {
        if (lastQuestionSeen_) return chance(50) ? letterKey(next, 'S') : click(next, 25, between(60, 68));
        const int roll = between(1, 100);
        if (roll <= 5) return letterKey(next, 'R');
        if (roll <= 8) return letterKey(next, 'N');
        const char letter = static_cast<char>('A' + between(0, 3));
        if (roll <= 60) return letterKey(next, letter);
        next.click(25, 3 + 5 * (letter - 'A') + between(0, 2));
        ++tally_.events;
    }

    void onStudyPrompt(ScriptedTerminal& next) {
        const int roll = between(1, 100);
        if (roll <= 10) return key(next, "\r");  // leaves study mode
        if (roll <= 25) return anyEvent(next);
        if (roll <= 27) {
            paste(next);
            return key(next, "\r");
        }
        type(next, pick(kStudyIds));
        if (chance(15)) {
            key(next, "\x08");
            type(next, "2");
        }
        key(next, "\r");
    }

    DrillRig& rig_;
    std::string picturePrefix_;
    std::size_t checkedCalls_ = 0;
    ForwardedKeys forwarded_;
    std::mt19937 random_;
    long budget_;
    Tally tally_;
    std::string fault_;
    long residentAtWarmUp_ = 0;

    Page page_ = Page::Unknown;
    Area area_ = Area::Menu;
    bool proper_ = false;
    bool episodeFinished_ = false;
    bool lastQuestionSeen_ = false;
    bool clockOverridden_ = false;
    LocalTime savedTime_;
};

std::string summaryOf(const Tally& t, double seconds, long rssBefore, long rssAfter) {
    std::ostringstream out;
    out << "soak: " << t.events << " events in " << seconds << " s, " << t.programRuns
        << " program runs; RSS " << rssBefore << " KiB after warm-up, " << rssAfter
        << " KiB at the end\n"
        << "drills " << t.drills << " (completed " << t.drillsCompleted << ", played properly "
        << t.properDrills << " of which completed " << t.properDrillsCompleted << ")\n"
        << "tests " << t.exams << " (finished " << t.examsFinished << ", played properly "
        << t.properExams << " of which finished " << t.properExamsFinished << "), "
        << t.picturesOpened << " hint pictures opened\n"
        << "pages:";
    for (std::size_t i = 0; i < kPageNames.size(); ++i) out << " " << kPageNames[i] << "=" << t.seen[i];
    return out.str();
}

struct SoakRun {
    Tally tally;
    std::string fault;
    std::string summary;
    long residentGrowthKiB = 0;
};

// Runs the program again and again under the monkey until `budget` events
// have been given, then the input closes.
SoakRun soak(DrillRig& rig, ProgramContext& context, unsigned seed, long budget) {
    Monkey monkey(rig, seed, budget);
    rig.terminal.respondWith([&monkey](ScriptedTerminal& next) { monkey.respond(next); });
    SoakRun run;
    const auto started = std::chrono::steady_clock::now();
    for (;;) {
        monkey.programStarted();
        try {
            RunProgram(context);
        } catch (const InputClosed&) {
            break;
        } catch (const std::exception& error) {
            run.fault = std::string("RunProgram threw: ") + error.what() + "\n" + dump(rig.screen);
            break;
        }
        monkey.sawGoodbye();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const long rssAfter = residentKiB();
    rig.terminal.respondWith(nullptr);
    run.tally = monkey.tally();
    if (run.fault.empty()) run.fault = monkey.firstFault();
    run.summary = summaryOf(run.tally, seconds, monkey.residentAtWarmUp(), rssAfter);
    run.residentGrowthKiB = rssAfter - monkey.residentAtWarmUp();
    std::cout << run.summary << "\n";
    return run;
}

void expectEveryScreenReached(const Tally& tally, const std::string& summary) {
    for (std::size_t i = 0; i < kPageNames.size(); ++i) {
        if (static_cast<Page>(i) == Page::Unknown) continue;
        EXPECT_GT(tally.seen[i], 0) << "never reached: " << kPageNames[i] << "\n" << summary;
    }
}

// Played properly, every drill and test reaches its end; only the one under
// way when the input runs out may be cut short.
void expectProperGamesEnd(const Tally& tally, const std::string& summary) {
    EXPECT_GT(tally.properDrillsCompleted, 0) << summary;
    EXPECT_GT(tally.properExamsFinished, 0) << summary;
    EXPECT_EQ(tally.properEpisodesCutShort, 0) << summary;
    EXPECT_LE(tally.properDrills - tally.properDrillsCompleted, 1) << summary;
    EXPECT_LE(tally.properExams - tally.properExamsFinished, 1) << summary;
}

TEST(MonkeySoak, ProgramSurvivesRandomInputAndReachesEveryScreen) {
    const long budget = environmentNumber("PATHWICK_SOAK_EVENTS", kDefaultEvents);
    const auto seed = static_cast<unsigned>(environmentNumber("PATHWICK_SOAK_SEED", kDefaultSeed));

    TempDirectory folder;
    // The shipped hints, behind a few that name pictures; Figures/ itself is
    // missing, which the program must take in its stride.
    std::ifstream shipped(std::string(PATHWICK_SOURCE_DIR) + "/hints.txt", std::ios::binary);
    const std::string hints((std::istreambuf_iterator<char>(shipped)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(hints.empty());
    folder.write("hints.txt",
                 "T6C02: Look at the picture [fig] ~Figure t1.bmp\r\n"
                 "T0A01: Battery safety [x] ~Figure battery.bmp\r\n"
                 "T9A04: Escape attempt [y] ~Figure ../../etc/passwd\r\n" + hints);

    DrillRig rig;
    rig.context.hintsDirectory = folder.path();
    const SoakRun run = soak(rig, rig.context, seed, budget);

    EXPECT_TRUE(run.fault.empty()) << run.fault << run.summary;
    EXPECT_GE(run.tally.events, budget);
    expectEveryScreenReached(run.tally, run.summary);
    expectProperGamesEnd(run.tally, run.summary);
    EXPECT_GT(run.tally.picturesOpened, 0) << run.summary;
    if (budget >= kMemoryCheckEvents && !underAddressSanitizer()) {
        EXPECT_LT(run.residentGrowthKiB, kAllowedGrowthKiB) << run.summary;
    }
}

// No hints folder at all and a desktop on which every window fails.
TEST(MonkeySoak, ProgramSurvivesAWorldWhereNothingOutsideWorks) {
    DrillRig rig;
    NullDesktop failing;
    ProgramContext context{rig.screen, failing, rig.random,
                           std::filesystem::path("/nonexistent/pathwick-soak")};
    const SoakRun run = soak(rig, context, kDefaultSeed + 1, 4000);

    EXPECT_TRUE(run.fault.empty()) << run.fault << run.summary;
    EXPECT_GT(run.tally.of(Page::Question), 0) << run.summary;
    EXPECT_GT(run.tally.of(Page::StudyAnswer), 0) << run.summary;
    expectProperGamesEnd(run.tally, run.summary);
}

}  // namespace
}  // namespace pathwick::testing
