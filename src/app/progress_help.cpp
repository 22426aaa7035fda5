#include "app/progress_help.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "console/text_values.h"
#include "console/palette.h"

namespace pathwick {
namespace {

constexpr std::size_t kPathWidth = 94;
constexpr int kPathLinesMost = 3;

// A file name as the screen's Windows-1252 text: ASCII and the Latin-1
// letters (two UTF-8 bytes from C2 A0 to C3 BF) kept, any other character
// shown as one "?".
std::string screenTextOf(std::string_view utf8) {
    std::string text;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            text.push_back(static_cast<char>(byte));
        } else if ((byte == 0xC2 || byte == 0xC3) && i + 1 < utf8.size()) {
            const int point = ((byte & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F);
            text.push_back(point >= 0xA0 ? static_cast<char>(point) : '?');
        } else if ((byte & 0xC0) != 0x80) {
            text.push_back('?');  // the lead byte of any other character; its other bytes are skipped
        }
    }
    return text;
}

std::vector<std::string> helpLines(const PoolEdition& edition, const Progress& progress) {
    const std::string groups = plainNumberText(static_cast<long long>(edition.groups.size()));
    const std::string exam = plainNumberText(edition.examQuestions);
    const std::string passMark = plainNumberText(edition.passMark);
    std::vector<std::string> lines = {
        "",
        "  How the chance to pass is computed",
        "",
        "  Every answer you give in a drill or a practice test is kept. From the answers to a question",
        "  Pathwick works out how well you remember it and how fast that memory fades: the longer since",
        "  you last answered it, the lower the chance that you still know it. What you do not remember you",
        "  can still guess, and a guess is right one time in four. A question you have never answered",
        "  counts with how often your first answers to new questions were right.",
        "",
        "  The exam asks one question from each group of the pool (" + groups + " groups). The chance to get a",
        "  group's question right is the mean of the chances of its questions. The chance to pass is the",
        "  chance that at least " + passMark + " of the " + exam + " groups come out right; the expected score is the sum",
        "  of the groups' chances, and the same sums for each subelement show where the points are lost.",
        "",
        "  A question is solid when its chance of a right answer is 90 % or more now.",
        "",
        "  Review (R on the menu) asks first the questions whose answer adds most to the expected score on",
        "  the exam day: noon of the day given with --exam-date, or else now. A question is due when it has",
        "  been answered before and its chance on the exam day is below 90 %. Its answers are kept too.",
        "",
        "  An answer given while Peek shows the key is not kept; one given after H showed the answer",
        "  counts as wrong. Study mode keeps nothing.",
        "",
        "  The answers are kept in this file, an SQLite database with one row for each answer in its",
        "  table \"answers\":",
    };
    const std::string path = screenTextOf(progress.file().string());
    for (std::size_t at = 0, shown = 0; at < path.size() && shown < kPathLinesMost; at += kPathWidth, ++shown)
        lines.push_back("    " + path.substr(at, kPathWidth));
    lines.insert(lines.end(), {
        "",
        "  To start over, end Pathwick and remove that file; the next start with --remember begins a new",
        "  one.",
        "",
        "  Press any key to go back.",
    });
    return lines;
}

}  // namespace

void ShowProgressHelp(ScreenLayer& screen, const PoolEdition& edition, const Progress& progress) {
    screen.setColor(kPageForeground, kPageBackground);
    screen.clearScreen();
    int row = 0;
    for (const std::string& line : helpLines(edition, progress)) {
        screen.locate(++row, 1);
        screen.setColor(row == 2 ? kHeadingForeground : kPageForeground, kPageBackground);
        screen.printText(line);
    }
    screen.setColor(kPageForeground, kPageBackground);
    screen.waitKey();  // any key or click goes back; it is not passed on
}

}  // namespace pathwick
