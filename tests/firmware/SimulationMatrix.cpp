#include "tests/firmware/SimulationMatrix.h"

#include "firmware/SignLayout.h"
#include "flashimage/Firmware.h"
#include "flashimage/IntelHex.h"
#include "sign/BoardSimulator.h"
#include "tests/firmware/SignSimulation.h"

#include <stdexcept>

namespace corvane {

namespace {

constexpr long long kCyclesPerMs = CORVANE_CLOCK_HZ / 1000;
constexpr long long kRefreshCycles = CORVANE_REFRESH_CYCLES;
// From reset to the first column lit, with room to spare.
constexpr long long kStartCycles = 10 * kCyclesPerMs;

enum Direction
{
    kLeft,
    kRight,
    kUp,
    kDown,
    kStill,
    kBlink
};

Message MessageOf(std::string text, Direction direction, int speed, int pause = 0)
{
    return {std::move(text), ScrollDirection(direction), speed, pause};
}

// Consecutive equal images become one, their durations added.
void AppendMerged(std::vector<BoardImage>& images, BoardImage image)
{
    if (!images.empty() && images.back().columns == image.columns) {
        images.back().cycles += image.cycles;
    } else {
        images.push_back(std::move(image));
    }
}

// Appends the message's images, as the board simulator steps its scroll block; returns their
// cycles.
long long AppendMessage(std::vector<BoardImage>& images, const std::vector<Message>& entries,
                        std::size_t index, const Board& board, const Font& font)
{
    const Message& entry = entries[index % entries.size()];
    const BoardSimulator simulator(ShowOf(entry, board, font));
    for (int step = 0; step < simulator.stepCount(); ++step) {
        AppendMerged(images, {simulator.frame(step), simulator.durationMs(step) * kCyclesPerMs});
    }
    return simulator.totalDurationMs() * kCyclesPerMs;
}

// Appends the show's images, step by step as FirmwareShow describes them; returns their cycles.
long long AppendShow(std::vector<BoardImage>& images, const FirmwareShow& show, const Board& board)
{
    using Motion = FirmwareShow::Motion;
    long long cycles = 0;
    for (int step = 0; step < show.stepCount; ++step) {
        int index = show.firstIndex;
        index += show.motion == Motion::Forward    ? step
                 : show.motion == Motion::Backward ? -step
                                                   : 0;
        std::vector<std::uint8_t> columns(static_cast<std::size_t>(board.columns()), 0);
        for (std::size_t column = 0; column < columns.size() && !(show.blink && step % 2 == 1);
             ++column) {
            unsigned rows = show.table.at(static_cast<std::size_t>(index) + column);
            rows = show.motion == Motion::RowsUp     ? rows << step
                   : show.motion == Motion::RowsDown ? rows >> step
                                                     : rows;
            columns[column] = static_cast<std::uint8_t>(rows & SignSimulation::kRowMask);
        }
        int refreshes = step == 0 ? show.firstRefreshes : show.refreshes;
        if (show.heldRefreshes != 0 && step == show.heldStep) {
            refreshes = show.heldRefreshes;
        }
        AppendMerged(images, {std::move(columns), refreshes * kRefreshCycles});
        cycles += refreshes * kRefreshCycles;
    }
    return cycles;
}

// A picture of `columns` columns: column k shows `rows` shifted k rows up, round the seven rows.
std::vector<std::uint8_t> Picture(std::size_t columns, std::uint8_t rows)
{
    std::vector<std::uint8_t> picture(columns);
    for (std::size_t k = 0; k < columns; ++k) {
        const unsigned turn = k % 7;
        picture[k] = static_cast<std::uint8_t>(((rows << turn) | (rows >> (7 - turn))) &
                                               SignSimulation::kRowMask);
    }
    return picture;
}

// Still, blinking and held shows for a board of `latches` latches.
std::vector<FirmwareShow> ShowsBuiltAsTheyAre(int latches)
{
    using Motion = FirmwareShow::Motion;
    const std::size_t driven = 5U * static_cast<std::size_t>(latches);
    return {
        // Still for three steps: one picture for all of them.
        {.table = Picture(driven, 0x49),
         .stepCount = 3,
         .motion = Motion::Still,
         .firstRefreshes = 2,
         .refreshes = 3},
        // Blinking: the picture, dark, the picture, dark, the picture.
        {.table = Picture(driven, 0x7F),
         .stepCount = 5,
         .motion = Motion::Still,
         .blink = true,
         .firstRefreshes = 4,
         .refreshes = 2},
        // Scrolling left, held at its third step.
        {.table = Picture(driven + 6, 0x15),
         .stepCount = 7,
         .motion = Motion::Forward,
         .firstRefreshes = 1,
         .refreshes = 1,
         .heldStep = 2,
         .heldRefreshes = 40},
        // Rising, blinking, held at its first step.
        {.table = Picture(driven, 0x03),
         .stepCount = 7,
         .motion = Motion::RowsUp,
         .blink = true,
         .firstRefreshes = 3,
         .refreshes = 1,
         .heldStep = 0,
         .heldRefreshes = 9},
        // Falling and blinking, its last step held.
        {.table = Picture(driven, 0x60),
         .stepCount = 7,
         .motion = Motion::RowsDown,
         .blink = true,
         .firstRefreshes = 1,
         .refreshes = 2,
         .heldStep = 6,
         .heldRefreshes = 5},
        // Scrolling right.
        {.table = Picture(driven + 4, 0x2A),
         .stepCount = 5,
         .firstIndex = 4,
         .motion = Motion::Backward,
         .firstRefreshes = 2,
         .refreshes = 1},
    };
}

// A short show on the widest board for each brightness: a step and a show boundary
// within a few refreshes, so every kind of column the engine prepares comes by.
std::vector<ListCase> BrightnessRows()
{
    using Motion = FirmwareShow::Motion;
    std::vector<ListCase> rows;
    for (std::uint8_t brightness = 1; brightness <= kFullBrightness; ++brightness) {
        rows.push_back({"Brightness" + std::to_string(brightness),
                        "40",
                        {},
                        {{.table = Picture(40, 0x7F),
                          .stepCount = 2,
                          .motion = Motion::Still,
                          .blink = true,
                          .firstRefreshes = 1,
                          .refreshes = 1},
                         {.table = Picture(40, 0x41),
                          .stepCount = 2,
                          .motion = Motion::RowsDown,
                          .firstRefreshes = 1,
                          .refreshes = 1}},
                        brightness});
    }
    return rows;
}

} // namespace

std::vector<ListCase> SimulationMatrix()
{
    const std::string longText = "A message long enough to need 16-bit counters.";
    std::vector<ListCase> matrix{
        {"LeftOnTheNarrowestBoard", "5", {MessageOf("Hi!", kLeft, 9)}},
        {"RightOnAnUnevenWidth", "18", {MessageOf("Right", kRight, 1)}},
        {"UpShortOfTheBoard", "37", {MessageOf("Up", kUp, 5)}},
        {"DownCutToTheBoard", "5", {MessageOf("Second message", kDown, 0)}},
        {"LeftNeedingWideCounters", "40", {MessageOf(longText, kLeft, 9)}},
        {"RightNeedingWideCounters", "37", {MessageOf(longText, kRight, 5)}},
        // The main loop's tightest slots: in the lit part of each period at brightness 4,
        // in the dark part at 3.
        {"SeveralInListOrder",
         "18",
         {MessageOf("AB", kLeft, 5), MessageOf("C", kUp, 9), MessageOf("Down!", kDown, 1),
          MessageOf("xyz", kRight, 0), Message{" "}},
         {},
         3},
        {"SeveralOnTheWidestBoard",
         "40",
         {MessageOf("Wide", kRight, 9), MessageOf("~{|}", kDown, 5), MessageOf("0O", kLeft, 0)},
         {},
         4},
        // "Grüße 25 °C, 5 € — ½" in Windows-1252, "ü" and "A" drawn anew.
        {"Windows1252AndDrawnGlyphs",
         "20",
         {MessageOf("Gr\xFC\xDF"
                    "e 25 \xB0"
                    "C, 5 \x80 \x97 \xBD",
                    kLeft, 9),
          MessageOf("\xFC"
                    "A\xC9",
                    kUp, 8)},
         {},
         kFullBrightness,
         {{0xFC, {0x38, 0x7C, 0x3E, 0x7C, 0x38}}, {'A', {0x7F, 0x00, 0x7F, 0x00, 0x7F}}}},
        // Standing pages and pauses: centred when the message fits, at the left edge when not.
        {"StillAndBlinkOnTheNarrowestBoard",
         "5",
         {MessageOf("Hi", kStill, 9), MessageOf("A B", kBlink, 8), MessageOf("Go", kLeft, 9, 1),
          MessageOf("X", kRight, 9, 1)}},
        {"PagesAndPausesOnAnUnevenWidth",
         "18",
         {MessageOf("OPEN NOW", kStill, 8), MessageOf("Sale on", kBlink, 9),
          MessageOf("Hi", kLeft, 8, 1), MessageOf("Fresh bread", kRight, 9, 1),
          MessageOf("Up", kUp, 9, 1), MessageOf("Dn", kDown, 9, 2)}},
        {"PagesAndPausesOnTheWidestBoard",
         "40",
         {MessageOf("Welcome to the shop", kStill, 9), MessageOf("SALE", kBlink, 8),
          MessageOf("Fresh bread", kLeft, 9, 2), MessageOf(longText, kRight, 9, 1),
          MessageOf("A", kDown, 9, 9)}},
        {"StillBlinkingAndHeldShows", "18", {}, ShowsBuiltAsTheyAre(4)},
        {"StillBlinkingAndHeldShowsOnTheWidestBoard", "40", {}, ShowsBuiltAsTheyAre(8), 4},
    };
    for (ListCase& row : BrightnessRows()) {
        matrix.push_back(std::move(row));
    }
    return matrix;
}

ListRun RunList(const ListCase& list)
{
    const Board board = Board::ofWidth(list.width);
    const FirmwareResult firmware =
        list.shows.empty() ? BuildFirmware(list.entries, board, Font(list.glyphs), list.brightness)
                           : LinkFirmware(list.shows, board.latchCount, list.brightness);
    if (!std::holds_alternative<std::vector<std::uint8_t>>(firmware)) {
        throw std::invalid_argument("RunList: the firmware does not fit the chip");
    }

    // The whole pass, then the first show again.
    ListRun run;
    long long cycles = kStartCycles;
    const std::size_t showCount = list.shows.empty() ? list.entries.size() : list.shows.size();
    for (std::size_t index = 0; index <= showCount; ++index) {
        cycles += list.shows.empty()
                      ? AppendMessage(run.expected, list.entries, index, board, Font(list.glyphs))
                      : AppendShow(run.expected, list.shows[index % showCount], board);
    }

    SignSimulation simulation(IntelHex(std::get<std::vector<std::uint8_t>>(firmware)),
                              board.latchCount);
    simulation.runCycles(cycles);
    // The board shows only the columns of its width; latches drive 5 per latch.
    for (const BoardImage& image : simulation.images()) {
        AppendMerged(run.shown,
                     {std::vector(image.columns.begin(), image.columns.begin() + board.columns()),
                      image.cycles});
    }
    run.timing = simulation.timing();
    return run;
}

} // namespace corvane
