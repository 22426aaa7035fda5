#include "console/cp1252.h"

namespace pathwick {

// Placeholder until the real conversion lands.
char32_t cp1252ToUnicode(unsigned char byte) { return byte; }
std::string cp1252ToUtf8(std::string_view text) { return std::string(text); }
std::string utf8Of(char32_t codePoint) { return std::string(1, static_cast<char>(codePoint)); }

}  // namespace pathwick
