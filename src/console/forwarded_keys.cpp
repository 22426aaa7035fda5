#include "console/forwarded_keys.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>

namespace pathwick {

ForwardedKeys::ForwardedKeys() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
    readEnd_ = FileDescriptor(ends[0]);
    writeEnd_ = FileDescriptor(ends[1]);
}

void ForwardedKeys::push(KeyEvent key) {
    std::lock_guard lock(mutex_);
    if (keys_.size() >= kMaxQueued) return;
    keys_.push_back(std::move(key));
    if (writeEnd_.valid()) {
        const char note = 1;
        [[maybe_unused]] const auto written = ::write(writeEnd_.get(), &note, 1);
    }
}

std::optional<KeyEvent> ForwardedKeys::take() {
    std::lock_guard lock(mutex_);
    if (keys_.empty()) {
        // Drain stray notes so the descriptor cannot stay readable with
        // nothing queued (that would wake the terminal in a loop). A pipe
        // hands over what it holds up to the size asked: a short read
        // emptied it.
        std::array<char, 64> notes{};
        while (readEnd_.valid() &&
               ::read(readEnd_.get(), notes.data(), notes.size()) == static_cast<ssize_t>(notes.size())) {
        }
        return std::nullopt;
    }
    KeyEvent key = std::move(keys_.front());
    keys_.pop_front();
    if (readEnd_.valid()) {
        char note = 0;
        [[maybe_unused]] const auto read = ::read(readEnd_.get(), &note, 1);
    }
    return key;
}

}  // namespace pathwick
