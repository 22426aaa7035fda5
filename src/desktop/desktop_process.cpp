#include "desktop/desktop_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <stdexcept>
#include <utility>

extern char** environ;

namespace pathwick {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

// How long a helper told to end may take before it is killed.
constexpr auto kEndingGrace = 500ms;
constexpr int kLastGeneration = 2000;
// Successors in a row that bring windows back without the program opening
// one in between: a helper that dies on every window is not started for ever.
constexpr int kMostRevivals = 3;

// Starts `program` with `channel` as kDesktopChannelDescriptor, /dev/null as
// standard input, output and error (the terminal is the program's alone) and
// this process's id as its argument, so that it can tell when it is orphaned.
pid_t spawnHelper(const std::filesystem::path& program, int channel) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        posix_spawn_file_actions_addopen(&actions, descriptor, "/dev/null", O_RDWR, 0);
    }
    posix_spawn_file_actions_adddup2(&actions, channel, kDesktopChannelDescriptor);
    const std::string path = program.string();
    std::string parent = std::to_string(::getpid());
    std::array<char*, 3> arguments{const_cast<char*>(path.c_str()), parent.data(), nullptr};
    pid_t pid = 0;
    const int failure = ::posix_spawn(&pid, path.c_str(), &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failure != 0) throw std::runtime_error("cannot start the desktop helper");
    return pid;
}

}  // namespace

// One helper process: its socket, and a thread that reads what it sends and
// reaps the helper as soon as it ends.
class DesktopProcess::Helper {
public:
    Helper(ForwardedKeys& keys, const std::filesystem::path& program, std::function<void()> ended)
        : ended_(std::move(ended)) {
        std::array<int, 2> ends{-1, -1};
        if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends.data()) != 0) {
            throw std::runtime_error("cannot make the desktop channel");
        }
        socket_ = ends[0];
        try {
            pid_ = spawnHelper(program, ends[1]);
        } catch (...) {
            ::close(ends[0]);
            ::close(ends[1]);
            throw;
        }
        ::close(ends[1]);
        reader_ = std::thread([this, &keys] { read(keys); });
    }

    ~Helper() {
        ::shutdown(socket_, SHUT_RDWR);  // the helper reads the end, and so does our reader
        reader_.join();
        ::close(socket_);
    }

    Helper(const Helper&) = delete;
    Helper& operator=(const Helper&) = delete;

    bool running() {
        std::lock_guard lock(mutex_);
        return running_;
    }

    bool hung() {
        std::lock_guard lock(mutex_);
        return hung_;
    }

    // False when the helper is gone, or hung: it did not read in time.
    bool send(DesktopMessage kind, std::string_view payload, Deadline deadline) {
        const SendOutcome outcome = sendPacketBefore(socket_, kind, payload, deadline);
        if (outcome == SendOutcome::Full) giveUp();
        return outcome == SendOutcome::Sent;
    }

    // The helper's answer to a request just sent; nothing if it ended or hung.
    std::optional<int> reply(Deadline deadline) {
        std::unique_lock lock(mutex_);
        if (!replied_.wait_until(lock, deadline, [this] { return reply_.has_value() || !running_; })) {
            lock.unlock();
            giveUp();
            return std::nullopt;
        }
        return std::exchange(reply_, std::nullopt);
    }

    // Treats the helper as hung: kills it.
    void giveUp() {
        std::lock_guard lock(mutex_);
        hung_ = true;
        if (!reaped_) ::kill(pid_, SIGKILL);
    }

private:

    void read(ForwardedKeys& keys) {
        while (const auto packet = receivePacket(socket_)) {
            if (packet->kind == DesktopMessage::Key) {
                keys.push(packet->payload);
            } else if (packet->kind == DesktopMessage::Handle) {
                std::lock_guard lock(mutex_);
                reply_ = handleOf(packet->payload);
                replied_.notify_one();
            }
        }
        reap();
        {
            std::lock_guard lock(mutex_);
            running_ = false;
            replied_.notify_one();
        }
        ended_();
    }

    // The channel closed: the helper ended, or was told to end and gets a
    // moment to do so.
    void reap() {
        const auto deadline = SteadyClock::now() + kEndingGrace;
        for (;;) {
            {
                std::lock_guard lock(mutex_);
                if (::waitpid(pid_, nullptr, WNOHANG) != 0) {
                    reaped_ = true;
                    return;
                }
                if (SteadyClock::now() >= deadline) ::kill(pid_, SIGKILL);
            }
            std::this_thread::sleep_for(5ms);
        }
    }

    std::function<void()> ended_;
    int socket_ = -1;
    pid_t pid_ = -1;
    std::mutex mutex_;
    std::condition_variable replied_;
    bool running_ = true;         // guarded by mutex_
    bool hung_ = false;           // guarded by mutex_
    bool reaped_ = false;         // guarded by mutex_: pid_ may be another process's now
    std::optional<int> reply_;    // guarded by mutex_
    std::thread reader_;          // last: starts once everything above exists
};

