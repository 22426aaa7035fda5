// Feeds arbitrary bytes to the terminal input decoder in pieces whose sizes
// come from the input itself, with timeouts in between, and checks that every
// event it produces is well formed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "console/input_decoder.h"

namespace {

void check(const pathwick::InputEvent& event) {
    using Kind = pathwick::InputEvent::Kind;
    if (event.kind == Kind::Click) {
        if (event.row < 1 || event.column < 1 || !event.key.empty()) std::abort();
    } else if (event.kind == Kind::Key) {
        const std::size_t size = event.key.size();
        if (size == 1 && event.key[0] == '\0') std::abort();
        if (size == 2 && event.key[0] != '\0') std::abort();
        if (size != 1 && size != 2) std::abort();
    } else {
        std::abort();  // the decoder never reports the end of input
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    pathwick::InputDecoder decoder(data[0] & 1);
    std::chrono::milliseconds now{0};
    std::size_t index = 1;
    while (index < size) {
        // The first byte of each piece: its length (low 4 bits), whether the
        // escape timeout passes after it, and how much time goes by.
        const std::uint8_t control = data[index++];
        const std::size_t length = std::min<std::size_t>(control & 0x0F, size - index);
        decoder.feed(std::string_view(reinterpret_cast<const char*>(data + index), length), now);
        index += length;
        now += std::chrono::milliseconds((control >> 5) * 60);
        if (control & 0x10) decoder.expirePending(now);
        while (auto event = decoder.take()) check(*event);
    }
    decoder.expirePending(now);
    while (auto event = decoder.take()) check(*event);
    if (decoder.waitingForMore()) std::abort();  // an expired decoder holds nothing back
    return 0;
}
