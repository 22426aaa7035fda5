// The General class question pool effective 7/01/2023-6/30/2027 (Element 3).
// Menu and description lines follow the pool's syllabus, in the style of the
// Technician editions; titles too long for the menu's rule are shortened.
#include "bank/pool_edition.h"
#include "pool_general_2023_2027_blocks.inc"

namespace pathwick {
namespace {

constexpr std::string_view kFigures[] = {"G7-1"};
constexpr HelpLine kHelpLines[] = {
    {2, "  Welcome the Amateur Radio General Exam Practice Program.  This program will help you to"},
    {3, "  prepare for the Amateur General Test.  This program allows you to choose which sub element"},
    {22, "  ARRL's General Class study guide.  Questions are from the question Pool for General"},
    {23, "  Class Exam, effective 7/01/2023-6/30/2027"},
};

// Windows-1252: 0x96 is the en dash, 0x92 the right single quote.
constexpr PoolEdition kEdition{
    .className = "General",
    .years = "2023-2027",
    .commandLineNames = {"general", "general-2023-2027"},
    .blocks = generated::pool_general_2023_2027::kBlocks,
    .groups = generated::pool_general_2023_2027::kGroups,
    .examQuestions = 35,
    .passMark = 26,
    .figures = kFigures,
    .windowTitleSuffix = " \x96 General Pool 2023-2027",
    .menuTitle = "          <<< Pathwick \x96 General Pool 2023-2027 >>>",
    .menuLines = {
        "0. SUBELEMENT G0 \x96 Electrical and RF Safety \x96 [2 Exam Questions - 2 "
        "Groups]",
        "1. SUBELEMENT G1 \x96 Commission\x92s Rules \x96 [5 Exam Questions - 5 Groups]",
        "2. SUBELEMENT G2 \x96 Operating Procedures \x96 [5 Exam Questions - 5 Groups]",
        "3. SUBELEMENT G3 \x96 Radio Wave Propagation \x96 [3 Exam Questions - 3 Groups]",
        "4. SUBELEMENT G4 \x96 Amateur Radio Practices \x96 [5 Exam Questions - 5 Groups]",
        "5. SUBELEMENT G5 \x96 Electrical Principles \x96 [3 Exam Questions - 3 Groups]",
        "6. SUBELEMENT G6 \x96 Circuit Components \x96 [2 Exam Questions - 2 Groups]",
        "7. SUBELEMENT G7 \x96 Practical Circuits \x96 [3 Exam Questions - 3 Groups]",
        "8. SUBELEMENT G8 \x96 Signals and Emissions \x96 [3 Exam Questions - 3 Groups]",
        "9. SUBELEMENT G9 \x96 Antennas and Feed Lines \x96 [4 Exam Questions - 4 Groups]",
    },
    .descriptionLines = {
        "Module G0 \x96 Electrical and RF Safety: RF safety principles, rules and "
        "guidelines; routine station evaluation; electrical shock, grounding, fusing, "
        "interlocks and wiring; antenna and tower safety \x96 [2 Questions, 2 Groups]",
        "Module G1 \x96 Commission\x92s Rules: Frequency privileges and allocations; "
        "antenna structures, beacons and prohibited transmissions; transmitter power and "
        "60-meter rules; Volunteer Examiners and remote operation; control categories, "
        "repeaters, third-party rules and ITU regions \x96 [5 Questions, 5 Groups]",
        "Module G2 \x96 Operating Procedures: Phone operating procedures; operating "
        "effectively, band plans and emergencies; CW procedures and Q signals; Volunteer "
        "Monitor Program and HF operations; digital mode procedures \x96 [5 Questions, 5 "
        "Groups]",
        "Module G3 \x96 Radio Wave Propagation: Sunspots, solar radiation and geomagnetic "
        "indices; MUF, LUF, short and long path propagation; ionospheric regions, "
        "critical angle, HF scatter and NVIS \x96 [3 Questions, 3 Groups]",
        "Module G4 \x96 Amateur Radio Practices: Station configuration and operation; "
        "tests and test equipment; interference, grounding and bonding; speech "
        "processors, S meters and sideband near band edges; mobile, portable and "
        "alternative energy stations \x96 [5 Questions, 5 Groups]",
        "Module G5 \x96 Electrical Principles: Reactance, impedance and resonance; the "
        "decibel, dividers, power, RMS and PEP calculations; resistors, capacitors and "
        "inductors in series and parallel; transformers \x96 [3 Questions, 3 Groups]",
        "Module G6 \x96 Circuit Components: Resistors, capacitors, inductors, rectifiers, "
        "diodes, transistors, vacuum tubes and batteries; analog and digital ICs, MMICs, "
        "displays, RF connectors and ferrite cores \x96 [2 Questions, 2 Groups]",
        "Module G7 \x96 Practical Circuits: Power supplies and schematic symbols; digital "
        "circuits, amplifiers and oscillators; transceiver design, filters and digital "
        "signal processing \x96 [3 Questions, 3 Groups]",
        "Module G8 \x96 Signals and Emissions: Carriers and modulation, link budgets and "
        "margins; frequency changing, bandwidths, deviation and intermodulation; digital "
        "emission modes \x96 [3 Questions, 3 Groups]",
        "Module G9 \x96 Antennas and Feed Lines: Feed lines, SWR and matching; dipole and "
        "monopole antennas; directional antennas; specialized antenna types \x96 [4 "
        "Questions, 4 Groups]",
    },
    .helpLines = kHelpLines,
    .exampleId = "G9A04",
    .hintsFileName = "hints-general-2023-2027.txt",
};

}  // namespace

const PoolEdition& EditionGeneral() { return kEdition; }

}  // namespace pathwick
