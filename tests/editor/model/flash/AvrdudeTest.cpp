#include "editor/model/flash/Avrdude.h"

#include "editor/model/flash/AvrdudeProgress.h"
#include "editor/model/flash/ClockFuse.h"
#include "editor/model/flash/KnownProgrammer.h"
#include "editor/model/flash/ProgrammerCheck.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Arguments = std::vector<std::string>;

TEST(AvrdudeTest, FlashArgumentsNameOnlyWhatWasChosen)
{
    // USBasp by default, at a clock a new chip at 1 MHz takes.
    EXPECT_EQ(AvrdudeFlashArguments({}, "/tmp/s.hex"),
              (Arguments{"-p", "m8", "-c", "usbasp", "-B", "8", "-U", "flash:w:/tmp/s.hex:i"}));
    EXPECT_EQ(AvrdudeFlashArguments({"arduino", "/dev/ttyUSB0", "19200", ""}, "f.hex"),
              (Arguments{"-p", "m8", "-c", "arduino", "-P", "/dev/ttyUSB0", "-b", "19200", "-U",
                         "flash:w:f.hex:i"}));
    EXPECT_EQ(AvrdudeFuseReadArguments(DefaultChoice("usbtiny")),
              (Arguments{"-p", "m8", "-c", "usbtiny", "-B", "8", "-U", "lfuse:r:-:h"}));
    EXPECT_EQ(AvrdudeFuseWriteArguments({"stk500v1", "/dev/ttyACM0", "19200", ""}, 0xE1),
              (Arguments{"-p", "m8", "-c", "stk500v1", "-P", "/dev/ttyACM0", "-b", "19200", "-U",
                         "lfuse:w:0xe1:m", "-U", "lfuse:r:-:h"}));
}

// Each known programmer starts from a clock safe for the factory's 1 MHz:
// a period of at least 4 µs, or the programmer's own (ArduinoISP's is).
TEST(AvrdudeTest, KnownProgrammersStartFromASafeClock)
{
    for (const KnownProgrammer& known : KnownProgrammers()) {
        const ProgrammerChoice choice = DefaultChoice(known.id);
        EXPECT_TRUE(choice.bitclock.empty() ? known.id == "stk500v1"
                                            : std::stod(choice.bitclock) >= 4.0)
            << known.id;
        EXPECT_EQ(CheckedChoice(choice, [](std::string_view) { return false; }), choice);
    }
    EXPECT_EQ(DefaultChoice("stk500v1").baud, "19200");
}

// Remembered or typed settings that are bad fall back to the default and
// never reach avrdude.
TEST(AvrdudeTest, BadSettingsFallBackToTheDefault)
{
    struct Case
    {
        ProgrammerChoice raw;
        ProgrammerChoice checked;
    };
    const ProgrammerChoice usbasp{"usbasp", "", "", "8"};
    const ProgrammerChoice arduino{"stk500v1", "/dev/ttyUSB0", "19200", ""};
    const Case cases[] = {
        {{"stk500v1", "/dev/ttyUSB0", "abc", ""}, arduino},
        {{"stk500v1", "/dev/ttyUSB0", "19200; reboot", ""}, arduino},
        {{"stk500v1", "/dev/ttyUSB0", "99999999", ""}, arduino},
        {{"stk500v1", "/dev/ttyUSB0", "115200", ""}, {"stk500v1", "/dev/ttyUSB0", "115200", ""}},
        {{"stk500v1", "-U/etc/passwd", "19200", ""}, {"stk500v1", "", "19200", ""}},
        {{"", "", "", ""}, usbasp},
        {{"no-such-programmer", "", "", ""}, usbasp},
        {{"-Cevil.conf", "", "", ""}, usbasp},
        {{"usbasp", "", "", "abc"}, usbasp},
        {{"usbasp", "", "", "-1"}, usbasp},
        {{"usbasp", "", "", "1e9"}, usbasp},
        {{"usbasp", "", "", "0.01"}, usbasp},
        {{"usbasp", "", "", "32"}, {"usbasp", "", "", "32"}},
        {{"usbasp", "", "", ""}, {"usbasp", "", "", ""}},
        {{"usbasp", "/dev/ttyUSB0", "19200", "8"}, usbasp},
        {{"listed", "usb:12", "x", "2.5"}, {"listed", "usb:12", "", "2.5"}},
        // Listed by a hostile avrdude, but read as an option.
        {{"-listed", "", "", ""}, usbasp},
    };
    const auto listed = [](std::string_view id) { return id.ends_with("listed"); };
    for (const Case& test : cases) {
        EXPECT_EQ(CheckedChoice(test.raw, listed), test.checked)
            << test.raw.programmer << " " << test.raw.port << " " << test.raw.baud << " "
            << test.raw.bitclock;
    }
    EXPECT_TRUE(MissingSetting({"stk500v1", "", "19200", ""}).has_value());
    EXPECT_FALSE(MissingSetting(usbasp).has_value());
}

