#include "console/text_values.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

namespace pathwick {

double valueOf(std::string_view text) {
    const auto digit = [&text] { return !text.empty() && std::isdigit(static_cast<unsigned char>(text.front())); };
    text = trimLeadingBlanks(text);
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) text.remove_prefix(1);
    double value = 0.0;
    for (; digit(); text.remove_prefix(1)) value = value * 10.0 + (text.front() - '0');
    if (text.starts_with('.')) {
        text.remove_prefix(1);
        for (double scale = 0.1; digit(); scale /= 10.0, text.remove_prefix(1)) value += (text.front() - '0') * scale;
    }
    return negative ? -value : value;
}

int wholeValueOf(std::string_view text) {
    const double value = std::trunc(valueOf(text));
    constexpr double kLowest = std::numeric_limits<int>::min();
    constexpr double kHighest = std::numeric_limits<int>::max();
    if (value <= kLowest) return std::numeric_limits<int>::min();
    if (value >= kHighest) return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

std::string numberText(long long value) {
    return value < 0 ? plainNumberText(value) : " " + plainNumberText(value);
}

std::string plainNumberText(long long value) { return std::to_string(value); }

std::string lastDigits(long long value, int width) {
    std::string text(static_cast<std::size_t>(width), '0');
    for (auto digit = text.rbegin(); digit != text.rend(); ++digit, value /= 10)
        *digit = static_cast<char>('0' + value % 10);
    return text;
}

std::string singleText(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(value));
    std::string text = buffer;
    // Drop a leading zero before the decimal point, as BASIC prints ".5".
    if (text.rfind("0.", 0) == 0) text.erase(0, 1);
    if (text.rfind("-0.", 0) == 0) text.erase(1, 1);
    return text;
}

std::string oneDecimalText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string percentText(double chance) {
    return plainNumberText(std::lround(std::clamp(chance, 0.0, 1.0) * 100)) + " %";
}

std::string upperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

std::string_view trimLeadingBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

std::string_view trimTrailingBlanks(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

std::string_view trimBlanks(std::string_view text) {
    return trimTrailingBlanks(trimLeadingBlanks(text));
}

}  // namespace pathwick
