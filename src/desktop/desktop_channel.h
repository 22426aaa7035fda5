#pragma once
// The messages between the program and its desktop helper process (the
// program `pathwick-desktop`, which runs the SDL desktop). They travel over a
// SOCK_SEQPACKET socket, one message per packet: a kind byte, then the
// payload. The program asks (Figure, Picture, Close, Play); the helper
// answers each Figure and Picture with Handle, and sends Key whenever a key
// reaches one of its windows.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace pathwick {

inline constexpr char kDesktopHelperName[] = "pathwick-desktop";
// The helper finds its end of the socket here.
inline constexpr int kDesktopChannelDescriptor = 3;

enum class DesktopMessage : char {
    Figure = 'F',   // the figure marker
    Picture = 'I',  // the file path, a NUL byte, the title
    Close = 'C',    // the window handle in decimal
    Play = 'P',     // the sound's name
    Handle = 'H',   // the new window's handle in decimal, 0 for none
    Key = 'K',      // the KeyEvent's bytes
};

struct DesktopPacket {
    DesktopMessage kind;
    std::string payload;
};

// False when the other end is gone. Never raises SIGPIPE.
bool sendPacket(int socket, DesktopMessage kind, std::string_view payload);

enum class SendOutcome { Sent, Gone, Full };
// Waits at most until `deadline` for room in the socket: Full when the other
// end does not read, so that a stalled reader cannot stall the sender.
SendOutcome sendPacketBefore(int socket, DesktopMessage kind, std::string_view payload,
                             std::chrono::steady_clock::time_point deadline);
// Waits for the next packet; nothing when the other end is gone or the
// socket fails. Packets too long or of unknown kind are skipped.
std::optional<DesktopPacket> receivePacket(int socket);

// A decimal handle, 0 for anything else.
int handleOf(std::string_view text);

// The payload of a Picture request, and the file path and title it carries
// (no title when the NUL byte is missing), as views into the payload.
std::string pictureRequest(std::string_view path, std::string_view title);
struct PictureRequest {
    std::string_view path;
    std::string_view title;
};
PictureRequest pictureRequestOf(std::string_view payload);

}  // namespace pathwick