TEST(AvrdudeTest, TheLowFuseTellsTheClock)
{
    struct Case
    {
        std::uint8_t fuse;
        std::string_view words; // empty: the factory's 1 MHz
    };
    const Case cases[] = {
        {0xE1, ""},
        {0x21, ""}, // brown-out bits do not matter
        {0xE2, "2 times too fast"},
        {0xE3, "4 times too fast"},
        {0xE4, "8 times too fast"},
        {0xFF, "needs that crystal"},
        {0xEA, "needs that crystal"},
        {0xE9, "30 times too slowly"},
        {0xE5, "external RC oscillator"},
        {0xE8, "external RC oscillator"},
        {0xE0, "external clock signal"},
    };
    for (const Case& test : cases) {
        const std::string problem = ClockProblem(test.fuse);
        if (test.words.empty()) {
            EXPECT_EQ(problem, "") << int{test.fuse};
        } else {
            EXPECT_NE(problem.find(test.words), std::string::npos) << problem;
        }
    }
    EXPECT_EQ(WithFactoryClock(0xE4), 0xE1);
    EXPECT_EQ(WithFactoryClock(0x3F), 0x21); // BODLEVEL and BODEN stay programmed
    EXPECT_EQ(ParseFuseByte("0xe4\n"), std::uint8_t{0xE4});
    EXPECT_EQ(ParseFuseByte("0x1\r\n0xE1\n"), std::uint8_t{0xE1});
    EXPECT_EQ(ParseFuseByte(""), std::nullopt);
    EXPECT_EQ(ParseFuseByte("0x1e1"), std::nullopt);
    EXPECT_EQ(ParseFuseByte("0x"), std::nullopt);
    EXPECT_EQ(ParseFuseByte("225"), std::nullopt);
}

TEST(AvrdudeTest, ProgrammerListTakesTheIndentedIdLines)
{
    const auto programmers = ParseProgrammerList("\nValid programmers are:\n"
                                                 "  2232hio   = 2232hio based on FT2232H\n"
                                                 "  usbasp             = USBasp, http://x/ a=b\n"
                                                 "avrdude done.  Thank you.\n");
    EXPECT_EQ(programmers, (std::vector<Programmer>{{"2232hio", "2232hio based on FT2232H"},
                                                    {"usbasp", "USBasp, http://x/ a=b"}}));
}

// avrdude's output when its error output is no terminal, cut into pieces
// of every size, since a label may arrive split across reads.
constexpr std::string_view kFlashRun =
    "avrdude: AVR device initialized\n\n"
    "Reading | ################################################## "
    "| 100% 0.01s\n\n"
    "avrdude: writing flash (900 bytes):\n\n"
    "Writing | #########################";

