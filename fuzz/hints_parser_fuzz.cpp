// Feeds arbitrary bytes to the hints.txt rules: the index, the lookup of an
// ID taken from the input itself and of a fixed one, and the picture-name
// check. Any crash, hang or broken invariant is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "support/hints_parser.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

void lookUp(std::string_view bytes, std::string_view id) {
    const auto hint = pathwick::FindHint(bytes, id);
    if (!hint) return;
    check(hint->text.size() <= pathwick::kHintTextLimit);
    check(hint->text.find("~Figure ") == std::string_view::npos);
    if (pathwick::IsSafePictureName(hint->pictureName)) {
        check(hint->pictureName.find('/') == std::string_view::npos);
        check(hint->pictureName != "..");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const auto ids = pathwick::IndexedHintIds(bytes, 640);
    check(ids.size() <= 640);
    for (std::string_view id : ids) check(id.find(": ") == std::string_view::npos);

    lookUp(bytes, "T1A01");
    lookUp(bytes, bytes.substr(0, 5));
    if (!ids.empty()) lookUp(bytes, ids.front());
    return 0;
}
