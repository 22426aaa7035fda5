#pragma once
// A small thread-safe queue of KeyEvents. The desktop's window thread pushes
// key presses that reached a figure window; the screen layer reads them as if
// they had been typed in the terminal.
#include <deque>
#include <mutex>
#include <optional>

#include "console/key_event.h"

namespace pathwick {

class ForwardedKeys {
public:
    void push(KeyEvent key) {
        std::lock_guard lock(mutex_);
        if (keys_.size() < kMaxQueued) keys_.push_back(std::move(key));
    }

    std::optional<KeyEvent> take() {
        std::lock_guard lock(mutex_);
        if (keys_.empty()) return std::nullopt;
        KeyEvent key = std::move(keys_.front());
        keys_.pop_front();
        return key;
    }

private:
    static constexpr std::size_t kMaxQueued = 256;
    std::mutex mutex_;
    std::deque<KeyEvent> keys_;
};

}  // namespace pathwick