TEST(AvrdudeProgressTest, FollowsTheBarsWhateverTheReadSizes)
{
    for (std::size_t piece = 1; piece <= 16; ++piece) {
        AvrdudeProgress progress;
        for (std::size_t at = 0; at < kFlashRun.size(); at += piece) {
            progress.feed(kFlashRun.substr(at, piece));
        }
        EXPECT_EQ(progress.stage(), AvrdudeProgress::Stage::Writing) << piece;
        EXPECT_EQ(progress.percent(), 25) << piece;

        progress.feed("######################### | 100% 0.52s\n\n"
                      "avrdude: verifying ...\n\nReading | ##########");
        EXPECT_EQ(progress.stage(), AvrdudeProgress::Stage::Verifying);
        EXPECT_EQ(progress.percent(), 60);
    }
}

TEST(AvrdudeProgressTest, FailureIsAvrdudesOwnErrorLinesOrItsLastWords)
{
    AvrdudeProgress named;
    named.feed("avrdude error: cannot find USB device with vid=0x16c0\r\n"
               "avrdude error: unable to open programmer usbasp on port usb\n\n"
               "avrdude done.  Thank you.\n");
    EXPECT_EQ(named.failureText(), "avrdude error: cannot find USB device with vid=0x16c0\n"
                                   "avrdude error: unable to open programmer usbasp on port usb");

    AvrdudeProgress unnamed;
    unnamed.feed("one\ntwo\nthree\nfour\n");
    EXPECT_EQ(unnamed.failureText(), "two\nthree\nfour");
}

// avrdude's own lines (7.1 and 6.x wording) and what they are taken to mean.
TEST(AvrdudeFailureTest, LinesNameWhatWentWrong)
{
    using Kind = AvrdudeFailure::Kind;
    struct Case
    {
        std::string_view line;
        AvrdudeFailure failure;
    };
    const Case cases[] = {
        {"avrdude error: cannot find USB device with vid=0x16c0 pid=0x5dc vendor='www.fischl.de' "
         "product='USBasp'",
         {Kind::NoProgrammer}},
        {"avrdude error: cannot find USBtiny device (0x1781/0xc9f)", {Kind::NoProgrammer}},
        {"avrdude error: unable to open programmer avrispmkII on port usb", {Kind::NoProgrammer}},
        {"avrdude warning: cannot open USB device: Permission denied", {Kind::UsbPermission}},
        {"avrdude error: program enable: target does not answer (0x01)", {Kind::ChipNotAnswering}},
        {"avrdude: error: program enable: target doesn't answer. 1 ", {Kind::ChipNotAnswering}},
        {"avrdude: Device signature = 0x000000", {Kind::ChipNotAnswering}},
        {"avrdude error: Yikes!  Invalid device signature.", {Kind::ChipNotAnswering}},
        {"avrdude: Device signature = 0x1e950f (probably m328p)", {Kind::OtherChip, "m328p"}},
        {"avrdude: device signature = 0x1e950f (ATmega328P)", {Kind::OtherChip, "ATmega328P"}},
        {"avrdude: Device signature = 0x1e9406", {Kind::OtherChip, "ATmega168"}},
        {"avrdude: Device signature = 0x1e9307 (probably m8)", {}},
        {"avrdude OS error: cannot open port /dev/ttyUSB0: No such file or directory",
         {Kind::PortNotOpened, "/dev/ttyUSB0", "No such file or directory"}},
        {"avrdude OS error: cannot open port /dev/ttyACM0: Permission denied",
         {Kind::PortPermission, "/dev/ttyACM0", "Permission denied"}},
        {"avrdude: ser_open(): can't open device \"/dev/ttyS4\": Permission denied",
         {Kind::PortPermission, "/dev/ttyS4", "Permission denied"}},
        {"avrdude: stk500_getsync() attempt 10 of 10: not in sync: resp=0x00",
         {Kind::ProgrammerNotResponding}},
        {"avrdude error: programmer is not responding", {Kind::ProgrammerNotResponding}},
        {"avrdude error: cannot find programmer id nosuch", {Kind::UnknownProgrammer}},
        {"avrdude: AVR device initialized and ready to accept instructions", {}},
        {"avrdude done.  Thank you.", {}},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(ClassifyAvrdudeLine(test.line), test.failure) << test.line;
    }
}

