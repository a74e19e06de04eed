#include "editor/model/flash/Avrdude.h"
#include "editor/model/flash/AvrdudeFailure.h"
#include "editor/model/flash/AvrdudeProgress.h"
#include "editor/model/flash/ClockFuse.h"
#include "flashimage/IntelHexImage.h"
#include "editor/model/flash/ProgrammerCheck.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

// What avrdude prints comes from another program: whatever it writes, in
// whatever pieces, the progress stays within 0 to 100, what is kept and shown
// stays bounded, and nothing breaks. The same bytes as a fuse, a HEX file and
// remembered settings are checked and never crash either.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view output(reinterpret_cast<const char*>(data), size);
    corvane::ParseProgrammerList(output);

    corvane::AvrdudeProgress progress;
    // The first byte picks the size of the pieces the rest arrives in.
    const std::size_t piece = size == 0 ? 1 : 1 + data[0] % 17;
    for (std::size_t at = 0; at < output.size(); at += piece) {
        progress.feed(output.substr(at, piece));
        if (progress.percent() < 0 || progress.percent() > 100) {
            std::abort();
        }
    }
    progress.stageText();
    constexpr std::size_t kLimit = corvane::AvrdudeProgress::kTranscriptLimit;
    if (progress.transcript().size() >
            kLimit + kLimit / 4 + 2 * corvane::AvrdudeProgress::kLineLimit ||
        progress.failureText().size() > corvane::AvrdudeProgress::kShownLines *
                                            (corvane::AvrdudeProgress::kShownLineLength + 4)) {
        std::abort();
    }
    corvane::FailureWords(progress.failure(), {});

    if (const auto fuse = corvane::ParseFuseByte(output)) {
        corvane::ClockProblem(*fuse);
    }
    corvane::ReadIntelHex(output, 8192);
    // Settings as they might be remembered: four fields split at NUL bytes.
    corvane::ProgrammerChoice raw;
    std::string* fields[] = {&raw.programmer, &raw.port, &raw.baud, &raw.bitclock};
    std::size_t field = 0;
    for (const char character : output.substr(0, 512)) {
        if (character == '\0') {
            field = (field + 1) % 4;
        } else {
            fields[field]->push_back(character);
        }
    }
    const corvane::ProgrammerChoice checked =
        corvane::CheckedChoice(raw, [](std::string_view id) { return id.size() % 2 == 0; });
    if (!corvane::IsProgrammerId(checked.programmer) || !corvane::CheckedPort(checked.port) ||
        !corvane::CheckedBaud(checked.baud) || !corvane::CheckedBitclock(checked.bitclock)) {
        std::abort();
    }
    return 0;
}
