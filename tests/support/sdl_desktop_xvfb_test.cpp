// The SDL desktop on a real X server: a private Xvfb without a window
// manager, inspected with the X utilities. Skipped where they are missing.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <optional>
#include <regex>

#include "support/bitmap_files.h"
#include "support/embedded_assets.h"
#include "support/sdl_desktop.h"

extern char** environ;

namespace pathwick {
namespace {

std::string output(const std::string& command) {
    std::string text;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen((command + " 2>/dev/null").c_str(), "r"), ::pclose);
    std::array<char, 65536> buffer{};
    while (std::size_t got = pipe ? std::fread(buffer.data(), 1, buffer.size(), pipe.get()) : 0)
        text.append(buffer.data(), got);
    return text;
}

int field(const std::string& text, const std::string& label) {
    std::smatch match;
    return std::regex_search(text, match, std::regex(label + R"(:\s+(-?\d+))")) ? std::stoi(match[1]) : -1;
}

// The screen's colours (0xRRGGBB) in a rectangle, row by row.
std::vector<std::uint32_t> screenArea(int x, int y, int width, int height) {
    const std::string rgb = output("import -silent -window root -crop " + std::to_string(width) + "x" +
                                   std::to_string(height) + "+" + std::to_string(x) + "+" + std::to_string(y) +
                                   " -depth 8 rgb:-");
    std::vector<std::uint32_t> colours;
    for (std::size_t k = 0; k + 2 < rgb.size(); k += 3) {
        const auto byte = [&](std::size_t i) { return std::uint32_t(static_cast<unsigned char>(rgb[k + i])); };
        colours.push_back(byte(0) << 16 | byte(1) << 8 | byte(2));
    }
    return colours;
}

class SdlDesktopOnXvfb : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"Xvfb", "xwininfo", "import"}) {
            if (std::system((std::string("command -v ") + tool + " >/dev/null").c_str()) != 0)
                GTEST_SKIP() << tool << " is not installed";
        }
        const std::string display = startXvfb();
        if (display.empty()) GTEST_SKIP() << "Xvfb did not start";
        // SDL's input-method support talks to D-Bus, and libdbus keeps a read
        // buffer that leak checkers report after SDL_Quit; no bus is needed here.
        for (auto [name, value] : {std::pair{"DISPLAY", display}, {"SDL_VIDEODRIVER", "x11"},
                                   {"SDL_AUDIODRIVER", "dummy"},
                                   {"DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent"},
                                   {"DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent"}}) {
            const char* previous = std::getenv(name);
            saved_.emplace_back(name, previous ? std::optional<std::string>(previous) : std::nullopt);
            ::setenv(name, value.c_str(), 1);
        }
        desktop_ = std::make_unique<SdlDesktop>(keys_);
    }
    // Later tests in the same process see the environment they expect.
    void TearDown() override {
        desktop_.reset();
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        for (const auto& [name, value] : saved_) value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }

    // Xvfb on a display it picks itself (-displayfd); "" when it did not start.
    std::string startXvfb() {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) return "";
        const int writeEnd = ::fcntl(fds[1], F_DUPFD, 10);  // this copy is inherited
        ::close(fds[1]);
        const std::string fd = std::to_string(writeEnd);
        const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1920x1080x24",
                              "-nolisten", "tcp", nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        if (::posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ)) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(writeEnd);
        std::string display;
        pollfd ready{fds[0], POLLIN, 0};
        char c = 0;
        while (pid_ > 0 && ::poll(&ready, 1, 10000) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n')
            display.push_back(c);
        ::close(fds[0]);
        return display.empty() ? "" : ":" + display;
    }

    pid_t pid_ = -1;
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
    ForwardedKeys keys_;
    std::unique_ptr<SdlDesktop> desktop_;
};

TEST_F(SdlDesktopOnXvfb, FigureWindowsShowTheWholeFigureAtTheirPlace) {
    const std::tuple<const char*, int, int> figures[] = {{"T1", 640, 533}, {"T2", 640, 317}, {"T3", 640, 707}};
    for (int number = 1; auto [name, width, height] : figures) {
        WindowHandle handle = 0;
        desktop_->showFigure(std::string("Figure:") + name, handle);
        ASSERT_NE(handle, 0);
        const std::string title = std::string("'Figure ") + name + "'";
        const std::string info = output("xwininfo -name " + title);
        EXPECT_EQ(field(info, "Absolute upper-left X"), 1000) << info;
        EXPECT_EQ(field(info, "Absolute upper-left Y"), 100) << info;
        EXPECT_EQ(field(info, "Width"), width) << info;
        EXPECT_EQ(field(info, "Height"), height) << info;
        const auto shown = screenArea(1000, 100, width, height);
        ASSERT_EQ(shown.size(), static_cast<std::size_t>(width * height));
        int differing = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                differing += shown[y * width + x] != testing::bitmapPixel(figureBitmap(number), x, y);
        }
        EXPECT_EQ(differing, 0) << name;
        desktop_->closeGraphicWindow(handle);
        desktop_->windowsForTesting();  // the close has been carried out
        EXPECT_EQ(output("xwininfo -name " + title), "");
        ++number;
    }
}

TEST_F(SdlDesktopOnXvfb, PictureWindowsSit250PixelsInFromTheRightEdge) {
    const auto file = std::filesystem::temp_directory_path() / ("pathwick_xvfb_" + std::to_string(::getpid()) + ".bmp");
    WindowHandle handle = 0;
    desktop_->showImageFile(testing::writeFile(file, testing::solidBitmap(200, 100, 0x3366CC)), "", handle);
    std::filesystem::remove(file);
    ASSERT_NE(handle, 0);
    const int left = 1920 - 200 - 250;
    const std::string tree = output("xwininfo -root -tree");
    EXPECT_NE(tree.find("200x100+" + std::to_string(left) + "+50"), std::string::npos) << tree;
    const auto row = screenArea(left - 1, 50, 202, 1);
    ASSERT_EQ(row.size(), 202u);
    EXPECT_EQ(std::count(row.begin(), row.end(), 0x3366CCu), 200);
    EXPECT_NE(row.front(), 0x3366CCu);
    EXPECT_NE(row.back(), 0x3366CCu);
}

}  // namespace
}  // namespace pathwick
