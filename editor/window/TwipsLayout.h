#pragma once

#include <QRect>
#include <QtMath>

namespace corvane {

// Window layouts are given in twips (1/1440 inch): 15 twips make one pixel
// at 96 dots per inch, and the layout scales with the screen's logical dpi.
inline int TwipsToPixels(int twips, qreal logicalDpi)
{
    return qRound(twips * logicalDpi / 1440.0);
}

inline QRect TwipsRect(int left, int top, int width, int height, qreal logicalDpi)
{
    return {TwipsToPixels(left, logicalDpi), TwipsToPixels(top, logicalDpi),
            TwipsToPixels(width, logicalDpi), TwipsToPixels(height, logicalDpi)};
}

} // namespace corvane
