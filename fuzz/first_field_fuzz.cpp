// FirstField (the field a typed line yields) on any bytes: the result is a
// piece of the line, a quoted field holds no quote, and a plain field holds no
// comma and no blank at either end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "console/first_field.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const std::string field = pathwick::FirstField(line);

    check(line.find(field) != std::string_view::npos);
    const auto start = line.find_first_not_of(' ');
    const bool quoted = start != std::string_view::npos && line[start] == '"';
    if (quoted) {
        check(field.find('"') == std::string::npos);
        check(line.compare(start + 1, field.size(), field) == 0);
    } else {
        check(field.find(',') == std::string::npos);
        check(field.empty() || (field.front() != ' ' && field.back() != ' '));
        if (start != std::string_view::npos) check(line.compare(start, field.size(), field) == 0);
    }
    return 0;
}
