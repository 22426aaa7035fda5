#pragma once
// Which terminfo entry full-screen mode starts on.
#include <optional>
#include <string>

namespace pathwick {

// The installed 256-colour sibling entry (xterm-256color, screen-256color,
// tmux-256color) of `term` when `term` names an xterm, GNU screen or tmux
// entry of 8 colours; nothing otherwise, and `term` is used as it is.
std::optional<std::string> colourfulSibling(const char* term);

}  // namespace pathwick