// The weightier failure wins, and its words say what to do.
TEST(AvrdudeFailureTest, TheWordsSayWhatToDo)
{
    AvrdudeProgress permission;
    permission.feed("avrdude warning: cannot open USB device: Permission denied\n"
                    "avrdude error: cannot find USB device with vid=0x16c0 pid=0x5dc\n");
    EXPECT_EQ(permission.failure().kind, AvrdudeFailure::Kind::UsbPermission);
    const std::string words = FailureWords(permission.failure(), {});
    EXPECT_NE(words.find("ATTR{idVendor}==\"16c0\", ATTR{idProduct}==\"05dc\""), std::string::npos);
    EXPECT_NE(words.find("sudo adduser $USER plugdev"), std::string::npos);

    const ProgrammerChoice arduino{"stk500v1", "/dev/ttyACM0", "19200", ""};
    EXPECT_NE(FailureWords({AvrdudeFailure::Kind::PortPermission, "/dev/ttyACM0"}, arduino)
                  .find("sudo adduser $USER dialout"),
              std::string::npos);
    EXPECT_NE(FailureWords({AvrdudeFailure::Kind::OtherChip, "ATmega328P"}, arduino)
                  .find("it is an ATmega328P, not the ATmega8"),
              std::string::npos);
    EXPECT_NE(FailureWords({AvrdudeFailure::Kind::ChipNotAnswering}, arduino).find("powered"),
              std::string::npos);
}

// Whatever avrdude writes, what is kept and shown stays bounded.
TEST(AvrdudeProgressTest, AFloodStaysBounded)
{
    AvrdudeProgress errors;
    for (int line = 0; line < 3000; ++line) {
        errors.feed("avrdude error: line " + std::to_string(line) + "\n");
    }
    EXPECT_EQ(errors.failureText(), "avrdude error: line 2996\navrdude error: line 2997\n"
                                    "avrdude error: line 2998\navrdude error: line 2999");

    AvrdudeProgress huge;
    huge.feed("avrdude error: cannot find USB device\n");
    const std::string piece(1 << 20, 'x');
    for (int megabyte = 0; megabyte < 20; ++megabyte) {
        huge.feed(piece);
    }
    huge.feed("\n");
    for (int line = 0; line < 20000; ++line) {
        huge.feed(std::string(100, 'y') + "\n");
    }
    EXPECT_LE(huge.transcript().size(),
              AvrdudeProgress::kTranscriptLimit + AvrdudeProgress::kTranscriptLimit / 4 + 64);
    EXPECT_TRUE(huge.transcript().starts_with("[earlier output left out]\n"));
    EXPECT_EQ(huge.failure().kind, AvrdudeFailure::Kind::NoProgrammer);
    EXPECT_LE(huge.failureText().size(),
              AvrdudeProgress::kShownLines * (AvrdudeProgress::kShownLineLength + 4));

    AvrdudeProgress cut;
    cut.feed(std::string(5000, 'z') + "\nnext\x1b[31m\n");
    EXPECT_NE(cut.transcript().find("(4000 more characters)\nnext [31m\n"), std::string::npos);
}

TEST(AvrdudeProgressTest, KnowsWhenItReachedTheChip)
{
    AvrdudeProgress unplugged;
    unplugged.feed("avrdude error: cannot find USB device with vid=0x16c0\n");
    EXPECT_FALSE(unplugged.reachedChip());
    AvrdudeProgress ready;
    ready.feed("avrdude: AVR device initialized and ready to accept instructions\n");
    EXPECT_TRUE(ready.reachedChip());
}

} // namespace
} // namespace corvane
