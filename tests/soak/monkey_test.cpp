// A seeded monkey plays the whole program through the scripted terminal:
// keys, clicks, double-clicks, idle time and clock jumps, aimed mostly at
// what the screen on show answers to, and now and then a drill or a
// practice test played properly to its end. The program may end only
// through the goodbye screen (then it is started again) or through
// InputClosed when the monkey has no more input; the screen model stays
// sane and no window outlives the drill, test or look-up it belongs to.
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

#include "app/program.h"
#include "support/drill_driver.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

constexpr long kDefaultEvents = 10000;
constexpr unsigned kDefaultSeed = 20210917;
constexpr long kMemoryCheckEvents = 100000;
constexpr long kAllowedGrowthKiB = 8 * 1024;

enum class Area { Menu, Drill, Exam, Study };

// Each page is known by a text at a place (row 0: on any row) and, where
// two pages share it, a second one.
struct PageSign {
    std::string_view name;
    Area area;
    int row, column;
    std::string_view text;
    int row2 = 0, column2 = 0;
    std::string_view text2 = {};
};

enum class Page {
    InvalidDate, Menu, Help, WrongAnswer, Question, Completion, StartQuestion, OrderPrompt,
    ExamResults, ExamConfirm, ExamLastQuestion, ExamReview, ExamPage, StudyNotFound,
    StudyPrompt, StudyAnswer, StudyHint, StudyQuestion, StudyIntro, Goodbye, Unknown, Count
};

constexpr std::string_view kDrillBar = " [ A ][ B ][ C ][ D ] [Stop Drill]";
constexpr std::string_view kExamBar = " [ A ][ B ][ C ][ D ]   Next  Prev";
constexpr std::array<PageSign, static_cast<std::size_t>(Page::Count)> kPages = {{
    {"InvalidDate", Area::Drill, 0, 0, "Invalid date range!"},
    {"Menu", Area::Menu, 6, 33, "<<< Pathwick >>>"},
    {"Help", Area::Menu, 2, 1, "  Welcome the Amateur Radio Technician"},
    {"WrongAnswer", Area::Drill, 25, 1, kDrillBar, 22, 29, "We will come back to this question again."},
    {"Question", Area::Drill, 25, 1, kDrillBar},
    {"Completion", Area::Drill, 20, 17, "You have correctly answered all"},
    {"StartQuestion", Area::Drill, 23, 15, "Start with Question: "},
    {"OrderPrompt", Area::Drill, 21, 15, "Do you want the questions"},
    {"ExamResults", Area::Exam, 25, 35, "Press any key to end the exam."},
    {"ExamConfirm", Area::Exam, 25, 26, "Are you sure you want to end the Exam?"},
    {"ExamLastQuestion", Area::Exam, 22, 10, "This was the last question"},
    {"ExamReview", Area::Exam, 25, 1, kExamBar, 27, 1, "     Correct Answers:"},
    {"ExamPage", Area::Exam, 25, 1, kExamBar},
    {"StudyNotFound", Area::Study, 1, 1, "Question not found."},
    {"StudyPrompt", Area::Study, 20, 20, "Enter the Question ID: "},
    {"StudyAnswer", Area::Study, 23, 1, "         The Correct Answer is: "},
    {"StudyHint", Area::Study, 26, 49, "[Hint]"},
    {"StudyQuestion", Area::Study, 2, 1, "         Question ID: "},
    {"StudyIntro", Area::Study, 15, 16, "In this mode you can enter"},
    {"Goodbye", Area::Menu, -1, 0, ""},  // seen when RunProgram returns
    {"Unknown", Area::Menu, -1, 0, ""},
}};

const PageSign& signOf(Page page) { return kPages[static_cast<std::size_t>(page)]; }

// The screen as ASCII rows (other characters as '#') and whatever was wrong
// with its cells: a control character would reach the terminal as a command.
struct Snapshot {
    std::array<std::string, kScreenRows + 1> rows;  // index 1..43
    std::string fault;

