#include "desktop/sdl_desktop.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <span>
#include <thread>
#include <utility>

#include "console/cp1252.h"
#include "desktop/bitmap_header.h"
#include "desktop/figure_catalogue.h"
#include "desktop/figure_picture.h"
#include "desktop/terminal_focus.h"
#include "console/bounded_file.h"
#include "desktop/embedded_assets.h"

namespace pathwick {

namespace {

using namespace std::chrono_literals;

constexpr SDL_Point kFigureCorner{1000, 100};
constexpr int kPictureRightMargin = 250;
constexpr int kPictureTop = 50;

// After a window opens the logic pauses briefly so the window system can
// show it before the screen is drawn again.
constexpr auto kCreationPause = 50ms;
// A window system that does not answer must not hang the program.
constexpr auto kCreationTimeout = 5s;
// How long the window thread sleeps in the event wait while windows are
// open; commands wake it at once.
constexpr int kEventWaitMilliseconds = 250;
// Closed windows are hidden and shown again for the next picture of their
// size: the X server keeps some memory for every window a client ever made.
constexpr std::size_t kMostSpareWindows = 6;

// Pixels at 32 bits at most, plus headers, masks, palette and profile.
constexpr std::size_t kPictureFileSlack = 64 * 1024;
constexpr std::size_t kMaxWaveFileBytes = 8 * 1024 * 1024;
constexpr int kAlertResource = 10;
// About 23 ms at 22050 Hz: the alert starts without a noticeable delay.
constexpr Uint16 kAudioBufferFrames = 512;

struct WindowDeleter {
    void operator()(SDL_Window* window) const noexcept { SDL_DestroyWindow(window); }
};
struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const noexcept { SDL_FreeSurface(surface); }
};
struct WaveDeleter {
    void operator()(Uint8* samples) const noexcept { SDL_FreeWAV(samples); }
};
using WindowPtr = std::unique_ptr<SDL_Window, WindowDeleter>;
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;
using WavePtr = std::unique_ptr<Uint8, WaveDeleter>;

struct PictureWindow {
    WindowPtr window;
    SurfacePtr image;  // the window repaints from its own copy
};

struct Sound {
    WavePtr samples;
    Uint32 length = 0;
    SDL_AudioSpec format{};
};

SDL_RWops* memoryOf(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return nullptr;
    return SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
}

SurfacePtr loadBitmap(std::span<const std::uint8_t> bytes) {
    SDL_RWops* source = memoryOf(bytes);
    return SurfacePtr(source ? SDL_LoadBMP_RW(source, 1) : nullptr);
}

std::optional<Sound> loadWave(std::span<const std::uint8_t> bytes) {
    SDL_RWops* source = memoryOf(bytes);
    if (!source) return std::nullopt;
    Sound sound;
    Uint8* samples = nullptr;
    if (!SDL_LoadWAV_RW(source, 1, &sound.format, &samples, &sound.length)) return std::nullopt;
    sound.samples.reset(samples);
    return sound;
}

// "#" and up to five digits name a built-in sound by number.
std::optional<int> resourceNumber(std::string_view name) {
    if (name.size() < 2 || name.size() > 6 || name[0] != '#') return std::nullopt;
    int number = 0;
    for (char c : name.substr(1)) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

std::optional<unsigned char> cp1252ByteOf(char32_t codePoint) {
    if (codePoint < 0x80) return static_cast<unsigned char>(codePoint);
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        if (cp1252ToUnicode(static_cast<unsigned char>(byte)) == codePoint) {
            return static_cast<unsigned char>(byte);
        }
    }
    return std::nullopt;
}

// One UTF-8 sequence from `text` at `at`; advances `at` past it (by one
// byte when the sequence is malformed, which yields nothing).
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    char32_t codePoint = lead;
    if (lead >= 0xF0 && lead < 0xF8) {
        length = 4;
        codePoint = lead & 0x07;
    } else if (lead >= 0xE0) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xC0) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0x80) {
        ++at;
        return std::nullopt;
    }
    if (lead >= 0xF8 || at + length > text.size()) {
        ++at;
        return std::nullopt;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) {
            ++at;
            return std::nullopt;
        }
        codePoint = codePoint << 6 | (next & 0x3F);
    }
    at += length;
    return codePoint;
}

