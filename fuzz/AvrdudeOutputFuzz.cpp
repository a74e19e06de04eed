#include "editor/model/flash/Avrdude.h"
#include "editor/model/flash/AvrdudeProgress.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

// What avrdude prints comes from another program: whatever it writes, in
// whatever pieces, the progress stays within 0 to 100 and nothing breaks.
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
    progress.failureText();
    return 0;
}
