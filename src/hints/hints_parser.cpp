#include "hints/hints_parser.h"

namespace pathwick {

namespace {

constexpr char kEndOfFile = '\x1A';
constexpr std::string_view kPictureReference = "~Figure ";

// Blanks (character 32) only, as the file format defines them.
std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// A comment line counts as an empty line.
std::string_view withoutComment(std::string_view line) {
    return !line.empty() && line.front() == '\'' ? std::string_view{} : line;
}

// The ID of a line that belongs in the index, if it does.
std::optional<std::string_view> indexedId(std::string_view line) {
    line = withoutComment(line);
    const auto bracket = line.find(']');
    if (bracket == std::string_view::npos) return std::nullopt;
    const std::string_view kept = line.substr(0, bracket + 1);
    const auto separator = kept.find(": ");
    if (separator == std::string_view::npos) return std::nullopt;
    return kept.substr(0, separator);
}

HintEntry entryOf(std::string_view line) {
    const auto separator = line.find(": ");
    std::string_view text = separator == std::string_view::npos ? line : line.substr(separator + 2);
    text = trimmed(text).substr(0, kHintTextLimit);
    HintEntry entry;
    const auto reference = text.find(kPictureReference);
    if (reference != std::string_view::npos) {
        entry.pictureName = trimmed(text.substr(reference + kPictureReference.size()));
        text = text.substr(0, reference);
    }
    entry.text = text;
    return entry;
}

}  // namespace

HintLineReader::HintLineReader(std::string_view bytes)
    : rest_(bytes.substr(0, bytes.find(kEndOfFile))) {}

std::optional<std::string_view> HintLineReader::next() {
    if (rest_.empty()) return std::nullopt;
    const auto end = rest_.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        const std::string_view line = rest_;
        rest_ = {};
        return line;
    }
    const std::string_view line = rest_.substr(0, end);
    rest_.remove_prefix(rest_.substr(end).starts_with("\r\n") ? end + 2 : end + 1);
    return line;
}

std::vector<std::string_view> IndexedHintIds(std::string_view bytes, std::size_t limit) {
    std::vector<std::string_view> ids;
    HintLineReader reader(bytes);
    while (ids.size() < limit) {
        const auto line = reader.next();
        if (!line) break;
        if (auto id = indexedId(*line)) ids.push_back(*id);
    }
    return ids;
}

std::optional<HintEntry> FindHint(std::string_view bytes, std::string_view id) {
    if (id.empty()) return std::nullopt;
    HintLineReader reader(bytes);
    while (const auto next = reader.next()) {
        const std::string_view line = withoutComment(*next);
        const auto colon = line.find(':');
        if (colon != std::string_view::npos && line.substr(0, colon) == id) return entryOf(line);
    }
    return std::nullopt;
}

bool IsSafePictureName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (unsigned char c : name) {
        if (c < 32 || c == 127 || c == '/' || c == '\\') return false;
    }
    return true;
}

}  // namespace pathwick
