#include "console/first_field.h"

#include "console/text_values.h"

namespace pathwick {

std::string FirstField(std::string_view line) {
    const std::string_view field = trimLeadingBlanks(line);
    if (!field.empty() && field.front() == '"') {
        const std::string_view quoted = field.substr(1);
        return std::string(quoted.substr(0, quoted.find('"')));
    }
    return std::string(trimTrailingBlanks(field.substr(0, field.find(','))));
}

}  // namespace pathwick
