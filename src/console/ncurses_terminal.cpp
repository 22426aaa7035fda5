#define NCURSES_WIDECHAR 1
#include "console/ncurses_terminal.h"

#include <fcntl.h>
#include <langinfo.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <utility>
#include <stdexcept>
#include <string>
#include <vector>

#include "console/input_decoder.h"
#include "console/terminal_guard.h"
#include "console/terminal_type.h"

// Last: ncurses defines function-like macros (move, erase, clear, ...).
#include <curses.h>

namespace pathwick {
namespace {

using Steady = std::chrono::steady_clock;
using Millis = std::chrono::milliseconds;

constexpr std::size_t kReadChunk = 512;

InputDecoder::Millis sinceEpoch(Steady::time_point time) {
    return std::chrono::duration_cast<Millis>(time.time_since_epoch());
}

// Writes every byte unless the descriptor fails; never loops on an error.
void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

// The write end of the self-pipe, for the signal handler only.
std::atomic<int> signalPipeWriteEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free);

constexpr char kResizeNote = 'W';
constexpr char kEndNote = 'T';
constexpr char kStopNote = 'S';

extern "C" void noteSignal(int signal) {
    const int savedErrno = errno;
    const int fd = signalPipeWriteEnd.load();
    if (fd >= 0) {
        const char note = signal == SIGWINCH ? kResizeNote : signal == SIGTSTP ? kStopNote : kEndNote;
        if (note == kEndNote) NoteEndSignal(signal);
        [[maybe_unused]] const ssize_t ignored = ::write(fd, &note, 1);
    }
    errno = savedErrno;
}

// Routes SIGWINCH, SIGTERM, SIGHUP, SIGINT and SIGTSTP into a pipe that
// readInput polls next to the tty, and puts the previous handlers back on
// destruction. Being there first keeps ncurses from handling SIGTSTP itself.
class SignalPipe {
public:
    SignalPipe() {
        if (::pipe2(fds_.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
            throw std::runtime_error("cannot create the signal pipe");
        }
        int expected = -1;
        if (!signalPipeWriteEnd.compare_exchange_strong(expected, fds_[1])) {
            closeFds();
            throw std::runtime_error("only one terminal can be open at a time");
        }
        struct sigaction action {};
        action.sa_handler = noteSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (std::size_t i = 0; i < kSignals.size(); ++i) {
            ::sigaction(kSignals[i], &action, &previous_[i]);
        }
    }

    ~SignalPipe() {
        for (std::size_t i = 0; i < kSignals.size(); ++i) ::sigaction(kSignals[i], &previous_[i], nullptr);
        signalPipeWriteEnd.store(-1);
        closeFds();
    }

    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;

    int readEnd() const { return fds_[0]; }

    // Stops the process as SIGTSTP would have; returns once it is continued.
    // In an orphaned process group the kernel drops the stop and this
    // returns at once.
    static void stopProcess() {
        struct sigaction stop {};
        stop.sa_handler = SIG_DFL;
        sigemptyset(&stop.sa_mask);
        struct sigaction ours {};
        ::sigaction(SIGTSTP, &stop, &ours);
        ::raise(SIGTSTP);
        ::sigaction(SIGTSTP, &ours, nullptr);
    }

private:
    static constexpr std::array<int, 5> kSignals = {SIGWINCH, SIGTERM, SIGHUP, SIGINT, SIGTSTP};

    void closeFds() {
        for (int& fd : fds_) {
            if (fd >= 0) ::close(fd);
            fd = -1;
        }
    }

    std::array<int, 2> fds_{-1, -1};
    std::array<struct sigaction, kSignals.size()> previous_{};
};

// A terminfo string, or nothing when the terminal has none. Padding
// ("$<50>", for hardware terminals) is left out: it is not for the terminal.
std::string capability(const char* name) {
    const char* value = ::tigetstr(name);
    if (value == nullptr || value == reinterpret_cast<char*>(-1)) return {};
    std::string bytes(value);
    for (std::size_t at = bytes.find("$<"); at != std::string::npos; at = bytes.find("$<", at)) {
        const std::size_t end = bytes.find('>', at);
        if (end == std::string::npos) break;
        bytes.erase(at, end + 1 - at);
    }
    return bytes;
}

// One ncurses screen on stdin/stdout; endwin() on destruction.
class CursesScreen {
public:
    CursesScreen() : screen_(start()) {
        if (screen_ == nullptr) throw std::runtime_error("cannot start full-screen mode on this terminal");
        ::set_term(screen_);
        ::raw();  // Ctrl+C, Ctrl+Z, Ctrl+S arrive as keys
        ::noecho();
        ::nonl();
        ::intrflush(stdscr, FALSE);
        ::leaveok(stdscr, TRUE);
        ::scrollok(stdscr, FALSE);
        // Input is read by us, not by ncurses: it must not look at the tty
        // for typeahead while it updates the screen.
        ::typeahead(-1);
    }

