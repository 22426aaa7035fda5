#include "desktop/desktop_channel.h"

#include <poll.h>
#include <sys/socket.h>

#include <array>
#include <cerrno>
#include <charconv>

namespace pathwick {
namespace {

// Far more than a path and a title need.
constexpr std::size_t kLongestPacket = 16 * 1024;

bool knownKind(char kind) {
    return std::string_view("FICPHK").find(kind) != std::string_view::npos;
}

std::string packetOf(DesktopMessage kind, std::string_view payload) {
    std::string packet(1, static_cast<char>(kind));
    packet += payload;
    return packet;
}

}  // namespace

bool sendPacket(int socket, DesktopMessage kind, std::string_view payload) {
    const std::string packet = packetOf(kind, payload);
    for (;;) {
        const ssize_t sent = ::send(socket, packet.data(), packet.size(), MSG_NOSIGNAL);
        if (sent == -1 && errno == EINTR) continue;  // interrupted before anything went
        return sent == static_cast<ssize_t>(packet.size());
    }
}

SendOutcome sendPacketBefore(int socket, DesktopMessage kind, std::string_view payload,
                             std::chrono::steady_clock::time_point deadline) {
    const std::string packet = packetOf(kind, payload);
    for (;;) {
        const ssize_t sent = ::send(socket, packet.data(), packet.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent != -1) return sent == static_cast<ssize_t>(packet.size()) ? SendOutcome::Sent : SendOutcome::Gone;
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) return SendOutcome::Gone;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return SendOutcome::Full;
        pollfd writable{socket, POLLOUT, 0};
        ::poll(&writable, 1, static_cast<int>(left.count()));
    }
}

std::optional<DesktopPacket> receivePacket(int socket) {
    std::array<char, kLongestPacket> buffer{};
    for (;;) {
        const ssize_t received = ::recv(socket, buffer.data(), buffer.size(), MSG_TRUNC);
        if (received < 0 && errno == EINTR) continue;
        if (received <= 0) return std::nullopt;
        const auto length = static_cast<std::size_t>(received);
        if (length > buffer.size() || !knownKind(buffer[0])) continue;
        return DesktopPacket{static_cast<DesktopMessage>(buffer[0]), std::string(buffer.data() + 1, length - 1)};
    }
}

int handleOf(std::string_view text) {
    int handle = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), handle);
    return error == std::errc() && end == text.data() + text.size() ? handle : 0;
}

std::string pictureRequest(std::string_view path, std::string_view title) {
    std::string request(path);
    request += '\0';
    request += title;
    return request;
}

PictureRequest pictureRequestOf(std::string_view payload) {
    const auto split = payload.find('\0');
    if (split == std::string_view::npos) return {payload, {}};
    return {payload.substr(0, split), payload.substr(split + 1)};
}

}  // namespace pathwick
