#pragma once

#include "sign/GlyphTable.h"

namespace corvane::test {

// One glyph table, filled once, shared by the tests that render programs.
inline const GlyphTable& FilledGlyphs()
{
    static const GlyphTable table = [] {
        GlyphTable filled;
        FillGlyphTable(filled);
        return filled;
    }();
    return table;
}

} // namespace corvane::test
