#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace corvane {

// A window beside the main window that shows one page of help, read-only:
// the manual, or the list of keys. Its own keys scroll it; Escape closes it.
// It opens where it leaves the main window in view, if the screen has room.
class HelpWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HelpWindow)

public:
    explicit HelpWindow(QWidget* parent = nullptr);
    ~HelpWindow() override = default;

    // The user's manual, from the program's resources.
    static QString Manual();

    // Shows `markdown` under `title`, raised and active, from its top.
    void showPage(const QString& title, const QString& markdown);
    QString pageText() const;

private:
    // Beside the main window, on its left where there is room.
    void placeBesideOwner();

    QTextBrowser* m_text = nullptr;
    bool m_placed = false;
};

} // namespace corvane
