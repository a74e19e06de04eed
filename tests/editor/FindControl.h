#pragma once

#include <QLatin1String>
#include <QObject>
#include <QtGlobal>

namespace corvane::test {

// The child of `parent` with the control name `name`, for every widget test;
// a test cannot go on without it, so a missing control ends the run with its
// name.
template <typename T> T* FindControl(const QObject& parent, const char* name)
{
    auto* control = parent.findChild<T*>(QLatin1String(name));
    if (control == nullptr) {
        qFatal("no control %s", name);
    }
    return control;
}

} // namespace corvane::test
