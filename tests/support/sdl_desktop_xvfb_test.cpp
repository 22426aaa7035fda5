// The SDL desktop on a real X server: a private Xvfb without a window
// manager, inspected with the X utilities the way a user would see it.
// Skipped where Xvfb or the utilities are not installed.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <thread>

#include "support/embedded_assets.h"
#include "support/sdl_desktop.h"

extern char** environ;

namespace pathwick {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

bool onPath(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string output(const std::string& command) {
    std::string text;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen((command + " 2>/dev/null").c_str(), "r"),
                                               ::pclose);
    if (!pipe) return text;
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0) {
        text.append(buffer.data(), got);
    }
    return text;
}

// Xvfb on a display it picks itself (-displayfd), stopped on destruction.
class Xvfb {
public:
    Xvfb() {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) return;
        const int readEnd = fds[0];
        const int writeEnd = ::fcntl(fds[1], F_DUPFD, 10);  // inherited: no CLOEXEC
        ::close(fds[1]);
        const std::string fd = std::to_string(writeEnd);
        const std::string screen =
            std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24";
        const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
                              "-nolisten", "tcp", nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        if (::posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(writeEnd);
        if (pid_ > 0) display_ = readDisplay(readEnd);
        ::close(readEnd);
    }
    ~Xvfb() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    // ":N", or empty when the server did not start.
    const std::string& display() const { return display_; }

private:
    static std::string readDisplay(int fd) {
        std::string number;
        pollfd ready{fd, POLLIN, 0};
        while (::poll(&ready, 1, 10000) > 0) {
            char c = 0;
            if (::read(fd, &c, 1) != 1 || c == '\n') break;
            number.push_back(c);
        }
        return number.empty() ? "" : ":" + number;
    }

    pid_t pid_ = -1;
    std::string display_;
};

std::uint32_t bitmapPixel(std::span<const std::uint8_t> file, int x, int y) {
    const auto at32 = [&](std::size_t at) {
        return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24;
    };
    const int width = at32(18), height = at32(22);
    const std::size_t offset =
        static_cast<std::size_t>(at32(10)) +
        static_cast<std::size_t>(((width * 3 + 3) & ~3) * (height - 1 - y) + x * 3);
    return static_cast<std::uint32_t>(file[offset + 2] << 16 | file[offset + 1] << 8 | file[offset]);
}

std::vector<std::uint8_t> solidBitmap(int width, int height, std::uint32_t colour) {
    const int stride = (width * 3 + 3) & ~3;
    std::vector<std::uint8_t> bytes(54 + static_cast<std::size_t>(stride * height), 0);
    const auto put = [&](std::size_t at, std::uint32_t value, int size) {
        for (int k = 0; k < size; ++k) bytes[at + k] = static_cast<std::uint8_t>(value >> (8 * k));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(width), 4);
    put(22, static_cast<std::uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) put(54 + y * stride + x * 3, colour, 3);
    }
    return bytes;
}

// A rectangle of the screen, row by row, as 0xRRGGBB colours.
class ScreenArea {
public:
    ScreenArea(int x, int y, int width, int height)
        : width_(width),
          rgb_(output("import -silent -window root -crop " + std::to_string(width) + "x" +
                      std::to_string(height) + "+" + std::to_string(x) + "+" + std::to_string(y) +
                      " -depth 8 rgb:-")),
          complete_(rgb_.size() == static_cast<std::size_t>(width) * height * 3) {}

    bool complete() const { return complete_; }
    std::uint32_t at(int x, int y) const {
        const std::size_t offset = (static_cast<std::size_t>(y) * width_ + x) * 3;
        const auto byte = [&](std::size_t k) {
            return static_cast<std::uint32_t>(static_cast<unsigned char>(rgb_[offset + k]));
        };
        return byte(0) << 16 | byte(1) << 8 | byte(2);
    }

private:
    int width_;
    std::string rgb_;
    bool complete_;
};

int field(const std::string& text, const std::string& label) {
    std::smatch match;
    if (!std::regex_search(text, match, std::regex(label + R"(:\s+(-?\d+))"))) return -1;
    return std::stoi(match[1]);
}

// Sets an environment variable for as long as it lives, then restores it,
// so later tests in the same process see the environment they expect.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* previous = std::getenv(name)) previous_ = previous;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (previous_) {
            ::setenv(name_, previous_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> previous_;
};

