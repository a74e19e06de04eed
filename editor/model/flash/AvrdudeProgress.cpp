#include "editor/model/flash/AvrdudeProgress.h"

#include <algorithm>
#include <vector>

namespace corvane {

namespace {

constexpr int kMarksPerBar = 50;
constexpr std::string_view kErrorPrefix = "avrdude error:";
constexpr std::size_t kFallbackLines = 3;

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        if (!line.empty()) {
            lines.push_back(line);
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

} // namespace

void AvrdudeProgress::feed(std::string_view output)
{
    m_transcript += output;
    const std::string_view text = m_transcript;
    // A bar starts with its label; its marks follow as the work goes on.
    static constexpr std::string_view kLabels[] = {"Writing | ", "Reading | "};
    while (m_scanned < text.size()) {
        const std::string_view rest = text.substr(m_scanned);
        bool startedBar = false;
        for (const std::string_view label : kLabels) {
            if (rest.starts_with(label)) {
                startBar(label.substr(0, label.find(' ')));
                m_scanned += label.size();
                startedBar = true;
                break;
            }
        }
        if (startedBar) {
            continue;
        }
        // Wait for more output while the rest may still become a label.
        if (rest.size() < kLabels[0].size() &&
            std::any_of(std::begin(kLabels), std::end(kLabels),
                        [&](std::string_view label) { return label.starts_with(rest); })) {
            return;
        }
        const char character = text[m_scanned++];
        if (!m_inBar) {
            continue;
        }
        if (character == '#') {
            m_marks = std::min(m_marks + 1, kMarksPerBar);
        } else if (character == '|' || character == '\n') {
            m_inBar = false;
        }
    }
}

void AvrdudeProgress::startBar(std::string_view label)
{
    if (label == "Writing") {
        m_stage = Stage::Writing;
    } else if (m_stage != Stage::Starting) {
        m_stage = Stage::Verifying; // a read after the write checks it
    }
    m_inBar = true;
    m_marks = 0;
}

int AvrdudeProgress::percent() const
{
    const int ofBar = m_marks * 100 / kMarksPerBar;
    switch (m_stage) {
    case Stage::Writing:
        return ofBar / 2;
    case Stage::Verifying:
        return 50 + ofBar / 2;
    case Stage::Starting:
        break;
    }
    return 0;
}

std::string AvrdudeProgress::stageText() const
{
    switch (m_stage) {
    case Stage::Writing:
        return "Writing the flash…";
    case Stage::Verifying:
        return "Verifying the flash…";
    case Stage::Starting:
        break;
    }
    return "Connecting to the programmer…";
}

std::string AvrdudeProgress::failureText() const
{
    const std::vector<std::string_view> lines = Lines(m_transcript);
    std::string failure;
    for (const std::string_view line : lines) {
        if (line.starts_with(kErrorPrefix)) {
            failure += failure.empty() ? "" : "\n";
            failure += line;
        }
    }
    if (failure.empty()) {
        const std::size_t first = lines.size() > kFallbackLines ? lines.size() - kFallbackLines : 0;
        for (std::size_t index = first; index < lines.size(); ++index) {
            failure += failure.empty() ? "" : "\n";
            failure += lines[index];
        }
    }
    return failure;
}

} // namespace corvane
