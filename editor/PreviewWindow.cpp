#include "editor/PreviewWindow.h"

#include "editor/BoardView.h"

#include <QCloseEvent>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace corvane {

PreviewWindow::PreviewWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowDoesNotAcceptFocus),
      m_board(new BoardView(this)), m_passLabel(new QLabel(this)), m_stepTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(tr("Board preview"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    m_board->setObjectName(QStringLiteral("board"));
    m_passLabel->setObjectName(QStringLiteral("passDuration"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_board);
    layout->addWidget(m_passLabel);

    m_stepTimer->setObjectName(QStringLiteral("stepTimer"));
    m_stepTimer->setSingleShot(true);
    m_stepTimer->setTimerType(Qt::PreciseTimer);
    connect(m_stepTimer, &QTimer::timeout, this, &PreviewWindow::advance);
    m_clock.start();
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::setInput(const PreviewInput& input)
{
    if (!m_player.setInput(input)) {
        return;
    }
    m_pausedLeftMs = -1;
    showFrame();
    const double seconds = static_cast<double>(m_player.passDurationMs()) / 1000.0;
    m_passLabel->setText(
        tr("One pass takes %1 s on the board.").arg(QString::number(seconds, 'f', 1)));
    if (m_player.isPlaying()) {
        startStep(m_player.stepDurationMs());
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

void PreviewWindow::advance()
{
    if (!m_player.isPlaying()) {
        return;
    }
    // A timeout that came late shortens the next step by as much, so the
    // animation keeps the board's pace; beyond one step the delay is dropped.
    const qint64 late = std::max<qint64>(0, m_clock.elapsed() - m_stepEndMs);
    const int duration = m_player.advance();
    showFrame();
    startStep(std::max<qint64>(0, duration - late));
}

void PreviewWindow::play()
{
    if (m_player.isPlaying()) {
        return;
    }
    m_player.play();
    startStep(m_pausedLeftMs >= 0 ? m_pausedLeftMs : m_player.stepDurationMs());
    m_pausedLeftMs = -1;
}

void PreviewWindow::pause()
{
    if (!m_player.isPlaying()) {
        return;
    }
    m_player.pause();
    m_stepTimer->stop();
    m_pausedLeftMs =
        std::clamp<qint64>(m_stepEndMs - m_clock.elapsed(), 0, m_player.stepDurationMs());
}

void PreviewWindow::startStep(qint64 intervalMs)
{
    if (m_player.stepCount() == 0) {
        m_stepTimer->stop();
        return;
    }
    m_stepEndMs = m_clock.elapsed() + intervalMs;
    m_stepTimer->start(static_cast<int>(intervalMs));
}

void PreviewWindow::showFrame()
{
    m_board->setFrame(m_player.frame());
}

void PreviewWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_placed || event->spontaneous() || parentWidget() == nullptr) {
        return;
    }
    m_placed = true;
    // Beside the main window, where it hides none of the controls.
    const QRect owner = parentWidget()->window()->frameGeometry();
    QRect frame = frameGeometry();
    frame.moveTopLeft(owner.topRight() + QPoint(8, 0));
    if (const QScreen* shownOn = parentWidget()->screen()) {
        const QRect available = shownOn->availableGeometry();
        if (!available.contains(frame)) {
            frame.moveTopLeft(owner.bottomLeft() + QPoint(0, 8));
        }
        if (!available.contains(frame)) {
            frame.moveBottomRight(available.bottomRight());
        }
    }
    move(frame.topLeft());
}

void PreviewWindow::closeEvent(QCloseEvent* event)
{
    pause();
    QWidget::closeEvent(event);
}

} // namespace corvane
