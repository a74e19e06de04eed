#include "editor/model/flash/AvrdudeFailure.h"

#include "editor/model/flash/KnownProgrammer.h"
#include "editor/model/flash/LoweredText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace corvane {

namespace {

using Kind = AvrdudeFailure::Kind;

bool HasAny(std::string_view text, std::initializer_list<std::string_view> parts)
{
    return std::any_of(parts.begin(), parts.end(),
                       [text](std::string_view part) { return text.find(part) != text.npos; });
}

// Names of the chips most often found in an ATmega8's place, by signature,
// for an avrdude that names none.
std::string ChipOfSignature(std::string_view signature)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 12> kChips{{
        {"1e9307", "ATmega8"},
        {"1e930a", "ATmega88"},
        {"1e930f", "ATmega88P"},
        {"1e9205", "ATmega48"},
        {"1e920a", "ATmega48P"},
        {"1e9406", "ATmega168"},
        {"1e940b", "ATmega168P"},
        {"1e9514", "ATmega328"},
        {"1e950f", "ATmega328P"},
        {"1e9403", "ATmega16"},
        {"1e9502", "ATmega32"},
        {"1e930b", "ATtiny85"},
    }};
    for (const auto& [known, name] : kChips) {
        if (known == signature) {
            return std::string(name);
        }
    }
    return "chip with the signature 0x" + std::string(signature);
}

// "… signature = 0x1e950f (probably m328p)": a chip of another signature,
// a silent chip (all zeros or all ones), or nothing.
AvrdudeFailure SignatureFailure(std::string_view line, const std::string& lowered)
{
    constexpr std::string_view kMark = "signature = 0x";
    const auto at = lowered.find(kMark);
    if (at == std::string::npos) {
        return {};
    }
    const std::string signature = lowered.substr(at + kMark.size(), 6);
    if (signature.size() != 6 ||
        !std::all_of(signature.begin(), signature.end(),
                     [](unsigned char digit) { return std::isxdigit(digit) != 0; })) {
        return {};
    }
    if (signature == "000000" || signature == "ffffff") {
        return {Kind::ChipNotAnswering};
    }
    if (signature == "1e9307") {
        return {};
    }
    std::string name = ChipOfSignature(signature);
    const auto open = line.find('(', at);
    const auto close = open == line.npos ? line.npos : line.find(')', open);
    if (close != line.npos) {
        std::string_view named = line.substr(open + 1, close - open - 1);
        if (named.starts_with("probably ")) {
            named.remove_prefix(9);
        }
        if (!named.empty() && named.size() <= 40 && named != "retrying") {
            name = std::string(named);
        }
    }
    return {Kind::OtherChip, name};
}

// The port a "cannot open port /dev/ttyUSB0: reason" (or "can't open
// device \"/dev/ttyUSB0\": reason") line names, and the reason.
std::pair<std::string, std::string> PortAndReason(std::string_view line, const std::string& lowered)
{
    std::string port;
    const auto quote = line.find('"');
    const auto named = lowered.find("open port ");
    if (named != std::string::npos) {
        const auto start = named + 10;
        const auto end = line.find(": ", start);
        port = std::string(line.substr(start, end == line.npos ? line.npos : end - start));
    } else if (quote != line.npos) {
        const auto end = line.find('"', quote + 1);
        if (end != line.npos) {
            port = std::string(line.substr(quote + 1, end - quote - 1));
        }
    }
    const auto colon = line.rfind(": ");
    std::string reason = colon == line.npos ? std::string() : std::string(line.substr(colon + 2));
    return {port.substr(0, 256), reason.substr(0, 200)};
}

std::string UdevHint(const KnownProgrammer* known)
{
    std::string rule = "SUBSYSTEM==\"usb\", ATTR{idVendor}==\"VENDOR\", "
                       "ATTR{idProduct}==\"PRODUCT\", MODE=\"0660\", GROUP=\"plugdev\"";
    std::string where = "(lsusb shows the programmer's VENDOR:PRODUCT numbers)";
    if (known != nullptr && !known->usbId.empty()) {
        const std::string_view id = known->usbId;
        const auto colon = id.find(':');
        rule.replace(rule.find("VENDOR"), 6, id.substr(0, colon));
        rule.replace(rule.find("PRODUCT"), 7, id.substr(colon + 1));
        where = "(for the " + std::string(known->name) + ")";
    }
    return "On Debian, give the plugdev group the programmer with a udev rule: a file "
           "/etc/udev/rules.d/60-avr-programmer.rules holding the line\n    " +
           rule + "\n" + where +
           ", then run \"sudo udevadm control --reload-rules\", add yourself to the group "
           "with \"sudo adduser $USER plugdev\", log out and in again, and plug the programmer "
           "in again.";
}

} // namespace

