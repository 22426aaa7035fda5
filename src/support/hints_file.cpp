#include "support/hints_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>

#include "console/text_values.h"
#include "console/wrap_text.h"
#include "support/hints_parser.h"

namespace pathwick {

namespace {

// hints.txt is a text file of a few hundred short lines; anything beyond
// this is ignored rather than read into memory.
constexpr std::size_t kHintsFileReadLimit = 4 * 1024 * 1024;
constexpr std::size_t kReadChunk = 64 * 1024;
constexpr int kHintWrapWidth = 95;
constexpr int kFirstHintRow = 29;
// Entries 0..15: rows 29 to 43, the last row of the screen. Longer hints
// are cut there instead of scrolling the question away.
constexpr int kHintLinesLast = 15;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// The first bytes of a regular file, or nothing. Opening does not block on
// a FIFO or device of that name, and only regular files are read.
std::string readHintsFile(const std::filesystem::path& file) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat status {};
    if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) return {};
    std::string bytes;
    std::size_t filled = 0;
    while (filled < kHintsFileReadLimit) {
        bytes.resize(std::min(filled + kReadChunk, kHintsFileReadLimit));
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
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
