#include "flashimage/Firmware.h"

#include "firmware/EngineImage.h"
#include "firmware/engine/SignData.h"
#include "sign/GroupThousands.h"
#include "sign/ColumnTable.h"
#include "sign/ScrollPlan.h"
#include "sign/Show.h"
#include "sign/TargetChip.h"

#include <algorithm>
#include <utility>
#include <stdexcept>

namespace corvane {

namespace {

constexpr int kColumns = Board::kColumnsPerLatch;

FirmwareShow::Motion MotionOf(const ScrollPlan& plan)
{
    switch (plan.direction()) {
    case ScrollDirection::Right:
        return FirmwareShow::Motion::Backward;
    case ScrollDirection::Up:
        return FirmwareShow::Motion::RowsUp;
    case ScrollDirection::Down:
        return FirmwareShow::Motion::RowsDown;
    case ScrollDirection::Left:
        break;
    }
    return FirmwareShow::Motion::Forward;
}

// A read past the message's table shows dark, as in the board simulator: the
// engine's copy of the table runs on with the zeros it would read there.
std::size_t ShowTableSize(std::size_t tableSize, const ScrollPlan& plan)
{
    return std::max(tableSize, static_cast<std::size_t>(std::max(0LL, plan.readIndexes().end)));
}

// The table indexes a show record reads, from the engine's point of view.
std::pair<long long, long long> ReadIndexes(const FirmwareShow& show, int latchCount)
{
    const long long lastStep = show.stepCount - 1;
    long long first = show.firstIndex;
    long long end = show.firstIndex + kColumns * latchCount;
    if (show.motion == FirmwareShow::Motion::Forward) {
        end += lastStep;
    } else if (show.motion == FirmwareShow::Motion::Backward) {
        first -= lastStep;
    }
    return {first, end};
}

void AppendWord(std::vector<std::uint8_t>& out, std::size_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

} // namespace

FirmwareShow ShowOfMessage(const Message& message, const Board& board)
{
    Show signShow = ShowOf(message, board);
    const ScrollPlan& plan = signShow.plan;
    FirmwareShow show{
        .table = std::move(signShow.table),
        .stepCount = static_cast<std::uint16_t>(plan.stepCount()),
        .firstIndex = static_cast<std::uint16_t>(plan.firstIndex(0, 0)),
        .motion = MotionOf(plan),
        .firstRefreshes = static_cast<std::uint8_t>(plan.firstStepRefreshes()),
        .refreshes = static_cast<std::uint8_t>(plan.stepRefreshes()),
    };
    show.table.resize(ShowTableSize(show.table.size(), plan), 0);
    return show;
}

std::size_t FirmwareSize(std::span<const FirmwareShow> shows)
{
    std::size_t size = engine::Image().size() + kSignHeaderSize + kShowRecordSize * shows.size();
    for (const FirmwareShow& show : shows) {
        size += show.table.size();
    }
    return size;
}

std::size_t FirmwareSize(std::span<const Message> messages, const Board& board)
{
    std::size_t size = engine::Image().size() + kSignHeaderSize + kShowRecordSize * messages.size();
    for (const Message& message : messages) {
        size += ShowTableSize(ColumnTableSize(message, board.latchCount), ScrollPlan(message, board));
    }
    return size;
}

std::string FirmwareTooLarge::reason() const
{
    return "The firmware needs " + GroupThousands(bytes) + " bytes; the " +
           std::string(chip::kName) + " holds " + GroupThousands(chip::kFlashBytes) +
           ". Fewer or shorter messages are needed.";
}

FirmwareResult LinkFirmware(std::span<const FirmwareShow> shows, std::uint8_t latchCount)
{
    if (shows.empty() || latchCount < 1 || latchCount > Board::kMaxLatchCount) {
        throw std::invalid_argument("LinkFirmware: no show, or no board of that many latches");
    }
    for (const FirmwareShow& show : shows) {
        const auto [first, end] = ReadIndexes(show, latchCount);
        if (first < 0 || end > static_cast<long long>(show.table.size())) {
            throw std::invalid_argument("LinkFirmware: a show reads outside its table");
        }
    }
    const std::size_t size = FirmwareSize(shows);
    if (size > chip::kFlashBytes) {
        return FirmwareTooLarge{size};
    }

    const auto engineImage = engine::Image();
    std::vector<std::uint8_t> flash(engineImage.begin(), engineImage.end());
    flash.reserve(size);
    AppendWord(flash, shows.size());
    flash.push_back(latchCount);
    std::size_t tableAddress =
        engineImage.size() + kSignHeaderSize + kShowRecordSize * shows.size();
    for (const FirmwareShow& show : shows) {
        AppendWord(flash, tableAddress);
        AppendWord(flash, show.stepCount);
        AppendWord(flash, show.firstIndex);
        flash.push_back(static_cast<std::uint8_t>(show.motion));
        flash.push_back(show.firstRefreshes);
        flash.push_back(show.refreshes);
        tableAddress += show.table.size();
    }
    for (const FirmwareShow& show : shows) {
        flash.insert(flash.end(), show.table.begin(), show.table.end());
    }
    return flash;
}

FirmwareResult BuildFirmware(std::span<const Message> messages, const Board& board)
{
    std::vector<FirmwareShow> shows;
    shows.reserve(messages.size());
    for (const Message& message : messages) {
        shows.push_back(ShowOfMessage(message, board));
    }
    return LinkFirmware(shows, board.latchCount);
}

} // namespace corvane
