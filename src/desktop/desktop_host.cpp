// The desktop helper program: runs the SDL desktop for Pathwick in a process
// of its own, so that nothing the window system or the sound libraries do
// (an X error handler that exits, a crash in a driver) can end the program
// or leave its terminal in full-screen mode. It serves the requests that
// arrive on the socket at kDesktopChannelDescriptor and forwards keys typed
// into its windows; it ends when the program closes its end.
#include <poll.h>

#include <array>
#include <cerrno>
#include <string>

#include "console/forwarded_keys.h"
#include "desktop/desktop_channel.h"
#include "desktop/sdl_desktop.h"

namespace pathwick {
namespace {

bool serve(Desktop& desktop, const DesktopPacket& packet, int channel) {
    WindowHandle handle = 0;
    switch (packet.kind) {
        case DesktopMessage::Figure:
            desktop.showFigure(packet.payload, handle);
            return sendPacket(channel, DesktopMessage::Handle, std::to_string(handle));
        case DesktopMessage::Picture: {
            const auto split = packet.payload.find('\0');
            const std::string_view path = std::string_view(packet.payload).substr(0, split);
            const std::string_view title =
                split == std::string::npos ? std::string_view{} : std::string_view(packet.payload).substr(split + 1);
            desktop.showImageFile(path, title, handle);
            return sendPacket(channel, DesktopMessage::Handle, std::to_string(handle));
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

int RunHost(int channel) {
    ForwardedKeys keys;
    SdlDesktop desktop(keys);
    std::array<pollfd, 2> watched{{{channel, POLLIN, 0}, {keys.wakeDescriptor(), POLLIN, 0}}};
    for (;;) {
        if (::poll(watched.data(), watched.size(), -1) < 0) {
            if (errno == EINTR) continue;
            return 1;
        }
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

}  // namespace
}  // namespace pathwick

int main() { return pathwick::RunHost(pathwick::kDesktopChannelDescriptor); }
