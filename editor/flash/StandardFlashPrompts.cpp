#include "editor/flash/StandardFlashPrompts.h"

#include "editor/flash/BoardFlasher.h"
#include "editor/flash/ProgrammerDialog.h"

#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace corvane {

StandardFlashPrompts::StandardFlashPrompts(QWidget* parent) : m_parent(parent) {}

StandardFlashPrompts::~StandardFlashPrompts()
{
    delete m_progress;
}

std::optional<FlashPrompts::Request>
StandardFlashPrompts::chooseProgrammer(ProgrammerList& programmers, const ProgrammerChoice& last,
                                       const QStringList& images)
{
    ProgrammerDialog dialog(programmers, last, images, m_parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return Request{dialog.choice(), dialog.image()};
}

void StandardFlashPrompts::showProgress(int percent, const QString& stage)
{
    if (!m_progress) {
        m_progress = new QProgressDialog(m_parent);
        m_progress->setObjectName(QStringLiteral("flashProgress"));
        m_progress->setWindowTitle(QObject::tr("Flash to the Board"));
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setRange(0, 100);
        m_progress->setMinimumDuration(0);
        m_progress->setAutoClose(false);
        m_progress->setAutoReset(false);
        QObject::connect(m_progress, &QProgressDialog::canceled, m_progress, [this] {
            if (m_flasher) {
                m_flasher->cancel();
            }
        });
    }
    m_progress->setLabelText(stage);
    m_progress->setValue(percent);
    m_progress->show();
}

void StandardFlashPrompts::closeProgress()
{
    // Let go at once: the next run of the same flash opens a new one.
    if (QProgressDialog* progress = m_progress) {
        m_progress = nullptr;
        progress->hide();
        progress->deleteLater();
    }
}

bool StandardFlashPrompts::askToFixClock(const QString& problem, const QString& change)
{
    QMessageBox box(QMessageBox::Question, QObject::tr("Flash to the Board"), problem,
                    QMessageBox::Cancel, m_parent);
    box.setObjectName(QStringLiteral("clockQuestion"));
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(change);
    QPushButton* fix =
        box.addButton(QObject::tr("Set the Clock to 1 MHz"), QMessageBox::AcceptRole);
    box.setDefaultButton(fix);
    box.exec();
    return box.clickedButton() == fix;
}

void StandardFlashPrompts::tell(Outcome outcome, const QString& text, const QString& details)
{
    // avrdude's words are shown as they are, never as markup; all of them
    // under Show Details…, the message itself holding only the last few.
    QMessageBox box(outcome == Outcome::Flashed ? QMessageBox::Information : QMessageBox::Warning,
                    QObject::tr("Flash to the Board"), text, QMessageBox::Ok, m_parent);
    box.setObjectName(QStringLiteral("flashOutcome"));
    box.setTextFormat(Qt::PlainText);
    if (!details.isEmpty()) {
        box.setDetailedText(details);
    }
    box.exec();
}

} // namespace corvane