DesktopProcess::DesktopProcess(ForwardedKeys& keys, std::filesystem::path helper, DesktopLimits limits)
    : keys_(keys), program_(std::move(helper)), limits_(limits) {
    helper_ = std::make_unique<Helper>(keys_, program_, [this] { ended(); });
    generation_ = 1;
    watcher_ = std::thread([this] { watch(); });
}

DesktopProcess::~DesktopProcess() {
    {
        std::lock_guard lock(eventMutex_);
        stopping_ = true;
    }
    event_.notify_all();
    watcher_.join();
    std::lock_guard lock(mutex_);
    helper_.reset();
}

DesktopProcess::Helper* DesktopProcess::helper() {
    if (paused()) return nullptr;
    if (helper_ && helper_->running()) return helper_.get();
    helper_.reset();
    if (generation_ >= kLastGeneration) return nullptr;
    try {
        helper_ = std::make_unique<Helper>(keys_, program_, [this] { ended(); });
        ++generation_;
    } catch (const std::runtime_error&) {
        return nullptr;
    }
    return helper_.get();
}

bool DesktopProcess::paused() const { return SteadyClock::now() < pausedUntil_; }

void DesktopProcess::hang() { pausedUntil_ = SteadyClock::now() + limits_.pause; }

// One request to the running helper: its handle (0 for none), or nothing
// when the helper ended before it answered. A helper whose window system
// did not answer says -1.
std::optional<int> DesktopProcess::ask(DesktopMessage kind, std::string_view request, Deadline deadline) {
    Helper* running = helper();
    if (running == nullptr) return 0;
    std::optional<int> own;
    if (running->send(kind, request, deadline)) own = running->reply(deadline);
    if (running->hung() || (own && *own < 0)) {
        running->giveUp();
        hang();
        return 0;
    }
    return own;
}

// A helper that ends while it opens a window (a window system fault it met
// on the way) gets one successor to try again; one that hangs does not.
WindowHandle DesktopProcess::remember(DesktopMessage kind, std::string_view request) {
    const Deadline deadline = SteadyClock::now() + limits_.reply;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::optional<int> own = ask(kind, request, deadline);
        if (!own) continue;
        if (*own <= 0) return 0;
        windows_[++lastHandle_] = Window{kind, std::string(request), *own, generation_};
        revivals_ = 0;
        return lastHandle_;
    }
    return 0;
}

// The windows the program still has open, shown by a new helper.
void DesktopProcess::reopen() {
    ++revivals_;
    if (helper() == nullptr) return;
    const Deadline deadline = SteadyClock::now() + limits_.reply;
    for (auto& [handle, window] : windows_) {
        if (window.own == 0 || window.generation == generation_) continue;
        window.own = ask(window.kind, window.request, deadline).value_or(0);
        window.generation = generation_;
    }
}

void DesktopProcess::watch() {
    for (;;) {
        {
            std::unique_lock lock(eventMutex_);
            event_.wait(lock, [this] { return helperEnded_ || stopping_; });
            if (stopping_) return;
            helperEnded_ = false;
        }
        std::lock_guard lock(mutex_);
        if (!helper_ || helper_->running() || paused() || revivals_ >= kMostRevivals) continue;
        const bool shown = std::any_of(windows_.begin(), windows_.end(), [this](const auto& entry) {
            return entry.second.own != 0 && entry.second.generation == generation_;
        });
        if (shown) reopen();
    }
}

void DesktopProcess::ended() {
    {
        std::lock_guard lock(eventMutex_);
        helperEnded_ = true;
    }
    event_.notify_all();
}

void DesktopProcess::showFigure(std::string_view marker, WindowHandle& handle) {
    std::lock_guard lock(mutex_);
    handle = remember(DesktopMessage::Figure, marker);
}

void DesktopProcess::showImageFile(std::string_view path, std::string_view title, WindowHandle& handle) {
    if (handle != 0) closeGraphicWindow(handle);
    const std::string request = pictureRequest(path, title);
    std::lock_guard lock(mutex_);
    handle = remember(DesktopMessage::Picture, request);
}

void DesktopProcess::closeGraphicWindow(WindowHandle handle) {
    std::lock_guard lock(mutex_);
    const auto found = windows_.find(handle);
    if (found == windows_.end()) return;
    const Window window = found->second;
    windows_.erase(found);
    // A window of an ended helper went with it.
    if (window.own == 0 || window.generation != generation_ || paused() || !helper_ || !helper_->running()) return;
    tell(*helper_, DesktopMessage::Close, std::to_string(window.own));
}

void DesktopProcess::playWaveAsync(std::string_view name) {
    std::lock_guard lock(mutex_);
    if (Helper* running = helper()) tell(*running, DesktopMessage::Play, name);
}

void DesktopProcess::tell(Helper& running, DesktopMessage kind, std::string_view payload) {
    if (!running.send(kind, payload, SteadyClock::now() + limits_.reply) && running.hung()) hang();
}

}  // namespace pathwick
