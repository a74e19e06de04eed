#include "flashimage/Firmware.h"

#include "firmware/EngineImage.h"
#include "firmware/SignLayout.h"
#include "sign/ColumnTable.h"
#include "sign/GroupThousands.h"
#include "sign/ScrollPlan.h"
#include "sign/Show.h"
#include "sign/TargetChip.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace corvane {

using namespace sign;

namespace {

constexpr int kColumns = Board::kColumnsPerLatch;

static_assert(CORVANE_SIGN_FORMAT == 2, "the linker writes sign data of format 2");
static_assert(CORVANE_COLUMNS == kColumns);
static_assert(CORVANE_BRIGHTNESS_STEPS == kFullBrightness);
static_assert(chip::kClockHz == CORVANE_CLOCK_HZ);
// A refresh of the sign data lasts one of the BASCOM program: five columns of its column wait.
static_assert(CORVANE_REFRESH_CYCLES ==
              chip::kClockHz / 1000 * ScrollPlan::kColumnsPerLatch * ScrollPlan::kColumnWaitMs);

// The header's and the record's fields follow one another without a gap and fill them.
static_assert(kSignShowCountOffset == 0);
static_assert(kSignLatchCountOffset == kSignShowCountOffset + kSignShowCountSize);
static_assert(kSignBrightnessOffset == kSignLatchCountOffset + kSignLatchCountSize);
static_assert(kSignHeaderSize == kSignBrightnessOffset + kSignBrightnessSize);
static_assert(kShowTableAddressOffset == 0);
static_assert(kShowStepCountOffset == kShowTableAddressOffset + kShowTableAddressSize);
static_assert(kShowFirstIndexOffset == kShowStepCountOffset + kShowStepCountSize);
static_assert(kShowMotionOffset == kShowFirstIndexOffset + kShowFirstIndexSize);
static_assert(kShowFlagsOffset == kShowMotionOffset + kShowMotionSize);
static_assert(kShowFirstRefreshesOffset == kShowFlagsOffset + kShowFlagsSize);
static_assert(kShowRefreshesOffset == kShowFirstRefreshesOffset + kShowFirstRefreshesSize);
static_assert(kShowHeldStepOffset == kShowRefreshesOffset + kShowRefreshesSize);
static_assert(kShowHeldRefreshesOffset == kShowHeldStepOffset + kShowHeldStepSize);
static_assert(kShowRecordSize == kShowHeldRefreshesOffset + kShowHeldRefreshesSize);

// Each field holds the show's value whole.
static_assert(sizeof(FirmwareShow::stepCount) == kShowStepCountSize);
static_assert(sizeof(FirmwareShow::firstIndex) == kShowFirstIndexSize);
static_assert(sizeof(FirmwareShow::motion) == kShowMotionSize);
static_assert(sizeof(FirmwareShow::firstRefreshes) == kShowFirstRefreshesSize);
static_assert(sizeof(FirmwareShow::refreshes) == kShowRefreshesSize);
static_assert(sizeof(FirmwareShow::heldStep) == kShowHeldStepSize);
static_assert(sizeof(FirmwareShow::heldRefreshes) == kShowHeldRefreshesSize);
static_assert(chip::kFlashBytes <= std::size_t{1} << (8 * kShowTableAddressSize));
static_assert(Board::kMaxLatchCount < 1 << (8 * kSignLatchCountSize));

static_assert(static_cast<int>(FirmwareShow::Motion::Forward) == kMotionForward);
static_assert(static_cast<int>(FirmwareShow::Motion::Backward) == kMotionBackward);
static_assert(static_cast<int>(FirmwareShow::Motion::RowsUp) == kMotionRowsUp);
static_assert(static_cast<int>(FirmwareShow::Motion::RowsDown) == kMotionRowsDown);
static_assert(static_cast<int>(FirmwareShow::Motion::Still) == kMotionStill);

FirmwareShow::Motion MotionOf(const ScrollPlan& plan)
{
    switch (plan.direction()) {
    case ScrollDirection::Right:
        return FirmwareShow::Motion::Backward;
    case ScrollDirection::Up:
        return FirmwareShow::Motion::RowsUp;
    case ScrollDirection::Down:
        return FirmwareShow::Motion::RowsDown;
    case ScrollDirection::Still:
    case ScrollDirection::Blink:
        return FirmwareShow::Motion::Still;
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

// Writes a field of `size` bytes, little-endian, at `at`.
void PutField(std::vector<std::uint8_t>& flash, std::size_t at, int size, std::size_t value)
{
    for (int k = 0; k < size; ++k) {
        flash.at(at + static_cast<std::size_t>(k)) = static_cast<std::uint8_t>(value >> (8 * k));
    }
}

} // namespace

std::vector<FirmwareShow> ShowsOfMessage(const Message& message, const Board& board,
                                         const Font& font)
{
    Show signShow = ShowOf(message, board, font);
    const ScrollPlan& plan = signShow.plan;
    if (plan.isStanding()) {
        // A page a show: its table the page's window of the message's table.
        const auto window = static_cast<std::size_t>(kColumns * board.latchCount);
        std::vector<FirmwareShow> shows;
        shows.reserve(plan.pageStarts().size());
        for (const int start : plan.pageStarts()) {
            const auto first = signShow.table.begin() + start;
            shows.push_back({
                .table = std::vector<std::uint8_t>(first, first + static_cast<long>(window)),
                .stepCount = static_cast<std::uint16_t>(plan.stepsPerPage()),
                .motion = FirmwareShow::Motion::Still,
                .blink = message.direction == ScrollDirection::Blink,
                .firstRefreshes = static_cast<std::uint8_t>(plan.firstStepRefreshes()),
                .refreshes = static_cast<std::uint8_t>(plan.stepRefreshes()),
            });
        }
        return shows;
    }
    FirmwareShow show{
        .table = std::move(signShow.table),
        .stepCount = static_cast<std::uint16_t>(plan.stepCount()),
        .firstIndex = static_cast<std::uint16_t>(plan.firstIndex(0, 0)),
        .motion = MotionOf(plan),
        .firstRefreshes = static_cast<std::uint8_t>(plan.firstStepRefreshes()),
        .refreshes = static_cast<std::uint8_t>(plan.stepRefreshes()),
    };
    if (plan.heldStep() >= 0) {
        show.heldStep = static_cast<std::uint16_t>(plan.heldStep());
        show.heldRefreshes = static_cast<std::uint16_t>(plan.heldRefreshes());
    }
    show.table.resize(ShowTableSize(show.table.size(), plan), 0);
    return {std::move(show)};
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
    std::size_t size = engine::Image().size() + kSignHeaderSize;
    for (const Message& message : messages) {
        const ScrollPlan plan(message, board);
        if (plan.isStanding()) {
            const std::size_t pages = plan.pageStarts().size();
            size += pages * (kShowRecordSize + std::size_t{kColumns} * board.latchCount);
        } else {
            size +=
                kShowRecordSize + ShowTableSize(ColumnTableSize(message, board.latchCount), plan);
        }
    }
    return size;
}

std::string FirmwareTooLarge::reason() const
{
    return "The firmware needs " + GroupThousands(bytes) + " bytes; the " +
           std::string(chip::kName) + " holds " + GroupThousands(chip::kFlashBytes) +
           ". Fewer or shorter messages are needed.";
}

FirmwareResult LinkFirmware(std::span<const FirmwareShow> shows, std::uint8_t latchCount,
                            std::uint8_t brightness)
{
    if (shows.empty() || latchCount < 1 || latchCount > Board::kMaxLatchCount) {
        throw std::invalid_argument("LinkFirmware: no show, or no board of that many latches");
    }
    if (brightness < 1 || brightness > kFullBrightness) {
        throw std::invalid_argument("LinkFirmware: a brightness outside 1 to 8");
    }
    for (const FirmwareShow& show : shows) {
        const auto [first, end] = ReadIndexes(show, latchCount);
        if (first < 0 || end > static_cast<long long>(show.table.size())) {
            throw std::invalid_argument("LinkFirmware: a show reads outside its table");
        }
        if (show.heldRefreshes != 0 && show.heldStep >= show.stepCount) {
            throw std::invalid_argument("LinkFirmware: a show holds a step it does not have");
        }
        // The engine reads a step's duration while showing its first refresh.
        if (show.stepCount == 0 || show.firstRefreshes == 0 ||
            (show.stepCount > 1 && show.refreshes == 0)) {
            throw std::invalid_argument("LinkFirmware: a show has a step of no refresh");
        }
    }
    const std::size_t size = FirmwareSize(shows);
    if (size > chip::kFlashBytes) {
        return FirmwareTooLarge{size};
    }

    const auto engineImage = engine::Image();
    std::vector<std::uint8_t> flash(engineImage.begin(), engineImage.end());
    const std::size_t sign = flash.size();
    const std::size_t records = sign + kSignHeaderSize;
    std::size_t tableAddress = records + kShowRecordSize * shows.size();
    flash.reserve(size);
    flash.resize(tableAddress, 0);
    PutField(flash, sign + kSignShowCountOffset, kSignShowCountSize, shows.size());
    PutField(flash, sign + kSignLatchCountOffset, kSignLatchCountSize, latchCount);
    PutField(flash, sign + kSignBrightnessOffset, kSignBrightnessSize, brightness);
    for (std::size_t index = 0; index < shows.size(); ++index) {
        const FirmwareShow& show = shows[index];
        const std::size_t record = records + kShowRecordSize * index;
        PutField(flash, record + kShowTableAddressOffset, kShowTableAddressSize, tableAddress);
        PutField(flash, record + kShowStepCountOffset, kShowStepCountSize, show.stepCount);
        PutField(flash, record + kShowFirstIndexOffset, kShowFirstIndexSize, show.firstIndex);
        PutField(flash, record + kShowMotionOffset, kShowMotionSize,
                 static_cast<std::size_t>(show.motion));
        PutField(flash, record + kShowFlagsOffset, kShowFlagsSize, show.blink ? kShowFlagBlink : 0);
        PutField(flash, record + kShowFirstRefreshesOffset, kShowFirstRefreshesSize,
                 show.firstRefreshes);
        PutField(flash, record + kShowRefreshesOffset, kShowRefreshesSize, show.refreshes);
        PutField(flash, record + kShowHeldStepOffset, kShowHeldStepSize, show.heldStep);
        PutField(flash, record + kShowHeldRefreshesOffset, kShowHeldRefreshesSize,
                 show.heldRefreshes);
        tableAddress += show.table.size();
    }
    for (const FirmwareShow& show : shows) {
        flash.insert(flash.end(), show.table.begin(), show.table.end());
    }
    return flash;
}

FirmwareResult BuildFirmware(std::span<const Message> messages, const Board& board,
                             std::uint8_t brightness)
{
    return BuildFirmware(messages, board, Font::builtIn(), brightness);
}

FirmwareResult BuildFirmware(std::span<const Message> messages, const Board& board,
                             const Font& font, std::uint8_t brightness)
{
    std::vector<FirmwareShow> shows;
    shows.reserve(messages.size());
    for (const Message& message : messages) {
        for (FirmwareShow& show : ShowsOfMessage(message, board, font)) {
            shows.push_back(std::move(show));
        }
    }
    return LinkFirmware(shows, board.latchCount, brightness);
}

} // namespace corvane
