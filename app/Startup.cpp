#include "app/Startup.h"

#include "app/SplashWindow.h"
#include "editor/window/Form1.h"

#include <QEvent>

namespace corvane {

Startup::Startup(QObject* parent) : QObject(parent) {}

// The splash refers to the main window, so it goes first.
Startup::~Startup()
{
    m_splashWindow.reset();
    m_mainWindow.reset();
}

void Startup::run(const QString& programPath)
{
    m_mainWindow = std::make_unique<Form1>();
    m_mainWindow->installEventFilter(this);
    m_mainWindow->Form_Load([this] { showSplash(); });
    // The start-up window is shown once its load step has completed, in front
    // of the splash, whatever the load step did to its visibility.
    m_mainWindow->show();
    m_mainWindow->activateWindow();
    if (!programPath.isEmpty()) {
        QMetaObject::invokeMethod(
            m_mainWindow.get(), [this, programPath] { m_mainWindow->openProgramFile(programPath); },
            Qt::QueuedConnection);
    }
}

void Startup::showSplash()
{
    if (!m_splashWindow) {
        m_splashWindow = std::make_unique<SplashWindow>(m_mainWindow.get());
    }
    m_splashWindow->show();
}

bool Startup::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_mainWindow.get() && event->type() == QEvent::Close && m_splashWindow) {
        m_splashWindow->close();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace corvane
