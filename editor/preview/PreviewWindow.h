#pragma once

#include "editor/model/FlashUse.h"
#include "editor/model/preview/PreviewInput.h"
#include "editor/model/preview/PreviewPlayer.h"

#include <QWidget>
#include <optional>
#include <string>

class QCloseEvent;
class QLabel;
class QResizeEvent;
class QShowEvent;
class QTimer;

namespace corvane {

class BoardView;

// A tool window beside the main window that runs one message on the board as
// the generated program shows it. Lines tell which message it is and whether
// it is paused, how long a pass takes, what of an Up or Down message the
// board cannot show, and how much of the chip's flash the list's data tables
// take. It never takes the focus: showing it leaves the main window's editing
// alone.
class PreviewWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PreviewWindow)

public:
    explicit PreviewWindow(QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // Follows the message as it is edited; a changed input starts again
    // from the first step, a repeated one changes nothing.
    void setInput(const PreviewInput& input);
    // Shows the window, without activating it, playing or paused.
    void showPlaying(bool playing);
    // The whole list's tables and its firmware, each in red when it exceeds
    // the flash.
    void setFlashUse(const FlashUse& use);
    const PreviewPlayer& player() const { return m_player; }

    // Where a window whose frame has `frameSize` goes: beside `owner` (right,
    // left, below, above, the first that fits `available`), else as close to
    // the right of it as `available` allows.
    static QPoint PlaceBeside(const QRect& owner, const QSize& frameSize, const QRect& available);

public slots:
    // The end of the current step, when the step timer runs out.
    void advance();

signals:
    // The user closed the window.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    // A size change (a wider board, a warning line) places it anew beside the
    // main window, so it neither covers the main window nor leaves the screen.
    void resizeEvent(QResizeEvent* event) override;
    // The window on screen: its frame is known now, and the first placement,
    // made with a guessed frame, is corrected.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Closing stops the animation and says so (closed); showPlaying starts
    // it again.
    void closeEvent(QCloseEvent* event) override;

private:
    // A flash count, in red when it exceeds the flash.
    static void showCount(QLabel& label, const std::string& text, bool exceedsFlash);
    void play();
    void pause();
    // Runs the step timer for what the player waits, or stops it.
    void restartTimer();
    void showFrame();
    void showStatus();
    // The window's frame as the window manager draws it; before the manager
    // has framed it, with the main window's frame margins.
    QRect frameRect() const;
    bool isFramed() const { return frameGeometry() != geometry(); }
    // Beside the main window (PlaceBeside), inside the screen's available area.
    void placeOnScreen();

    PreviewPlayer m_player;
    BoardView* m_board = nullptr;
    QLabel* m_statusLabel = nullptr;
    QLabel* m_passLabel = nullptr;
    QLabel* m_cutLabel = nullptr; // what an Up or Down message loses; hidden when nothing
    QLabel* m_flashLabel = nullptr;
    QLabel* m_firmwareLabel = nullptr;
    std::optional<FlashUse> m_flashUse{};
    // One single shot per step, so a late timeout delays a step but never skips one.
    QTimer* m_stepTimer = nullptr;
    bool m_placed = false;
};

} // namespace corvane
