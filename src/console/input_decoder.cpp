#include "console/input_decoder.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "console/cp1252.h"

namespace pathwick {
namespace {

constexpr unsigned char kEsc = 0x1B;
// Longest control sequence kept whole; longer ones are skipped to their end.
constexpr std::size_t kMaxSequence = 32;
constexpr std::size_t kMaxQueuedEvents = 512;

// Scan codes (PC set 1).
constexpr unsigned char kUp = 72, kDown = 80, kLeft = 75, kRight = 77;
constexpr unsigned char kHome = 71, kEnd = 79, kPageUp = 73, kPageDown = 81;
constexpr unsigned char kInsert = 82, kDelete = 83;
constexpr unsigned char kF1 = 59, kF11 = 87, kF12 = 88;

unsigned char byteAt(std::string_view bytes, std::size_t index) {
    return static_cast<unsigned char>(bytes[index]);
}

InputEvent keyOf(KeyEvent key) {
    InputEvent event;
    event.key = std::move(key);
    return event;
}

InputEvent charKey(unsigned char c) { return keyOf(KeyEvent(1, static_cast<char>(c))); }

InputEvent extended(unsigned char scanCode) { return keyOf(extendedKey(scanCode)); }

bool isLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The scan code of a letter key, as Alt + that key reports it.
unsigned char letterScanCode(unsigned char c) {
    static constexpr auto codes = std::to_array<unsigned char>({
        30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,  // A..M
        49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44,  // N..Z
    });
    static_assert(codes.size() == 26);
    const int index = (c >= 'a') ? c - 'a' : c - 'A';
    return codes.at(static_cast<std::size_t>(index));
}

// A single byte below 128 other than ESC, as the key it stands for.
std::optional<InputEvent> asciiKey(unsigned char c) {
    if (c == 0) return std::nullopt;  // Ctrl+Space: no character to report
    if (c == '\n' || c == '\r') return charKey(static_cast<unsigned char>(kEnterKey));
    if (c == 0x7F || c == 0x08) return charKey(static_cast<unsigned char>(kBackspaceKey));
    return charKey(c);
}

// The Windows-1252 byte of a code point beyond ASCII, if that character set has it.
std::optional<unsigned char> windows1252Of(char32_t codePoint) {
    if (codePoint < 0xA0) return std::nullopt;  // C1 controls
    if (codePoint <= 0xFF) return static_cast<unsigned char>(codePoint);
    for (unsigned b = 0x80; b < 0xA0; ++b) {
        if (cp1252ToUnicode(static_cast<unsigned char>(b)) == codePoint) {
            return static_cast<unsigned char>(b);
        }
    }
    return std::nullopt;
}

std::optional<InputEvent> printableKey(char32_t codePoint) {
    const auto byte = windows1252Of(codePoint);
    if (!byte) return std::nullopt;
    return charKey(*byte);
}

// The first number of a parameter string such as "1;5"; -1 when absent or
// too large for an int.
int firstParameter(std::string_view parameters) {
    int value = -1;
    const auto read = std::from_chars(parameters.data(), parameters.data() + parameters.size(), value);
    return read.ec == std::errc{} ? value : -1;
}

// The "ESC [ n ~" keys.
std::optional<InputEvent> tildeKey(int number) {
    switch (number) {
        case 1: case 7: return extended(kHome);
        case 2: return extended(kInsert);
        case 3: return extended(kDelete);
        case 4: case 8: return extended(kEnd);
        case 5: return extended(kPageUp);
        case 6: return extended(kPageDown);
        case 11: case 12: case 13: case 14: case 15:
            return extended(static_cast<unsigned char>(kF1 + number - 11));
        case 17: case 18: case 19: case 20: case 21:
            return extended(static_cast<unsigned char>(kF1 + 5 + number - 17));
        case 23: return extended(kF11);
        case 24: return extended(kF12);
        default: return std::nullopt;
    }
}

// Final bytes shared by CSI and SS3 forms: cursor keys, Home, End, F1-F4.
std::optional<InputEvent> letterFinalKey(unsigned char final) {
    switch (final) {
        case 'A': return extended(kUp);
        case 'B': return extended(kDown);
        case 'C': return extended(kRight);
        case 'D': return extended(kLeft);
        case 'H': return extended(kHome);
        case 'F': return extended(kEnd);
        case 'P': case 'Q': case 'R': case 'S':
            return extended(static_cast<unsigned char>(kF1 + final - 'P'));
        default: return std::nullopt;
    }
}

// The numeric keypad in application mode ("ESC O p" is 0 and so on).
std::optional<InputEvent> keypadKey(unsigned char final) {
    if (final == 'M') return charKey(static_cast<unsigned char>(kEnterKey));
    if (final == 'X') return charKey('=');
    if (final >= 'j' && final <= 'y') {
        static constexpr std::string_view keypad = "*+,-./0123456789";
        return charKey(static_cast<unsigned char>(keypad[final - 'j']));
    }
    return std::nullopt;
}

// Up to three numbers separated by ';' ("0;12;7"); false if malformed.
bool parseMouseNumbers(std::string_view text, std::array<int, 3>& numbers) {
    std::size_t index = 0;
    for (int& number : numbers) {
        if (index >= text.size() || text[index] < '0' || text[index] > '9') return false;
        number = 0;
        while (index < text.size() && text[index] >= '0' && text[index] <= '9') {
            if (number > 99999) return false;
            number = number * 10 + (text[index] - '0');
            ++index;
        }
        if (&number != &numbers.back()) {
            if (text.find(';', index) != index) return false;  // none there, or the text ends
            ++index;
        }
    }
    return index == text.size();
}

}  // namespace

InputDecoder::InputDecoder(bool utf8) : utf8_(utf8) {}

void InputDecoder::feed(std::string_view bytes, Millis now) {
    pending_.append(bytes);
    drain(false, now);
}

void InputDecoder::expirePending(Millis now) {
    skippingSequence_ = false;
    drain(true, now);
}

std::optional<InputEvent> InputDecoder::take() {
    if (events_.empty()) return std::nullopt;
    InputEvent event = std::move(events_.front());
    events_.pop_front();
    return event;
}

void InputDecoder::push(InputEvent event) {
    if (events_.size() < kMaxQueuedEvents) events_.push_back(std::move(event));
}

void InputDecoder::drain(bool expired, Millis now) {
    std::size_t start = 0;
    while (start < pending_.size()) {
        const std::string_view rest = std::string_view(pending_).substr(start);
        if (skippingSequence_) {
            const unsigned char c = byteAt(rest, 0);
            if (c >= 0x20 && c <= 0x7E) {
                ++start;
                if (c >= 0x40) skippingSequence_ = false;  // the final byte
                continue;
            }
            skippingSequence_ = false;
        }
        Step step = decodeOne(rest, expired, now);
        if (step.needMore) break;
        if (step.event) push(std::move(*step.event));
        start += step.consumed;
    }
    pending_.erase(0, start);
}

InputDecoder::Step InputDecoder::decodeOne(std::string_view bytes, bool expired, Millis now) {
    const unsigned char c = byteAt(bytes, 0);
    if (c == kEsc) {
        if (bytes.size() >= 2 && byteAt(bytes, 1) == '[') return decodeCsi(bytes, expired, now);
        return decodeEscape(bytes, expired);
    }
    if (c < 0x80) return Step{1, false, asciiKey(c)};
    return decodeNonAscii(bytes, expired);
}

InputDecoder::Step InputDecoder::decodeEscape(std::string_view bytes, bool expired) {
    if (bytes.size() == 1) {
        if (!expired) return Step{0, true, {}};
        return Step{1, false, charKey(kEsc)};
    }
    const unsigned char next = byteAt(bytes, 1);
    if (next == 'O') return decodeSs3(bytes, expired);
    // Two Esc presses in a row: the first stands alone.
    if (next == kEsc) return Step{1, false, charKey(kEsc)};
    // Alt + a letter key reports the key's scan code, Alt + anything else
    // the character itself.
    if (isLetter(next)) return Step{2, false, extended(letterScanCode(next))};
    if (next < 0x80) return Step{2, false, asciiKey(next)};
    return Step{1, false, {}};  // Alt + a non-ASCII character: the character
}

InputDecoder::Step InputDecoder::decodeCsi(std::string_view bytes, bool expired, Millis now) {
    if (bytes.size() == 2) {
        if (!expired) return Step{0, true, {}};
        return Step{2, false, charKey('[')};  // Alt + [
    }
    // X10 mouse report: ESC [ M and three raw bytes.
    if (byteAt(bytes, 2) == 'M') {
        if (bytes.size() < 6) return expired ? Step{bytes.size(), false, {}} : Step{0, true, {}};
        const int button = byteAt(bytes, 3) - 32;
        return Step{6, false,
                    mousePress(button, byteAt(bytes, 4) - 32, byteAt(bytes, 5) - 32, true, now)};
    }
    // Linux console F1-F5: ESC [ [ A .. ESC [ [ E.
    if (byteAt(bytes, 2) == '[') {
        if (bytes.size() < 4) return expired ? Step{bytes.size(), false, {}} : Step{0, true, {}};
        const unsigned char key = byteAt(bytes, 3);
        if (key >= 'A' && key <= 'E') {
            return Step{4, false, extended(static_cast<unsigned char>(kF1 + key - 'A'))};
        }
        return Step{3, false, {}};
    }
    std::size_t index = 2;
    while (index < bytes.size()) {
        const unsigned char c = byteAt(bytes, index);
        if (c >= 0x40 && c <= 0x7E) break;
        // A byte that cannot belong to a sequence ends it unfinished; it is
        // decoded on its own.
        if (c < 0x20 || c > 0x3F) return Step{index, false, {}};
        if (index >= kMaxSequence) {
            skippingSequence_ = true;
            return Step{index, false, {}};
        }
        ++index;
    }
    if (index == bytes.size()) {
        return expired ? Step{bytes.size(), false, {}} : Step{0, true, {}};
    }
    const unsigned char final = byteAt(bytes, index);
    const std::string_view parameters = bytes.substr(2, index - 2);
    Step step{index + 1, false, {}};
    if (!parameters.empty() && parameters.front() == '<') {
        std::array<int, 3> numbers{};
        if ((final == 'M' || final == 'm') && parseMouseNumbers(parameters.substr(1), numbers)) {
            step.event = mousePress(numbers[0], numbers[1], numbers[2], final == 'M', now);
        }
        return step;
    }
    for (char c : parameters) {
        if (c < '0' || c > ';') return step;  // other private sequences, intermediates: unknown
    }
    if (final == '~') {
        step.event = tildeKey(firstParameter(parameters));
    } else if (final == 'Z') {
        step.event = charKey(static_cast<unsigned char>(kTabKey));  // Shift+Tab
    } else {
        step.event = letterFinalKey(final);
    }
    return step;
}

InputDecoder::Step InputDecoder::decodeSs3(std::string_view bytes, bool expired) {
    // ESC O, optional modifier digits, one final byte.
    const std::size_t index = std::min({bytes.find_first_not_of("0123456789;", 2), bytes.size(), std::size_t{8}});
    if (index == bytes.size()) {
        if (!expired) return Step{0, true, {}};
        // Alone, Alt + O
        return Step{index, false, index == 2 ? std::optional(extended(letterScanCode('O'))) : std::nullopt};
    }
    const unsigned char final = byteAt(bytes, index);
    if (final < 0x40 || final > 0x7E) {
        if (index == 2) return Step{2, false, extended(letterScanCode('O'))};
        return Step{index, false, {}};
    }
    auto event = letterFinalKey(final);
    if (!event) event = keypadKey(final);
    return Step{index + 1, false, std::move(event)};
}

InputDecoder::Step InputDecoder::decodeNonAscii(std::string_view bytes, bool expired) {
    const unsigned char lead = byteAt(bytes, 0);
    if (!utf8_) return Step{1, false, lead >= 0xA0 ? std::optional(charKey(lead)) : std::nullopt};

    std::size_t length = 0;
    char32_t codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return Step{1, false, {}};  // stray continuation or invalid lead byte
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (i >= bytes.size()) return expired ? Step{i, false, {}} : Step{0, true, {}};
        const unsigned char c = byteAt(bytes, i);
        if ((c & 0xC0) != 0x80) return Step{i, false, {}};  // broken: decode c anew
        codePoint = (codePoint << 6) | (c & 0x3F);
    }
    // An overlong form could pass off a plain character (an overlong "/"):
    // refused. Surrogates and code points beyond Unicode have no
    // Windows-1252 byte, so printableKey drops them with every other
    // character that has none.
    static constexpr auto smallest = std::to_array<char32_t>({0, 0, 0x80, 0x800, 0x10000});
    if (codePoint < smallest.at(length)) return Step{length, false, {}};
    return Step{length, false, printableKey(codePoint)};
}

std::optional<InputEvent> InputDecoder::mousePress(int button, int column, int row, bool press,
                                                   Millis now) {
    // Bits 4, 8 and 16 are Shift, Meta and Ctrl; anything else beyond the
    // button number is motion, the wheel or extra buttons.
    if (!press || (button & ~(4 | 8 | 16)) != 0 || column < 1 || row < 1) return std::nullopt;
    InputEvent event;
    event.kind = InputEvent::Kind::Click;
    event.row = row;
    event.column = column;
    if (lastPress_ && lastPress_->row == row && lastPress_->column == column &&
        now - lastPress_->time <= kDoubleClickInterval && now >= lastPress_->time) {
        event.doubleClick = true;
        lastPress_.reset();
    } else {
        lastPress_ = Press{row, column, now};
    }
    return event;
}

}  // namespace pathwick
