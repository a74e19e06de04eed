#include "editor/window/HelpWindow.h"

#include "editor/preview/PreviewWindow.h"

#include <QAction>
#include <QFile>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

// The resource initialiser of a static library is dropped by the linker
// unless something calls it.
static void InitHelpResources()
{
    Q_INIT_RESOURCE(help);
}

namespace corvane {

namespace {

// Between the main window's frame and this one's.
constexpr int kGap = 8;

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_text(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("helpWindow"));
    m_text->setObjectName(QStringLiteral("helpText"));
    m_text->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    resize(460, 600);

    auto* close = new QAction(this);
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence::Close});
    addAction(close);
    connect(close, &QAction::triggered, this, &QWidget::close);
}

QString HelpWindow::Manual()
{
    InitHelpResources();
    QFile file(QStringLiteral(":/corvane/help/manual.md"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void HelpWindow::showPage(const QString& title, const QString& markdown)
{
    setWindowTitle(title);
    m_text->setMarkdown(markdown);
    m_text->moveCursor(QTextCursor::Start);
    if (!m_placed) {
        m_placed = true;
        placeBesideOwner();
    }
    show();
    raise();
    activateWindow();
    m_text->setFocus(Qt::OtherFocusReason);
}

void HelpWindow::placeBesideOwner()
{
    const QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    if (owner == nullptr || owner->screen() == nullptr) {
        return;
    }
    // Not framed yet: its frame is taken to be as wide as the main window's.
    const QRect ownerFrame = owner->frameGeometry();
    const QPoint client = owner->geometry().topLeft() - ownerFrame.topLeft();
    const QSize frame = size() + (ownerFrame.size() - owner->size());
    const QRect available = owner->screen()->availableGeometry();
    // Left of the main window, where the board preview does not go, when it fits.
    const QPoint left(ownerFrame.left() - kGap - frame.width(), ownerFrame.top());
    const QPoint place = available.contains(QRect(left, frame))
                             ? left
                             : PreviewWindow::PlaceBeside(ownerFrame, frame, available);
    setGeometry(QRect(place + client, size()));
}

QString HelpWindow::pageText() const
{
    return m_text->toPlainText();
}

} // namespace corvane
