#pragma once
#include <string>
#include <string_view>

namespace pathwick {

// The Unicode code point of a Windows-1252 byte (undefined bytes map to
// their C1 control code points, as Windows does).
char32_t cp1252ToUnicode(unsigned char byte);

// Windows-1252 text as UTF-8.
std::string cp1252ToUtf8(std::string_view text);

// One code point as UTF-8.
std::string utf8Of(char32_t codePoint);

}  // namespace pathwick
