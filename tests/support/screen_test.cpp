#include "support/screen_test.h"

#include <fstream>
#include <random>

#include "console/cp1252.h"

namespace pathwick::testing {

std::string textAt(const ScreenLayer& screen, int row, int column, int length) {
    std::string text;
    for (int c = column; c < column + length && c <= kScreenColumns; ++c)
        text += utf8Of(screen.cellAt(row, c).ch);
    return text;
}

std::string trimmedRow(const ScreenLayer& screen, int row) {
    std::string text = textAt(screen, row, 1, kScreenColumns);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::string colorsAt(const ScreenLayer& screen, int row, int column) {
    const Cell& cell = screen.cellAt(row, column);
    return std::to_string(cell.foreground()) + "/" + std::to_string(cell.background());
}

bool allColors(const ScreenLayer& screen, int row, int column, int length, int fg, int bg) {
    for (int c = column; c < column + length; ++c) {
        const Cell& cell = screen.cellAt(row, c);
        if (cell.foreground() != fg || cell.background() != bg) return false;
    }
    return true;
}

std::string dump(const ScreenLayer& screen) {
    std::string text;
    for (int row = 1; row <= kScreenRows; ++row) {
        char label[8];
        std::snprintf(label, sizeof label, "%2d|", row);
        text += label + trimmedRow(screen, row) + "\n";
    }
    return text;
}

TempDirectory::TempDirectory() {
    std::random_device device;
    path_ = std::filesystem::temp_directory_path() /
            ("pathwick-test-" + std::to_string(device()) + std::to_string(device()));
    std::filesystem::create_directories(path_);
}

TempDirectory::~TempDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void TempDirectory::write(const std::filesystem::path& relative, std::string_view bytes) const {
    const auto file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace pathwick::testing
