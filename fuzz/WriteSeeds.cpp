#include "bascom/ProgramParts.h"
#include "bascom/ProgramText.h"
#include "bascom/ProgramWriter.h"
#include "bascom/TextLines.h"
#include "sign/Board.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace corvane;

namespace {

struct Seed
{
    const char* name;
    std::vector<Message> entries;
    const char* widthText;
    DrawnGlyphs glyphs{};
};

Message Entry(std::string text, ScrollDirection direction, int speed, int pause = 0)
{
    return {std::move(text), direction, speed, pause};
}

// The wiring test's frame, which the reader refuses in its own words: its
// header, a title of its own and the comment of its width picture. (Its whole
// program is rendered with the images of the firmware, which this build
// leaves out.)
std::string WiringTestShape(const std::string& width)
{
    std::string out;
    WriteBanner(out);
    WriteHeader(out, true);
    WriteArtAndTitle(out, std::string(program::kWiringTitle) + "Latches      ");
    text::AppendLine(out, program::kPictureStartLine);
    WriteProgramEnd(out);
    text::AppendLine(out, "WiringWidth:");
    text::AppendLine(out, std::string(program::kWiringWidthComment) + width);
    text::AppendLine(out, program::kBlankColumnLine);
    return out;
}

} // namespace

// Writes a few small programs into the folder given, one file each.
int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    using enum ScrollDirection;
    const Seed wordCounters{"word-counters", {Entry(std::string(45, '#'), Left, 4)}, "40"};
    const std::vector<Seed> seeds = {
        {"left-and-up", {Entry("HI", Left, 7), Entry("AB", Up, 5)}, "10"},
        {"one-latch-down", {Entry("A", Down, 0)}, "5"},
        {"padded-vertical", {Entry("Go", Right, 9), Entry("x", Up, 3)}, "18"},
        wordCounters,
        {"blank-entry", {Entry(" ", Left, 5)}, "20"},
        {"standing-and-paused",
         {Entry("OPEN", Still, 5), Entry("SALE NOW", Blink, 8), Entry("Fresh bread", Left, 6, 2),
          Entry("Hi", Right, 9, 1), Entry("Up", Up, 3, 9)},
         "30"},
        {"every-direction",
         {Entry("Ab", Left, 1), Entry("~}", Right, 2), Entry("0'", Up, 8), Entry("z ", Down, 6)},
         "37"},
        // "Grüße 25 °C, 5 € — ½ Preis" in Windows-1252.
        {"windows-1252",
         {Entry("Gr\xFC\xDF"
                "e 25 \xB0"
                "C, 5 \x80 \x97 \xBD Preis",
                Left, 4),
          Entry("\xC4\xD6\xDC", Up, 6)},
         "20"},
        {"drawn-glyphs",
         {Entry("\xE9t\xE9", Right, 3), Entry("Ae", Down, 5)},
         "15",
         {{0xE9, {0x38, 0x7C, 0x3E, 0x7C, 0x38}}, {'e', {0x7F, 0x41, 0x41, 0x41, 0x7F}}}},
    };
    GlyphTable glyphs;
    FillGlyphTable(glyphs);
    for (const Seed& seed : seeds) {
        std::ofstream(std::string(argv[1]) + "/" + seed.name + ".bas", std::ios::binary)
            << RenderProgram(seed.entries, Board::ofWidth(seed.widthText), glyphs,
                             Font(seed.glyphs));
    }
    // As a Windows editor saves it: a UTF-8 byte order mark first.
    std::ofstream(std::string(argv[1]) + "/byte-order-mark.bas", std::ios::binary)
        << "\xEF\xBB\xBF"
        << RenderProgram(seeds.front().entries, Board::ofWidth(seeds.front().widthText), glyphs);
    // As older writers declared the counters: As Byte, where these tables need words.
    std::string older =
        RenderProgram(wordCounters.entries, Board::ofWidth(wordCounters.widthText), glyphs);
    for (std::size_t at = older.find(program::kWordType); at != std::string::npos;
         at = older.find(program::kWordType, at)) {
        older.replace(at, program::kWordType.size(), program::kByteType);
    }
    std::ofstream(std::string(argv[1]) + "/older-byte-counters.bas", std::ios::binary) << older;
    std::ofstream(std::string(argv[1]) + "/wiring-test.bas", std::ios::binary)
        << WiringTestShape("40");
    return 0;
}
