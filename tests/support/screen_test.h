#pragma once
// Everything a screen test needs: fake clock, scripted terminal, recording
// desktop, screen layer, random source and context, plus cell read-back and
// whole screens compared with the files under tests/screens.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "console/random_source.h"
#include "console/screen_layer.h"
#include "support/fake_clock.h"
#include "program_context.h"
#include "support/recording_desktop.h"
#include "support/scripted_terminal.h"

namespace pathwick::testing {

struct ScreenRig {
    // `progress` is handed to every screen (NothingRemembered() by default).
    explicit ScreenRig(Progress& progress = NothingRemembered()) : context{screen, desktop, random, ".", Edition2018(), progress} {}
    FakeClock clock;
    ScriptedTerminal terminal{clock};
    RecordingDesktop desktop;
    ScreenLayer screen{terminal, clock};
    RandomSource random{clock};
    ProgramContext context;
};

// `length` cells from (row, column) as UTF-8.
std::string textAt(const ScreenLayer& screen, int row, int column, int length);
// The whole row as UTF-8 with trailing blanks removed.
std::string trimmedRow(const ScreenLayer& screen, int row);
// Colour pair "fg/bg" of one cell, e.g. "15/1".
std::string colorsAt(const ScreenLayer& screen, int row, int column);
// The screen as text, one line per row (for failure messages).
std::string dump(const ScreenLayer& screen);

// Compares the screen with tests/screens/<name>.txt cell by cell: a file is
// "colours fg/bg" (the colours of most cells), the 43 rows as "NN|text"
// without trailing blanks, then "row:first-last fg/bg" for each run of cells
// in other colours. With
// PATHWICK_WRITE_SCREENS=1 in the environment the file is written instead
// (check every line of a written file before it is kept).
void expectScreen(const ScreenLayer& screen, const std::string& name);

// Adds a script written as blank-separated words: "@25,3" a click ("@@25,3"
// a double-click), "#72" an extended key, "~500" idle milliseconds, "<cr>",
// "<esc>" and "<sp>", "w*3" the word w three times; any other word is typed
// as it stands.
void play(ScriptedTerminal& terminal, std::string_view words);

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

// The whole program on a scripted terminal, with a hints file that offers
// hints for T0A01 (with a picture), T6C02, T1A01 and T3B05 (longer than the
// screen), and one for the 2026-2030 pool that offers T1A02.
struct ProgramRig : ScreenRig {
    TempDirectory folder;
    explicit ProgramRig(Progress& progress = NothingRemembered());
    // Runs the program on the script and pool: true when it ended through the
    // goodbye screen, false when the script ran out first.
    bool run(std::string_view words = "", const PoolEdition& edition = Edition2018());
};

}  // namespace pathwick::testing
