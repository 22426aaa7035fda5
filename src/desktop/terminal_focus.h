#pragma once
// Giving the keyboard back to the terminal on X11 once a figure window took
// it. Window managers that follow the desktop standards leave it where it
// is; without one (twm, or none at all) SDL focuses every window it shows.
// The keyboard goes to the terminal's window, which most X terminals name in
// WINDOWID; where that is missing (ssh passes no WINDOWID, nor does env -i),
// back to whoever held it before the figure took it. On another window
// system nothing happens.
#include <SDL.h>

#include <optional>
#include <vector>

namespace pathwick {

// Window thread only, as SDL.
class TerminalFocus {
public:
    TerminalFocus();  // reads WINDOWID

    // Before one of `ours` is shown: notes who has the keyboard now, unless
    // it is one of ours (then the holder noted before stays).
    void noteHolder(const std::vector<SDL_Window*>& ours);
    // True when the keyboard is on one of `ours` or on no window, and there
    // is somewhere to give it. Focus the user gave to some other program
    // stays there.
    bool free(const std::vector<SDL_Window*>& ours) const;
    // Gives the keyboard back, through the connection of `any`.
    void giveBack(SDL_Window* any) const;

private:
    unsigned long terminal_ = 0;          // from WINDOWID, 0 when unknown
    std::optional<unsigned long> holder_;  // who had it before ours
};

// The X window a terminal names in WINDOWID (decimal), or 0 (no window)
// for a missing value or one that is not wholly a number.
unsigned long TerminalWindowId(const char* text);

}  // namespace pathwick
