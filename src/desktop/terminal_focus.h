#pragma once
// Giving the keyboard back to the terminal window on X11. Terminals name
// their window in WINDOWID (xterm, urxvt and most X terminals do); without
// it, or on another window system, nothing happens.
#include <SDL.h>

#include <vector>

namespace pathwick {

// True when the keyboard focus is on one of `ours` or on no window (the
// root): then the terminal may take it. Focus the user gave to some other
// program stays there. Window thread only, as the next.
bool focusFreeForTerminal(const std::vector<SDL_Window*>& ours);
// Focuses the terminal's window, through the connection of `any`.
void focusTerminal(SDL_Window* any);

// The X window a terminal names in WINDOWID (decimal), or 0 (no window)
// for a missing value or one that is not wholly a number.
unsigned long TerminalWindowId(const char* text);

}  // namespace pathwick
