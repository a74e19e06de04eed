#include "generator/WiringTest.h"

#include "generator/FirmwareShow.h"
#include "generator/GlyphTable.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace corvane {

namespace {

constexpr int kColumns = Board::kColumnsPerLatch;
constexpr std::uint8_t kAllRows = (1u << Board::kRowCount) - 1;
constexpr int kPhaseRefreshes = 80;  // 2 s
constexpr int kAllLitRefreshes = 40; // 1 s

void AddPhase(std::vector<WiringImage>& images, WiringPhase phase,
              std::vector<std::vector<std::uint8_t>> pictures, int refreshes)
{
    for (auto& picture : pictures) {
        images.push_back({phase, std::move(picture), refreshes});
    }
}

// The width's digits, one blank column between them when the board has room
// for it, centred on the board's columns (a column further left when the
// free columns do not split evenly).
std::vector<std::uint8_t> WidthPicture(int boardColumns, std::size_t drivenColumns)
{
    const std::string digits = std::to_string(boardColumns);
    const int digitCount = static_cast<int>(digits.size());
    int gap = 1;
    if (digitCount * kColumns + (digitCount - 1) * gap > boardColumns) {
        gap = 0;
    }
    const int pictureWidth = digitCount * kColumns + (digitCount - 1) * gap;
    std::vector<std::uint8_t> picture(drivenColumns, 0);
    auto column = static_cast<std::size_t>((boardColumns - pictureWidth) / 2);
    for (const char digit : digits) {
        const auto glyph = GlyphColumns(static_cast<unsigned char>(digit));
        std::copy(glyph.begin(), glyph.end(),
                  picture.begin() + static_cast<std::ptrdiff_t>(column));
        column += kColumns + static_cast<std::size_t>(gap);
    }
    return picture;
}

} // namespace

std::string_view WiringPhaseName(WiringPhase phase)
{
    switch (phase) {
    case WiringPhase::Rows:
        return "Rows";
    case WiringPhase::Columns:
        return "Columns";
    case WiringPhase::AllLit:
        return "All Lit";
    case WiringPhase::Width:
        return "Width";
    case WiringPhase::Latches:
        break;
    }
    return "Latches";
}

int WiringRefreshesPerImage(int imageCount)
{
    return std::max(1, (kPhaseRefreshes + imageCount / 2) / std::max(imageCount, 1));
}

std::vector<WiringImage> WiringTestImages(const Board& board)
{
    const int boardColumns = board.columns();
    if (!Board::isListedWidth(boardColumns) ||
        board.latchCount != Board::latchCountFor(boardColumns)) {
        throw std::invalid_argument("WiringTestImages: not a board the width list offers");
    }
    const int latches = board.latchCount;
    const auto driven = static_cast<std::size_t>(kColumns * latches);
    std::vector<WiringImage> images;

    std::vector<std::vector<std::uint8_t>> pictures;
    for (int latch = 0; latch < latches; ++latch) {
        auto& picture = pictures.emplace_back(driven, 0);
        std::fill_n(picture.begin() + kColumns * latch, kColumns, kAllRows);
    }
    AddPhase(images, WiringPhase::Latches, std::move(pictures), WiringRefreshesPerImage(latches));

    pictures.clear();
    for (int row = 0; row < Board::kRowCount; ++row) {
        pictures.emplace_back(driven, static_cast<std::uint8_t>(1u << row));
    }
    AddPhase(images, WiringPhase::Rows, std::move(pictures),
             WiringRefreshesPerImage(Board::kRowCount));

    pictures.clear();
    for (int column = 0; column < boardColumns; ++column) {
        pictures.emplace_back(driven, 0).at(static_cast<std::size_t>(column)) = kAllRows;
    }
    AddPhase(images, WiringPhase::Columns, std::move(pictures),
             WiringRefreshesPerImage(boardColumns));

    images.push_back({WiringPhase::AllLit, std::vector(driven, kAllRows), kAllLitRefreshes});
    images.push_back({WiringPhase::Width, WidthPicture(boardColumns, driven), kPhaseRefreshes});
    return images;
}

FirmwareResult WiringTestFirmware(const Board& board)
{
    std::vector<FirmwareShow> shows;
    for (WiringImage& image : WiringTestImages(board)) {
        const auto refreshes = static_cast<std::uint8_t>(image.refreshes);
        shows.push_back({.table = std::move(image.columns),
                         .stepCount = 1,
                         .firstIndex = 0,
                         .motion = FirmwareShow::Motion::Still,
                         .firstRefreshes = refreshes,
                         .refreshes = refreshes});
    }
    return LinkFirmware(shows, board.latchCount);
}

} // namespace corvane
