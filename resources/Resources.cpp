#include "resources/Resources.h"

#include <QImageReader>
#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initCorvaneResources()
{
    Q_INIT_RESOURCE(corvane);
}

namespace corvane {

void InitResources()
{
    initCorvaneResources();
}

QPixmap LoadPicture(const QString& path, const char* format)
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace corvane
