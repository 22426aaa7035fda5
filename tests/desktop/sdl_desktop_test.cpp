// The SDL desktop under SDL's dummy video driver (windows without a display)
// and disk audio driver (the audio output written to a file).
#include "desktop/sdl_desktop.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <thread>

#include "desktop/figure_catalogue.h"
#include "desktop/embedded_assets.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

TEST(SdlDesktop, FiguresPicturesKeysAndSound) {
    TempDirectory folder;
    ::setenv("SDL_VIDEODRIVER", "dummy", 0), ::setenv("SDL_AUDIODRIVER", "disk", 0);
    ::setenv("SDL_DISKAUDIOFILE", (folder.path() / "audio.raw").c_str(), 1);
    ForwardedKeys keys;
    auto desktop = std::make_unique<SdlDesktop>(keys);
    WindowHandle figure = 0, picture = 0, unknown = 7;
    desktop->showFigure("Figure:T3", figure);
    desktop->showFigure("Figure:T4", unknown);
    const auto bitmap = FindFigure("Figure:T3")->picture();  // 640 x 707, 24 bits, bottom-up rows padded to 4 bytes
    const auto pixel = [&](int x, int y) {
        const std::size_t at = 54 + std::size_t(1920 * (706 - y) + 3 * x);
        return std::uint32_t(bitmap[at + 2] << 16 | bitmap[at + 1] << 8 | bitmap[at]);
    };
    for (auto [x, y] : {std::pair{0, 0}, {639, 706}, {321, 200}, {100, 600}})
        EXPECT_EQ(desktop->pixelForTesting(figure, x, y), pixel(x, y)) << x << "," << y;
    std::string bmp(54 + 48, 0);  // 4 x 4 solid red, top-down
    for (auto [at, value] : {std::pair{0, 0x4D42}, {10, 54}, {14, 40}, {18, 4}, {22, -4}, {26, 1}, {28, 24}})
        for (int k = 0; k < 4; ++k) bmp[std::size_t(at + k)] = char(std::uint32_t(value) >> (8 * k));
    for (std::size_t at = 54; at < bmp.size(); at += 3) bmp[at + 2] = '\xFF';
    folder.write("red.bmp", bmp);
    folder.write("short.bmp", bmp.substr(0, 60));
    desktop->showImageFile((folder.path() / "red.bmp").string(), "", picture);
    std::vector<std::string> places;
    for (const auto& w : desktop->windowsForTesting())
        places.push_back(w.title + " " + std::to_string(w.x) + "," + std::to_string(w.y) + " " + std::to_string(w.width) + "x" +
                         std::to_string(w.height) + (w.borderless ? " borderless" : ""));
    EXPECT_EQ(places, (std::vector<std::string>{"Figure T3 1000,100 640x707", " 770,50 4x4 borderless"}));
    EXPECT_EQ(desktop->pixelForTesting(picture, 3, 3), 0xFF0000u);
    EXPECT_EQ(unknown, 0);

    SDL_Event close{}, up{}, text{};
    close.type = SDL_WINDOWEVENT, close.window.event = SDL_WINDOWEVENT_CLOSE, close.window.windowID = Uint32(figure);
    up.type = SDL_KEYDOWN, up.key.keysym.sym = SDLK_UP, text.type = SDL_TEXTINPUT;
    std::strcpy(text.text.text, "b\xC3\xA9\xE4\xB8\xAD");
    for (SDL_Event* event : {&close, &up, &text}) ASSERT_EQ(SDL_PushEvent(event), 1);
    EXPECT_EQ(desktop->windowsForTesting().size(), 1u) << "the user closed the figure";
    desktop->closeGraphicWindow(figure);
    for (const KeyEvent& expected : {extendedKey(72), KeyEvent("b"), KeyEvent("\xE9")}) EXPECT_EQ(keys.take(), expected);
    EXPECT_EQ(forwardedKeyOf(SDLK_F10) + forwardedKeyOf(SDLK_RETURN), extendedKey(68) + "\r");
    EXPECT_EQ(cp1252OfTextInput("\xC3" "a\xFF\x80z\xF0\x9F"), "az");
    for (const char* name : {"short.bmp", "missing.bmp", "."}) {
        desktop->showImageFile((folder.path() / name).string(), "", picture);
        EXPECT_EQ(picture, 0) << name;
    }
    EXPECT_TRUE(desktop->windowsForTesting().empty());

    desktop->playWaveAsync("#10");  // the alert reaches the audio output whole
    const std::string samples(alertWave().begin() + 44, alertWave().end());
    std::string output;
    for (int tries = 0; tries < 100 && output.find(samples) == std::string::npos; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        output.assign(std::istreambuf_iterator<char>(std::ifstream(folder.path() / "audio.raw", std::ios::binary).rdbuf()), {});
    }
    EXPECT_NE(output.find(samples), std::string::npos);
    desktop.reset();
}

}  // namespace
}  // namespace pathwick::testing
