#include "editor/model/flash/ClockFuse.h"

#include "editor/model/flash/TrimmedText.h"

#include <charconv>

namespace corvane {

namespace {

constexpr std::uint8_t kClockBits = 0x3F;   // SUT1..0 and CKSEL3..0
constexpr std::uint8_t kClockSelect = 0x0F; // CKSEL3..0

} // namespace

std::optional<std::uint8_t> ParseFuseByte(std::string_view output)
{
    output = Trimmed(output);
    const auto lastBreak = output.find_last_of("\r\n");
    std::string_view line =
        Trimmed(lastBreak == std::string_view::npos ? output : output.substr(lastBreak + 1));
    if (!line.starts_with("0x") && !line.starts_with("0X")) {
        return std::nullopt;
    }
    line.remove_prefix(2);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value, 16);
    if (line.empty() || line.size() > 2 || error != std::errc() ||
        end != line.data() + line.size()) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

std::string ClockProblem(std::uint8_t lowFuse)
{
    const int select = lowFuse & kClockSelect;
    const std::string source = "The chip's low fuse is 0x" + [lowFuse] {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        return std::string{kDigits[lowFuse >> 4], kDigits[lowFuse & 0xF]};
    }() + ": it is set to run on ";
    if (select == 0x1) {
        return {};
    }
    if (select >= 0x2 && select <= 0x4) {
        const int megahertz = 1 << (select - 1);
        const std::string speed = std::to_string(megahertz);
        return source + "its internal oscillator at " + speed +
               " MHz, not the factory 1 MHz: the sign would run " + speed + " times too fast.";
    }
    if (select >= 0xA) {
        return source +
               "an external crystal or resonator (on pins 9 and 10), not its internal 1 MHz "
               "oscillator: it needs that crystal fitted, and the sign would run at the "
               "crystal's speed (with an 8 MHz crystal, 8 times too fast).";
    }
    if (select == 0x9) {
        return source +
               "a 32.768 kHz watch crystal, not its internal 1 MHz oscillator: it needs that "
               "crystal fitted, and the sign would run about 30 times too slowly.";
    }
    if (select >= 0x5) {
        return source +
               "an external RC oscillator (on pin 9), not its internal 1 MHz oscillator: it "
               "needs that oscillator fitted, and the sign would run at its speed.";
    }
    return source + "an external clock signal (on pin 9), not its internal 1 MHz oscillator: it "
                    "runs only while that clock is fed in, and the sign would run at its speed.";
}

std::uint8_t WithFactoryClock(std::uint8_t lowFuse)
{
    return static_cast<std::uint8_t>((lowFuse & ~kClockBits) | (kFactoryLowFuse & kClockBits));
}

} // namespace corvane
