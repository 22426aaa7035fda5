// The SDL desktop under SDL's dummy video driver (windows without a display)
// and disk audio driver (the audio output written to a file).
#include "support/sdl_desktop.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "support/embedded_assets.h"

namespace pathwick {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The desktop size SDL's dummy video driver reports.
constexpr int kDummyDesktopWidth = 1024;

// A 24-bit bottom-up bitmap file of one colour (0xRRGGBB).
std::vector<std::uint8_t> solidBitmap(int width, int height, std::uint32_t colour) {
    const int stride = (width * 3 + 3) & ~3;
    std::vector<std::uint8_t> bytes(54 + static_cast<std::size_t>(stride * height), 0);
    const auto put = [&](std::size_t at, std::uint32_t value, int size) {
        for (int k = 0; k < size; ++k) bytes[at + k] = static_cast<std::uint8_t>(value >> (8 * k));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, static_cast<std::uint32_t>(bytes.size()), 4);
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

// The colour of (x, y) in a 24-bit bottom-up bitmap file.
std::uint32_t bitmapPixel(std::span<const std::uint8_t> file, int x, int y) {
    const auto at32 = [&](std::size_t at) {
        return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24;
    };
    const int width = at32(18), height = at32(22);
    const std::size_t offset = static_cast<std::size_t>(at32(10)) +
                               static_cast<std::size_t>(((width * 3 + 3) & ~3) * (height - 1 - y) + x * 3);
    return static_cast<std::uint32_t>(file[offset + 2] << 16 | file[offset + 1] << 8 | file[offset]);
}

// The samples of a wave file's data chunk (the 44-byte canonical layout).
std::vector<std::uint8_t> waveSamples(std::span<const std::uint8_t> wave) {
    return {wave.begin() + 44, wave.end()};
}

std::vector<std::uint8_t> monoWave(const std::vector<std::uint8_t>& samples) {
    std::vector<std::uint8_t> bytes(44);
    const auto put = [&](std::size_t at, std::uint32_t value, int size) {
        for (int k = 0; k < size; ++k) bytes[at + k] = static_cast<std::uint8_t>(value >> (8 * k));
    };
    std::copy_n("RIFF", 4, bytes.begin());
    put(4, static_cast<std::uint32_t>(36 + samples.size()), 4);
    std::copy_n("WAVEfmt ", 8, bytes.begin() + 8);
    put(16, 16, 4);
    put(20, 1, 2);       // PCM
    put(22, 1, 2);       // mono
    put(24, 22050, 4);
    put(28, 22050, 4);
    put(32, 1, 2);
    put(34, 8, 2);
    std::copy_n("data", 4, bytes.begin() + 36);
    put(40, static_cast<std::uint32_t>(samples.size()), 4);
    bytes.insert(bytes.end(), samples.begin(), samples.end());
    return bytes;
}

class SdlDesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("pathwick_sdl_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        audioFile_ = dir_ / "audio.raw";
        ::setenv("SDL_VIDEODRIVER", "dummy", 0);
        ::setenv("SDL_AUDIODRIVER", "disk", 0);
        ::setenv("SDL_DISKAUDIOFILE", audioFile_.c_str(), 1);
        desktop_ = std::make_unique<SdlDesktop>(keys_);
    }
    void TearDown() override {
        desktop_.reset();
        fs::remove_all(dir_);
    }

    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    std::vector<std::uint8_t> audioOutput() const {
        std::ifstream in(audioFile_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Waits (bounded) until the audio output contains `samples` in a row.
    bool audioOutputContains(const std::vector<std::uint8_t>& samples) const {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const auto output = audioOutput();
            if (std::search(output.begin(), output.end(), samples.begin(), samples.end()) !=
                output.end()) {
                return true;
            }
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

    void closeAsTheUserWould(WindowHandle handle) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = SDL_WINDOWEVENT_CLOSE;
        event.window.windowID = static_cast<Uint32>(handle);
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    fs::path dir_;
    fs::path audioFile_;
    ForwardedKeys keys_;
    std::unique_ptr<SdlDesktop> desktop_;
};

TEST_F(SdlDesktopTest, FiguresOpenAtTheirPlaceWithTitleSizeAndPicture) {
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
        const auto windows = desktop_->windowsForTesting();
        ASSERT_EQ(windows.size(), 1u);
        const auto& window = windows[0];
        EXPECT_EQ(window.handle, handle);
        EXPECT_EQ(window.title, c.title);
        EXPECT_EQ(window.x, 1000);
        EXPECT_EQ(window.y, 100);
        EXPECT_EQ(window.width, c.width);
        EXPECT_EQ(window.height, c.height);
        EXPECT_FALSE(window.borderless);
        EXPECT_FALSE(window.resizable);
        const auto bitmap = figureBitmap(c.number);
        for (auto [x, y] : {std::pair{0, 0}, {c.width - 1, c.height - 1}, {321, 200}, {17, 300}}) {
            EXPECT_EQ(desktop_->pixelForTesting(handle, x, y), bitmapPixel(bitmap, x, y))
                << c.marker << " at " << x << "," << y;
        }
        desktop_->closeGraphicWindow(handle);
        EXPECT_TRUE(desktop_->windowsForTesting().empty());
    }
}

TEST_F(SdlDesktopTest, UnknownMarkersOpenNothing) {
    for (const char* marker : {"Figure:T4", "", "figure:t1", "Figure:T1 "}) {
        WindowHandle handle = 7;
        desktop_->showFigure(marker, handle);
        EXPECT_EQ(handle, 0) << marker;
    }
    EXPECT_TRUE(desktop_->windowsForTesting().empty());
}

TEST_F(SdlDesktopTest, PicturesOpenBorderlessLeftOfTheDesktopEdgeAndReplaceEachOther) {
    const std::string red = write("red.bmp", solidBitmap(100, 60, 0xFF0000));
    const std::string green = write("green.bmp", solidBitmap(30, 20, 0x00FF00));
    WindowHandle handle = 0;
    desktop_->showImageFile(red, "", handle);
    ASSERT_NE(handle, 0);
    auto windows = desktop_->windowsForTesting();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].x, kDummyDesktopWidth - 100 - 250);
    EXPECT_EQ(windows[0].y, 50);
    EXPECT_EQ(windows[0].width, 100);
    EXPECT_EQ(windows[0].height, 60);
    EXPECT_TRUE(windows[0].borderless);
    EXPECT_EQ(desktop_->pixelForTesting(handle, 99, 59), 0xFF0000u);

    const WindowHandle first = handle;
    desktop_->showImageFile(green, "Hint", handle);
    ASSERT_NE(handle, 0);
    EXPECT_NE(handle, first);
    windows = desktop_->windowsForTesting();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].handle, handle);
    EXPECT_EQ(windows[0].title, "Hint");
    EXPECT_FALSE(windows[0].borderless);
    EXPECT_EQ(windows[0].x, kDummyDesktopWidth - 30 - 250);
    EXPECT_EQ(desktop_->pixelForTesting(handle, 5, 5), 0x00FF00u);
}

