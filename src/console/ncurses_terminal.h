#pragma once
// The real terminal: ncursesw draws the cells, input is read straight from
// the tty and decoded by InputDecoder. Construction puts the terminal into
// raw full-screen mode; destruction always puts it back, whatever happened
// in between. One instance at a time (it owns the process's SIGWINCH,
// SIGTERM, SIGHUP, SIGINT and SIGTSTP handling while it lives).
#include <memory>

#include "console/terminal.h"

namespace pathwick {

class NcursesTerminal final : public Terminal {
public:
    // Throws std::runtime_error when the terminal cannot be set up.
    NcursesTerminal();
    ~NcursesTerminal() override;
    NcursesTerminal(const NcursesTerminal&) = delete;
    NcursesTerminal& operator=(const NcursesTerminal&) = delete;

    void present(ScreenGrid& grid, const CursorState& cursor) override;
    std::optional<InputEvent> readInput(std::chrono::milliseconds limit) override;
    bool pause(std::chrono::milliseconds duration, Clock& clock) override;
    void setTitle(std::string_view utf8Title) override;
    void setMouseReporting(bool on) override;
    void watchDescriptor(int descriptor) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace pathwick
