#include "console/forwarded_keys.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>

namespace pathwick {

ForwardedKeys::ForwardedKeys() {
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) pipe_[0] = pipe_[1] = -1;
}

ForwardedKeys::~ForwardedKeys() {
    for (int descriptor : pipe_) {
        if (descriptor >= 0) ::close(descriptor);
    }
}

void ForwardedKeys::push(KeyEvent key) {
    std::lock_guard lock(mutex_);
    if (keys_.size() >= kMaxQueued) return;
    keys_.push_back(std::move(key));
    if (pipe_[1] >= 0) {
        const char note = 1;
        [[maybe_unused]] const auto written = ::write(pipe_[1], &note, 1);
    }
}

std::optional<KeyEvent> ForwardedKeys::take() {
    std::lock_guard lock(mutex_);
    if (keys_.empty()) {
        // Drain stray notes so the descriptor cannot stay readable with
        // nothing queued (that would wake the terminal in a loop).
        std::array<char, 64> notes{};
        while (pipe_[0] >= 0 && ::read(pipe_[0], notes.data(), notes.size()) > 0) {
        }
        return std::nullopt;
    }
    KeyEvent key = std::move(keys_.front());
    keys_.pop_front();
    if (pipe_[0] >= 0) {
        char note = 0;
        [[maybe_unused]] const auto read = ::read(pipe_[0], &note, 1);
    }
    return key;
}

}  // namespace pathwick
