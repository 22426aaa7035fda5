#pragma once
// A small thread-safe queue of KeyEvents. The desktop's window thread pushes
// key presses that reached a figure window; the screen layer reads them as if
// they had been typed in the terminal. A pipe carries one byte per queued key
// so the terminal's wait can wake on it instead of polling the queue.
#include <deque>
#include <mutex>
#include <optional>

#include "console/key_event.h"
#include "console/file_descriptor.h"

namespace pathwick {

class ForwardedKeys {
public:
    ForwardedKeys();
    ForwardedKeys(const ForwardedKeys&) = delete;
    ForwardedKeys& operator=(const ForwardedKeys&) = delete;

    void push(KeyEvent key);
    std::optional<KeyEvent> take();

    // Readable while keys are queued; -1 if no pipe could be made.
    int wakeDescriptor() const { return readEnd_.get(); }

private:
    static constexpr std::size_t kMaxQueued = 256;
    std::mutex mutex_;
    std::deque<KeyEvent> keys_;
    FileDescriptor readEnd_, writeEnd_;
};

}  // namespace pathwick
