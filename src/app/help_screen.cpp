#include "app/help_screen.h"

#include <string>
#include <string_view>

namespace pathwick {
namespace {

// Entry k (from 0) stands on row k + 1. The edition replaces the rows that
// name the class and the pool's dates.
constexpr std::string_view kHelpLines[] = {
    "",
    "  Welcome the Amateur Radio Technician Exam Practice Program.  This program will help you to",
    "  prepare for the Amateur Technician Test.  This program allows you to choose which sub element",
    "  of the test you would like to prepare for.  This practice program is intended to look and act",
    "  like the official ARRL test except in how it selects questions.",
    "",
    "  The program will present questions in a random order or sequential order from the sub element",
    "  you choose.  If you answer a question incorrectly the program will tell you and then move on",
    "  to the next question.  The test will continue until you have answered all questions correctly",
    "  or you can stop the drill at any point.  Once you have completed a sub element by answering",
    "  all the questions correctly you can go back to the main menu and select another sub element to",
    "  drill on.",
    "",
    "  You can use your mouse to select the correct answer in the lower left corner of the screen by",
    "  clicking on A-D.  However I have found it faster to type in the answer from the keyboard.  You",
    "  can toggle the peek feature on or off by tapping the spacebar.  Included in this program is",
    "  the ability to actually take a practice test.  The practice test is intended to mimic the",
    "  actual ARRL test.",
    "",
    "  I hope you enjoy this program.  If you have any questions, comments, or if you find any errors",
    "  or software bugs please let us know.  All references to pages and figures can be found in the",
    "  ARRL's Technician Class study guide.  Questions are from the question Pool for Technician",
    "  Class Exam, effective",
    "",
    "                       The Pathwick Team (N0CALL)  email: pathwick@example.org",
    "",
    " A note about the equations:  Where possible I have converted the equations that are presented",
    " in the study guide into formulas as they would appear in Microsoft Excel.  For example:",
    " Square Root is shpwn as SQRT() and the anti-log which in the book is shown as log raised to",
    " the power of -1 is converted into 10^n (10 raised to the power of n).",
    " ",
    " You can use the mouse or the keyboard for input.  The following keys can be used:",
    " A=answer A, B=answer B, C=answer C, D=answer D",
    " S=Stop the drill and select another module,  [Space Bar]=Toggle Peek.  If Peek is on then the",
    " Answer will appear in the top left of the screen next to the question ID.",
    " If the Hint prompt is showing pressing the H key will Display Hint.",
};

}  // namespace

void ShowHelpScreen(ScreenLayer& screen, const PoolEdition& edition) {
    screen.clearScreen();
    int row = 0;
    for (std::string_view line : kHelpLines) {
        ++row;
        for (const HelpLine& own : edition.helpLines) {
            if (own.row == row) line = own.text;
        }
        screen.printText(line);
        screen.newLine();
    }
    screen.waitKey();  // any key or click closes the page; it is not passed on
    screen.clearScreen();
}

}  // namespace pathwick
