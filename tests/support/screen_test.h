#pragma once
// Everything a screen test needs: fake clock, scripted terminal, recording
// desktop, screen layer, random source and context, plus cell read-back.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "console/random_source.h"
#include "console/screen_layer.h"
#include "support/program_context.h"
#include "support/fake_clock.h"
#include "support/recording_desktop.h"
#include "support/scripted_terminal.h"

namespace pathwick::testing {

struct ScreenRig {
    FakeClock clock;
    ScriptedTerminal terminal{clock};
    RecordingDesktop desktop;
    ScreenLayer screen{terminal, clock};
    RandomSource random{clock};
    ProgramContext context{screen, desktop, random, std::filesystem::path(".")};
};

// `length` cells from (row, column) as UTF-8.
std::string textAt(const ScreenLayer& screen, int row, int column, int length);
// The whole row as UTF-8 with trailing blanks removed.
std::string trimmedRow(const ScreenLayer& screen, int row);
// Colour pair "fg/bg" of one cell, e.g. "15/1".
std::string colorsAt(const ScreenLayer& screen, int row, int column);
// True when every cell of `length` from (row, column) has these colours.
bool allColors(const ScreenLayer& screen, int row, int column, int length, int fg, int bg);
// The screen as text, one line per row (for failure messages).
std::string dump(const ScreenLayer& screen);

// A fresh empty folder below the system's temporary folder, removed when the
// object goes.
class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // Writes `bytes` to a file below the folder (parents created).
    void write(const std::filesystem::path& relative, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};

}  // namespace pathwick::testing