    explicit Snapshot(const ScreenLayer& screen) {
        for (int r = 1; r <= kScreenRows; ++r) {
            for (int c = 1; c <= kScreenColumns; ++c) {
                const char32_t ch = screen.cellAt(r, c).ch;
                if (fault.empty() && (ch < 0x20 || ch == 0x7F || (ch >= 0x80 && ch < 0xA0) || ch > 0x10FFFF))
                    fault = "control character " + std::to_string(unsigned(ch)) + " at " +
                            std::to_string(r) + "," + std::to_string(c);
                rows[std::size_t(r)] += ch < 0x80 ? static_cast<char>(ch) : '#';
            }
        }
    }
    const std::string& row(int r) const { return rows[std::size_t(r)]; }
    bool has(int r, int column, std::string_view text) const {
        if (r == 0) {
            for (int k = 1; k <= kScreenRows; ++k)
                if (row(k).find(text) != std::string::npos) return true;
            return false;
        }
        return r > 0 && row(r).compare(std::size_t(column - 1), text.size(), text) == 0;
    }
    Page page() const {
        for (std::size_t i = 0; i < kPages.size(); ++i) {
            const PageSign& p = kPages[i];
            if (has(p.row, p.column, p.text) && (p.row2 == 0 || has(p.row2, p.column2, p.text2)))
                return static_cast<Page>(i);
        }
        return Page::Unknown;
    }
};

bool isRunTime(std::string_view text) {
    if (text.starts_with("ERROR")) return true;
    for (std::size_t i = 0; i < 8; ++i) {
        if ((i == 2 || i == 5) ? text[i] != ':' : (text[i] < '0' || text[i] > '9')) return false;
    }
    return true;
}

// "[37 Questions]" on the drill's description line: the pool's size.
int questionCountOn(const Snapshot& s) {
    for (int r = 16; r <= 23; ++r) {
        const auto end = s.row(r).find(" Questions]");
        const auto open = end == std::string::npos ? end : s.row(r).rfind('[', end);
        if (open != std::string::npos) return std::atoi(s.row(r).c_str() + open + 1);
    }
    return 0;
}

long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
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
    long events = 0, programRuns = 0, picturesOpened = 0;
    long properDrills = 0, properDrillsCompleted = 0, properExams = 0, properExamsFinished = 0;
    long properCutShort = 0;  // a proper drill or test left without its end

    long of(Page page) const { return seen[static_cast<std::size_t>(page)]; }
};

class Monkey {
public:
    Monkey(DrillRig& rig, unsigned seed, long budget)
        : rig_(rig),
          picturePrefix_("showImageFile " + (rig.context.hintsDirectory / "Figures").string() + "/"),
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
        const Page page = snapshot.page();
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
    void note(const std::string& fault) {
        if (fault_.empty()) fault_ = fault + " (event " + std::to_string(tally_.events) + ")\n" + dump(rig_.screen);
    }

    void observe(Page page, const Snapshot& s) {
        ++tally_.seen[static_cast<std::size_t>(page)];
        const ScreenLayer& screen = rig_.screen;
        if (!s.fault.empty()) note(s.fault);
        if (page == Page::Unknown) note("unknown screen");
        if (screen.row() < 1 || screen.row() > kScreenRows || screen.column() < 1 || screen.column() > kScreenColumns)
            note("output position off the screen");
        if (screen.foreground() > 15 || screen.background() > 15) note("colour out of range");
        if (rig_.desktop.openWindows().size() > 2) note("more than two windows open");
        if (page == Page::Question && (!s.has(25, 50, "Run Time: ") || !isRunTime(s.row(25).substr(59, 8))))
            note("run time not shown as HH:MM:SS or ERROR");
        // Every picture a hint names opens from inside the Figures folder,
        // even when the name tries to climb out of it.
        for (const std::string& call : rig_.desktop.calls()) {
            if (!call.starts_with("showImageFile ")) continue;
            ++tally_.picturesOpened;
            if (!call.starts_with(picturePrefix_)) note("picture outside Figures: " + call);
        }
        rig_.desktop.clear();  // the call log would otherwise grow for ever

        const Area area = signOf(page).area;
        if (area != area_) enterArea(area);
        if (area == Area::Menu) {
            if (!rig_.desktop.openWindows().empty()) note("window left open on the menu");
            restoreClock();
        }
        if (page != page_ && proper_ && !episodeFinished_ &&
            (page == Page::Completion || page == Page::ExamResults)) {
            episodeFinished_ = true;
            ++(page == Page::Completion ? tally_.properDrillsCompleted : tally_.properExamsFinished);
        }
        page_ = page;
    }