    ~CursesScreen() {
        leave();
        ::delscreen(screen_);
    }

    // Back to the shell's screen and modes, leaving nothing of the program
    // on view: where the terminal has no alternate screen (the Linux
    // console, vt100, GNU screen by default) the program's last screen
    // would otherwise stay above the prompt. The next refresh comes back.
    static void leave() {
        ::wattrset(stdscr, A_NORMAL);
        ::wbkgdset(stdscr, ' ');
        ::clear();
        ::refresh();
        ::endwin();
        // endwin parks the cursor on the last row; with no alternate screen
        // to return to, the prompt is better at the top of the cleared one.
        if (capability("rmcup").empty()) writeAll(STDOUT_FILENO, capability("clear"));
    }

    CursesScreen(const CursesScreen&) = delete;
    CursesScreen& operator=(const CursesScreen&) = delete;

private:
    static SCREEN* start() {
        const auto type = colourfulSibling(std::getenv("TERM"));
        return ::newterm(type ? type->c_str() : nullptr, stdout, stdin);
    }

    SCREEN* screen_;
};

// The keys that end the program from the size notice.
bool isLeaveKey(const KeyEvent& key) { return key == KeyEvent{kEscapeKey} || key == "q" || key == "Q"; }

bool localeIsUtf8() {
    const char* codeset = ::nl_langinfo(CODESET);
    return codeset != nullptr && std::strcmp(codeset, "UTF-8") == 0;
}

// Console colour number (bit 1 blue, bit 4 red) to the ANSI order (1 red,
// 4 blue).
short ansiColor(int console) {
    return static_cast<short>((console & 0b1010) | ((console & 1) << 2) | ((console & 4) >> 2));
}

// What a non-UTF-8 terminal shows for the typographic characters the
// program's texts use.
std::optional<wchar_t> asciiLookAlike(char32_t ch) {
    switch (ch) {
        case U'\u2018': case U'\u2019': return L'\'';
        case U'\u201C': case U'\u201D': return L'"';
        case U'\u2013': case U'\u2014': return L'-';
        case U'\u00A0': return L' ';
        default: return std::nullopt;
    }
}

bool representable(wchar_t ch) {
    std::mbstate_t state{};
    std::array<char, MB_LEN_MAX> bytes{};
    return std::wcrtomb(bytes.data(), ch, &state) != static_cast<std::size_t>(-1);
}

// Lines of at most `width` characters, broken between words where possible.
std::vector<std::string> wrapWords(std::string_view text, std::size_t width) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        std::size_t cut = std::min(width, text.size());
        if (cut < text.size()) {
            const std::size_t blank = text.substr(0, cut + 1).rfind(' ');
            if (blank != std::string_view::npos && blank > 0) cut = blank;
        }
        lines.emplace_back(text.substr(0, cut));
        text.remove_prefix(cut);
        while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    }
    return lines;
}

// 1000: press and release reports; 1006: in the SGR form, which has no
// limit on the column and row.
constexpr std::string_view kMouseOn = "\033[?1000h\033[?1006h";
constexpr std::string_view kMouseOff = "\033[?1006l\033[?1000l";

// What puts the terminal back from full-screen mode: mouse reports off,
// plain attributes, the screen cleared (it may be the only one), the cursor
// shown, the alternate screen left.
std::string leaveSequence() {
    std::string bytes(kMouseOff);
    for (const char* name : {"sgr0", "clear", "cnorm", "rmcup"}) bytes += capability(name);
    return bytes;
}

