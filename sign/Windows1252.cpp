#include "sign/Windows1252.h"

#include "sign/GlyphTable.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <iconv.h>
#include <map>
#include <optional>

namespace corvane {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// One conversion of a short text with iconv; nullopt when iconv refuses it.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view input)
{
    const iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string in(input);
    std::array<char, 16> out{};
    char* inAt = in.data();
    std::size_t inLeft = in.size();
    char* outAt = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
    iconv_close(converter);
    if (done == static_cast<std::size_t>(-1) || inLeft != 0) {
        return std::nullopt;
    }
    return std::string(out.data(), out.size() - outLeft);
}

// The UTF-8 of each Windows-1252 byte, and the byte of each such UTF-8
// character the font shows, as iconv maps them.
struct Mapping
{
    std::array<std::string, 256> utf8;
    std::map<std::string, unsigned char, std::less<>> codeOf;
};

const Mapping& TheMapping()
{
    static const Mapping mapping = [] {
        Mapping built;
        for (unsigned code = 0; code < 256; ++code) {
            const std::string byte(1, static_cast<char>(code));
            const auto utf8 = HasGlyph(static_cast<unsigned char>(code)) || code < kFirstGlyphCode
                                  ? Convert("UTF-8", "WINDOWS-1252", byte)
                                  : std::nullopt;
            built.utf8[code] = utf8 ? *utf8 : std::string(kReplacement);
            if (utf8 && HasGlyph(static_cast<unsigned char>(code))) {
                built.codeOf.emplace(*utf8, static_cast<unsigned char>(code));
            }
        }
        return built;
    }();
    return mapping;
}

// The length of the UTF-8 character starting with `lead`; 1 for a byte that
// cannot start one, so that it is taken alone.
std::size_t SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead <= 0xEF ? 3 : 1;
    }
    return lead >= 0xC2 ? 2 : 1;
}

} // namespace

SignText ToSignText(std::string_view utf8)
{
    const Mapping& mapping = TheMapping();
    SignText text;
    text.bytes.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length =
            std::min(SequenceLength(static_cast<unsigned char>(utf8[at])), utf8.size() - at);
        const std::string_view character = utf8.substr(at, length);
        at += length;
        if (const auto found = mapping.codeOf.find(character); found != mapping.codeOf.end()) {
            text.bytes += static_cast<char>(found->second);
        } else if (std::ranges::find(text.leftOut, character) == text.leftOut.end()) {
            text.leftOut.emplace_back(character);
        }
    }
    return text;
}

std::string ToUtf8(std::string_view windows1252)
{
    const Mapping& mapping = TheMapping();
    std::string utf8;
    utf8.reserve(windows1252.size());
    for (const char byte : windows1252) {
        utf8 += mapping.utf8[static_cast<unsigned char>(byte)];
    }
    return utf8;
}

std::string CharacterUtf8(unsigned char code)
{
    return TheMapping().utf8[code];
}

std::string WhyNotShown(std::string_view utf8Character)
{
    const auto utf32 = Convert("UTF-32LE", "UTF-8", utf8Character);
    if (!utf32 || utf32->size() != 4) {
        return "a byte that is not UTF-8 text cannot be shown";
    }
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>((*utf32)[i]); };
    const unsigned long point = byte(0) | byte(1) << 8U | byte(2) << 16U | byte(3) << 24U;
    std::array<char, 16> number{};
    std::snprintf(number.data(), number.size(), "U+%04lX", point);
    if (point < 0x20 || (point >= 0x7F && point < 0xA0)) {
        return std::string(number.data()) + " is a control character the sign cannot show";
    }
    return "\xE2\x80\x9C" + std::string(utf8Character) + "\xE2\x80\x9D (" + number.data() +
           ") is not a character the sign knows; it shows the Windows-1252 characters";
}

} // namespace corvane