// The PulseAudio library, asked while no sound server runs, makes folders
// under HOME and the temporary folder for one; without a server SDL goes to
// the sound card directly. SDL_AUDIODRIVER in the environment still wins.
bool soundServerRuns() {
    if (std::getenv("PULSE_SERVER") != nullptr) return true;
    std::vector<std::filesystem::path> sockets{"/run/pulse/native"};
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
        sockets.push_back(std::filesystem::path(runtime) / "pulse" / "native");
        sockets.push_back(std::filesystem::path(runtime) / "pipewire-0");
    }
    std::error_code error;
    return std::any_of(sockets.begin(), sockets.end(),
                       [&](const auto& socket) { return std::filesystem::exists(socket, error); });
}

std::uint32_t pixelOf(SDL_Surface* surface, int x, int y) {
    const int bytesPerPixel = surface->format->BytesPerPixel;
    if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
    const auto* at = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch +
                     x * bytesPerPixel;
    Uint32 value = 0;
    std::memcpy(&value, at, static_cast<std::size_t>(bytesPerPixel));
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    Uint8 red = 0, green = 0, blue = 0;
    SDL_GetRGB(value, surface->format, &red, &green, &blue);
    return static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 | blue;
}

}  // namespace

// Owns the SDL thread. Everything below `thread_` in the class runs only on
// that thread; the logic reaches it through post() and openAndWait().
class SdlDesktop::WindowThread {
public:
    explicit WindowThread(ForwardedKeys& keys) : keys_(keys), thread_([this] { run(); }) {}
    ~WindowThread() {
        post([this] { stopping_ = true; });
        thread_.join();
    }
    WindowThread(const WindowThread&) = delete;
    WindowThread& operator=(const WindowThread&) = delete;

    void post(std::function<void()> task) {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
        wake_.notify_one();
        // Pushed under the lock so that SDL cannot be shutting down meanwhile.
        if (wakeEvent_ != 0) {
            SDL_Event event{};
            event.type = wakeEvent_;
            SDL_PushEvent(&event);
        }
    }

    // Runs `work` on the thread and waits for its result. If the thread does
    // not answer in time the result is handed to `discard` when it comes.
    template <class T>
    std::optional<T> call(std::function<T()> work, std::function<void(T&)> discard = {}) {
        struct Pending {
            std::mutex mutex;
            std::condition_variable done;
            std::optional<T> result;
            bool abandoned = false;
        };
        auto pending = std::make_shared<Pending>();
        post([pending, work = std::move(work), discard = std::move(discard)] {
            T result = work();
            std::lock_guard lock(pending->mutex);
            if (pending->abandoned) {
                if (discard) discard(result);
                return;
            }
            pending->result = std::move(result);
            pending->done.notify_one();
        });
        std::unique_lock lock(pending->mutex);
        if (!pending->done.wait_for(lock, kCreationTimeout, [&] { return pending->result.has_value(); })) {
            pending->abandoned = true;
            stalled_ = true;
            return std::nullopt;
        }
        return std::move(pending->result);
    }

    // True once the thread did not answer in time (the window system hangs).
    bool stalled() const { return stalled_; }

    WindowHandle openAndWait(std::function<WindowHandle()> open) {
        const auto handle = call<WindowHandle>(std::move(open),
                                               [this](WindowHandle& late) { close(late); });
        return handle.value_or(0);
    }

    // --- window thread only ---

    WindowHandle openFigure(const FigurePicture& figure) {
        return openWindow(figure.title, kFigureCorner, figure.width, figure.height,
                          SurfacePtr(DecodeFigure(figure.picture())));
    }

    WindowHandle openPicture(const std::string& path, std::string_view title) {
        SDL_Rect desktop{};
        if (!ensureVideo() || SDL_GetDisplayBounds(0, &desktop) != 0) return 0;
        const std::optional<BitmapSize> size = readBitmapSize(path);
        if (!size || size->width > desktop.w || size->height > desktop.h) return 0;
        const std::size_t limit =
            std::size_t{4} * static_cast<std::size_t>(size->width) *
                static_cast<std::size_t>(size->height) + kPictureFileSlack;
        const auto bytes = readWholeFile(path, limit);
        if (!bytes) return 0;
        const SDL_Point corner{desktop.w - size->width - kPictureRightMargin, kPictureTop};
        return openWindow(title, corner, size->width, size->height, loadBitmap(*bytes));
    }

