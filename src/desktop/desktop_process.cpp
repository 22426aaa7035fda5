#include "desktop/desktop_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>
#include <utility>

extern char** environ;

namespace pathwick {
namespace {

using namespace std::chrono_literals;

// The helper gives up on a window after 5 s itself; past this it is hung.
constexpr auto kReplyTimeout = 6s;
// How long a helper told to end may take before it is killed.
constexpr auto kEndingGrace = 500ms;
// Handles are generation * kGenerationStep + the helper's own handle.
constexpr int kGenerationStep = 1 << 20;
constexpr int kLastGeneration = 2000;

// Starts `program` with `channel` as kDesktopChannelDescriptor and
// /dev/null as standard input, output and error (the terminal is the
// program's alone).
pid_t spawnHelper(const std::filesystem::path& program, int channel) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        posix_spawn_file_actions_addopen(&actions, descriptor, "/dev/null", O_RDWR, 0);
    }
    posix_spawn_file_actions_adddup2(&actions, channel, kDesktopChannelDescriptor);
    const std::string path = program.string();
    std::array<char*, 2> arguments{const_cast<char*>(path.c_str()), nullptr};
    pid_t pid = 0;
    const int failure = ::posix_spawn(&pid, path.c_str(), &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failure != 0) throw std::runtime_error("cannot start the desktop helper");
    return pid;
}

}  // namespace

// One helper process: its socket, and a thread that reads what it sends.
class DesktopProcess::Helper {
public:
    Helper(ForwardedKeys& keys, const std::filesystem::path& program) {
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
        reap();
    }

    Helper(const Helper&) = delete;
    Helper& operator=(const Helper&) = delete;

    bool running() {
        std::lock_guard lock(mutex_);
        return running_;
    }

    bool send(DesktopMessage kind, std::string_view payload) {
        if (sendPacket(socket_, kind, payload)) return true;
        std::lock_guard lock(mutex_);
        running_ = false;
        return false;
    }

    // The helper's answer to a request just sent; nothing if it ended or hung.
    std::optional<int> reply() {
        std::unique_lock lock(mutex_);
        if (!replied_.wait_for(lock, kReplyTimeout, [this] { return reply_.has_value() || !running_; })) {
            hung_ = true;
            running_ = false;
        }
        return std::exchange(reply_, std::nullopt);
    }

    bool hung() {
        std::lock_guard lock(mutex_);
        return hung_;
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
        std::lock_guard lock(mutex_);
        running_ = false;
        replied_.notify_one();
    }

    void reap() {
        const auto deadline = std::chrono::steady_clock::now() + kEndingGrace;
        while (::waitpid(pid_, nullptr, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() >= deadline) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, nullptr, 0);
                return;
            }
            std::this_thread::sleep_for(5ms);
        }
    }

    int socket_ = -1;
    pid_t pid_ = -1;
    std::mutex mutex_;
    std::condition_variable replied_;
    bool running_ = true;         // guarded by mutex_
    bool hung_ = false;           // guarded by mutex_
    std::optional<int> reply_;    // guarded by mutex_
    std::thread reader_;          // last: starts once everything above exists
};

DesktopProcess::DesktopProcess(ForwardedKeys& keys, std::filesystem::path helper)
    : keys_(keys), program_(std::move(helper)) {
    helper_ = std::make_unique<Helper>(keys_, program_);
    generation_ = 1;
}

DesktopProcess::~DesktopProcess() = default;

DesktopProcess::Helper* DesktopProcess::helper() {
    if (helper_ && helper_->running()) return helper_.get();
    helper_.reset();
    if (generation_ >= kLastGeneration) return nullptr;
    try {
        helper_ = std::make_unique<Helper>(keys_, program_);
        ++generation_;
    } catch (const std::runtime_error&) {
        return nullptr;
    }
    return helper_.get();
}

// A helper that ends while it opens a window (a window system fault it met
// on the way) gets one successor to try again; one that hangs does not.
WindowHandle DesktopProcess::open(DesktopMessage kind, std::string_view payload) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        Helper* running = helper();
        if (running == nullptr) return 0;
        if (running->send(kind, payload)) {
            if (const auto own = running->reply()) {
                return *own > 0 && *own < kGenerationStep ? generation_ * kGenerationStep + *own : 0;
            }
        }
        if (running->hung()) return 0;
    }
    return 0;
}

void DesktopProcess::showFigure(std::string_view marker, WindowHandle& handle) {
    handle = open(DesktopMessage::Figure, marker);
}

void DesktopProcess::showImageFile(std::string_view path, std::string_view title, WindowHandle& handle) {
    if (handle != 0) closeGraphicWindow(handle);
    std::string request(path);
    request += '\0';
    request += title;
    handle = open(DesktopMessage::Picture, request);
}

void DesktopProcess::closeGraphicWindow(WindowHandle handle) {
    // A window of an ended helper went with it.
    if (handle <= 0 || handle / kGenerationStep != generation_ || !helper_ || !helper_->running()) return;
    helper_->send(DesktopMessage::Close, std::to_string(handle % kGenerationStep));
}

void DesktopProcess::playWaveAsync(std::string_view name) {
    if (Helper* running = helper()) running->send(DesktopMessage::Play, name);
}

}  // namespace pathwick