TEST_F(SdlDesktopTest, MissingOrMalformedPictureFilesOpenNothing) {
    auto truncated = solidBitmap(100, 60, 0x0000FF);
    truncated.resize(200);
    auto zeroWidth = solidBitmap(4, 4, 0);
    zeroWidth[18] = 0;
    const fs::path fifo = dir_ / "pipe.bmp";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string paths[] = {
        (dir_ / "missing.bmp").string(), write("text.bmp", {'h', 'e', 'l', 'l', 'o'}),
        write("truncated.bmp", truncated), write("zero.bmp", zeroWidth), fifo.string(),
        dir_.string()};

    WindowHandle handle = 0;
    desktop_->showImageFile(write("ok.bmp", solidBitmap(8, 8, 0)), "", handle);
    ASSERT_NE(handle, 0);
    for (const std::string& path : paths) {
        desktop_->showImageFile(path, "", handle);
        EXPECT_EQ(handle, 0) << path;
    }
    // The window that was open before is closed all the same.
    EXPECT_TRUE(desktop_->windowsForTesting().empty());
}

TEST_F(SdlDesktopTest, ClosingAWindowTheUserAlreadyClosedChangesNothing) {
    WindowHandle figure = 0;
    desktop_->showFigure("Figure:T2", figure);
    WindowHandle picture = 0;
    desktop_->showImageFile(write("p.bmp", solidBitmap(10, 10, 0)), "", picture);
    ASSERT_EQ(desktop_->windowsForTesting().size(), 2u);

    closeAsTheUserWould(figure);
    auto windows = desktop_->windowsForTesting();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].handle, picture);

    desktop_->closeGraphicWindow(figure);
    desktop_->closeGraphicWindow(0);
    EXPECT_EQ(desktop_->windowsForTesting().size(), 1u);
    desktop_->showFigure("Figure:T2", figure);
    EXPECT_NE(figure, 0);
    EXPECT_EQ(desktop_->windowsForTesting().size(), 2u);
}

