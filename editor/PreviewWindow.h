#pragma once

#include "editor/model/PreviewInput.h"
#include "editor/model/PreviewPlayer.h"

#include <QElapsedTimer>
#include <QWidget>

class QCloseEvent;
class QLabel;
class QShowEvent;
class QTimer;

namespace corvane {

class BoardView;

// A tool window beside the main window that runs one message on the board as
// the generated program shows it, with one line telling how long a pass takes.
// It never takes the focus: showing it leaves the main window's editing alone.
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
    const PreviewPlayer& player() const { return m_player; }

public slots:
    // The end of the current step, when the step timer runs out.
    void advance();

protected:
    void showEvent(QShowEvent* event) override;
    // Closing stops the animation; showPlaying starts it again.
    void closeEvent(QCloseEvent* event) override;

private:
    void play();
    void pause();
    void startStep(qint64 intervalMs);
    void showFrame();

    PreviewPlayer m_player;
    BoardView* m_board = nullptr;
    QLabel* m_passLabel = nullptr;
    // One single shot per step, so a late timeout delays a step but never skips one.
    QTimer* m_stepTimer = nullptr;
    QElapsedTimer m_clock;
    qint64 m_stepEndMs = 0;     // m_clock time at which the current step ends
    qint64 m_pausedLeftMs = -1; // what was left of the step when paused; -1 the whole step
    bool m_placed = false;
};

} // namespace corvane