    void close(WindowHandle handle) {
        const auto found = windows_.find(handle);
        if (found != windows_.end()) retire(found);
    }

    // Gives the keyboard back to the terminal if one of the windows (or
    // nobody) has it.
    void returnFocus() {
        if (focus_.free(ourWindows())) focus_.giveBack(anyWindow());
    }

    std::vector<SDL_Window*> ourWindows() {
        std::vector<SDL_Window*> ours;
        for (const auto& [handle, entry] : windows_) ours.push_back(entry.window.get());
        for (const WindowPtr& spare : spare_) ours.push_back(spare.get());
        return ours;
    }

    SDL_Window* anyWindow() {
        return spare_.empty() ? windows_.begin()->second.window.get() : spare_.back().get();
    }

    void play(const std::string& name) {
        if (!ensureAudio()) return;
        if (name.find('.') == std::string::npos &&
            resourceNumber(name) == kAlertResource && playBytes(alertWave())) {
            return;
        }
        // A file name, or a resource name that could not be played, tried
        // once as a file.
        if (const auto bytes = readWholeFile(name, kMaxWaveFileBytes)) playBytes(*bytes);
    }

    std::vector<WindowInfo> describe() {
        drainEvents();
        std::vector<WindowInfo> result;
        for (const auto& [id, entry] : windows_) {
            SDL_Window* window = entry.window.get();
            WindowInfo info;
            info.handle = id;
            info.title = SDL_GetWindowTitle(window);
            SDL_GetWindowPosition(window, &info.x, &info.y);
            SDL_GetWindowSize(window, &info.width, &info.height);
            const Uint32 flags = SDL_GetWindowFlags(window);
            info.borderless = (flags & SDL_WINDOW_BORDERLESS) != 0;
            info.resizable = (flags & SDL_WINDOW_RESIZABLE) != 0;
            result.push_back(std::move(info));
        }
        return result;
    }

    std::optional<std::uint32_t> pixel(WindowHandle handle, int x, int y) {
        drainEvents();
        const auto found = windows_.find(handle);
        if (found == windows_.end()) return std::nullopt;
        SDL_Surface* surface = SDL_GetWindowSurface(found->second.window.get());
        if (!surface || x < 0 || y < 0 || x >= surface->w || y >= surface->h) return std::nullopt;
        return pixelOf(surface, x, y);
    }

private:
    void run() {
        startSdl();
        while (!stopping_) {
            runTasks();
            if (stopping_) break;
            drainEvents();
            waitForWork();
        }
        stopSdl();
    }

    void startSdl() {
        // The program keeps its own SIGINT/SIGTERM handling.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        // The terminal keeps the keyboard.
        SDL_SetHint(SDL_HINT_WINDOW_NO_ACTIVATION_WHEN_SHOWN, "1");
        SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
        SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
        // A still picture needs no GPU: the window system's own framebuffer
        // spares loading OpenGL drivers.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        // Only desktop window systems: on a bare text console SDL must not
        // take over the display. SDL_VIDEODRIVER in the environment wins.
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,wayland");
        sdlReady_ = SDL_Init(0) == 0;
        ensureVideo();
    }

    // Tried again for each window until it works, so that windows come
    // back once a display that was gone is there again.
    bool ensureVideo() {
        if (videoReady_ || !sdlReady_) return videoReady_;
        videoReady_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        if (!videoReady_) return false;
        const Uint32 wake = SDL_RegisterEvents(1);
        if (wake != static_cast<Uint32>(-1)) {
            std::lock_guard lock(mutex_);
            wakeEvent_ = wake;
        }
        return true;
    }

    void stopSdl() {
        {
            std::lock_guard lock(mutex_);
            wakeEvent_ = 0;
        }
        windows_.clear();
        spare_.clear();
        if (audio_ != 0) SDL_CloseAudioDevice(audio_);
        audio_ = 0;
        SDL_Quit();
    }

