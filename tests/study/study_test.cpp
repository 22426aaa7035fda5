// Study mode look-ups walked through the program loop.
#include <gtest/gtest.h>

#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

TEST(StudyMode, TypedIdsAndWhatFollows) {
    const std::pair<const char*, const char*> cases[] = {
        {"t9a04", "T9A04"},        {"   T9A04   ", "T9A04"},  {"T9A04,x", "T9A04"}, {"\"T9A04\"", "T9A04"},
        {"T6C02 Figure:T1", "?"},  {"T9A4", "?"},            {"T9A99", "?"},       {"XYZ", "?"},
        {"", "menu"},              {"   ", "menu"},          {",T9A04", "menu"},
    };
    for (const auto& [typed, shown] : cases) {
        ProgramRig rig;
        rig.terminal.type("sx").type(typed).enter();
        rig.run();
        const std::string found = textAt(rig.screen, 2, 23, 5);
        const std::string result = textAt(rig.screen, 6, 33, 3) == "<<<" ? "menu"
                                   : textAt(rig.screen, 1, 1, 9) == "Question " ? "?" : found;
        EXPECT_EQ(result, shown) << typed;
    }
    const std::pair<const char*, const char*> afterNotFound[] = {{"q", "menu"}, {"Q", "menu"}, {"x", "prompt"}};
    for (const auto& [key, next] : afterNotFound) {
        ProgramRig rig;
        rig.run("s x T9A99 <cr> " + std::string(key));
        EXPECT_EQ(textAt(rig.screen, 6, 33, 3) == "<<<" ? "menu" : textAt(rig.screen, 20, 20, 5) == "Enter" ? "prompt" : "",
                  std::string(next)) << key;
    }
}

}  // namespace
}  // namespace pathwick::testing
