#pragma once
// Turns the raw bytes a terminal sends into the program's input events:
// characters as Windows-1252 bytes, extended keys as CHR$(0) + PC scan code,
// left presses of the mouse as clicks. Pure: the caller supplies the bytes
// and the time, and decides when an incomplete sequence has waited long
// enough (a lone Esc looks like the start of a sequence until then).
#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "console/terminal.h"

namespace pathwick {

class InputDecoder {
public:
    using Millis = std::chrono::milliseconds;

    // Two left presses on the same cell at most this far apart make a
    // double-click.
    static constexpr Millis kDoubleClickInterval{400};
    // How long the caller should wait for the rest of a sequence before
    // calling expirePending().
    static constexpr Millis kEscapeTimeout{25};

    // `utf8`: the terminal sends UTF-8; otherwise bytes from 160 up are taken
    // as Latin-1 characters.
    explicit InputDecoder(bool utf8 = true);

    // Decodes as much of the bytes (appended to anything still pending) as
    // possible. `now` is any steady time base; it dates mouse presses.
    void feed(std::string_view bytes, Millis now);

    // True while the start of a sequence waits for its remaining bytes.
    bool waitingForMore() const { return !pending_.empty() || skippingSequence_; }

    // Nothing more arrived in time: a lone Esc becomes the Esc key, ESC plus
    // a prefix byte becomes Alt plus that key, anything else incomplete is
    // dropped.
    void expirePending(Millis now);

    // The oldest decoded event not yet taken.
    std::optional<InputEvent> take();

private:
    struct Step {
        std::size_t consumed = 0;
        bool needMore{};
        std::optional<InputEvent> event;
    };

    void drain(bool expired, Millis now);
    Step decodeOne(std::string_view bytes, bool expired, Millis now);
    Step decodeEscape(std::string_view bytes, bool expired);
    Step decodeCsi(std::string_view bytes, bool expired, Millis now);
    Step decodeSs3(std::string_view bytes, bool expired);
    Step decodeNonAscii(std::string_view bytes, bool expired);
    std::optional<InputEvent> mousePress(int button, int column, int row, bool press, Millis now);
    void push(InputEvent event);

    bool utf8_;
    std::string pending_;
    // After an over-long control sequence: its remaining parameter bytes are
    // swallowed up to and including the final byte.
    bool skippingSequence_ = false;
    std::deque<InputEvent> events_;

    struct Press {
        int row = 0;
        int column = 0;
        Millis time{};
    };
    std::optional<Press> lastPress_;
};

}  // namespace pathwick