    void runTasks() {
        std::deque<std::function<void()>> ready;
        {
            std::lock_guard lock(mutex_);
            ready.swap(tasks_);
        }
        for (auto& task : ready) task();
    }

    // Open windows need their events (repaint, close, keys); without any
    // the thread sleeps until the next command.
    void waitForWork() {
        if (videoReady_ && !windows_.empty()) {
            SDL_Event event;
            if (SDL_WaitEventTimeout(&event, kEventWaitMilliseconds)) handle(event);
            return;
        }
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return !tasks_.empty(); });
    }

    void drainEvents() {
        if (!videoReady_) return;
        SDL_Event event;
        while (SDL_PollEvent(&event)) handle(event);
    }

    void handle(const SDL_Event& event) {
        switch (event.type) {
            case SDL_WINDOWEVENT:
                handleWindowEvent(event.window);
                break;
            case SDL_KEYDOWN:
                if (KeyEvent key = forwardedKeyOf(event.key.keysym.sym); !key.empty()) {
                    keys_.push(std::move(key));
                }
                break;
            case SDL_TEXTINPUT:
                for (char c : cp1252OfTextInput(event.text.text)) keys_.push(KeyEvent(1, c));
                break;
            default:
                break;  // SDL_QUIT too: only the program decides when to end
        }
    }

    void handleWindowEvent(const SDL_WindowEvent& event) {
        const auto found = std::find_if(windows_.begin(), windows_.end(), [&](const auto& entry) {
            return SDL_GetWindowID(entry.second.window.get()) == event.windowID;
        });
        if (found == windows_.end()) return;
        switch (event.event) {
            case SDL_WINDOWEVENT_CLOSE:
                retire(found);
                break;
            case SDL_WINDOWEVENT_EXPOSED:
            case SDL_WINDOWEVENT_SHOWN:
            case SDL_WINDOWEVENT_RESTORED:
            case SDL_WINDOWEVENT_SIZE_CHANGED:
                repaint(found->second);
                break;
            default:
                break;
        }
    }

    WindowHandle openWindow(std::string_view title, SDL_Point corner, int width, int height,
                            SurfacePtr image) {
        if (!ensureVideo() || !image) return 0;
        const std::string utf8Title = cp1252ToUtf8(title);
        WindowPtr window = spareWindow(width, height, title.empty());
        if (window) {
            SDL_SetWindowTitle(window.get(), utf8Title.c_str());
            SDL_SetWindowPosition(window.get(), corner.x, corner.y);
        } else {
            Uint32 flags = SDL_WINDOW_HIDDEN;
            if (title.empty()) flags |= SDL_WINDOW_BORDERLESS;
            window.reset(SDL_CreateWindow(utf8Title.c_str(), corner.x, corner.y, width, height, flags));
        }
        if (!window) return 0;
        std::vector<SDL_Window*> ours = ourWindows();
        ours.push_back(window.get());
        focus_.noteHolder(ours);
        SDL_ShowWindow(window.get());
        placeOuterCorner(window.get(), corner);
        const WindowHandle handle = ++lastHandle_;
        PictureWindow& entry = windows_[handle] = PictureWindow{std::move(window), std::move(image)};
        repaint(entry);
        return handle;
    }

    WindowPtr spareWindow(int width, int height, bool borderless) {
        const auto fits = std::find_if(spare_.begin(), spare_.end(), [&](const WindowPtr& window) {
            int w = 0, h = 0;
            SDL_GetWindowSize(window.get(), &w, &h);
            const bool bare = (SDL_GetWindowFlags(window.get()) & SDL_WINDOW_BORDERLESS) != 0;
            return w == width && h == height && bare == borderless;
        });
        if (fits == spare_.end()) return nullptr;
        WindowPtr window = std::move(*fits);
        spare_.erase(fits);
        return window;
    }

    // The window manager may hand a closing window's focus to a window of
    // its own, so whether the terminal takes it is known only before.
    void retire(std::map<WindowHandle, PictureWindow>::iterator found) {
        const bool focusFreed = focus_.free(ourWindows());
        SDL_HideWindow(found->second.window.get());
        spare_.push_back(std::move(found->second.window));
        windows_.erase(found);
        if (spare_.size() > kMostSpareWindows) spare_.erase(spare_.begin());
        if (focusFreed) focus_.giveBack(spare_.back().get());
    }

    // SDL places the drawing area; when the window manager reports a frame,
    // the drawing area moves inside it so that the frame's outer corner is
    // at `corner`.
    static void placeOuterCorner(SDL_Window* window, SDL_Point corner) {
        SDL_PumpEvents();  // the frame size arrives as a window property
        int top = 0, left = 0, bottom = 0, right = 0;
        if (SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) == 0 &&
            (top > 0 || left > 0)) {
            SDL_SetWindowPosition(window, corner.x + left, corner.y + top);
        }
    }

    static void repaint(PictureWindow& entry) {
        SDL_Surface* screen = SDL_GetWindowSurface(entry.window.get());
        if (!screen) return;
        SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 255, 255, 255));
        SDL_BlitSurface(entry.image.get(), nullptr, screen, nullptr);
        SDL_UpdateWindowSurface(entry.window.get());
    }

    // The device is opened once, in the built-in sound's format; other
    // sounds are converted to it.
    bool ensureAudio() {
        if (audioTried_) return audio_ != 0;
        audioTried_ = true;
        if (!soundServerRuns()) SDL_SetHint(SDL_HINT_AUDIODRIVER, "pipewire,alsa");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        const std::optional<Sound> alert = loadWave(alertWave());
        if (!alert) return false;
        SDL_AudioSpec desired = alert->format;
        desired.callback = nullptr;  // queued playback
        desired.samples = kAudioBufferFrames;
        audio_ = SDL_OpenAudioDevice(nullptr, 0, &desired, &audioSpec_, 0);
        return audio_ != 0;
    }

    // Replaces whatever is still playing with the sound in `bytes`.
    bool playBytes(std::span<const std::uint8_t> bytes) {
        const std::optional<Sound> sound = loadWave(bytes);
        if (!sound) return false;
        SDL_AudioCVT conversion{};
        const int needed = SDL_BuildAudioCVT(
            &conversion, sound->format.format, sound->format.channels, sound->format.freq,
            audioSpec_.format, audioSpec_.channels, audioSpec_.freq);
        if (needed < 0) return false;
        const Uint8* samples = sound->samples.get();
        Uint32 length = sound->length;
        std::vector<Uint8> converted;
        if (needed > 0) {
            converted.resize(static_cast<std::size_t>(length) *
                             static_cast<std::size_t>(conversion.len_mult));
            std::memcpy(converted.data(), samples, length);
            conversion.buf = converted.data();
            conversion.len = static_cast<int>(length);
            if (SDL_ConvertAudio(&conversion) != 0) return false;
            samples = converted.data();
            length = static_cast<Uint32>(conversion.len_cvt);
        }
        SDL_ClearQueuedAudio(audio_);
        if (SDL_QueueAudio(audio_, samples, length) != 0) return false;
        SDL_PauseAudioDevice(audio_, 0);
        return true;
    }

    ForwardedKeys& keys_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;  // guarded by mutex_
    Uint32 wakeEvent_ = 0;                      // guarded by mutex_

    std::atomic<bool> stalled_ = false;

    bool stopping_ = false;
    bool sdlReady_ = false;
    bool videoReady_ = false;
    bool audioTried_ = false;
    SDL_AudioDeviceID audio_ = 0;
    SDL_AudioSpec audioSpec_{};
    std::map<WindowHandle, PictureWindow> windows_;  // the open ones
    std::vector<WindowPtr> spare_;                   // hidden, oldest first
    TerminalFocus focus_;
    WindowHandle lastHandle_ = 0;

    std::thread thread_;  // last: starts once everything above exists
};

