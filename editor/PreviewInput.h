#pragma once

#include "generator/MessageEntry.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace corvane {

class MessageEditor;

// What the preview shows: one message with the settings being edited, on the
// board of the selected width.
struct PreviewInput
{
    std::size_t index = 0;
    MessageEntry entry{};
    std::string widthText{};
    std::uint8_t latchCount = 1;
    std::uint8_t rowCount = 7;

    friend bool operator==(const PreviewInput&, const PreviewInput&) = default;
};

// Entry CurIndex's text with CurScroll and CurSpeed, which the next commit
// stores, on the selected width with that item's latch count (LatchCount is
// set only at Save). Nothing while no width is selected or CurIndex has no
// entry.
std::optional<PreviewInput> PreviewInputOf(const MessageEditor& editor);

// The play/pause button shows the pause sign while the message plays.
bool PlayOneIsPlaying(const MessageEditor& editor);

} // namespace corvane