bool terminalHasTitle() {
    if (::tigetflag("XT") > 0) return true;
    const char* statusLine = ::tigetstr("tsl");
    return statusLine != nullptr && statusLine != reinterpret_cast<char*>(-1);
}

}  // namespace

struct NcursesTerminal::Impl {
    Impl();
    ~Impl();

    void present(ScreenGrid& grid, const CursorState& cursor);
    std::optional<InputEvent> readInput(Millis limit);
    bool pause(Millis duration);
    void setTitle(std::string_view utf8Title);
    void setMouseReporting(bool on);

    std::optional<InputEvent> nextEvent();
    void waitForInput(Millis wait);
    void readTty(Steady::time_point now);
    void handleSignals();
    void handleResize();
    void stopAndComeBack();
    void drawRows(const std::bitset<kScreenRows>& rows);
    void drawNotice();
    void repaintAll();
    void placeCursor();
    cchar_t cellGlyph(const Cell& cell);
    short pairFor(std::uint8_t colors, attr_t& attrs);

    // Construction order matters: the guard notes the terminal's modes
    // before anything changes them and outlives everything else; the signal
    // route exists before ncurses starts (so ncurses leaves those signals to
    // us) and outlives it.
    TerminalGuard guard{STDIN_FILENO, STDOUT_FILENO};
    SignalPipe signals;
    CursesScreen curses;
    bool utf8 = localeIsUtf8();
    InputDecoder decoder{utf8};
    Steady::time_point lastBytes{};
    bool closed = false;
    bool tooSmall = false;
    int wakeDescriptor = -1;  // input from elsewhere (keys typed into a figure window)
    bool woken = false;
    bool firstPresent = true;
    bool mouseOn = false;
    bool titleSupported = terminalHasTitle();
    int cursorVisibility = -1;  // what curs_set was last given
    ScreenGrid shown;           // the model as last presented
    CursorState cursor;
    bool hasColors = false;
    bool brightColors = false;
    bool palette256 = false;
    int pairLimit = 0;
    short nextPair = 1;
    std::array<short, 256> pairs{};
};

NcursesTerminal::Impl::Impl() {
    guard.setLeaveSequence(leaveSequence());
    const char* cursorAddress = ::tigetstr("cup");
    if (cursorAddress == nullptr || cursorAddress == reinterpret_cast<char*>(-1)) {
        throw std::runtime_error("this terminal type cannot place the cursor; set TERM to a full-screen terminal");
    }
    if (::has_colors() && ::start_color() == OK) {
        hasColors = true;
        brightColors = COLORS >= 16;
        palette256 = COLORS >= 256;
        pairLimit = std::min(COLOR_PAIRS, 256);
    }
    ::curs_set(0);
    cursorVisibility = 0;
    tooSmall = LINES < kScreenRows || COLS < kScreenColumns;
}

NcursesTerminal::Impl::~Impl() {
    if (mouseOn) setMouseReporting(false);
}

void NcursesTerminal::Impl::present(ScreenGrid& grid, const CursorState& newCursor) {
    std::bitset<kScreenRows> rows = firstPresent ? std::bitset<kScreenRows>().set() : grid.dirtyRows;
    for (std::size_t r = 0; r < kScreenRows; ++r) {
        if (rows[r]) shown.cells[r] = grid.cells[r];
    }
    shown.dirtyRows |= rows;
    grid.dirtyRows.reset();
    cursor = newCursor;
    if (closed) return;
    if (tooSmall) {
        if (firstPresent) drawNotice();
        firstPresent = false;
        return;
    }
    firstPresent = false;
    drawRows(shown.dirtyRows);
    shown.dirtyRows.reset();
    placeCursor();
    ::refresh();
}

void NcursesTerminal::Impl::drawRows(const std::bitset<kScreenRows>& rows) {
    std::array<cchar_t, kScreenColumns + 1> line{};
    for (int r = 0; r < kScreenRows; ++r) {
        if (!rows[static_cast<std::size_t>(r)]) continue;
        for (int c = 0; c < kScreenColumns; ++c) {
            line[static_cast<std::size_t>(c)] = cellGlyph(shown.at(r + 1, c + 1));
        }
        mvadd_wchnstr(r, 0, line.data(), kScreenColumns);
    }
}

