// The question pool effective 7/01/2018-6/30/2022, the program's default.
#include "bank/pool_edition.h"
#include "pool_2018_2022_blocks.inc"

namespace pathwick {
namespace {

// Windows-1252: 0x96 is the en dash, 0x97 the em dash, 0x92 the right single
// quote. Some lines use the en dash, others a plain hyphen, as designed.
constexpr std::string_view kFigures[] = {"T1", "T2", "T3"};
constexpr HelpLine kHelpLines[] = {{23, "  Class Exam, effective 7/01/2018-6/30/2022"}};

constexpr PoolEdition kEdition{
    .className = "Technician",
    .years = "2018-2022",
    .commandLineNames = {"2018", "2018-2022"},
    .blocks = generated::pool_2018_2022::kBlocks,
    .groups = generated::pool_2018_2022::kGroups,
    .examQuestions = 35,
    .passMark = 26,
    .figures = kFigures,
    .windowTitleSuffix = "",
    .menuTitle = "                       <<< Pathwick >>>",
    .menuLines = {
        "0. SUBELEMENT T0 \x96 Electrical Safety \x96 [3 Exam Questions - 3 Groups]",
        "1. SUBELEMENT T1 \x96 FCC Rules [6 Exam Questions - 6 Groups]",
        "2. SUBELEMENT T2 - Operating Procedures - [3 Exam Questions - 3 Groups]",
        "3. SUBELEMENT T3 \x96 Radio Wave Characteristics \x96 [3 Exam Questions - 3 Groups]",
        "4. SUBELEMENT T4 - Amateur Radio Practices \x96 [2 Exam Questions - 2 Groups]",
        "5. SUBELEMENT T5 \x96 Electrical Principles - [4 Exam Questions - 4 Groups]",
        "6. SUBELEMENT T6 \x96 Electrical Components - [4 Exam Questions - 4 Groups]",
        "7. SUBELEMENT T7 \x96 Station Equipment - [4 Exam Questions - 4 Groups]",
        "8. SUBELEMENT T8 \x96 Modulation Modes - [4 Exam Questions - 4 Groups]",
        "9. SUBELEMENT T9 \x96 Antennas and Feed Lines - [2 Exam Questions - 2 Groups]",
    },
    .descriptionLines = {
        "Module T0 \x96 Electrical Safety: AC and DC power circuits; antenna installation; RF "
        "hazards \x96 [3 Questions, 3 Groups]",
        "Module T1 \x97 FCC Rules: Descriptions, and definitions for the Amateur Radio Service, "
        "operator and station license responsibilities - [6 Questions, 6 Groups]",
        "Module T2 - Operating Procedures: [3 Questions, 3 Groups]",
        "Module T3 - Radio Wave Characteristics: properties of radio waves; propagation modes "
        "\x96 [3 Questions, 3 Groups]",
        "Module T4 - Amateur Radio Practices and Station Set-up: [2 Questions, 2 Groups]",
        "Module T5 \x96 Electrical Principles: Math for electronics; electronic principles; "
        "Ohm\x92s Law \x96 [4 Questions, 4 Groups]",
        "Module T6 - Electrical Components: Circuit diagrams; component functions \x96 [4 "
        "Questions, 4 Groups]",
        "Module T7 - Station Equipment: Common transmitter & receiver problems; antenna "
        "measurements; troubleshooting; basic repair & testing - [4 Questions, 4 Groups]",
        "Module T8 - Modulation Modes: Amateur satellite operation; operating activities; "
        "non-voice and digital communications \x96 [4 Questions, 4 Groups]",
        "Module T9 - Antennas and Feed Lines: [2 Exam Questions - 2 Groups]",
    },
    .helpLines = kHelpLines,
    .exampleId = "T9A04",
    .hintsFileName = "hints.txt",
};

}  // namespace

const PoolEdition& Edition2018() { return kEdition; }

}  // namespace pathwick
