#include "editor/preview/PreviewWindow.h"

#include "editor/model/VerticalCut.h"
#include "editor/preview/BoardView.h"

#include <QCloseEvent>
#include <QLabel>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <limits>

namespace corvane {

namespace {

// Between the main window's frame and the preview's.
constexpr int kGap = 8;

// The rectangle moved into `available` as far as it fits, its top left first.
QRect Clamped(QRect frame, const QRect& available)
{
    frame.moveLeft(
        std::max(available.left(), std::min(frame.left(), available.right() + 1 - frame.width())));
    frame.moveTop(
        std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - frame.height())));
    return frame;
}

} // namespace

PreviewWindow::PreviewWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowDoesNotAcceptFocus),
      m_board(new BoardView(this)), m_statusLabel(new QLabel(this)), m_passLabel(new QLabel(this)),
      m_cutLabel(new QLabel(this)), m_flashLabel(new QLabel(this)),
      m_firmwareLabel(new QLabel(this)), m_stepTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(tr("Board preview"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    m_board->setObjectName(QStringLiteral("board"));
    m_passLabel->setObjectName(QStringLiteral("passDuration"));
    m_statusLabel->setObjectName(QStringLiteral("status"));
    m_flashLabel->setObjectName(QStringLiteral("flashUse"));
    m_firmwareLabel->setObjectName(QStringLiteral("firmwareUse"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_statusLabel);
    layout->addWidget(m_board);
    layout->addWidget(m_passLabel);
    m_cutLabel->setObjectName(QStringLiteral("cutWarning"));
    m_cutLabel->hide();
    layout->addWidget(m_cutLabel);
    layout->addWidget(m_flashLabel);
    layout->addWidget(m_firmwareLabel);

    m_stepTimer->setObjectName(QStringLiteral("stepTimer"));
    m_stepTimer->setSingleShot(true);
    m_stepTimer->setTimerType(Qt::PreciseTimer);
    connect(m_stepTimer, &QTimer::timeout, this, &PreviewWindow::advance);
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::setInput(const PreviewInput& input)
{
    if (!m_player.setInput(input)) {
        return;
    }
    showFrame();
    showStatus();
    const double seconds = static_cast<double>(m_player.passDurationMs()) / 1000.0;
    m_passLabel->setText(
        tr("One pass takes %1 s on the board.").arg(QString::number(seconds, 'f', 1)));
    const QString cut = QString::fromStdString(CutWarningOf(input.entry, input.board));
    m_cutLabel->setText(cut);
    m_cutLabel->setHidden(cut.isEmpty());
    if (m_player.isPlaying()) {
        restartTimer();
    }
}

void PreviewWindow::showPlaying(bool playing)
{
    if (!isVisible()) {
        show();
    }
    if (playing) {
        play();
    } else {
        pause();
    }
}

void PreviewWindow::setFlashUse(const FlashUse& use)
{
    // Every edit passes by; only a changed count is shown again.
    if (m_flashUse == use) {
        return;
    }
    m_flashUse = use;
    showCount(*m_flashLabel, use.summary(), use.exceedsFlash());
    showCount(*m_firmwareLabel, use.firmwareSummary(), use.firmwareExceedsFlash());
}

void PreviewWindow::showCount(QLabel& label, const std::string& text, bool exceedsFlash)
{
    label.setText(QString::fromStdString(text));
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText,
                     exceedsFlash ? QColor(Qt::red)
                                  : label.parentWidget()->palette().color(QPalette::WindowText));
    label.setPalette(palette);
}

void PreviewWindow::advance()
{
    if (!m_player.isPlaying()) {
        return;
    }
    m_player.advance();
    showFrame();
    restartTimer();
}

void PreviewWindow::play()
{
    if (m_player.isPlaying()) {
        return;
    }
    m_player.play();
    restartTimer();
    showStatus();
}

void PreviewWindow::pause()
{
    if (!m_player.isPlaying()) {
        return;
    }
    m_player.pause();
    m_stepTimer->stop();
    showStatus();
}

void PreviewWindow::restartTimer()
{
    if (const auto wait = m_player.waitMs()) {
        m_stepTimer->start(static_cast<int>(*wait));
    } else {
        m_stepTimer->stop();
    }
}

void PreviewWindow::showFrame()
{
    m_board->setFrame(m_player.frame());
}

void PreviewWindow::showStatus()
{
    m_statusLabel->setText(QString::fromStdString(m_player.status()));
}

void PreviewWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_placed || event->spontaneous()) {
        return;
    }
    m_placed = true;
    placeOnScreen();
    if (QWindow* handle = windowHandle(); handle != nullptr && !isFramed()) {
        handle->installEventFilter(this);
    }
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose && watched == windowHandle() &&
        windowHandle()->isExposed()) {
        watched->removeEventFilter(this);
        if (isFramed()) {
            placeOnScreen();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PreviewWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Grown where it stood, it could cover the main window or run off the
    // screen: it goes beside the main window again.
    if (m_placed && isVisible()) {
        placeOnScreen();
    }
}

void PreviewWindow::closeEvent(QCloseEvent* event)
{
    pause();
    QWidget::closeEvent(event);
    if (event->isAccepted()) {
        emit closed();
    }
}

QPoint PreviewWindow::PlaceBeside(const QRect& owner, const QSize& frameSize,
                                  const QRect& available)
{
    const QPoint sides[] = {
        {owner.right() + 1 + kGap, owner.top()},
        {owner.left() - kGap - frameSize.width(), owner.top()},
        {owner.left(), owner.bottom() + 1 + kGap},
        {owner.left(), owner.top() - kGap - frameSize.height()},
    };
    for (const QPoint& side : sides) {
        if (available.contains(QRect(side, frameSize))) {
            return side;
        }
    }
    // No side has room: moved onto the screen where it hides least of the owner.
    QPoint best = sides[0];
    qint64 leastHidden = std::numeric_limits<qint64>::max();
    for (const QPoint& side : sides) {
        const QRect frame = Clamped(QRect(side, frameSize), available);
        const QRect hidden = frame.intersected(owner);
        const qint64 area = qint64{hidden.width()} * hidden.height();
        if (area < leastHidden) {
            leastHidden = area;
            best = frame.topLeft();
        }
    }
    return best;
}

QRect PreviewWindow::frameRect() const
{
    QRect frame = frameGeometry();
    if (frame == geometry() && parentWidget() != nullptr) {
        const QWidget* owner = parentWidget()->window();
        const QRect ownerFrame = owner->frameGeometry();
        const QRect ownerClient = owner->geometry();
        frame.adjust(ownerFrame.left() - ownerClient.left(), ownerFrame.top() - ownerClient.top(),
                     ownerFrame.right() - ownerClient.right(),
                     ownerFrame.bottom() - ownerClient.bottom());
    }
    return frame;
}

void PreviewWindow::placeOnScreen()
{
    const QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    const QScreen* shownOn = owner != nullptr ? owner->screen() : screen();
    if (shownOn == nullptr) {
        return;
    }
    const QRect available = shownOn->availableGeometry();
    const QRect frame = frameRect();
    const QPoint place = owner != nullptr
                             ? PlaceBeside(owner->frameGeometry(), frame.size(), available)
                             : Clamped(frame, available).topLeft();
    if (isFramed()) {
        move(place); // places the frame's top left corner
    } else {
        // Not framed yet: the window manager puts its frame around the client
        // area where it stands.
        setGeometry(QRect(place + (geometry().topLeft() - frame.topLeft()), size()));
    }
}

} // namespace corvane
