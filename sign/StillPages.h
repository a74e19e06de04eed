#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace corvane {

// A standing message shows in pages, each as many whole words (split at single
// spaces) as fit the board's width; a word longer than the board is cut into
// pieces of as many characters as fit. The space where a page breaks is not
// shown, but its table keeps it after the page, so the table still holds the
// whole text.
struct StillPage
{
    std::size_t first = 0;   // the page's first character in the text
    std::size_t length = 0;  // the characters it shows
    bool dropsSpace = false; // followed by the space where it breaks

    friend bool operator==(const StillPage&, const StillPage&) = default;
};

// Characters a page of `boardColumns` columns holds: five columns each and
// a gap between them, at least one.
int CharactersPerPage(int boardColumns);

// The pages of the text, in order; one at least.
std::vector<StillPage> StillPagesOf(std::string_view text, int boardColumns);

} // namespace corvane