SdlDesktop::SdlDesktop(ForwardedKeys& keys) : keys_(keys) {}

SdlDesktop::~SdlDesktop() = default;

SdlDesktop::WindowThread& SdlDesktop::windowThread() {
    if (!thread_) thread_ = std::make_unique<WindowThread>(keys_);
    return *thread_;
}

void SdlDesktop::showFigure(std::string_view marker, WindowHandle& handle) {
    const FigurePicture* figure = FindFigure(marker);
    if (!figure) {
        handle = 0;
        return;
    }
    WindowThread& thread = windowThread();
    handle = thread.openAndWait([&thread, figure] { return thread.openFigure(*figure); });
    settle(handle);
}

void SdlDesktop::showImageFile(std::string_view path, std::string_view title,
                               WindowHandle& handle) {
    if (handle != 0) {
        closeGraphicWindow(handle);
        handle = 0;
    }
    WindowThread& thread = windowThread();
    handle = thread.openAndWait([&thread, file = std::string(path), text = std::string(title)] {
        return thread.openPicture(file, text);
    });
    settle(handle);
}

// The window system shows a new window, then the terminal gets the keyboard
// back from it.
void SdlDesktop::settle(WindowHandle handle) {
    if (handle == 0) return;
    std::this_thread::sleep_for(kCreationPause);
    WindowThread& thread = *thread_;
    thread.post([&thread] { thread.returnFocus(); });
}

