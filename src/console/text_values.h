#pragma once
// Numbers as the program reads and writes them in text.
#include <string>
#include <string_view>

namespace pathwick {

// The numeric value of a text: leading blanks skipped, then an optional sign,
// digits with an optional decimal fraction; 0 when no number starts there.
double valueOf(std::string_view text);

// valueOf truncated to a whole number and held within the range of int, so
// that a count read from any text is safe to use.
int wholeValueOf(std::string_view text);

// Decimal text of a whole number with the sign position: one blank before a
// non-negative number (" 35"), "-" before a negative one.
std::string numberText(long long value);

// Decimal text without any blank ("35").
std::string plainNumberText(long long value);

// The last `width` decimal digits of a non-negative number, with leading
// zeros ("07", "0042"), as clocks and dates show their fields.
std::string lastDigits(long long value, int width);

// A single-precision number as printNumber shows it, without the blanks:
// up to 7 significant digits, no trailing zeros, no leading zero before the
// decimal point ("74.29", "100", ".5", "-2").
std::string singleText(float value);

// A number to one decimal, "27.3", as expected scores show.
std::string oneDecimalText(double value);

// A chance (0 to 1, clamped) to the nearest whole per cent, "64 %".
std::string percentText(double chance);

// Upper-cases ASCII letters; other bytes unchanged.
std::string upperCase(std::string_view text);

// Text without its leading and trailing blanks (character 32 only).
std::string_view trimBlanks(std::string_view text);
std::string_view trimLeadingBlanks(std::string_view text);
std::string_view trimTrailingBlanks(std::string_view text);

}  // namespace pathwick
