#include "console/screen_layer.h"

#include <algorithm>

#include "console/cp1252.h"
#include "console/first_field.h"
#include "console/text_values.h"

namespace pathwick {
namespace {

constexpr char32_t kRuleCharacter = U'\u2500';
// A poll waits at least this long, so that a caller polling in a loop with
// a tiny limit still sleeps between its passes.
constexpr std::chrono::milliseconds kShortestPoll{20};
// An unlimited key wait sleeps in long stretches: keys, clicks, signals and
// forwarded keys all wake the terminal, so there is nothing to poll for.
constexpr std::chrono::milliseconds kIdleWait{60'000};
constexpr std::size_t kLongestTypedLine = 10000;

bool inRange(int value, int last) { return value >= 1 && value <= last; }

}  // namespace

ScreenLayer::ScreenLayer(Terminal& terminal, Clock& clock) : terminal_(terminal), clock_(clock) {
    grid_.dirtyRows.set();
}

void ScreenLayer::setConsoleWindowPosition(int, int) {}

void ScreenLayer::setTitle(std::string_view text) { terminal_.setTitle(cp1252ToUtf8(text)); }

void ScreenLayer::setScreenSize(int columns, int rows) {
    // The model is always 100 x 43; the terminal backend deals with the
    // real window's size.
    terminal_.setScreenSize(columns, rows);
    clearScreen();
}

void ScreenLayer::setColor(int foreground, int background) {
    if (foreground >= 0 && foreground < 16) foreground_ = foreground;
    if (background >= 0 && background < 16) background_ = background;
}

void ScreenLayer::hideCursor() { cursorVisible_ = false; }

void ScreenLayer::enableMouse() {
    mouseEnabled_ = true;
    terminal_.setMouseReporting(true);
}

void ScreenLayer::bringConsoleToFront() {}

void ScreenLayer::attachForwardedKeys(ForwardedKeys* keys) {
    forwardedKeys_ = keys;
    terminal_.watchDescriptor(keys != nullptr ? keys->wakeDescriptor() : -1);
}

std::uint8_t ScreenLayer::currentColors() const {
    return static_cast<std::uint8_t>(background_ * 16 + foreground_);
}

void ScreenLayer::clearScreen() {
    const Cell blank{U' ', currentColors()};
    for (auto& line : grid_.cells) line.fill(blank);
    grid_.dirtyRows.set();
    row_ = 1;
    column_ = 1;
    scrollPending_ = false;
}

void ScreenLayer::locate(int row, int column) {
    if (inRange(row, kScreenRows)) row_ = row;
    if (inRange(column, kScreenColumns)) column_ = column;
    scrollPending_ = false;
}

void ScreenLayer::scrollUp() {
    std::move(grid_.cells.begin() + 1, grid_.cells.end(), grid_.cells.begin());
    grid_.cells.back().fill(Cell{U' ', currentColors()});
    grid_.dirtyRows.set();
}

void ScreenLayer::writeCharacters(std::u32string_view characters) {
    while (!characters.empty()) {
        if (scrollPending_) {
            scrollPending_ = false;
            scrollUp();
        }
        const auto room = static_cast<std::size_t>(kScreenColumns - column_ + 1);
        const std::size_t count = std::min(room, characters.size());
        for (std::size_t i = 0; i < count; ++i) {
            grid_.at(row_, column_ + static_cast<int>(i)) = Cell{characters[i], currentColors()};
        }
        grid_.dirtyRows.set(static_cast<std::size_t>(row_ - 1));
        characters.remove_prefix(count);
        column_ += static_cast<int>(count);
        if (column_ > kScreenColumns) {
            column_ = 1;
            if (row_ < kScreenRows) {
                ++row_;
            } else {
                scrollPending_ = true;
            }
        }
    }
}

void ScreenLayer::printText(std::string_view text) {
    std::u32string characters;
    characters.reserve(text.size());
    for (char c : text) characters.push_back(cp1252ToUnicode(static_cast<unsigned char>(c)));
    writeCharacters(characters);
}

void ScreenLayer::newLine() {
    if (row_ < kScreenRows) {
        ++row_;
    } else {
        if (scrollPending_) scrollUp();
        scrollUp();
    }
    column_ = 1;
    scrollPending_ = false;
}

void ScreenLayer::printNumber(float value) {
    const std::string sign = value < 0 ? "" : " ";
    printText(sign + singleText(value) + " ");
}

void ScreenLayer::horizontalRule(int count) {
    if (count > 0) writeCharacters(std::u32string(static_cast<std::size_t>(count), kRuleCharacter));
}

void ScreenLayer::sleep(int milliseconds) {
    present();
    // The pause goes through the terminal so that a hang-up or an end signal
    // ends it at once instead of after the full wait.
    if (milliseconds > 0 && !terminal_.pause(std::chrono::milliseconds(milliseconds), clock_)) {
        throw InputClosed();
    }
}

void ScreenLayer::present() {
    terminal_.present(grid_, CursorState{cursorVisible_, row_, column_});
}

KeyEvent ScreenLayer::acceptInput(const InputEvent& event) {
    switch (event.kind) {
        case InputEvent::Kind::Closed:
            throw InputClosed();
        case InputEvent::Kind::Click:
            if (!mouseEnabled_ || !inRange(event.row, kScreenRows) ||
                !inRange(event.column, kScreenColumns)) {
                return {};
            }
            mouseRow_ = event.row;
            mouseColumn_ = event.column;
            return clickEvent(event.doubleClick ? kClickDouble : kClickPressed);
        case InputEvent::Kind::Key:
            return event.key;
    }
    return {};
}

std::optional<KeyEvent> ScreenLayer::takeForwardedKey() {
    if (forwardedKeys_ == nullptr) return std::nullopt;
    return forwardedKeys_->take();
}

KeyEvent ScreenLayer::waitKey() {
    present();
    for (;;) {
        if (auto key = takeForwardedKey()) return *key;
        if (const auto event = terminal_.readInput(kIdleWait)) {
            KeyEvent key = acceptInput(*event);
            if (!key.empty()) return key;
        }
    }
}

// One wait of the whole limit: keys, clicks, signals and forwarded keys end
// it early, so the caller is woken no more often than it asks to be.
KeyEvent ScreenLayer::pollKey(int milliseconds) {
    present();
    if (auto key = takeForwardedKey()) return *key;
    const auto limit = std::max(std::chrono::milliseconds(milliseconds), kShortestPoll);
    if (const auto event = terminal_.readInput(limit)) return acceptInput(*event);
    return takeForwardedKey().value_or(KeyEvent{});
}

void ScreenLayer::eraseLastTyped() {
    // The cell before the output position; with a scroll pending the last
    // character stands in the bottom right corner.
    int row = row_;
    int column = column_ - 1;
    if (scrollPending_) {
        row = kScreenRows;
        column = kScreenColumns;
    } else if (column < 1) {
        column = kScreenColumns;
        row = std::max(1, row - 1);
    }
    locate(row, column);
    printText(" ");
    locate(row, column);
}

std::string ScreenLayer::readLine() {
    const bool wasVisible = cursorVisible_;
    cursorVisible_ = true;
    std::string line;
    for (;;) {
        const KeyEvent key = waitKey();
        if (key.size() != 1) continue;  // extended keys and clicks
        const auto c = static_cast<unsigned char>(key[0]);
        if (c == static_cast<unsigned char>(kBackspaceKey)) {
            if (!line.empty()) {
                eraseLastTyped();
                line.pop_back();
            }
        } else if (c == static_cast<unsigned char>(kEnterKey)) {
            newLine();
            break;
        } else if (c >= 32 && line.size() < kLongestTypedLine) {
            printText(key);
            line += key;
        }
    }
    cursorVisible_ = wasVisible;
    return FirstField(line);
}

std::string ScreenLayer::rowText(int row) const {
    std::string text;
    for (int column = 1; column <= kScreenColumns; ++column) text += utf8Of(cellAt(row, column).ch);
    return text;
}

}  // namespace pathwick
