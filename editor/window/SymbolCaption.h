#pragma once

#include <QString>
#include <string_view>

namespace corvane {

// What a button shows for a caption of the editor: the captions written for
// the "Webdings" and "Wingdings 3" symbol fonts ("4" play, ";" pause, "r"
// clear, 0xB7 up, 0xB8 down) become the matching Unicode symbols; any other
// caption is shown as it is.
QString SymbolCaption(std::string_view caption);

} // namespace corvane