void NcursesTerminal::Impl::placeCursor() {
    const int visibility = cursor.visible ? 1 : 0;
    if (visibility != cursorVisibility) {
        ::curs_set(visibility);
        cursorVisibility = visibility;
    }
    ::leaveok(stdscr, cursor.visible ? FALSE : TRUE);
    if (cursor.visible) {
        ::move(std::clamp(cursor.row, 1, kScreenRows) - 1, std::clamp(cursor.column, 1, kScreenColumns) - 1);
    }
}

void NcursesTerminal::Impl::drawNotice() {
    ::erase();
    ::attrset(A_NORMAL);
    const std::string notice = "Pathwick needs a window of at least " + std::to_string(kScreenColumns) +
                               " x " + std::to_string(kScreenRows) + " characters; this one is " +
                               std::to_string(COLS) + " x " + std::to_string(LINES) +
                               ". Please make the window larger, or press Esc to quit.";
    int row = 0;
    for (const std::string& line : wrapWords(notice, static_cast<std::size_t>(std::max(COLS, 1)))) {
        mvaddnstr(row++, 0, line.c_str(), static_cast<int>(line.size()));
    }
    if (cursorVisibility != 0) {
        ::curs_set(0);
        cursorVisibility = 0;
    }
    ::leaveok(stdscr, TRUE);
    ::refresh();
}

void NcursesTerminal::Impl::repaintAll() {
    ::erase();
    std::bitset<kScreenRows> all;
    drawRows(all.set());
    shown.dirtyRows.reset();
    placeCursor();
    ::clearok(curscr, TRUE);  // the terminal's own contents are unknown now
    ::refresh();
}

cchar_t NcursesTerminal::Impl::cellGlyph(const Cell& cell) {
    attr_t attrs = A_NORMAL;
    const short pair = pairFor(cell.colors, attrs);
    cchar_t glyph{};
    const char32_t ch = cell.ch;
    std::array<wchar_t, 2> text{L' ', L'\0'};
    if (ch >= 0x20 && ch < 0x7F) {
        text[0] = static_cast<wchar_t>(ch);
    } else if (ch < 0xA0) {
        // Control characters never reach the screen in practice; show them
        // as a visible placeholder rather than let the terminal obey them.
        text[0] = ch == 0 ? L' ' : L'?';
    } else if (!utf8 && ch == U'\u2500') {
        std::array<wchar_t, CCHARW_MAX + 1> line{};
        attr_t lineAttrs = A_NORMAL;
        short linePair = 0;
        ::getcchar(WACS_HLINE, line.data(), &lineAttrs, &linePair, nullptr);
        ::setcchar(&glyph, line.data(), lineAttrs | attrs, pair, nullptr);
        return glyph;
    } else if (const auto lookAlike = utf8 ? std::nullopt : asciiLookAlike(ch)) {
        text[0] = *lookAlike;
    } else {
        const auto wide = static_cast<wchar_t>(ch);
        // Only single-width characters keep the grid aligned.
        text[0] = (representable(wide) && ::wcwidth(wide) == 1) ? wide : L'?';
    }
    ::setcchar(&glyph, text.data(), attrs, pair, nullptr);
    return glyph;
}

short NcursesTerminal::Impl::pairFor(std::uint8_t colors, attr_t& attrs) {
    const int foreground = colors & 0x0F;
    const int background = colors >> 4;
    if (!hasColors) {
        // Monochrome: light backgrounds (labels, question pages) in reverse.
        if (background == 7 || background == 15) attrs |= A_REVERSE;
        return 0;
    }
    short fg = ansiColor(foreground);
    short bg = ansiColor(background);
    if (palette256) {
        // The terminals' ANSI green (#00CD00 in xterm) is too light for
        // text on white (2.2:1); index 28 (#008700) is near the console's
        // own green (#008000) and reads at 4.7:1.
        constexpr short kConsoleGreen = 28;
        if (foreground == 2) fg = kConsoleGreen;
        if (background == 2) bg = kConsoleGreen;
    }
    if (!brightColors) {
        if (foreground & 8) attrs |= A_BOLD;
        // Light grey and bright white backgrounds (labels on a page) would
        // both become colour 7: the grey ones are shown in reverse instead.
        if (background == 7) attrs |= A_REVERSE;
        fg = static_cast<short>(fg & 7);
        bg = static_cast<short>(bg & 7);
    }
    short& pair = pairs.at(colors);
    if (pair == 0 && nextPair < pairLimit) {
        if (::init_pair(nextPair, fg, bg) == OK) pair = nextPair++;
    }
    return pair;
}

