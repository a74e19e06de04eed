#pragma once

#include <QPointer>
#include <QWidget>
#include <QtGlobal>

class QCloseEvent;
class QFrame;
class QKeyEvent;
class QLabel;
class QTimer;

namespace corvane {

// The start-up splash: the logo and one label that shows the application
// title, then at each tick of Timer1 the maker's web address, e-mail address
// and telephone number; the fourth tick shows the main window and closes the
// splash. A key that produces a character closes it at once.
class SplashWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SplashWindow)

public:
    // The main window is only ever shown, at the fourth tick; it may be null
    // or destroyed by then.
    explicit SplashWindow(QWidget* mainWindow = nullptr, QWidget* parent = nullptr);

    void setMainWindow(QWidget* mainWindow);
    [[nodiscard]] int SplashTick() const { return m_splashTick; }

public slots:
    void Timer1_Timer();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_KeyPress();
    void unload();
    void stopTicks();
    void setProductCaption(const QString& caption);

    QPointer<QWidget> m_mainWindow;
    QFrame* m_Frame1 = nullptr;
    QLabel* m_imgLogo = nullptr;
    QLabel* m_lblProductName = nullptr;
    QTimer* m_Timer1 = nullptr;
    quint8 m_splashTick = 0;
    bool m_unloaded = false;
};

} // namespace corvane
