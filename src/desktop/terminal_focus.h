#pragma once
// Giving the keyboard back to the terminal window on X11. Terminals name
// their window in WINDOWID (xterm, urxvt and most X terminals do); without
// it, or on another window system, nothing happens.
#include <SDL.h>

#include <vector>

namespace pathwick {

// Focuses the terminal's window when the focus is on none of the windows or
// on one of `ours` (a window of the helper just opened or closed); focus
// the user gave to some other program stays there. Window thread only.
void giveFocusToTerminal(const std::vector<SDL_Window*>& ours);

}  // namespace pathwick
