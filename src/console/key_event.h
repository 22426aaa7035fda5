#pragma once
// A key press or mouse click as the program's logic sees it: a short byte
// string. One byte for a character key, CHR$(0) + scan code for an extended
// key, four bytes (255, 255, event, buttons) for a click, empty for nothing.
#include <string>
#include <string_view>

namespace pathwick {

using KeyEvent = std::string;

inline constexpr char kEnterKey = 13;
inline constexpr char kEscapeKey = 27;
inline constexpr char kBackspaceKey = 8;
inline constexpr char kTabKey = 9;

inline constexpr unsigned char kClickPressed = 4;
inline constexpr unsigned char kClickDouble = 2;

inline bool isClick(std::string_view key) { return key.size() == 4; }

inline KeyEvent extendedKey(unsigned char scanCode) {
    return KeyEvent{'\0', static_cast<char>(scanCode)};
}

inline KeyEvent clickEvent(unsigned char event) {
    return KeyEvent{'\xFF', '\xFF', static_cast<char>(event), '\x01'};
}

}  // namespace pathwick
