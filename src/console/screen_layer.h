#pragma once
// The 100 x 43 console as a model: cells, output position with its
// pending-scroll flag, current colours and mouse state. Every screen of the
// program is drawn through these operations; the grid reaches the Terminal
// only when the logic is about to wait (a key wait or a sleep).
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "console/clock.h"
#include "console/forwarded_keys.h"
#include "console/key_event.h"
#include "console/terminal.h"

namespace pathwick {

// Thrown out of a key wait or a sleep when the terminal has gone (end of
// input) or the program was asked to end by a signal. Only the program entry
// catches it.
class InputClosed : public std::runtime_error {
public:
    InputClosed() : std::runtime_error("input closed") {}
};

class ScreenLayer {
public:
    ScreenLayer(Terminal& terminal, Clock& clock);

    // Start-up configuration.
    void setConsoleWindowPosition(int x, int y);  // no terminal equivalent
    void setTitle(std::string_view text);         // Windows-1252 text
    void setScreenSize(int columns, int rows);     // also clears the screen
    void setColor(int foreground, int background); // 16 or more keeps that colour
    void hideCursor();
    void enableMouse();
    void bringConsoleToFront();  // no terminal equivalent

    // Output.
    void clearScreen();
    void locate(int row, int column);
    void printText(std::string_view text);  // Windows-1252 text
    void newLine();
    void printNumber(float value);
    void horizontalRule(int count);
    // Shows the screen, then waits; keys typed meanwhile stay queued. Throws
    // InputClosed as soon as the terminal goes away or an end signal comes.
    void sleep(int milliseconds);
    // Shows the model on the terminal now, for a message that stands while
    // the program works (a key wait or a sleep would show it only later).
    void present();

    // Input.
    KeyEvent waitKey();
    // As waitKey, but gives up with nothing after `milliseconds` (20 at
    // least) without input.
    KeyEvent pollKey(int milliseconds);
    int mouseRow() const { return mouseRow_; }
    int mouseColumn() const { return mouseColumn_; }
    std::string readLine();

    // Key presses that reach a figure window are queued here and read as
    // if typed in the terminal.
    void attachForwardedKeys(ForwardedKeys* keys);

    // Read-back of the model (tests, and the terminal backend on repaint).
    const Cell& cellAt(int row, int column) const { return grid_.at(row, column); }
    std::string rowText(int row) const;  // the row as UTF-8
    int row() const { return row_; }
    int column() const { return column_; }
    bool scrollPending() const { return scrollPending_; }
    int foreground() const { return foreground_; }
    int background() const { return background_; }
    Clock& clock() { return clock_; }

private:
    std::uint8_t currentColors() const;
    void scrollUp();
    void writeCharacters(std::u32string_view characters);
    void eraseLastTyped();
    std::optional<KeyEvent> takeForwardedKey();
    KeyEvent acceptInput(const InputEvent& event);

    Terminal& terminal_;
    Clock& clock_;
    ForwardedKeys* forwardedKeys_ = nullptr;
    ScreenGrid grid_;
    int row_ = 1;
    int column_ = 1;
    bool scrollPending_ = false;
    int foreground_ = 7;
    int background_ = 0;
    bool cursorVisible_ = true;
    bool mouseEnabled_ = false;
    int mouseRow_ = 0;
    int mouseColumn_ = 0;
};

}  // namespace pathwick
