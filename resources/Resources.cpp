#include "resources/Resources.h"

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

} // namespace corvane