bool SdlDesktop::answering() const { return !thread_ || !thread_->stalled(); }

void SdlDesktop::closeGraphicWindow(WindowHandle handle) {
    if (handle == 0 || !thread_) return;
    WindowThread& thread = *thread_;
    thread.post([&thread, handle] { thread.close(handle); });
}

void SdlDesktop::playWaveAsync(std::string_view name) {
    WindowThread& thread = windowThread();
    thread.post([&thread, sound = std::string(name)] { thread.play(sound); });
}

std::vector<SdlDesktop::WindowInfo> SdlDesktop::windowsForTesting() {
    if (!thread_) return {};
    WindowThread& thread = *thread_;
    return thread.call<std::vector<WindowInfo>>([&thread] { return thread.describe(); })
        .value_or(std::vector<WindowInfo>{});
}

std::optional<std::uint32_t> SdlDesktop::pixelForTesting(WindowHandle handle, int x, int y) {
    if (!thread_) return std::nullopt;
    WindowThread& thread = *thread_;
    return thread
        .call<std::optional<std::uint32_t>>(
            [&thread, handle, x, y] { return thread.pixel(handle, x, y); })
        .value_or(std::nullopt);
}

std::unique_ptr<Desktop> makeSystemDesktop(ForwardedKeys& keys) {
    return std::make_unique<SdlDesktop>(keys);
}

KeyEvent forwardedKeyOf(std::int32_t sdlKeycode) {
    struct Mapping {
        SDL_Keycode key;
        unsigned char scanCode;
    };
    static constexpr std::array<Mapping, 12> kExtended{{
        {SDLK_UP, 72}, {SDLK_DOWN, 80}, {SDLK_LEFT, 75}, {SDLK_RIGHT, 77},
        {SDLK_HOME, 71}, {SDLK_END, 79}, {SDLK_PAGEUP, 73}, {SDLK_PAGEDOWN, 81},
        {SDLK_INSERT, 82}, {SDLK_DELETE, 83}, {SDLK_F11, 87}, {SDLK_F12, 88},
    }};
    switch (sdlKeycode) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return KeyEvent(1, kEnterKey);
        case SDLK_ESCAPE: return KeyEvent(1, kEscapeKey);
        case SDLK_BACKSPACE: return KeyEvent(1, kBackspaceKey);
        case SDLK_TAB: return KeyEvent(1, kTabKey);
        default: break;
    }
    if (sdlKeycode >= SDLK_F1 && sdlKeycode <= SDLK_F10) {
        return extendedKey(static_cast<unsigned char>(59 + (sdlKeycode - SDLK_F1)));
    }
    for (const Mapping& mapping : kExtended) {
        if (mapping.key == sdlKeycode) return extendedKey(mapping.scanCode);
    }
    return {};
}

std::string cp1252OfTextInput(std::string_view utf8) {
    std::string text;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::optional<char32_t> codePoint = nextCodePoint(utf8, at);
        if (!codePoint || *codePoint < 0x20 || *codePoint == 0x7F) continue;
        if (const auto byte = cp1252ByteOf(*codePoint)) text.push_back(static_cast<char>(*byte));
    }
    return text;
}

}  // namespace pathwick
