#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The sign's characters are Windows-1252, one byte each. These convert
// between that and UTF-8 (glibc's iconv does the mapping).

// A UTF-8 text as the sign's bytes: every character the font shows, in
// order, and each one it does not show, once, in UTF-8, in the order met.
struct SignText
{
    std::string bytes;
    std::vector<std::string> leftOut;

    bool isWhole() const { return leftOut.empty(); }
};
SignText ToSignText(std::string_view utf8);

// The UTF-8 of Windows-1252 bytes; a byte without a character becomes U+FFFD.
std::string ToUtf8(std::string_view windows1252);

// The UTF-8 of one Windows-1252 byte (U+FFFD for one without a character).
std::string CharacterUtf8(unsigned char code);

// Why the sign cannot show a character that ToSignText left out, as a
// sentence ending without a full stop: "“Ж” (U+0416) is not a character the
// sign knows; it shows the Windows-1252 characters".
std::string WhyNotShown(std::string_view utf8Character);

} // namespace corvane
