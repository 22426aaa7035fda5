#include "hints/hints_file.h"

#include <algorithm>
#include <cstddef>

#include "console/text_values.h"
#include "console/wrap_text.h"
#include "console/bounded_file.h"
#include "hints/hints_parser.h"

namespace pathwick {

namespace {

// hints.txt is a text file of a few hundred short lines; anything beyond
// this is ignored rather than read into memory.
constexpr std::size_t kHintsFileReadLimit = 4 * 1024 * 1024;
constexpr int kHintWrapWidth = 95;
constexpr int kFirstHintRow = 29;
// Entries 0..15: rows 29 to 43, the last row of the screen. Longer hints
// are cut there instead of scrolling the question away.
constexpr int kHintLinesLast = 15;

// The first bytes of a regular file, or nothing.
std::string readHintsFile(const std::filesystem::path& file) {
    const auto bytes = readFilePrefix(file.string(), kHintsFileReadLimit);
    if (!bytes) return {};
    return std::string(bytes->begin(), bytes->end());
}

void loadIndex(std::string_view bytes, CountedList& hintIndex) {
    const auto limit = static_cast<std::size_t>(std::max(hintIndex.lastIndex(), 0));
    const std::vector<std::string_view> ids = IndexedHintIds(bytes, limit);
    for (std::size_t i = 0; i < ids.size(); ++i) hintIndex[static_cast<int>(i) + 1] = ids[i];
    hintIndex[0] = plainNumberText(static_cast<long long>(ids.size()));
}

void showPicture(std::string_view name, WindowHandle& hintWindow, Desktop& desktop,
                 const std::filesystem::path& directory) {
    if (!IsSafePictureName(name)) return;
    const std::filesystem::path picture = directory / "Figures" / std::filesystem::path(name);
    desktop.showImageFile(picture.string(), "", hintWindow);
}

void printHint(std::string_view text, ScreenLayer& screen) {
    CountedList lines(kHintLinesLast);
    WrapText(text, lines, kHintWrapWidth);
    const int count = std::clamp(lines.count(), 0, kHintLinesLast);
    for (int i = 1; i <= count; ++i) {
        screen.locate(kFirstHintRow - 1 + i, 2);
        screen.printText(lines[i]);
    }
}

}  // namespace

void showHint(std::string& request, CountedList& hintIndex, WindowHandle& hintWindow,
              ScreenLayer& screen, Desktop& desktop, const std::filesystem::path& directory,
              std::string_view fileName) {
    const std::string bytes = readHintsFile(directory / std::filesystem::path(fileName));
    if (request == "Index") {
        loadIndex(bytes, hintIndex);
    } else if (const auto hint = FindHint(bytes, request)) {
        if (!hint->pictureName.empty()) showPicture(hint->pictureName, hintWindow, desktop, directory);
        printHint(hint->text, screen);
    }
    request.clear();
}

}  // namespace pathwick