std::optional<InputEvent> NcursesTerminal::Impl::nextEvent() {
    while (!closed) {
        auto event = decoder.take();
        if (!event || !tooSmall) return event;
        // While the notice hides the screen, keys and clicks would act on
        // something the user cannot see; but Esc or q there ends the
        // program, for a window that cannot grow large enough.
        closed = event->kind == InputEvent::Kind::Key && isLeaveKey(event->key);
    }
    return InputEvent{InputEvent::Kind::Closed, {}, 0, 0, false};
}

std::optional<InputEvent> NcursesTerminal::Impl::readInput(Millis limit) {
    const auto deadline = Steady::now() + limit;
    bool polled = false;
    for (;;) {
        if (auto event = nextEvent()) return event;
        const auto now = Steady::now();
        const auto escapeDue = lastBytes + InputDecoder::kEscapeTimeout;
        if (decoder.waitingForMore() && now >= escapeDue) {
            decoder.expirePending(sinceEpoch(now));
            continue;
        }
        if (polled && now >= deadline) return std::nullopt;
        auto wait = std::max(deadline - now, Steady::duration::zero());
        if (decoder.waitingForMore()) wait = std::min(wait, escapeDue - now);
        waitForInput(std::chrono::ceil<Millis>(wait));
        polled = true;
        if (std::exchange(woken, false)) return std::nullopt;
    }
}

