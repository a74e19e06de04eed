#pragma once

#include <QPointer>
#include <QShowEvent>
#include <QWidget>

namespace corvane {

// A stand-in main window that counts how often it is shown and notes
// whether another window was still visible when it was first shown.
class ShowProbe final : public QWidget
{
    Q_DISABLE_COPY_MOVE(ShowProbe)

public:
    explicit ShowProbe(const QWidget* watched = nullptr) : m_watched(watched) {}

    [[nodiscard]] int ShowCount() const { return m_showCount; }
    [[nodiscard]] bool WatchedVisibleAtFirstShow() const { return m_watchedVisibleAtFirstShow; }

protected:
    void showEvent(QShowEvent* event) override
    {
        if (!event->spontaneous() && m_showCount++ == 0) {
            m_watchedVisibleAtFirstShow = m_watched && m_watched->isVisible();
        }
        QWidget::showEvent(event);
    }

private:
    QPointer<const QWidget> m_watched;
    int m_showCount = 0;
    bool m_watchedVisibleAtFirstShow = false;
};

} // namespace corvane
