// The desktop helper program: runs the SDL desktop for Pathwick in a process
// of its own, so that nothing the window system or the sound libraries do
// (an X error handler that exits, a crash in a driver) can end the program
// or leave its terminal in full-screen mode. It serves the requests that
// arrive on the socket at kDesktopChannelDescriptor and forwards keys typed
// into its windows; it ends when the program closes its end or ends.
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "console/forwarded_keys.h"
#include "desktop/desktop_channel.h"
#include "desktop/sdl_desktop.h"

namespace pathwick {
namespace {

// Once the program is gone the window system may not let SDL shut down (a
// stopped X server never answers): past this the helper just ends.
constexpr unsigned kEndingSeconds = 2;

// The answer to a window request: -1 when the window system did not answer.
std::string answerOf(SdlDesktop& desktop, WindowHandle handle) {
    return std::to_string(desktop.answering() ? handle : -1);
}

bool serve(SdlDesktop& desktop, const DesktopPacket& packet, int channel) {
    WindowHandle handle = 0;
    switch (packet.kind) {
        case DesktopMessage::Figure:
            desktop.showFigure(packet.payload, handle);
            return sendPacket(channel, DesktopMessage::Handle, answerOf(desktop, handle));
        case DesktopMessage::Picture: {
            const PictureRequest request = pictureRequestOf(packet.payload);
            desktop.showImageFile(request.path, request.title, handle);
            return sendPacket(channel, DesktopMessage::Handle, answerOf(desktop, handle));
        }
        case DesktopMessage::Close:
            desktop.closeGraphicWindow(handleOf(packet.payload));
            return true;
        case DesktopMessage::Play:
            desktop.playWaveAsync(packet.payload);
            return true;
        default:
            return true;  // not a request
    }
}

// SIGTERM arrives when the program, or the thread of it that started the
// helper, ends (so also when the program is killed); it is read from a
// descriptor, and only an orphaned helper ends on it. Blocked before any
// thread starts, so that every thread leaves it to that descriptor.
int parentDeathSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    ::pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    return ::signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK);
}

bool orphaned(int signals, pid_t parent) {
    signalfd_siginfo info{};
    while (::read(signals, &info, sizeof info) > 0) {
    }
    return ::getppid() != parent;
}

// Without a session bus address the D-Bus library would launch a bus of its
// own (dbus-launch) that outlives the program; the helper needs none, so it
// gets an address where no bus answers.
void keepToTheSessionBus() { ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/dev/null", 0); }

int serveChannel(SdlDesktop& desktop, ForwardedKeys& keys, int channel, int signals, pid_t parent) {
    std::array<pollfd, 3> watched{
        {{channel, POLLIN, 0}, {keys.wakeDescriptor(), POLLIN, 0}, {signals, POLLIN, 0}}};
    for (;;) {
        if (::poll(watched.data(), watched.size(), -1) == -1) {
            if (errno == EINTR) continue;
            return 1;
        }
        if (watched[2].revents != 0 && orphaned(signals, parent)) return 0;
        if (watched[1].revents != 0) {
            while (const auto key = keys.take()) {
                if (!sendPacket(channel, DesktopMessage::Key, *key)) return 0;
            }
        }
        if (watched[0].revents != 0) {
            const auto packet = receivePacket(channel);
            if (!packet || !serve(desktop, *packet, channel)) return 0;
        }
    }
}

int RunHost(int channel, pid_t parent) {
    const int signals = parentDeathSignals();
    if (::getppid() != parent) return 0;
    keepToTheSessionBus();
    ForwardedKeys keys;
    SdlDesktop desktop(keys);
    const int status = serveChannel(desktop, keys, channel, signals, parent);
    ::alarm(kEndingSeconds);  // SIGALRM ends a shutdown that hangs
    return status;
}

}  // namespace
}  // namespace pathwick

int main(int argc, char** argv) {
    const pid_t parent = argc > 1 ? static_cast<pid_t>(std::atoi(argv[1])) : ::getppid();
    return pathwick::RunHost(pathwick::kDesktopChannelDescriptor, parent);
}
