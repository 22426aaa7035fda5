// The SDL desktop under SDL's dummy video driver (windows without a display)
// and disk audio driver (the audio output written to a file).
#include "support/sdl_desktop.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <iterator>
#include <thread>

#include "support/bitmap_files.h"
#include "support/embedded_assets.h"

namespace pathwick {
namespace {

namespace fs = std::filesystem;
using testing::solidBitmap;

constexpr int kDummyDesktopWidth = 1024;  // what the dummy video driver reports

class SdlDesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir_);
        ::setenv("SDL_VIDEODRIVER", "dummy", 0);
        ::setenv("SDL_AUDIODRIVER", "disk", 0);
        ::setenv("SDL_DISKAUDIOFILE", (dir_ / "audio.raw").c_str(), 1);
    }
    void TearDown() override {
        desktop_.reset();
        fs::remove_all(dir_);
    }
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        return testing::writeFile(dir_ / name, bytes);
    }
    // The user closes a window: what the window system sends.
    static void userCloses(WindowHandle handle) {
        SDL_Event close{};
        close.type = SDL_WINDOWEVENT;
        close.window.event = SDL_WINDOWEVENT_CLOSE;
        close.window.windowID = static_cast<Uint32>(handle);
        ASSERT_EQ(SDL_PushEvent(&close), 1);
    }

    fs::path dir_ = fs::temp_directory_path() / ("pathwick_sdl_" + std::to_string(::getpid()));
    ForwardedKeys keys_;
    std::unique_ptr<SdlDesktop> desktop_ = std::make_unique<SdlDesktop>(keys_);
};

TEST_F(SdlDesktopTest, FiguresOpenWithTitleSizeAndPictureAndUnknownMarkersOpenNothing) {
    const std::tuple<const char*, int, int> figures[] = {{"T1", 640, 533}, {"T2", 640, 317}, {"T3", 640, 707}};
    for (int number = 1; auto [name, width, height] : figures) {
        WindowHandle handle = 0;
        desktop_->showFigure(std::string("Figure:") + name, handle);
        const auto windows = desktop_->windowsForTesting();
        ASSERT_EQ(windows.size(), 1u);
        EXPECT_NE(handle, 0);
        EXPECT_EQ(windows[0].handle, handle);
        EXPECT_EQ(windows[0].title, std::string("Figure ") + name);
        EXPECT_EQ(std::tie(windows[0].x, windows[0].y, windows[0].width, windows[0].height),
                  std::make_tuple(1000, 100, width, height));
        EXPECT_FALSE(windows[0].borderless || windows[0].resizable);
        for (auto [x, y] : {std::pair{0, 0}, {width - 1, height - 1}, {321, 200}})
            EXPECT_EQ(desktop_->pixelForTesting(handle, x, y), testing::bitmapPixel(figureBitmap(number), x, y));
        desktop_->closeGraphicWindow(handle);
        EXPECT_TRUE(desktop_->windowsForTesting().empty());
        ++number;
    }
    for (const char* unknown : {"Figure:T4", "", "figure:t1", "Figure:T1 "}) {
        WindowHandle handle = 7;
        desktop_->showFigure(unknown, handle);
        EXPECT_EQ(handle, 0) << unknown;
    }
    EXPECT_TRUE(desktop_->windowsForTesting().empty());
}

TEST_F(SdlDesktopTest, PicturesSitLeftOfTheDesktopEdgeAndReplaceEachOther) {
    WindowHandle handle = 0;
    desktop_->showImageFile(write("red.bmp", solidBitmap(100, 60, 0xFF0000)), "", handle);
    auto windows = desktop_->windowsForTesting();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(std::tie(windows[0].x, windows[0].y, windows[0].width, windows[0].height),
              std::make_tuple(kDummyDesktopWidth - 100 - 250, 50, 100, 60));
    EXPECT_TRUE(windows[0].borderless);
    EXPECT_EQ(desktop_->pixelForTesting(handle, 99, 59), 0xFF0000u);

    desktop_->showImageFile(write("green.bmp", solidBitmap(30, 20, 0x00FF00)), "Hint", handle);
    windows = desktop_->windowsForTesting();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].handle, handle);
    EXPECT_EQ(windows[0].title, "Hint");
    EXPECT_FALSE(windows[0].borderless);
    EXPECT_EQ(windows[0].x, kDummyDesktopWidth - 30 - 250);
}