TEST_F(SdlDesktopTest, KeysThatReachAWindowAreForwardedToTheLogic) {
    WindowHandle handle = 0;
    desktop_->showFigure("Figure:T1", handle);
    ASSERT_NE(handle, 0);
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.windowID = static_cast<Uint32>(handle);
    key.key.keysym.sym = SDLK_UP;
    ASSERT_EQ(SDL_PushEvent(&key), 1);
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    text.text.windowID = static_cast<Uint32>(handle);
    std::strcpy(text.text.text, "b\xC3\xA9");  // "bé"
    ASSERT_EQ(SDL_PushEvent(&text), 1);
    key.key.keysym.sym = SDLK_RETURN;
    ASSERT_EQ(SDL_PushEvent(&key), 1);
    desktop_->windowsForTesting();  // the window thread has handled them

    EXPECT_EQ(keys_.take(), extendedKey(72));
    EXPECT_EQ(keys_.take(), "b");
    EXPECT_EQ(keys_.take(), "\xE9");
    EXPECT_EQ(keys_.take(), "\r");
    EXPECT_FALSE(keys_.take());
}

TEST(SdlKeyForwarding, MapsKeysLikeTheTerminal) {
    EXPECT_EQ(forwardedKeyOf(SDLK_RETURN), "\r");
    EXPECT_EQ(forwardedKeyOf(SDLK_KP_ENTER), "\r");
    EXPECT_EQ(forwardedKeyOf(SDLK_ESCAPE), "\x1B");
    EXPECT_EQ(forwardedKeyOf(SDLK_BACKSPACE), "\b");
    EXPECT_EQ(forwardedKeyOf(SDLK_TAB), "\t");
    EXPECT_EQ(forwardedKeyOf(SDLK_DOWN), extendedKey(80));
    EXPECT_EQ(forwardedKeyOf(SDLK_LEFT), extendedKey(75));
    EXPECT_EQ(forwardedKeyOf(SDLK_RIGHT), extendedKey(77));
    EXPECT_EQ(forwardedKeyOf(SDLK_F1), extendedKey(59));
    EXPECT_EQ(forwardedKeyOf(SDLK_F10), extendedKey(68));
    EXPECT_EQ(forwardedKeyOf(SDLK_F12), extendedKey(134));
    EXPECT_EQ(forwardedKeyOf(SDLK_a), "");  // arrives as text input
    EXPECT_EQ(forwardedKeyOf(SDLK_LSHIFT), "");
}

TEST(SdlKeyForwarding, TextInputBecomesWindows1252) {
    EXPECT_EQ(cp1252OfTextInput("Ab1 "), "Ab1 ");
    EXPECT_EQ(cp1252OfTextInput("\xC3\xA9\xC3\xBC"), "\xE9\xFC");  // é ü
    EXPECT_EQ(cp1252OfTextInput("\xE4\xB8\xAD" "x"), "x");          // no 1252 form
    EXPECT_EQ(cp1252OfTextInput("\xC3" "a\xFF\x80z"), "az");        // malformed bytes
    EXPECT_EQ(cp1252OfTextInput("\xF0\x9F\x98"), "");               // cut short
}

TEST_F(SdlDesktopTest, TheAlertReachesTheAudioOutputWhole) {
    const auto samples = waveSamples(alertWave());
    ASSERT_EQ(samples.size(), 9584u);
    desktop_->playWaveAsync("#10");
    EXPECT_TRUE(audioOutputContains(samples));
}

TEST_F(SdlDesktopTest, WaveFilesPlayAndFailedResourceNamesAreTriedAsFiles) {
    std::vector<std::uint8_t> ramp(3000);
    for (std::size_t k = 0; k < ramp.size(); ++k) ramp[k] = static_cast<std::uint8_t>(k * 7 % 251);
    const std::string withoutDot = write("chime", monoWave(ramp));
    ASSERT_EQ(withoutDot.find('.'), std::string::npos) << "temporary directory has a dot";
    desktop_->playWaveAsync(withoutDot);
    EXPECT_TRUE(audioOutputContains(ramp));

    std::reverse(ramp.begin(), ramp.end());
    desktop_->playWaveAsync(write("chime.wav", monoWave(ramp)));
    EXPECT_TRUE(audioOutputContains(ramp));
}

TEST_F(SdlDesktopTest, SoundsThatCannotBePlayedAreSilent) {
    for (const char* name : {"#11", "#", "#999999", "alert", "missing.wav"}) {
        desktop_->playWaveAsync(name);
    }
    desktop_->playWaveAsync(write("bad.wav", {'R', 'I', 'F', 'F', 1, 2, 3}));
    desktop_->windowsForTesting();  // every sound request has been handled
    std::this_thread::sleep_for(100ms);
    const auto output = audioOutput();
    EXPECT_TRUE(std::all_of(output.begin(), output.end(), [](std::uint8_t s) { return s == 0x80; }));
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
        desktop.showImageFile("missing.bmp", "", handle);
        EXPECT_EQ(handle, 0);
        desktop.closeGraphicWindow(3);
        EXPECT_TRUE(desktop.windowsForTesting().empty());
    }
    if (saved) {
        ::setenv("SDL_VIDEODRIVER", previous.c_str(), 1);
    } else {
        ::unsetenv("SDL_VIDEODRIVER");
    }
}

}  // namespace
}  // namespace pathwick
