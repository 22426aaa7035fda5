#include "progress/utc_text.h"

#include "console/text_values.h"

namespace pathwick {
namespace {

using namespace std::chrono;

// The unsigned number of exactly `width` digits at `position`, which then moves past it.
std::optional<int> digits(std::string_view text, std::size_t& position, std::size_t width) {
    if (position + width > text.size()) return std::nullopt;
    int value = 0;
    for (std::size_t i = position; i < position + width; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    position += width;
    return value;
}

bool skip(std::string_view text, std::size_t& position, std::string_view oneOf) {
    if (text.find_first_of(oneOf, position) != position) return false;  // none there, or the text ends
    ++position;
    return true;
}

// ".sss" (one to nine digits) as milliseconds, or 0 when there is none.
std::optional<int> fraction(std::string_view text, std::size_t& position) {
    if (!skip(text, position, ".")) return 0;
    int milliseconds = 0;
    std::size_t count = 0;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position, ++count) {
        if (count < 3) milliseconds = milliseconds * 10 + (text[position] - '0');
    }
    if (count == 0 || count > 9) return std::nullopt;
    for (; count < 3; ++count) milliseconds *= 10;
    return milliseconds;
}

}  // namespace

std::string UtcText(UtcTime moment) {
    const sys_days day = floor<days>(moment);
    const year_month_day date{day};
    const hh_mm_ss time{moment - day};
    return lastDigits(int(date.year()), 4) + "-" + lastDigits(unsigned(date.month()), 2) + "-" +
           lastDigits(unsigned(date.day()), 2) + "T" + lastDigits(time.hours().count(), 2) + ":" +
           lastDigits(time.minutes().count(), 2) + ":" + lastDigits(time.seconds().count(), 2) + "." +
           lastDigits(time.subseconds().count(), 3) + "Z";
}

std::optional<UtcTime> ParseUtcText(std::string_view text) {
    std::size_t at = 0;
    const auto y = digits(text, at, 4);
    const bool dash1 = skip(text, at, "-");
    const auto mo = digits(text, at, 2);
    const bool dash2 = skip(text, at, "-");
    const auto d = digits(text, at, 2);
    const bool separator = skip(text, at, "T ");
    const auto h = digits(text, at, 2);
    const bool colon1 = skip(text, at, ":");
    const auto mi = digits(text, at, 2);
    const bool colon2 = skip(text, at, ":");
    const auto s = digits(text, at, 2);
    if (!(y && dash1 && mo && dash2 && d && separator && h && colon1 && mi && colon2 && s)) return std::nullopt;
    const auto ms = fraction(text, at);
    skip(text, at, "Z");
    if (!ms || at != text.size() || *h > 23 || *mi > 59 || *s > 59) return std::nullopt;
    const year_month_day date{year{*y}, month{unsigned(*mo)}, day{unsigned(*d)}};
    if (!date.ok()) return std::nullopt;
    return sys_days{date} + hours{*h} + minutes{*mi} + seconds{*s} + milliseconds{*ms};
}

}  // namespace pathwick
