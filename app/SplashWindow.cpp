#include "app/SplashWindow.h"

#include "bascom/MakerDetails.h"
#include "editor/window/TwipsLayout.h"
#include "resources/Resources.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <string_view>

namespace corvane {

namespace {

// Layout in twips, relative to the container's client area.
constexpr int kClientWidth = 4215;
constexpr int kClientHeight = 3015;
constexpr int kFrameWidth = 4185;
constexpr int kFrameHeight = 2955;
constexpr int kLogoLeft = 120;
constexpr int kLogoTop = 240;
constexpr int kLabelLeft = 1560;
constexpr int kLabelTop = 2640;
constexpr int kLabelWidth = 930;
constexpr int kLabelHeight = 285;

constexpr int kTickIntervalMs = 3000;

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

SplashWindow::SplashWindow(QWidget* mainWindow, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("frmSplash"));
    const qreal dpi = logicalDpiX();
    setFixedSize(TwipsToPixels(kClientWidth, dpi), TwipsToPixels(kClientHeight, dpi));

    m_Frame1 = new QFrame(this);
    m_Frame1->setObjectName(QStringLiteral("Frame1"));
    m_Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    m_Frame1->setGeometry(TwipsRect(0, 0, kFrameWidth, kFrameHeight, dpi));

    InitResources();
    const QPixmap logo = LoadPicture(QStringLiteral(":/corvane/logo.gif"), "gif");
    m_imgLogo = new QLabel(m_Frame1);
    m_imgLogo->setObjectName(QStringLiteral("imgLogo"));
    m_imgLogo->setPixmap(logo);
    m_imgLogo->setGeometry(
        QRect(QPoint(TwipsToPixels(kLogoLeft, dpi), TwipsToPixels(kLogoTop, dpi)), logo.size()));
    m_imgLogo->setToolTip(ToQString(maker::kWebAddress));

    m_lblProductName = new QLabel(QStringLiteral("Product"), m_Frame1);
    m_lblProductName->setObjectName(QStringLiteral("lblProductName"));
    // Liberation Sans is metric-compatible with Arial where Arial is missing.
    m_lblProductName->setFont(QFont(
        QStringList{QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, 12, QFont::Bold));
    m_lblProductName->setAlignment(Qt::AlignCenter);
    m_lblProductName->setGeometry(TwipsRect(kLabelLeft, kLabelTop, kLabelWidth, kLabelHeight, dpi));

    m_Timer1 = new QTimer(this);
    m_Timer1->setObjectName(QStringLiteral("Timer1"));
    m_Timer1->setInterval(kTickIntervalMs);
    connect(m_Timer1, &QTimer::timeout, this, &SplashWindow::Timer1_Timer);

    if (const QScreen* target = screen()) {
        move(target->availableGeometry().center() - rect().center());
    }

    Form_Load();
    m_Timer1->start();
}

void SplashWindow::setMainWindow(QWidget* mainWindow)
{
    m_mainWindow = mainWindow;
}

void SplashWindow::Form_Load()
{
    setProductCaption(QCoreApplication::applicationName());
    m_splashTick = 0;
}

void SplashWindow::Timer1_Timer()
{
    // A tick already queued when the window closed must not act.
    if (m_unloaded) {
        return;
    }
    ++m_splashTick;
    switch (m_splashTick) {
    case 1:
        setProductCaption(ToQString(maker::kWebAddress));
        break;
    case 2:
        setProductCaption(ToQString(maker::kEmail));
        break;
    case 3:
        setProductCaption(ToQString(maker::kTelephone));
        break;
    case 4:
        if (m_mainWindow) {
            m_mainWindow->show();
        }
        unload();
        break;
    default:
        break;
    }
}

void SplashWindow::keyPressEvent(QKeyEvent* event)
{
    // Only keys that produce a character count, as with a key-press event;
    // modifiers, arrows and function keys leave the splash up.
    if (event->text().isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    Form_KeyPress();
}

void SplashWindow::Form_KeyPress()
{
    unload();
}

void SplashWindow::closeEvent(QCloseEvent* event)
{
    // Closed from outside too (window manager): the splash is over either way.
    stopTicks();
    QWidget::closeEvent(event);
}

void SplashWindow::unload()
{
    stopTicks();
    close();
}

void SplashWindow::stopTicks()
{
    m_unloaded = true;
    m_Timer1->stop();
}

void SplashWindow::setProductCaption(const QString& caption)
{
    // The label takes the size of its text, keeps its top and stays centred
    // in the frame; a text wider than the frame is held inside its border.
    m_lblProductName->setText(caption);
    const QRect room = m_Frame1->contentsRect();
    const QSize fit = m_lblProductName->sizeHint();
    const int width = std::min(fit.width(), room.width());
    m_lblProductName->setGeometry(room.left() + (room.width() - width) / 2, m_lblProductName->y(),
                                  width, fit.height());
}

} // namespace corvane
