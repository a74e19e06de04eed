#include "editor/window/SymbolCaption.h"

namespace corvane {

QString SymbolCaption(std::string_view caption)
{
    if (caption == "4") {
        return QStringLiteral(u"\u25B6");
    }
    if (caption == ";") {
        return QStringLiteral(u"\u275A\u275A");
    }
    if (caption == "r") {
        return QStringLiteral(u"\u2716");
    }
    if (caption == "\xB7") {
        return QStringLiteral(u"\u25B2");
    }
    if (caption == "\xB8") {
        return QStringLiteral(u"\u25BC");
    }
    return QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
}

} // namespace corvane