void NcursesTerminal::Impl::waitForInput(Millis wait) {
    std::array<pollfd, 3> fds{{{STDIN_FILENO, POLLIN, 0},
                               {signals.readEnd(), POLLIN, 0},
                               {wakeDescriptor, POLLIN, 0}}};
    const int timeout = static_cast<int>(std::min<Millis::rep>(wait.count(), 60'000));
    const int ready = ::poll(fds.data(), fds.size(), timeout);
    if (ready <= 0) return;  // timeout, or a signal (its note is read next time)
    if (fds[1].revents != 0) handleSignals();
    if (fds[2].revents != 0) woken = true;
    if (fds[0].revents & POLLNVAL) {
        closed = true;
    } else if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
        readTty(Steady::now());
    }
}

bool NcursesTerminal::Impl::pause(Millis duration) {
    const auto deadline = Steady::now() + duration;
    while (!closed) {
        const auto now = Steady::now();
        if (now >= deadline) return true;
        // The tty is watched for a hang-up only (no events asked for): keys
        // typed meanwhile must neither be read nor wake the pause.
        std::array<pollfd, 2> fds{{{STDIN_FILENO, 0, 0}, {signals.readEnd(), POLLIN, 0}}};
        const auto wait = std::chrono::ceil<Millis>(deadline - now);
        const int timeout = static_cast<int>(std::min<Millis::rep>(wait.count(), 60'000));
        if (::poll(fds.data(), fds.size(), timeout) <= 0) continue;
        if (fds[1].revents != 0) handleSignals();
        if ((fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) closed = true;
    }
    return false;
}

void NcursesTerminal::Impl::readTty(Steady::time_point now) {
    std::array<char, kReadChunk> buffer{};
    const ssize_t count = ::read(STDIN_FILENO, buffer.data(), buffer.size());
    if (count > 0) {
        decoder.feed(std::string_view(buffer.data(), static_cast<std::size_t>(count)), sinceEpoch(now));
        lastBytes = now;
    } else if (count == 0 || (errno != EINTR && errno != EAGAIN)) {
        closed = true;  // end of input, or the terminal hung up (EIO)
    }
}

void NcursesTerminal::Impl::handleSignals() {
    std::array<char, 64> notes{};
    bool resized = false;
    bool stop = false;
    ssize_t count = 0;
    while ((count = ::read(signals.readEnd(), notes.data(), notes.size())) > 0) {
        for (ssize_t i = 0; i < count; ++i) {
            const char note = notes[static_cast<std::size_t>(i)];
            closed = closed || note == kEndNote;
            resized = resized || note == kResizeNote;
            stop = stop || note == kStopNote;
        }
    }
    if (closed) return;
    if (stop) {
        stopAndComeBack();
    } else if (resized) {
        handleResize();
    }
}

void NcursesTerminal::Impl::handleResize() {
    winsize size{};
    if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_row == 0 || size.ws_col == 0) return;
    ::resizeterm(size.ws_row, size.ws_col);
    tooSmall = size.ws_row < kScreenRows || size.ws_col < kScreenColumns;
    if (firstPresent) return;  // nothing to show yet
    if (tooSmall) {
        drawNotice();
    } else {
        repaintAll();
    }
}

// A stop asked from outside (kill -TSTP; Ctrl+Z is a key here): the shell
// gets its screen and modes back, mouse reports off, while the process is
// stopped; once continued, everything is drawn anew at whatever size the
// window has now.
void NcursesTerminal::Impl::stopAndComeBack() {
    if (mouseOn) writeAll(STDOUT_FILENO, kMouseOff);
    CursesScreen::leave();
    SignalPipe::stopProcess();
    if (mouseOn) writeAll(STDOUT_FILENO, kMouseOn);
    handleResize();
    if (firstPresent) ::refresh();
}

void NcursesTerminal::Impl::setTitle(std::string_view utf8Title) {
    if (!titleSupported || closed) return;
    std::string sequence = "\033]0;";
    for (std::size_t at = 0; at < utf8Title.size(); ++at) {
        const auto byte = static_cast<unsigned char>(utf8Title[at]);
        if (byte < 0x20 || byte == 0x7F) continue;  // nothing may end the sequence early
        if (utf8 || byte < 0x80) {
            sequence += static_cast<char>(byte);
        } else if (byte >= 0xC0) {
            // One character for the whole UTF-8 sequence, as on the screen.
            const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
            char32_t ch = byte & (0x3F >> (length - 1));
            for (std::size_t i = 1; i < length && at + 1 < utf8Title.size(); ++i) {
                ch = (ch << 6) | (static_cast<unsigned char>(utf8Title[++at]) & 0x3F);
            }
            sequence += static_cast<char>(asciiLookAlike(ch).value_or(L'?'));
        }
    }
    sequence += '\a';
    writeAll(STDOUT_FILENO, sequence);
}

void NcursesTerminal::Impl::setMouseReporting(bool on) {
    if (on == mouseOn) return;
    mouseOn = on;
    if (closed && on) return;
    writeAll(STDOUT_FILENO, on ? kMouseOn : kMouseOff);
}

NcursesTerminal::NcursesTerminal() {
    std::setlocale(LC_ALL, "");
    if (::isatty(STDIN_FILENO) == 0 || ::isatty(STDOUT_FILENO) == 0) {
        throw std::runtime_error("standard input and output must be a terminal");
    }
    impl_ = std::make_unique<Impl>();
}

NcursesTerminal::~NcursesTerminal() = default;

void NcursesTerminal::present(ScreenGrid& grid, const CursorState& cursor) { impl_->present(grid, cursor); }

void NcursesTerminal::watchDescriptor(int descriptor) { impl_->wakeDescriptor = descriptor; }

std::optional<InputEvent> NcursesTerminal::readInput(std::chrono::milliseconds limit) {
    return impl_->readInput(limit);
}

bool NcursesTerminal::pause(std::chrono::milliseconds duration, Clock& /*clock*/) {
    return impl_->pause(duration);
}

void NcursesTerminal::setTitle(std::string_view utf8Title) { impl_->setTitle(utf8Title); }

void NcursesTerminal::setMouseReporting(bool on) { impl_->setMouseReporting(on); }

}  // namespace pathwick
