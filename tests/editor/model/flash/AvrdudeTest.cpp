#include "editor/model/flash/Avrdude.h"

#include "editor/model/flash/AvrdudeProgress.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Arguments = std::vector<std::string>;

TEST(AvrdudeTest, FlashArgumentsNameOnlyWhatWasChosen)
{
    EXPECT_EQ(AvrdudeFlashArguments({}, "/tmp/s.hex"),
              (Arguments{"-p", "m8", "-c", "usbasp", "-U", "flash:w:/tmp/s.hex:i"}));
    EXPECT_EQ(AvrdudeFlashArguments({"arduino", "/dev/ttyUSB0", "19200"}, "f.hex"),
              (Arguments{"-p", "m8", "-c", "arduino", "-P", "/dev/ttyUSB0", "-b", "19200", "-U",
                         "flash:w:f.hex:i"}));
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

} // namespace
} // namespace corvane
