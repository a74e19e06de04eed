#include "editor/model/flash/ProgrammerCheck.h"

#include "editor/model/flash/KnownProgrammer.h"

#include <algorithm>
#include <charconv>

namespace corvane {

namespace {

bool IsDigit(char character)
{
    return character >= '0' && character <= '9';
}

bool IsIdCharacter(char character)
{
    return IsDigit(character) || (character >= 'a' && character <= 'z') ||
           (character >= 'A' && character <= 'Z') || character == '_' || character == '-' ||
           character == '.' || character == '+';
}

} // namespace

bool IsProgrammerId(std::string_view id)
{
    return !id.empty() && id.size() <= 64 && id.front() != '-' &&
           std::all_of(id.begin(), id.end(), IsIdCharacter);
}

std::optional<std::string> CheckedBaud(std::string_view text)
{
    if (text.empty()) {
        return std::string();
    }
    if (text.size() > 7 || !std::all_of(text.begin(), text.end(), IsDigit)) {
        return std::nullopt;
    }
    long baud = 0;
    std::from_chars(text.data(), text.data() + text.size(), baud);
    if (baud < 300 || baud > 4'000'000) {
        return std::nullopt;
    }
    return std::to_string(baud);
}

std::optional<std::string> CheckedBitclock(std::string_view text)
{
    if (text.empty()) {
        return std::string();
    }
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() || whole.size() > 4 || fraction.size() > 3 ||
        (point != std::string_view::npos && fraction.empty()) ||
        !std::all_of(whole.begin(), whole.end(), IsDigit) ||
        !std::all_of(fraction.begin(), fraction.end(), IsDigit)) {
        return std::nullopt;
    }
    // In thousandths of a µs, so no floating point decides the bounds.
    long period = 0;
    std::from_chars(whole.data(), whole.data() + whole.size(), period);
    period *= 1000;
    long scale = 100;
    for (const char digit : fraction) {
        period += (digit - '0') * scale;
        scale /= 10;
    }
    if (period < 100 || period > 1'000'000) {
        return std::nullopt;
    }
    return std::string(text);
}

std::optional<std::string> CheckedPort(std::string_view text)
{
    const bool printable = std::all_of(text.begin(), text.end(), [](char character) {
        return static_cast<unsigned char>(character) >= 0x20 && character != 0x7F;
    });
    if (text.size() > 256 || !printable || text.starts_with('-')) {
        return std::nullopt;
    }
    return std::string(text);
}

ProgrammerChoice DefaultChoice(std::string_view programmer)
{
    const KnownProgrammer* known = FindKnownProgrammer(programmer);
    if (known == nullptr) {
        return {std::string(programmer), {}, {}, {}};
    }
    return {std::string(known->id), {}, std::string(known->baud), std::string(known->bitclock)};
}

ProgrammerChoice CheckedChoice(const ProgrammerChoice& raw,
                               const std::function<bool(std::string_view id)>& listed)
{
    const KnownProgrammer* known = FindKnownProgrammer(raw.programmer);
    if (known == nullptr && (!IsProgrammerId(raw.programmer) || !listed(raw.programmer))) {
        return DefaultChoice(KnownProgrammers().front().id);
    }
    ProgrammerChoice choice = DefaultChoice(raw.programmer);
    if (known == nullptr || known->needsPort) {
        choice.port = CheckedPort(raw.port).value_or(std::string());
        choice.baud = CheckedBaud(raw.baud).value_or(choice.baud);
    }
    choice.bitclock = CheckedBitclock(raw.bitclock).value_or(choice.bitclock);
    return choice;
}

std::optional<std::string> MissingSetting(const ProgrammerChoice& choice)
{
    const KnownProgrammer* known = FindKnownProgrammer(choice.programmer);
    if (known != nullptr && known->needsPort && choice.port.empty()) {
        return std::string(known->name) + " needs its serial port (such as /dev/ttyUSB0 or "
                                          "/dev/ttyACM0).";
    }
    return std::nullopt;
}

} // namespace corvane