AvrdudeFailure ClassifyAvrdudeLine(std::string_view line)
{
    const std::string lowered = Lowered(line);
    const bool permission = HasAny(lowered, {"permission denied", "access denied",
                                             "operation not permitted", "libusb_error_access"});
    if (HasAny(lowered, {"cannot open port", "can't open device", "ser_open()"})) {
        auto [port, reason] = PortAndReason(line, lowered);
        return {permission ? Kind::PortPermission : Kind::PortNotOpened, std::move(port),
                std::move(reason)};
    }
    if ((permission && lowered.find("usb") != std::string::npos) ||
        HasAny(lowered, {"usb access error", "usb port permissions"})) {
        return {Kind::UsbPermission};
    }
    if (AvrdudeFailure signature = SignatureFailure(line, lowered); signature.kind != Kind::None) {
        return signature;
    }
    if (HasAny(lowered, {"target does not answer", "target doesn't answer",
                         "not responding to program enable", "program enable",
                         "initialization failed", "invalid device signature", "yikes",
                         "avr device not responding", "double check connections"})) {
        return {Kind::ChipNotAnswering};
    }
    if (HasAny(lowered, {"not responding", "not in sync", "getsync", "timeout", "no response"})) {
        return {Kind::ProgrammerNotResponding};
    }
    if (HasAny(lowered, {"cannot find usb", "could not find usb", "cannot find usbtiny",
                         "did not find any usb", "no usb device", "no device found",
                         "unable to open programmer"})) {
        return {Kind::NoProgrammer};
    }
    if (HasAny(lowered, {"cannot find programmer id", "can't find programmer id"})) {
        return {Kind::UnknownProgrammer};
    }
    return {};
}

std::string FailureWords(const AvrdudeFailure& failure, const ProgrammerChoice& choice)
{
    const KnownProgrammer* known = FindKnownProgrammer(choice.programmer);
    const std::string port = !failure.detail.empty() ? failure.detail
                             : !choice.port.empty()  ? choice.port
                                                     : std::string("its port");
    switch (failure.kind) {
    case Kind::NoProgrammer:
        return "No programmer was found. Is it plugged in? Unplug it, plug it in again and "
               "try again; and check that the programmer chosen is the one you have.\n"
               "If it is plugged in, this user may not be allowed to use it. " +
               UdevHint(known);
    case Kind::UsbPermission:
        return "The programmer is plugged in, but this user is not allowed to use it. " +
               UdevHint(known);
    case Kind::ChipNotAnswering:
        return "The programmer was found, but the ATmega8 does not answer. Is the board "
               "powered? (Not every programmer powers it.) Is the ISP cable plugged in the "
               "right way round, pin 1 (the red wire, or the arrow on the plug) to pin 1? Are "
               "RESET, MOSI, MISO and SCK wired to the chip's pins 1, 17, 18 and 19?\n"
               "A chip whose fuses ask for a crystal answers only with that crystal fitted; "
               "a slower bit clock (such as 32) can help too.";
    case Kind::OtherChip:
        return "The programmer reached a chip, but it is an " + failure.detail +
               ", not the ATmega8 the sign's firmware is for. Put an ATmega8 (or ATmega8A, "
               "ATmega8L) on the board.";
    case Kind::PortNotOpened:
        return "The port " + port + " could not be opened" +
               (failure.reason.empty() ? std::string() : " (" + failure.reason + ")") +
               ". Is the programmer plugged in, and is " + port +
               " its port? Choose one of the ports found, or unplug the programmer and plug it "
               "in again.";
    case Kind::PortPermission:
        return "This user is not allowed to open the port " + port +
               ". On Debian, serial ports belong to the dialout group: run \"sudo adduser $USER "
               "dialout\", then log out and in again.";
    case Kind::ProgrammerNotResponding:
        return "The programmer on " + port + " does not answer. Is " + port +
               " its port, and the baud rate the one it talks at? For Arduino as ISP: is the "
               "ArduinoISP sketch uploaded to the Arduino, and the baud rate 19200? A 10 µF "
               "capacitor between the Arduino's RESET and GND keeps it from restarting when "
               "the port opens.";
    case Kind::UnknownProgrammer:
        return "This avrdude does not know the programmer \"" + choice.programmer +
               "\". Choose one from the list.";
    case Kind::None:
        break;
    }
    return "avrdude could not flash the chip.";
}

} // namespace corvane
