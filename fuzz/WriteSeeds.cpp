#include "bascom/ProgramWriter.h"
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
};

Message Entry(std::string text, ScrollDirection direction, int speed)
{
    return {std::move(text), direction, speed};
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
    const std::vector<Seed> seeds = {
        {"left-and-up", {Entry("HI", Left, 7), Entry("AB", Up, 5)}, "10"},
        {"one-latch-down", {Entry("A", Down, 0)}, "5"},
        {"padded-vertical", {Entry("Go", Right, 9), Entry("x", Up, 3)}, "18"},
        {"word-counters", {Entry(std::string(45, '#'), Left, 4)}, "40"},
        {"blank-entry", {Entry(" ", Left, 5)}, "20"},
        {"every-direction",
         {Entry("Ab", Left, 1), Entry("~}", Right, 2), Entry("0'", Up, 8), Entry("z ", Down, 6)},
         "37"},
    };
    GlyphTable glyphs;
    FillGlyphTable(glyphs);
    for (const Seed& seed : seeds) {
        std::ofstream(std::string(argv[1]) + "/" + seed.name + ".bas", std::ios::binary)
            << RenderProgram(seed.entries, Board::ofWidth(seed.widthText), glyphs);
    }
    // As a Windows editor saves it: a UTF-8 byte order mark first.
    std::ofstream(std::string(argv[1]) + "/byte-order-mark.bas", std::ios::binary)
        << "\xEF\xBB\xBF"
        << RenderProgram(seeds.front().entries, Board::ofWidth(seeds.front().widthText), glyphs);
    return 0;
}
