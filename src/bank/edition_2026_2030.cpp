// The Technician question pool effective 7/01/2026-6/30/2030, the one in
// force today. Menu and description lines follow the pool's syllabus, in the
// style of the 2018-2022 edition; a title too long for the menu's rule is
// shortened.
#include "bank/pool_edition.h"
#include "pool_2026_2030_blocks.inc"

namespace pathwick {
namespace {

// Windows-1252: 0x96 is the en dash, 0x92 the right single quote.
constexpr std::string_view kFigures[] = {"T1", "T2", "T3"};
constexpr HelpLine kHelpLines[] = {{23, "  Class Exam, effective 7/01/2026-6/30/2030"}};

constexpr PoolEdition kEdition{
    .className = "Technician",
    .years = "2026-2030",
    .commandLineNames = {"2026", "2026-2030", "technician"},
    .blocks = generated::pool_2026_2030::kBlocks,
    .groups = generated::pool_2026_2030::kGroups,
    .examQuestions = 35,
    .passMark = 26,
    .figures = kFigures,
    .windowTitleSuffix = " \x96 Technician Pool 2026-2030",
    .menuTitle = "         <<< Pathwick \x96 Technician Pool 2026-2030 >>>",
    .menuLines = {
        "0. SUBELEMENT T0 \x96 Safety \x96 [3 Exam Questions - 3 Groups]",
        "1. SUBELEMENT T1 \x96 Commission\x92s Rules \x96 [6 Exam Questions - 6 Groups]",
        "2. SUBELEMENT T2 \x96 Operating Procedures \x96 [3 Exam Questions - 3 Groups]",
        "3. SUBELEMENT T3 \x96 Radio Wave Propagation \x96 [3 Exam Questions - 3 Groups]",
        "4. SUBELEMENT T4 \x96 Amateur Radio Practices \x96 [2 Exam Questions - 2 Groups]",
        "5. SUBELEMENT T5 \x96 Electrical Principles \x96 [4 Exam Questions - 4 Groups]",
        "6. SUBELEMENT T6 \x96 Electrical Components \x96 [4 Exam Questions - 4 Groups]",
        "7. SUBELEMENT T7 \x96 Practical Circuits \x96 [4 Exam Questions - 4 Groups]",
        "8. SUBELEMENT T8 \x96 Signals and Emissions \x96 [4 Exam Questions - 4 Groups]",
        "9. SUBELEMENT T9 \x96 Antennas and Feed Lines \x96 [2 Exam Questions - 2 Groups]",
    },
    .descriptionLines = {
        "Module T0 \x96 Safety: Power circuits and hazards; lightning protection; battery "
        "safety; antenna and tower safety; RF hazards \x96 [3 Questions, 3 Groups]",
        "Module T1 \x96 Commission\x92s Rules: Purpose and permissible use of the Amateur Radio "
        "Service; frequency allocations and emission modes; licensing and call signs; "
        "authorized and prohibited transmissions; control operator; station identification, "
        "repeaters and club stations \x96 [6 Questions, 6 Groups]",
        "Module T2 \x96 Operating Procedures: Station operation and band plans; VHF/UHF "
        "operating practices; public service and emergency operations \x96 [3 Questions, 3 "
        "Groups]",
        "Module T3 \x96 Radio Wave Propagation: Radio wave characteristics; electromagnetic wave "
        "properties; propagation modes \x96 [3 Questions, 3 Groups]",
        "Module T4 \x96 Amateur Radio Practices: Station setup; operating controls; digital "
        "transceiver configuration \x96 [2 Questions, 2 Groups]",
        "Module T5 \x96 Electrical Principles: Current and voltage; math for electronics; "
        "capacitance, inductance, impedance and power; Ohm\x92s Law; series and parallel "
        "circuits \x96 [4 Questions, 4 Groups]",
        "Module T6 \x96 Electronic and Electrical Components: Resistors, capacitors, inductors, "
        "fuses, switches and batteries; semiconductors; circuit diagrams; component "
        "functions \x96 [4 Questions, 4 Groups]",
        "Module T7 \x96 Practical Circuits: Station equipment; transmitter and receiver "
        "problems; antenna and transmission line measurements; basic test instruments and "
        "soldering \x96 [4 Questions, 4 Groups]",
        "Module T8 \x96 Signals and Emissions: FM and SSB; amateur satellite operation; "
        "operating activities; non-voice and digital communications \x96 [4 Questions, 4 "
        "Groups]",
        "Module T9 \x96 Antennas and Feed Lines: Antennas; feed lines, SWR, antenna tuners and "
        "connectors \x96 [2 Questions, 2 Groups]",
    },
    .helpLines = kHelpLines,
    .exampleId = "T9A04",
    .hintsFileName = "hints-2026-2030.txt",
};

}  // namespace

const PoolEdition& Edition2026() { return kEdition; }

}  // namespace pathwick
