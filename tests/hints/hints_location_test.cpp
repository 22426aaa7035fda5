// Where the hints file is looked for: the search order from the environment
// and the program's location, and the choice on a folder tree of its own.
#include <gtest/gtest.h>

#include "hints/hints_location.h"
#include "support/screen_test.h"

namespace pathwick::testing {
namespace {

TEST(HintsLocation, SearchOrderFromEnvironmentAndProgramLocation) {
    struct Case { std::string_view home, dataHome, dataDirs, executable, folders; };
    const Case cases[] = {
        {"/h", "", "", "/opt/pw/bin/pathwick", ". /h/.local/share/pathwick /usr/local/share/pathwick /usr/share/pathwick /opt/pw/share/pathwick"},
        {"/h", "/d/", "/a:rel::/b/", "", ". /d/pathwick /a/pathwick /b/pathwick"},
        {"/h", "rel", "rel", "/src/build/pathwick", ". /h/.local/share/pathwick /src"},
        {"h", "", "", "pathwick", ". /usr/local/share/pathwick /usr/share/pathwick"},
    };
    for (const Case& c : cases) {
        std::string folders;
        for (const auto& folder : HintsSearchFolders({c.home, c.dataHome, c.dataDirs, c.executable,
                                                      "/src/build", "/src", "../share/pathwick"}))
            folders += (folders.empty() ? "" : " ") + folder.string();
        EXPECT_EQ(folders, c.folders);
    }
}

TEST(HintsLocation, FirstFolderWithTheFileAsRegularFileWins) {
    TempDirectory tree;
    const std::vector<std::filesystem::path> folders{tree.path() / "a", tree.path() / "b", tree.path() / "c"};
    std::filesystem::create_directories(folders[0] / "hints.txt");
    for (const char* file : {"b/hints.txt", "c/hints.txt", "c/hints-2026-2030.txt"}) tree.write(file, "");
    EXPECT_EQ(FindHintsDirectory(folders, "hints.txt"), folders[1]);
    EXPECT_EQ(FindHintsDirectory(folders, "hints-2026-2030.txt"), folders[2]);
    EXPECT_EQ(FindHintsDirectory(folders, "hints-extra-2024-2028.txt"), ".");
}

}  // namespace
}  // namespace pathwick::testing