    void enterArea(Area area) {
        if ((area_ == Area::Drill || area_ == Area::Exam) && proper_ && !episodeFinished_) ++tally_.properCutShort;
        area_ = area;
        episodeFinished_ = lastQuestionSeen_ = false;
        proper_ = (area == Area::Drill || area == Area::Exam) && chance(35);
        if (proper_) ++(area == Area::Drill ? tally_.properDrills : tally_.properExams);
    }

    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    template <typename List>
    auto pick(const List& list) { return list[std::size_t(between(0, int(list.size()) - 1))]; }

    // ---- input, one counted event each ----
    void key(ScriptedTerminal& next, std::string_view k) { next.key(k); ++tally_.events; }
    void type(ScriptedTerminal& next, std::string_view text) {
        for (char c : text) key(next, std::string_view(&c, 1));
    }
    // Upper or lower case at random.
    void letterKey(ScriptedTerminal& next, char letter) {
        const char c = chance(50) ? letter : static_cast<char>(std::tolower(letter));
        key(next, std::string_view(&c, 1));
    }
    // A double-click's second event reaches whatever waits next, so a
    // proper game makes single clicks only.
    void click(ScriptedTerminal& next, int row, int column) {
        const bool twice = !proper_ && chance(6);
        twice ? next.doubleClick(row, column) : next.click(row, column);
        tally_.events += twice ? 2 : 1;
    }
    // The letter and the two cells after it on a "[ A ]" bar take the click.
    void clickLetter(ScriptedTerminal& next, int row, char letter) {
        next.click(row, 3 + 5 * (letter - 'A') + between(0, 2));
        ++tally_.events;
    }
    void idle(ScriptedTerminal& next) {
        next.idle(chance(98) ? between(20, 3000) : between(30000, 70000));
        ++tally_.events;
    }
    // A long paste into a typed line: the screen scrolls under it, and the
    // line is cut at the screen layer's limit. Counted as one event.
    void paste(ScriptedTerminal& next) {
        std::string text(std::size_t(between(200, 12000)), 'x');
        for (char& c : text) c = static_cast<char>(between(32, 126));
        next.type(text);
        ++tally_.events;
    }

    void anyEvent(ScriptedTerminal& next) {
        const int roll = between(1, 100);
        if (roll <= 45) return key(next, std::string_view(&kCharacterKeys[std::size_t(between(0, int(kCharacterKeys.size()) - 1))], 1));
        if (roll <= 60) return key(next, extendedKey(pick(kExtendedKeys)));
        if (roll <= 82) return click(next, between(1, kScreenRows), between(1, kScreenColumns));
        // Beyond the model: a larger terminal window reports such cells.
        if (roll <= 85) return click(next, between(-1, kScreenRows + 5), between(-1, kScreenColumns + 30));
        if (roll <= 94) return idle(next);
        if (roll <= 98) {
            // A key pressed in a figure window: queued by the desktop, read
            // as if typed once the screen layer looks.
            forwarded_.push(KeyEvent(1, pick(kCharacterKeys)));
            next.idle(20);
            ++tally_.events;
            return;
        }
        const long seconds = chance(50) ? between(1, 3600) : between(3600, 2 * 86400);
        rig_.clock.advance(std::chrono::seconds(chance(40) ? -seconds : seconds));
        idle(next);
    }