class SdlDesktopOnXvfb : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"Xvfb", "xwininfo", "xprop", "import"}) {
            if (!onPath(tool)) GTEST_SKIP() << tool << " is not installed";
        }
        server_ = std::make_unique<Xvfb>();
        if (server_->display().empty()) GTEST_SKIP() << "Xvfb did not start";
        environment_.emplace_back(std::make_unique<ScopedEnvironment>("DISPLAY", server_->display()));
        environment_.emplace_back(std::make_unique<ScopedEnvironment>("SDL_VIDEODRIVER", "x11"));
        environment_.emplace_back(std::make_unique<ScopedEnvironment>("SDL_AUDIODRIVER", "dummy"));
        // SDL's input-method support talks to D-Bus, and libdbus keeps a read
        // buffer that leak checkers report after SDL_Quit; the windows under
        // test need no bus.
        for (const char* bus : {"DBUS_SESSION_BUS_ADDRESS", "DBUS_SYSTEM_BUS_ADDRESS"}) {
            environment_.emplace_back(
                std::make_unique<ScopedEnvironment>(bus, "unix:path=/nonexistent"));
        }
        desktop_ = std::make_unique<SdlDesktop>(keys_);
    }
    void TearDown() override {
        desktop_.reset();
        server_.reset();
        environment_.clear();
    }

    ForwardedKeys keys_;
    std::unique_ptr<Xvfb> server_;
    std::vector<std::unique_ptr<ScopedEnvironment>> environment_;
    std::unique_ptr<SdlDesktop> desktop_;
};

TEST_F(SdlDesktopOnXvfb, FigureWindowsShowTheFigureAtTheirPlace) {
    struct Case {
        const char* marker;
        const char* title;
        int number, width, height;
    };
    for (const Case& c : {Case{"Figure:T1", "Figure T1", 1, 640, 533},
                          Case{"Figure:T2", "Figure T2", 2, 640, 317},
                          Case{"Figure:T3", "Figure T3", 3, 640, 707}}) {
        WindowHandle handle = 0;
        desktop_->showFigure(c.marker, handle);
        ASSERT_NE(handle, 0) << c.marker;
        const std::string quotedTitle = std::string("'") + c.title + "'";
        const std::string info = output("xwininfo -name " + quotedTitle);
        EXPECT_EQ(field(info, "Absolute upper-left X"), 1000) << info;
        EXPECT_EQ(field(info, "Absolute upper-left Y"), 100) << info;
        EXPECT_EQ(field(info, "Width"), c.width) << info;
        EXPECT_EQ(field(info, "Height"), c.height) << info;

        const std::string hints = output("xprop -name " + quotedTitle + " WM_NORMAL_HINTS");
        const std::string fixed = std::to_string(c.width) + " by " + std::to_string(c.height);
        EXPECT_NE(hints.find("minimum size: " + fixed), std::string::npos) << hints;
        EXPECT_NE(hints.find("maximum size: " + fixed), std::string::npos) << hints;

        const auto bitmap = figureBitmap(c.number);
        const ScreenArea shown(1000, 100, c.width, c.height);
        ASSERT_TRUE(shown.complete());
        int differing = 0;
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) differing += shown.at(x, y) != bitmapPixel(bitmap, x, y);
        }
        EXPECT_EQ(differing, 0) << c.marker;
        desktop_->closeGraphicWindow(handle);
        desktop_->windowsForTesting();  // the close has been carried out
        EXPECT_EQ(output("xwininfo -name " + quotedTitle), "");
    }
}

TEST_F(SdlDesktopOnXvfb, PictureWindowsSit250PixelsInFromTheRightEdge) {
    const fs::path file = fs::temp_directory_path() /
                          ("pathwick_xvfb_" + std::to_string(::getpid()) + ".bmp");
    const auto bytes = solidBitmap(200, 100, 0x3366CC);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    WindowHandle handle = 0;
    desktop_->showImageFile(file.string(), "", handle);
    fs::remove(file);
    ASSERT_NE(handle, 0);

    const int left = kScreenWidth - 200 - 250;
    const std::string tree = output("xwininfo -root -tree");
    EXPECT_NE(tree.find("200x100+" + std::to_string(left) + "+50"), std::string::npos) << tree;
    const ScreenArea shown(left - 1, 50, 202, 100);
    ASSERT_TRUE(shown.complete());
    EXPECT_NE(shown.at(0, 0), 0x3366CCu);
    EXPECT_EQ(shown.at(1, 0), 0x3366CCu);
    EXPECT_EQ(shown.at(200, 99), 0x3366CCu);
    EXPECT_NE(shown.at(201, 99), 0x3366CCu);
}

// Without a window manager SDL gives a new window the keyboard focus; keys
// typed there must reach the logic as if typed in the terminal.
TEST_F(SdlDesktopOnXvfb, KeysTypedIntoAFigureWindowReachTheLogic) {
    if (!onPath("xdotool")) GTEST_SKIP() << "xdotool is not installed";
    WindowHandle handle = 0;
    desktop_->showFigure("Figure:T2", handle);
    ASSERT_NE(handle, 0);
    const std::string id = output("xdotool search --name 'Figure T2'");
    ASSERT_FALSE(id.empty());
    output("xdotool key --window " + id.substr(0, id.find('\n')) + " Up b Return F1");
    std::vector<KeyEvent> received;
    for (int attempt = 0; attempt < 50 && received.size() < 4; ++attempt) {
        desktop_->windowsForTesting();  // the window thread has handled what arrived
        while (auto key = keys_.take()) received.push_back(*key);
        if (received.size() < 4) std::this_thread::sleep_for(20ms);
    }
    EXPECT_EQ(received, (std::vector<KeyEvent>{extendedKey(72), "b", "\r", extendedKey(59)}));
}

}  // namespace
}  // namespace pathwick
