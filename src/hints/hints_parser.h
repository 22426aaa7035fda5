#pragma once
// The rules of hints.txt on bytes already read, with no file access, so that
// they can be tested and fuzzed on their own. The file is user-edited and may
// hold anything: every routine here is linear in the input and keeps only
// views into it (plus at most one hint text).
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pathwick {

inline constexpr std::size_t kHintTextLimit = 1425;

// Reads the lines of the file one at a time. A line ends at CR LF, at a
// lone CR or at a lone LF (files written on Linux end their lines with LF
// only); a Ctrl-Z byte ends the file. A last line without an end is a line
// as well.
class HintLineReader {
public:
    explicit HintLineReader(std::string_view bytes);
    // The next line, or nothing at the end of the file.
    std::optional<std::string_view> next();

private:
    std::string_view rest_;
};

// The IDs of the lines that offer a "Hint" prompt, in file order, at most
// `limit` of them: a line that is not a comment, whose first ": " comes
// before its first "]"; the ID is the text before that ": ".
std::vector<std::string_view> IndexedHintIds(std::string_view bytes, std::size_t limit);

struct HintEntry {
    std::string text;         // trimmed, at most kHintTextLimit bytes, picture reference removed
    std::string pictureName;  // the name after "~Figure ", trimmed; empty when none
};

// The hint of the first line whose text before its first ":" equals `id`.
// An empty `id` matches nothing.
std::optional<HintEntry> FindHint(std::string_view bytes, std::string_view id);

// A picture name that stays inside the Figures folder: not empty, not "."
// or "..", no slash, no backslash and no control character.
bool IsSafePictureName(std::string_view name);

}  // namespace pathwick
