#include "console/bounded_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "console/file_descriptor.h"

namespace pathwick {

namespace {

struct RegularFile {
    FileDescriptor fd;
    off_t size;
};

// Opens without blocking (a FIFO would otherwise wait for a writer) and
// accepts only regular files.
std::optional<RegularFile> openRegular(const std::string& path) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.valid()) return std::nullopt;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return RegularFile{std::move(fd), info.st_size};
}

// Reads until `limit` bytes or end of file. The buffer grows as bytes
// arrive, so a generous limit costs nothing for a short file.
std::optional<std::vector<std::uint8_t>> readUpTo(int fd, std::size_t limit) {
    constexpr std::size_t kChunk = 64 * 1024;
    std::vector<std::uint8_t> bytes;
    std::size_t filled = 0;
    while (filled < limit) {
        bytes.resize(std::min(filled + kChunk, limit));
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> readFilePrefix(const std::string& path,
                                                        std::size_t maxBytes) {
    const std::optional<RegularFile> file = openRegular(path);
    if (!file) return std::nullopt;
    return readUpTo(file->fd.get(), maxBytes);
}

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path,
                                                       std::size_t maxBytes) {
    const std::optional<RegularFile> file = openRegular(path);
    if (!file || file->size < 0 || static_cast<std::uint64_t>(file->size) > maxBytes) {
        return std::nullopt;
    }
    // One byte beyond its size shows a file that grew while being read, or
    // one whose size says nothing of its contents (/proc): neither is whole.
    const auto size = static_cast<std::size_t>(file->size);
    auto bytes = readUpTo(file->fd.get(), size + 1);
    if (!bytes || bytes->size() > size) return std::nullopt;
    return bytes;
}

}  // namespace pathwick
