#pragma once

#include <QObject>
#include <QString>
#include <memory>

namespace corvane {

class Form1;
class SplashWindow;

// Starts the program: creates the main window and runs its load step, which
// opens the splash window, then shows the main window. Closing the main window
// while the splash is still up ends the program: the splash closes with it,
// so no later tick can bring the main window back.
class Startup final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Startup)

public:
    explicit Startup(QObject* parent = nullptr);
    ~Startup() override;

    // Shows the windows; a program path given opens once the main window is shown.
    void run(const QString& programPath = {});

    Form1* mainWindow() const { return m_mainWindow.get(); }
    // Null until the load step opened it; stays valid (closed) afterwards.
    SplashWindow* splashWindow() const { return m_splashWindow.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSplash();

    std::unique_ptr<Form1> m_mainWindow;
    std::unique_ptr<SplashWindow> m_splashWindow;
};

} // namespace corvane
