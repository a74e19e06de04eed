#include "editor/flash/ProgrammerDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace corvane {

ProgrammerDialog::ProgrammerDialog(const std::vector<Programmer>& programmers,
                                   const ProgrammerChoice& last, const QStringList& images,
                                   QWidget* parent)
    : QDialog(parent), m_image(new QComboBox(this)), m_programmer(new QComboBox(this)),
      m_port(new QLineEdit(this)), m_baud(new QLineEdit(this))
{
    setWindowTitle(tr("Flash to the Board"));
    m_image->setObjectName(QStringLiteral("image"));
    m_image->addItems(images);
    m_programmer->setObjectName(QStringLiteral("programmer"));
    m_port->setObjectName(QStringLiteral("port"));
    m_baud->setObjectName(QStringLiteral("baud"));

    for (const Programmer& programmer : programmers) {
        m_programmer->addItem(
            QString::fromStdString(programmer.id + " - " + programmer.description),
            QString::fromStdString(programmer.id));
    }
    // A remembered programmer this avrdude does not list stays choosable.
    const QString lastId = QString::fromStdString(last.programmer);
    if (m_programmer->findData(lastId) < 0) {
        m_programmer->addItem(lastId, lastId);
    }
    m_programmer->setCurrentIndex(m_programmer->findData(lastId));

    m_port->setText(QString::fromStdString(last.port));
    m_port->setPlaceholderText(tr("avrdude's default (usb, /dev/ttyUSB0, …)"));
    m_baud->setText(QString::fromStdString(last.baud));
    m_baud->setPlaceholderText(tr("avrdude's default"));
    m_baud->setValidator(new QIntValidator(1, 10'000'000, m_baud));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Flash"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(tr("&Put on the chip:"), m_image);
    form->addRow(tr("&Programmer:"), m_programmer);
    form->addRow(tr("P&ort:"), m_port);
    form->addRow(tr("&Baud rate:"), m_baud);
    form->addRow(buttons);
}

std::size_t ProgrammerDialog::image() const
{
    return static_cast<std::size_t>(std::max(m_image->currentIndex(), 0));
}

ProgrammerChoice ProgrammerDialog::choice() const
{
    return {m_programmer->currentData().toString().toStdString(),
            m_port->text().trimmed().toStdString(), m_baud->text().trimmed().toStdString()};
}

} // namespace corvane
