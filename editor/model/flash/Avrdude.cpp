#include "editor/model/flash/Avrdude.h"

#include "editor/model/flash/TrimmedText.h"
#include "sign/TargetChip.h"

namespace corvane {

std::vector<std::string> AvrdudeChipArguments(const ProgrammerChoice& choice)
{
    std::vector<std::string> arguments{"-p", std::string(chip::kAvrdudePart), "-c",
                                       choice.programmer};
    if (!choice.port.empty()) {
        arguments.insert(arguments.end(), {"-P", choice.port});
    }
    if (!choice.baud.empty()) {
        arguments.insert(arguments.end(), {"-b", choice.baud});
    }
    if (!choice.bitclock.empty()) {
        arguments.insert(arguments.end(), {"-B", choice.bitclock});
    }
    return arguments;
}

std::vector<std::string> AvrdudeFuseReadArguments(const ProgrammerChoice& choice)
{
    std::vector<std::string> arguments = AvrdudeChipArguments(choice);
    arguments.insert(arguments.end(), {"-U", "lfuse:r:-:h"});
    return arguments;
}

std::vector<std::string> AvrdudeFuseWriteArguments(const ProgrammerChoice& choice,
                                                   std::uint8_t lowFuse)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    const std::string value{'0', 'x', kDigits[lowFuse >> 4], kDigits[lowFuse & 0xF]};
    std::vector<std::string> arguments = AvrdudeChipArguments(choice);
    arguments.insert(arguments.end(), {"-U", "lfuse:w:" + value + ":m", "-U", "lfuse:r:-:h"});
    return arguments;
}

std::vector<std::string> AvrdudeFlashArguments(const ProgrammerChoice& choice,
                                               const std::string& hexPath)
{
    std::vector<std::string> arguments = AvrdudeChipArguments(choice);
    arguments.insert(arguments.end(), {"-U", "flash:w:" + hexPath + ":i"});
    return arguments;
}

std::vector<std::string> AvrdudeListArguments()
{
    return {"-c", "?"};
}

std::vector<Programmer> ParseProgrammerList(std::string_view output)
{
    std::vector<Programmer> programmers;
    while (!output.empty() && programmers.size() < kMaxListedProgrammers) {
        const auto end = output.find('\n');
        const std::string_view line = output.substr(0, end);
        output.remove_prefix(end == std::string_view::npos ? output.size() : end + 1);
        // Only the indented "id = description" lines name programmers.
        if (line.empty() || (line.front() != ' ' && line.front() != '\t')) {
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string_view id = Trimmed(line.substr(0, equals));
        if (id.empty() || id.find(' ') != std::string_view::npos) {
            continue;
        }
        programmers.push_back({std::string(id), std::string(Trimmed(line.substr(equals + 1)))});
    }
    return programmers;
}

} // namespace corvane
