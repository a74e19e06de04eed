#include "editor/model/flash/KnownProgrammer.h"

#include <algorithm>
#include <array>

namespace corvane {

namespace {

constexpr std::array kProgrammers{
    KnownProgrammer{"usbasp", "USBasp",
                    "The small USB stick with a 10-pin (or 6-pin) ISP cable, often blue or "
                    "green. It needs no port. Its clock is slowed to suit a new chip at 1 MHz.",
                    false, "", kSafeBitclock, "16c0:05dc"},
    KnownProgrammer{"usbtiny", "USBtinyISP",
                    "Adafruit's USBtinyISP and its clones, such as SparkFun's Pocket AVR "
                    "Programmer. It needs no port.",
                    false, "", kSafeBitclock, "1781:0c9f"},
    KnownProgrammer{"avrispmkII", "AVRISP mkII",
                    "Atmel's AVRISP mkII, or a USB programmer that works like one. It needs no "
                    "port.",
                    false, "", kSafeBitclock, "03eb:2104"},
    KnownProgrammer{"stk500v1", "Arduino as ISP",
                    "An Arduino running the ArduinoISP sketch (File > Examples in the Arduino "
                    "IDE), its pins 10, 11, 12 and 13 wired to the chip's RESET, MOSI, MISO and "
                    "SCK. Choose its serial port; it talks at 19200 baud and sets a clock safe "
                    "for a chip at 1 MHz itself.",
                    true, "19200", "", ""},
    KnownProgrammer{"stk500v2", "STK500 v2 (serial)",
                    "Atmel's STK500, or a serial or USB-serial programmer speaking its version 2 "
                    "protocol (many \"AVRISP v2\" clones, Pololu's USB AVR Programmer). Choose "
                    "its serial port.",
                    true, "", kSafeBitclock, ""},
    KnownProgrammer{"atmelice_isp", "Atmel-ICE (ISP)",
                    "Atmel's Atmel-ICE with its ISP cable on the board. It needs no port.", false,
                    "", kSafeBitclock, "03eb:2141"},
    KnownProgrammer{"dragon_isp", "AVR Dragon (ISP)",
                    "Atmel's AVR Dragon wired to the board's ISP header. It needs no port.", false,
                    "", kSafeBitclock, "03eb:2107"},
};

} // namespace

std::span<const KnownProgrammer> KnownProgrammers()
{
    return kProgrammers;
}

const KnownProgrammer* FindKnownProgrammer(std::string_view id)
{
    const auto found = std::find_if(kProgrammers.begin(), kProgrammers.end(),
                                    [id](const KnownProgrammer& known) { return known.id == id; });
    return found == kProgrammers.end() ? nullptr : &*found;
}

} // namespace corvane