    // Mostly one of the keys the page answers to or a click in rows
    // `top`..`bottom`, otherwise anything.
    void favour(ScriptedTerminal& next, std::string_view keys, int top, int bottom) {
        const int roll = between(1, 100);
        if (roll <= 45) return letterKey(next, pick(keys));
        if (roll <= 70) return click(next, between(top, bottom), between(1, kScreenColumns));
        anyEvent(next);
    }

    // Before a drill now and then: a date the run-time stamp cannot hold.
    void setOddDate() {
        if (!clockOverridden_) savedTime_ = rig_.clock.now();
        clockOverridden_ = true;
        rig_.clock.set(chance(50) ? LocalTime{1979, 12, 31, 23, 59, 30, 0} : LocalTime{2048, 1, 20, 23, 59, 50, 0});
    }
    void restoreClock() {
        if (clockOverridden_) rig_.clock.set(savedTime_);
        clockOverridden_ = false;
        const int year = rig_.clock.now().year;
        if (year < 2020 || year > 2040) rig_.clock.set(LocalTime{2026, 6, 15, 10, 0, 0, 0});
    }

    void act(Page page, const Snapshot& s, ScriptedTerminal& next) {
        switch (page) {
            case Page::Menu:
                if (chance(2)) setOddDate();
                return favour(next, "0123456789012345PPSS?\x1b", 8, 19);
            case Page::OrderPrompt: return onChoice(s, 21, proper_ ? (chance(50) ? 'R' : 'S') : 0, next);
            case Page::StartQuestion: return onStartQuestion(s, next);
            case Page::Question:
                if (proper_) return playQuestion(s, next);
                return chance(10) ? idle(next) : favour(next, "ABCDABCD HZS", 25, 25);
            case Page::Completion: return onChoice(s, 21, proper_ ? (chance(90) ? 'Y' : 'N') : 0, next);
            case Page::ExamPage:
            case Page::ExamReview:
                return proper_ ? playExam(next) : favour(next, "ABCDABCDNPNPRS", 25, 25);
            case Page::ExamLastQuestion:
                lastQuestionSeen_ = true;
                return anyEvent(next);
            case Page::ExamConfirm: return onChoice(s, 25, proper_ ? 'Y' : 0, next);
            case Page::StudyPrompt: return onStudyPrompt(next);
            case Page::StudyNotFound: return chance(30) ? letterKey(next, 'Q') : anyEvent(next);
            default: return anyEvent(next);
        }
    }

    // A "[Y]es [N]o" prompt on `row`; `wanted` is the letter to give, 0 for
    // whatever comes.
    void onChoice(const Snapshot& s, int row, char wanted, ScriptedTerminal& next) {
        std::string letters;
        const std::string& text = s.row(row);
        for (std::size_t i = 0; i + 2 < text.size(); ++i)
            if (text[i] == '[' && text[i + 2] == ']') letters += text[i + 1];
        if (letters.empty() || (wanted == 0 && chance(40))) return anyEvent(next);
        const char letter = wanted != 0 ? wanted : pick(letters);
        if (chance(50)) return letterKey(next, letter);
        next.click(row, int(text.find(std::string{'[', letter, ']'})) + 2 + between(0, 2));
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
        if (roll <= 2) paste(next);
        else if (roll <= 60) type(next, std::to_string(between(-2, count + 3)));
        else type(next, pick(std::array<std::string_view, 3>{"99999999999999999999999", " 7.6e3", "abc"}));
        if (chance(20)) key(next, "\x08");
        key(next, "\r");
    }

    // The drill played properly: peek on, then the letter under the "*".
    void playQuestion(const Snapshot& s, ScriptedTerminal& next) {
        if (chance(10)) {  // moves that must not spoil the drill
            const int roll = between(1, 4);
            if (roll <= 2) return letterKey(next, roll == 1 ? 'Z' : 'H');
            return roll == 3 ? idle(next) : click(next, between(1, 24), between(1, kScreenColumns));
        }
        if (s.has(25, 90, "Peek Off")) return chance(50) ? key(next, " ") : click(next, 25, between(90, kScreenColumns));
        char letter = static_cast<char>('A' + between(0, 3));  // if text hides the marker
        for (int i = 0; i < 4; ++i)
            if (s.row(23)[std::size_t(3 + 5 * i)] == '*') letter = static_cast<char>('A' + i);
        chance(60) ? letterKey(next, letter) : clickLetter(next, 25, letter);
    }

