// The Amateur Extra class question pool effective 7/01/2024-6/30/2028 (Element 4).
// Menu and description lines follow the pool's syllabus, in the style of the
// Technician editions; titles too long for the menu's rule are shortened.
#include "bank/pool_edition.h"
#include "pool_extra_2024_2028_blocks.inc"

namespace pathwick {
namespace {

constexpr std::string_view kFigures[] = {"E5-1", "E6-1", "E6-2", "E6-3", "E7-1",
                                         "E7-2", "E7-3", "E9-1", "E9-2", "E9-3"};
constexpr HelpLine kHelpLines[] = {
    {2, "  Welcome the Amateur Radio Extra Exam Practice Program.  This program will help you to"},
    {3, "  prepare for the Amateur Extra Test.  This program allows you to choose which sub element"},
    {22, "  ARRL's Amateur Extra Class study guide.  Questions are from the question Pool for Amateur"},
    {23, "  Extra Class Exam, effective 7/01/2024-6/30/2028"},
};

// Windows-1252: 0x96 is the en dash, 0x92 the right single quote.
constexpr PoolEdition kEdition{
    .className = "Amateur Extra",
    .years = "2024-2028",
    .commandLineNames = {"extra", "extra-2024-2028"},
    .blocks = generated::pool_extra_2024_2028::kBlocks,
    .groups = generated::pool_extra_2024_2028::kGroups,
    .examQuestions = 50,
    .passMark = 37,
    .figures = kFigures,
    .windowTitleSuffix = " \x96 Amateur Extra Pool 2024-2028",
    .menuTitle = "       <<< Pathwick \x96 Amateur Extra Pool 2024-2028 >>>",
    .menuLines = {
        "0. SUBELEMENT E0 \x96 Safety \x96 [1 Exam Question - 1 Group]",
        "1. SUBELEMENT E1 \x96 Commission Rules \x96 [6 Exam Questions - 6 Groups]",
        "2. SUBELEMENT E2 \x96 Operating Procedures \x96 [5 Exam Questions - 5 Groups]",
        "3. SUBELEMENT E3 \x96 Radio Wave Propagation \x96 [3 Exam Questions - 3 Groups]",
        "4. SUBELEMENT E4 \x96 Amateur Practices \x96 [5 Exam Questions - 5 Groups]",
        "5. SUBELEMENT E5 \x96 Electrical Principles \x96 [4 Exam Questions - 4 Groups]",
        "6. SUBELEMENT E6 \x96 Circuit Components \x96 [6 Exam Questions - 6 Groups]",
        "7. SUBELEMENT E7 \x96 Practical Circuits \x96 [8 Exam Questions - 8 Groups]",
        "8. SUBELEMENT E8 \x96 Signals and Emissions \x96 [4 Exam Questions - 4 Groups]",
        "9. SUBELEMENT E9 \x96 Antennas & Transmission Lines \x96 "
        "[8 Exam Questions - 8 Groups]",
    },
    .descriptionLines = {
        "Module E0 \x96 Safety: RF radiation hazards; hazardous materials; grounding \x96 "
        "[1 Question, 1 Group]",
        "Module E1 \x96 Commission Rules: Frequency privileges and special "
        "operations; station restrictions; automatic and remote control; space and Earth "
        "stations; the volunteer examiner program; miscellaneous rules \x96 [6 Questions, "
        "6 Groups]",
        "Module E2 \x96 Operating Procedures: Amateur radio in space; television "
        "practices; contest and DX operating and remote operation; digital modes for VHF, "
        "UHF and HF; APRS, EME and meteor scatter \x96 [5 Questions, 5 Groups]",
        "Module E3 \x96 Radio Wave Propagation: Electromagnetic waves and specialized "
        "propagation; transequatorial, long-path and ground-wave propagation; propagation "
        "prediction and space weather \x96 [3 Questions, 3 Groups]",
        "Module E4 \x96 Amateur Practices: Test equipment; measurement technique and "
        "limitations; receiver performance and characteristics; noise and interference "
        "\x96 [5 Questions, 5 Groups]",
        "Module E5 \x96 Electrical Principles: Resonance and Q; time constants and phase "
        "relationships; coordinate systems and phasors; RF effects in components and "
        "circuits \x96 [4 Questions, 4 Groups]",
        "Module E6 \x96 Circuit Components: Semiconductor materials and devices; diodes; "
        "digital ICs; inductors and piezoelectricity; semiconductors and packages for RF "
        "use; electro-optical technology \x96 [6 Questions, 6 Groups]",
        "Module E7 \x96 Practical Circuits: Digital circuits; amplifiers; filters and "
        "matching networks; power supplies; modulators, detectors and mixers; software "
        "defined radio; operational amplifiers; oscillators and synthesizers \x96 [8 "
        "Questions, 8 Groups]",
        "Module E8 \x96 Signals and Emissions: Fourier analysis, RMS and peak envelope "
        "power; modulation methods and multiplexing; digital signals and error "
        "correction; keying defects, digital codes and spread spectrum \x96 [4 Questions, "
        "4 Groups]",
        "Module E9 \x96 Antennas & Transmission Lines: Antenna parameters; patterns and "
        "modeling; wire antennas and phased arrays; Yagis, parabolic reflectors and short "
        "antennas; impedance matching; transmission lines; the Smith chart; receiving "
        "antennas \x96 [8 Questions, 8 Groups]",
    },
    .helpLines = kHelpLines,
    .exampleId = "E9A04",
    .hintsFileName = "hints-extra-2024-2028.txt",
};

}  // namespace

const PoolEdition& EditionExtra() { return kEdition; }

}  // namespace pathwick
