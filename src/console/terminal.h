#pragma once
// The device under the screen layer. The real one drives a terminal through
// ncursesw; tests use a scripted one. The screen layer owns the cell model and
// hands it over only when the logic is about to wait.
#include <array>
#include <bitset>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

#include "console/clock.h"
#include "console/key_event.h"

namespace pathwick {

inline constexpr int kScreenRows = 43;
inline constexpr int kScreenColumns = 100;

// Console colour numbers: bit 1 blue, bit 2 green, bit 4 red, bit 8 bright.
// A cell's colour pair is background * 16 + foreground.
struct Cell {
    char32_t ch = U' ';
    std::uint8_t colors = 0x07;

    int foreground() const { return colors & 0x0F; }
    int background() const { return colors >> 4; }
    friend bool operator==(const Cell&, const Cell&) = default;
};

struct ScreenGrid {
    std::array<std::array<Cell, kScreenColumns>, kScreenRows> cells{};
    // Rows changed since the terminal last drew them (index 0 = row 1).
    std::bitset<kScreenRows> dirtyRows;

    Cell& at(int row, int column) { return cells.at(row - 1).at(column - 1); }
    const Cell& at(int row, int column) const { return cells.at(row - 1).at(column - 1); }
};

struct CursorState {
    bool visible{};
    int row = 1;     // 1-based
    int column = 1;  // 1-based
};

struct InputEvent {
    enum class Kind {
        Key,     // `key` holds the KeyEvent (character or extended key)
        Click,   // left press (`doubleClick` false) or double-click, at row/column
        Closed,  // end of input, or a signal asking the program to end
    };
    Kind kind = Kind::Key;
    KeyEvent key;
    int row = 0;     // 1-based cell of a click
    int column = 0;  // 1-based cell of a click
    bool doubleClick = false;
};

class Terminal {
public:
    virtual ~Terminal() = default;

    // Draws the rows marked dirty (and whatever the device lost, e.g. after
    // a resize), then clears their dirty flags.
    virtual void present(ScreenGrid& grid, const CursorState& cursor) = 0;

    // Waits at most `limit` for one decoded input event. Sleeps on the input
    // descriptor; never spins.
    virtual std::optional<InputEvent> readInput(std::chrono::milliseconds limit) = 0;

    // Waits `duration` without taking input: keys typed meanwhile stay
    // queued for the next read. Returns false at once when the terminal goes
    // away or a signal asks the program to end, true when the time is up.
    // A device without a time of its own (a test double) sleeps on `clock`.
    virtual bool pause(std::chrono::milliseconds duration, Clock& clock) {
        clock.sleepFor(duration);
        return true;
    }

    virtual void setTitle(std::string_view utf8Title) = 0;

    // The screen size the program asks for. A device whose window the
    // program cannot size ignores it: the model is always 100 x 43.
    virtual void setScreenSize(int /*columns*/, int /*rows*/) {}

    // Left presses and double-clicks are reported only while this is on.
    virtual void setMouseReporting(bool on) = 0;

    // readInput also returns (with nothing) as soon as this descriptor is
    // readable, so input from elsewhere is seen without polling. -1: none.
    virtual void watchDescriptor(int) {}
};

}  // namespace pathwick