    // A test played properly: every question answered, then Stop and Yes.
    void playExam(ScriptedTerminal& next) {
        if (lastQuestionSeen_) return chance(50) ? letterKey(next, 'S') : click(next, 25, between(60, 68));
        const int roll = between(1, 100);
        if (roll <= 8) return letterKey(next, roll <= 5 ? 'R' : 'N');
        const char letter = static_cast<char>('A' + between(0, 3));
        roll <= 60 ? letterKey(next, letter) : clickLetter(next, 25, letter);
    }

    void onStudyPrompt(ScriptedTerminal& next) {
        const int roll = between(1, 100);
        if (roll <= 10) return key(next, "\r");  // leaves study mode
        if (roll <= 25) return anyEvent(next);
        if (roll <= 27) paste(next);
        else type(next, pick(kStudyIds));
        if (chance(15)) type(next, "\x08" "2");
        key(next, "\r");
    }

    DrillRig& rig_;
    std::string picturePrefix_;
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
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started;
    rig.terminal.respondWith(nullptr);
    const Tally& t = run.tally = monkey.tally();
    if (run.fault.empty()) run.fault = monkey.firstFault();
    run.residentGrowthKiB = residentKiB() - monkey.residentAtWarmUp();
    std::ostringstream out;
    out << "soak: " << t.events << " events in " << seconds.count() << " s, " << t.programRuns
        << " program runs, RSS +" << run.residentGrowthKiB << " KiB after warm-up; proper drills "
        << t.properDrillsCompleted << "/" << t.properDrills << ", proper tests " << t.properExamsFinished
        << "/" << t.properExams << ", " << t.picturesOpened << " pictures\npages:";
    for (std::size_t i = 0; i < kPages.size(); ++i) out << " " << kPages[i].name << "=" << t.seen[i];
    run.summary = out.str();
    std::cout << run.summary << "\n";
    return run;
}

// Played properly, every drill and test reaches its end; only the one under
// way when the input runs out may be cut short.
void expectProperGamesEnd(const SoakRun& run) {
    const Tally& t = run.tally;
    EXPECT_GT(t.properDrillsCompleted, 0) << run.summary;
    EXPECT_GT(t.properExamsFinished, 0) << run.summary;
    EXPECT_EQ(t.properCutShort, 0) << run.summary;
    EXPECT_LE(t.properDrills - t.properDrillsCompleted + t.properExams - t.properExamsFinished, 1) << run.summary;
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
    for (std::size_t i = 0; i + 1 < kPages.size(); ++i)  // all but Unknown
        EXPECT_GT(run.tally.seen[i], 0) << "never reached: " << kPages[i].name << "\n" << run.summary;
    expectProperGamesEnd(run);
    EXPECT_GT(run.tally.picturesOpened, 0) << run.summary;
    if (budget >= kMemoryCheckEvents && !underAddressSanitizer()) {
        EXPECT_LT(run.residentGrowthKiB, kAllowedGrowthKiB) << run.summary;
    }
}

// No hints folder at all and a desktop on which every window fails.
TEST(MonkeySoak, ProgramSurvivesAWorldWhereNothingOutsideWorks) {
    DrillRig rig;
    NullDesktop failing;
    ProgramContext context{rig.screen, failing, rig.random, std::filesystem::path("/nonexistent/pathwick-soak")};
    const SoakRun run = soak(rig, context, kDefaultSeed + 1, 4000);

    EXPECT_TRUE(run.fault.empty()) << run.fault << run.summary;
    EXPECT_GT(run.tally.of(Page::Question), 0) << run.summary;
    EXPECT_GT(run.tally.of(Page::StudyAnswer), 0) << run.summary;
    expectProperGamesEnd(run);
}

}  // namespace
}  // namespace pathwick::testing
