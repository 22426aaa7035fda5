#include "support/screen_test.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "app/program.h"
#include "console/cp1252.h"

namespace pathwick::testing {

std::string textAt(const ScreenLayer& screen, int row, int column, int length) {
    std::string text;
    for (int c = column; c < column + length && c <= kScreenColumns; ++c) text += utf8Of(screen.cellAt(row, c).ch);
    return text;
}

std::string trimmedRow(const ScreenLayer& screen, int row) {
    std::string text = textAt(screen, row, 1, kScreenColumns);
    return text.erase(text.find_last_not_of(' ') + 1);
}

std::string colorsAt(const ScreenLayer& screen, int row, int column) {
    const Cell& cell = screen.cellAt(row, column);
    return std::to_string(cell.foreground()) + "/" + std::to_string(cell.background());
}

std::string dump(const ScreenLayer& screen) {
    std::string text;
    for (int row = 1; row <= kScreenRows; ++row) text += trimmedRow(screen, row) + "\n";
    return text;
}

namespace {

std::string screenFile(const ScreenLayer& screen) {
    std::map<std::string, int> uses;
    for (int row = 1; row <= kScreenRows; ++row)
        for (int column = 1; column <= kScreenColumns; ++column) ++uses[colorsAt(screen, row, column)];
    const std::string common = std::max_element(uses.begin(), uses.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    std::ostringstream out;
    out << "colours " << common << "\n";
    for (int row = 1; row <= kScreenRows; ++row) out << (row < 10 ? " " : "") << row << "|" << trimmedRow(screen, row) << "\n";
    for (int row = 1; row <= kScreenRows; ++row) {
        for (int first = 1, last = 1; first <= kScreenColumns; first = ++last) {
            const std::string colours = colorsAt(screen, row, first);
            while (last < kScreenColumns && colorsAt(screen, row, last + 1) == colours) ++last;
            if (colours != common) out << row << ":" << first << "-" << last << " " << colours << "\n";
        }
    }
    return out.str();
}

}  // namespace

void expectScreen(const ScreenLayer& screen, const std::string& name) {
    const auto file = std::filesystem::path(PATHWICK_SOURCE_DIR) / "tests" / "screens" / (name + ".txt");
    if (const char* write = std::getenv("PATHWICK_WRITE_SCREENS"); write && std::string(write) == "1") {
        std::ofstream(file, std::ios::binary) << screenFile(screen);
        return;
    }
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(screenFile(screen), std::string(std::istreambuf_iterator<char>(in), {})) << "screen " << name;
}

void play(ScriptedTerminal& terminal, std::string_view words) {
    std::istringstream in{std::string(words)};
    for (std::string word; in >> word;) {
        const int number = std::atoi(word.c_str() + 1);
        if (const auto star = word.find('*'); star != std::string::npos && star > 0) {
            for (int n = std::atoi(word.c_str() + star + 1); n > 0; --n) play(terminal, word.substr(0, star));
            continue;
        }
        if (word == "<cr>" || word == "<esc>" || word == "<sp>") terminal.key(word == "<cr>" ? "\r" : word == "<sp>" ? " " : "\x1b");
        else if (word.starts_with("@@")) terminal.doubleClick(std::atoi(word.c_str() + 2), std::atoi(word.c_str() + word.find(',') + 1));
        else if (word.size() > 1 && word[0] == '@') terminal.click(number, std::atoi(word.c_str() + word.find(',') + 1));
        else if (word.size() > 1 && word[0] == '#') terminal.extended(static_cast<unsigned char>(number));
        else if (word.size() > 1 && word[0] == '~') terminal.idle(number);
        else terminal.type(word);
    }
}

TempDirectory::TempDirectory() {
    std::random_device device;
    path_ = std::filesystem::temp_directory_path() / ("pathwick-test-" + std::to_string(device()) + std::to_string(device()));
    std::filesystem::create_directories(path_);
}

TempDirectory::~TempDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void TempDirectory::write(const std::filesystem::path& relative, std::string_view bytes) const {
    std::filesystem::create_directories((path_ / relative).parent_path());
    std::ofstream(path_ / relative, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

ProgramRig::ProgramRig(Progress& progress) : ScreenRig(progress) {
    std::string longHint = "T3B05: " + std::string(47, 'x') + " " + std::string(47, 'y');  // one letter too many for a line
    for (char word = 'a'; word <= 'z'; ++word) longHint += " " + std::string(60, word);   // then a line each, far too many
    folder.write("hints.txt", "' hints\r\nT0A01: Keep hands off both terminals [battery] ~Figure battery.bmp\r\n"
                              "T6C02: Look at figure T1 [schematic]\r\nT1A01: A hint on the 2018-2022 question. [old]\r\n" +
                              longHint + " [k]\r\n");
    folder.write("hints-2026-2030.txt", "T1A02: The FCC's part of the 2026-2030 pool. [97.1]\r\n");
    context.hintsDirectory = folder.path();
}

bool ProgramRig::run(std::string_view words, const PoolEdition& edition) try {
    play(terminal, words);
    ProgramContext chosen{screen, desktop, random, context.hintsDirectory, edition, context.progress};
    RunProgram(chosen);
    return true;
} catch (const InputClosed&) {
    return false;
}

}  // namespace pathwick::testing
