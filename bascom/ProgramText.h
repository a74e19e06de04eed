#pragma once

#include "sign/Message.h"
#include "sign/TargetChip.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// The lines of the generated program, written by the writer and the scroll
// blocks and recognised by the reader. A line given as a prefix continues with
// a number or a name; every line ends in CR LF (text::kLineEnd).
namespace corvane::program {

// The largest value a Byte variable holds; larger counters are Words.
inline constexpr int kByteMax = 255;

// The banner: a rule, six lines padded to kBannerWidth and closed by
// kBannerLineEnd, the rule again.
inline constexpr std::string_view kBannerRule = "'*********************************************";
inline constexpr std::size_t kBannerWidth = 45;
inline constexpr std::string_view kBannerLineEnd = "*";
inline constexpr std::string_view kBannerMakerPrefix = "'* This Program Writing By : ";
inline constexpr std::string_view kBannerBoardLine = "'* The LED Signe Board";
inline constexpr std::string_view kBannerVisitLine = "'* For to get more details visit :";
inline constexpr std::string_view kBannerWebPrefix = "'*                 ";
inline constexpr std::string_view kBannerEmailPrefix = "'* Contact to me by : ";
inline constexpr std::string_view kBannerTelephonePrefix = "'* Mobile : ";

// The header up to the main loop; the counters are declared in between.
inline constexpr std::string_view kChipLine = "$regfile = \"m8def.dat\"";
inline constexpr std::string_view kCrystalLine = "$crystal = 1000000";

// Whether `line` ends in `name` in double quotes.
constexpr bool EndsInQuoted(std::string_view line, std::string_view name)
{
    return line.size() >= name.size() + 2 && line.ends_with('"') &&
           line.substr(line.size() - name.size() - 2).starts_with('"') &&
           line.substr(line.size() - name.size() - 1, name.size()) == name;
}
// Whether `line` ends in a space and `value` in decimal.
constexpr bool EndsInNumber(std::string_view line, unsigned long value)
{
    do {
        if (line.empty() || line.back() != static_cast<char>('0' + value % 10)) {
            return false;
        }
        line.remove_suffix(1);
        value /= 10;
    } while (value != 0);
    return line.ends_with(' ');
}
// The header names the chip and the clock the firmware is built for too.
static_assert(EndsInQuoted(kChipLine, chip::kRegisterFile));
static_assert(EndsInNumber(kCrystalLine, chip::kClockHz));
inline constexpr std::array<std::string_view, 3> kPortLines = {
    "Config Portb = Output", "Config Portc = Output", "Config Portd = Output"};
inline constexpr std::string_view kDimPrefix = "Dim ";

// The variables the header declares, in order. Those that index the data
// tables (S, I, M, E, A) are words once an index passes 255; Refresh and Index
// (which holds a paused step's refreshes) once a step refreshes 255 times or
// more; Scan always fits a byte.
struct Variable
{
    std::string_view name;
    bool indexesTables = false;
    bool countsRefreshes = false;
};
inline constexpr std::array<Variable, 8> kVariables = {{{"Scan", false, false},
                                                        {"I", true, false},
                                                        {"Refresh", false, true},
                                                        {"Index", false, true},
                                                        {"S", true, false},
                                                        {"M", true, false},
                                                        {"E", true, false},
                                                        {"A", true, false}}};
inline constexpr std::string_view kByteType = " As Byte";
inline constexpr std::string_view kWordType = " As Word";
inline constexpr std::string_view kDoLine = "Do";

// The title box ahead of each scroll block: "' | Scrolling Text00 to Left  |".
inline constexpr std::string_view kTitleRule = "' +---------------------------+";
inline constexpr std::string_view kTitleBoxStart = "' | ";
inline constexpr std::string_view kTitlePrefix = "' | Scrolling Text";
inline constexpr std::string_view kTitleTo = " to ";
inline constexpr std::string_view kTitleEnd = "|";

// The direction words of the title boxes, padded to one width, in the order
// of ScrollDirection.
inline constexpr std::array<std::string_view, kDirectionCount> kDirectionWords = {
    "Left  ", "Right ", "Up    ", "Down  ", "Still ", "Blink "};

constexpr std::string_view DirectionWord(ScrollDirection direction)
{
    return kDirectionWords[static_cast<std::size_t>(direction)];
}

// The direction word without its padding: "Left", "Up".
constexpr std::string_view DirectionName(ScrollDirection direction)
{
    const std::string_view word = DirectionWord(direction);
    return word.substr(0, word.find(' '));
}

// The scroll block's head: the step loop, the column window of Left ("E = S")
// and Right ("M = end − S", "E = M"), the refresh loop, the column loop.
inline constexpr std::string_view kStepLoopPrefix = " For S = 0 To ";
inline constexpr std::string_view kLeftWindowPrefix = "  E = S + ";
inline constexpr std::string_view kRightStartPrefix = "  M = ";
inline constexpr std::string_view kRightStartSuffix = " - S";
inline constexpr std::string_view kRightWindowPrefix = "  E = M + ";
inline constexpr std::string_view kRefreshLoopPrefix = "  For Refresh = 1 To ";
inline constexpr std::string_view kStepRefreshPrefix = "  M = ";
inline constexpr std::string_view kFirstStepRefreshPrefix = "  If S = 0 Then M = ";
inline constexpr std::string_view kVerticalRefreshLoop = "  For Refresh = 1 To M";
inline constexpr std::string_view kScanStartLine = "   Scan = &H01";
inline constexpr std::string_view kLeftColumnLoop = "   For I = S To E";
inline constexpr std::string_view kRightColumnLoop = "   For I = M To E";
inline constexpr std::string_view kVerticalColumnLoopPrefix = "   For I = 0 To ";

// A paused Left or Right block counts its refreshes in Index, more of them at
// the step it holds: "  Index = 4", "  If S = 12 Then Index = 124". Up and
// Down hold their first step with a larger "If S = 0 Then M = ".
inline constexpr std::string_view kStepIndexPrefix = "  Index = ";
inline constexpr std::string_view kHeldStepPrefix = "  If S = ";
inline constexpr std::string_view kHeldIndexMiddle = " Then Index = ";
inline constexpr std::string_view kPausedRefreshLoop = "  For Refresh = 1 To Index";

// A standing block: its pages' windows start at M, "  If S = 5 Then M = 40"
// at the first step of each page; a blinking block turns Index to 1 and 0
// in turn and starts each refresh's Scan at it, so odd steps light nothing.
inline constexpr std::string_view kBlinkStartLine = " Index = 0";
inline constexpr std::string_view kPageStepPrefix = "  If S = ";
inline constexpr std::string_view kPageStartMiddle = " Then M = ";
inline constexpr std::string_view kPageWindowPrefix = "  E = M + ";
inline constexpr std::string_view kBlinkToggleLine = "  Index = 1 - Index";
inline constexpr std::string_view kBlinkScanLine = "   Scan = Index";
inline constexpr std::string_view kPageColumnLoop = "   For I = M To E";

// One latch part: the table byte of the column into Portd, shifted for Up and
// Down, then the latch's strobe on Portb. The first latch reads at I, the
// others at A = I + offset.
inline constexpr std::string_view kLatchOffsetPrefix = "    A = I + ";
inline constexpr std::string_view kLookupPrefix = "    Portd = Lookup(";
inline constexpr std::string_view kFirstLatchIndex = "i , ";
inline constexpr std::string_view kLatchIndex = "a , ";
inline constexpr std::string_view kLookupEnd = ")";
inline constexpr std::string_view kShiftPrefix = "    Shift Portd";
inline constexpr std::string_view kShiftUpLine = "    Shift Portd , Left , S";
inline constexpr std::string_view kShiftDownLine = "    Shift Portd , Right , S";
inline constexpr std::string_view kStrobePrefix = "    Portb = ";
inline constexpr std::string_view kStrobeOffLine = "    Portb = 0";

// The block's tail, which every block shares; the column wait follows "Waitms".
inline constexpr std::string_view kTailFirstLine = "    Portc = Scan";
inline constexpr std::string_view kRotateScanLine = "    Rotate Scan , Left , 1";
inline constexpr std::string_view kColumnWaitPrefix = "    Waitms ";
inline constexpr std::string_view kColumnsOffLine = "    Portc = 0";
inline constexpr std::array<std::string_view, 3> kLoopEndLines = {"   Next I", "  Next Refresh",
                                                                  " Next S"};

// The wiring test's blocks show still pictures one after another: M starts
// at the first picture's columns and moves on by one picture per step.
inline constexpr std::string_view kPictureStartLine = " M = 0";
inline constexpr std::string_view kNextPicturePrefix = "  M = M + ";

// The wiring test's title boxes read "' | " + kWiringTitle + the phase's
// name, and the comment on its width picture names the width it was built
// for: kWiringWidthComment + "40".
inline constexpr std::string_view kWiringTitle = "Wiring Test: ";
inline constexpr std::string_view kWiringWidthComment = "' Width ";

// The end of the main loop and of the program, ahead of the data tables.
inline constexpr std::string_view kLoopLine = "Loop";
inline constexpr std::string_view kEndLine = "End 'end program";

// A data table: its label, then one Data line per blank column group or
// character, each character line being "Data " + its glyph text + the gap
// column + the character in a comment.
inline constexpr std::string_view kTablePrefix = "Text";
inline constexpr std::string_view kLabelEnd = ":";
inline constexpr std::string_view kDataPrefix = "Data ";
inline constexpr std::string_view kBlankColumnLine = "Data &H00 , &H00 , &H00 , &H00 , &H00";
inline constexpr std::string_view kGapAndComment = " , &H00  '";

// The table of a message: "Text" + its label number, e.g. "Text00".
inline std::string TableName(std::string_view labelNumber)
{
    return std::string(kTablePrefix) + std::string(labelNumber);
}

} // namespace corvane::program