// The earlier window closes all the same.
TEST_F(SdlDesktopTest, MissingOrMalformedPictureFilesOpenNothing) {
    auto truncated = solidBitmap(100, 60, 0x0000FF);
    truncated.resize(200);
    ASSERT_EQ(::mkfifo((dir_ / "pipe.bmp").c_str(), 0600), 0);
    WindowHandle handle = 0;
    desktop_->showImageFile(write("ok.bmp", solidBitmap(8, 8, 0)), "", handle);
    ASSERT_NE(handle, 0);
    for (const std::string& path : {(dir_ / "missing.bmp").string(), write("text.bmp", {'h', 'i'}),
                                    write("truncated.bmp", truncated), (dir_ / "pipe.bmp").string(), dir_.string()}) {
        desktop_->showImageFile(path, "", handle);
        EXPECT_EQ(handle, 0) << path;
    }
    EXPECT_TRUE(desktop_->windowsForTesting().empty());
}

TEST_F(SdlDesktopTest, ClosingAWindowTheUserAlreadyClosedChangesNothing) {
    WindowHandle figure = 0, picture = 0;
    desktop_->showFigure("Figure:T2", figure);
    desktop_->showImageFile(write("p.bmp", solidBitmap(10, 10, 0)), "", picture);
    userCloses(figure);
    auto windows = desktop_->windowsForTesting();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].handle, picture);
    desktop_->closeGraphicWindow(figure);
    EXPECT_EQ(desktop_->windowsForTesting().size(), 1u);
    desktop_->showFigure("Figure:T2", figure);
    EXPECT_EQ(desktop_->windowsForTesting().size(), 2u);
}

TEST_F(SdlDesktopTest, KeysThatReachAWindowAreForwardedAsTerminalKeys) {
    WindowHandle handle = 0;
    desktop_->showFigure("Figure:T1", handle);
    SDL_Event up{}, text{}, enter{};
    up.type = enter.type = SDL_KEYDOWN;
    up.key.keysym.sym = SDLK_UP;
    enter.key.keysym.sym = SDLK_RETURN;
    text.type = SDL_TEXTINPUT;
    std::strcpy(text.text.text, "b\xC3\xA9\xE4\xB8\xAD");  // "bé" and a character 1252 lacks
    for (SDL_Event* event : {&up, &text, &enter}) ASSERT_EQ(SDL_PushEvent(event), 1);
    desktop_->windowsForTesting();  // the window thread has handled them
    for (const KeyEvent& expected : {extendedKey(72), KeyEvent("b"), KeyEvent("\xE9"), KeyEvent("\r")})
        EXPECT_EQ(keys_.take(), expected);
    EXPECT_FALSE(keys_.take());
    EXPECT_EQ(forwardedKeyOf(SDLK_F10), extendedKey(68));
    EXPECT_EQ(cp1252OfTextInput("\xC3" "a\xFF\x80z\xF0\x9F"), "az");  // malformed UTF-8
}

// The alert's 9584 samples reach the audio output whole.
TEST_F(SdlDesktopTest, TheAlertReachesTheAudioOutputWhole) {
    const std::vector<std::uint8_t> samples(alertWave().begin() + 44, alertWave().end());
    ASSERT_EQ(samples.size(), 9584u);
    desktop_->playWaveAsync("#10");
    bool found = false;
    for (int attempt = 0; attempt < 100 && !found; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::ifstream in(dir_ / "audio.raw", std::ios::binary);
        const std::vector<std::uint8_t> output{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        found = std::search(output.begin(), output.end(), samples.begin(), samples.end()) != output.end();
    }
    EXPECT_TRUE(found);
}

TEST(SdlDesktopWithoutDisplay, OpensNothingAndGoesOn) {
    const char* saved = std::getenv("SDL_VIDEODRIVER");
    const std::string previous = saved ? saved : "";
    ::setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    {
        ForwardedKeys keys;
        SdlDesktop desktop(keys);
        WindowHandle handle = 5;
        desktop.showFigure("Figure:T1", handle);
        EXPECT_EQ(handle, 0);
        desktop.closeGraphicWindow(3);
        EXPECT_TRUE(desktop.windowsForTesting().empty());
    }
    saved ? ::setenv("SDL_VIDEODRIVER", previous.c_str(), 1) : ::unsetenv("SDL_VIDEODRIVER");
}

}  // namespace
}  // namespace pathwick
