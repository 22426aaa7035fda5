#include "console/terminal_type.h"

#include <unistd.h>

#include <string_view>
#include <utility>

// Last: term.h defines macros with everyday names (lines, columns, ...).
#include <curses.h>
#include <term.h>

namespace pathwick {
namespace {

// xterm, GNU screen and tmux draw bright colours (8-15) and 256 colours
// whatever TERM says, but their plain entries (TERM=xterm, screen, tmux)
// offer 8, where a bright white page and light grey labels would both
// become colour 7. Their 256-colour entries fit them as well.
std::optional<std::string_view> siblingName(std::string_view term) {
    constexpr std::pair<std::string_view, std::string_view> kFamilies[] = {
        {"xterm", "xterm-256color"}, {"screen", "screen-256color"}, {"tmux", "tmux-256color"}};
    for (const auto& [family, sibling] : kFamilies) {
        if (!term.starts_with(family)) continue;
        const std::string_view rest = term.substr(family.size());
        if (rest.empty() || rest.front() == '-' || (family == "screen" && rest.front() == '.')) return sibling;
    }
    return std::nullopt;
}

// The colours terminfo gives terminal type `type`; -1 when it has no entry.
int terminfoColours(const char* type) {
    int error = 0;
    if (::setupterm(type, STDOUT_FILENO, &error) != OK) return -1;
    const int colours = ::tigetnum("colors");
    ::del_curterm(cur_term);
    return colours;
}

}  // namespace

std::optional<std::string> colourfulSibling(const char* term) {
    if (term == nullptr) return std::nullopt;
    const auto sibling = siblingName(term);
    if (!sibling || terminfoColours(term) != 8) return std::nullopt;
    std::string name(*sibling);
    if (terminfoColours(name.c_str()) < 256) return std::nullopt;
    return name;
}

}  // namespace pathwick
