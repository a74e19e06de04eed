#include "editor/flash/ProgrammerDialog.h"

#include "editor/flash/ProgrammerList.h"
#include "editor/model/flash/KnownProgrammer.h"
#include "editor/model/flash/ProgrammerCheck.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPortInfo>
#include <algorithm>

namespace corvane {

namespace {

const QString kOtherData = QStringLiteral("\u0001other");

QString Cut(const std::string& text, int length)
{
    const QString whole = QString::fromStdString(text);
    return whole.size() <= length ? whole : whole.left(length - 1) + u'\u2026';
}

// A tooltip shows rich text: avrdude's words are escaped, and bounded.
QString PlainTip(const QString& text)
{
    return QStringLiteral("<qt>%1</qt>").arg(text.left(400).toHtmlEscaped());
}

} // namespace

ProgrammerDialog::ProgrammerDialog(ProgrammerList& programmers, const ProgrammerChoice& last,
                                   const QStringList& images, QWidget* parent)
    : QDialog(parent), m_programmers(programmers), m_image(new QComboBox(this)),
      m_programmer(new QComboBox(this)), m_other(new QComboBox(this)),
      m_otherLabel(new QLabel(tr("avrdude's &programmer:"), this)), m_port(new QComboBox(this)),
      m_baud(new QLineEdit(this)), m_bitclock(new QLineEdit(this)), m_problem(new QLabel(this))
{
    setWindowTitle(tr("Flash to the Board"));
    m_image->setObjectName(QStringLiteral("image"));
    m_image->addItems(images);
    m_programmer->setObjectName(QStringLiteral("programmer"));
    m_other->setObjectName(QStringLiteral("otherProgrammer"));
    m_port->setObjectName(QStringLiteral("port"));
    m_baud->setObjectName(QStringLiteral("baud"));
    m_bitclock->setObjectName(QStringLiteral("bitclock"));
    m_problem->setObjectName(QStringLiteral("problem"));
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setWordWrap(true);

    for (const KnownProgrammer& known : KnownProgrammers()) {
        m_programmer->addItem(
            QString::fromUtf8(known.name.data(), static_cast<qsizetype>(known.name.size())),
            QString::fromUtf8(known.id.data(), static_cast<qsizetype>(known.id.size())));
        m_programmer->setItemData(
            m_programmer->count() - 1,
            QString::fromUtf8(known.tooltip.data(), static_cast<qsizetype>(known.tooltip.size())),
            Qt::ToolTipRole);
    }
    m_programmer->insertSeparator(m_programmer->count());
    m_programmer->addItem(tr("Other\u2026"), kOtherData);
    m_programmer->setItemData(m_programmer->count() - 1,
                              tr("Any programmer avrdude knows, by its own name."),
                              Qt::ToolTipRole);
    // Long entries never widen the dialog.
    for (QComboBox* combo : {m_programmer, m_other, m_port}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(kShownIdLength);
    }

    m_port->setEditable(true);
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        m_port->addItem(port.systemLocation().left(256));
        m_port->setItemData(m_port->count() - 1,
                            PlainTip(port.description() + u' ' + port.manufacturer()),
                            Qt::ToolTipRole);
    }
    m_port->lineEdit()->setPlaceholderText(tr("/dev/ttyUSB0, /dev/ttyACM0, \u2026"));
    m_baud->setPlaceholderText(tr("avrdude's default"));
    m_bitclock->setPlaceholderText(tr("the programmer's own"));
    m_bitclock->setToolTip(
        tr("The ISP clock period in microseconds (avrdude's -B). 8 suits a new ATmega8 on its "
           "factory 1 MHz clock; a larger number is slower and safer."));

    // The remembered choice, its fields as they were.
    const QString lastId = QString::fromStdString(last.programmer);
    const int known = m_programmer->findData(lastId);
    if (known >= 0) {
        m_programmer->setCurrentIndex(known);
    } else {
        m_programmer->setCurrentIndex(m_programmer->findData(kOtherData));
        m_wantedOther = lastId;
    }
    m_port->setEditText(QString::fromStdString(last.port));
    m_baud->setText(QString::fromStdString(last.baud));
    m_bitclock->setText(QString::fromStdString(last.bitclock));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_flash = buttons->button(QDialogButtonBox::Ok);
    m_flash->setText(tr("Flash"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(tr("P&ut on the chip:"), m_image);
    form->addRow(tr("&Programmer:"), m_programmer);
    form->addRow(m_otherLabel, m_other);
    m_otherLabel->setBuddy(m_other);
    form->addRow(tr("P&ort:"), m_port);
    form->addRow(tr("&Baud rate:"), m_baud);
    form->addRow(tr("Bit &clock (\u00b5s):"), m_bitclock);
    form->addRow(m_problem);
    form->addRow(buttons);

    fillOthers();
    onProgrammerChosen();
    // Chosen by the user from here on: a programmer's own defaults apply.
    connect(m_programmer, &QComboBox::currentIndexChanged, this, [this] {
        const ProgrammerChoice defaults =
            DefaultChoice(m_programmer->currentData().toString().toStdString());
        if (!isOther()) {
            m_baud->setText(QString::fromStdString(defaults.baud));
            m_bitclock->setText(QString::fromStdString(defaults.bitclock));
        }
        m_wantedOther.clear();
        onProgrammerChosen();
    });
    connect(m_other, &QComboBox::currentIndexChanged, this, &ProgrammerDialog::check);
    connect(m_port, &QComboBox::editTextChanged, this, &ProgrammerDialog::check);
    connect(m_baud, &QLineEdit::textChanged, this, &ProgrammerDialog::check);
    connect(m_bitclock, &QLineEdit::textChanged, this, &ProgrammerDialog::check);
    connect(&m_programmers, &ProgrammerList::changed, this, [this] {
        fillOthers();
        onProgrammerChosen();
    });
}

bool ProgrammerDialog::isOther() const
{
    return m_programmer->currentData().toString() == kOtherData;
}

void ProgrammerDialog::fillOthers()
{
    if (m_programmers.state() != ProgrammerList::State::Read || m_other->count() > 0) {
        return;
    }
    for (const Programmer& programmer : m_programmers.programmers()) {
        if (!IsProgrammerId(programmer.id)) {
            continue; // never passed to avrdude
        }
        m_other->addItem(Cut(programmer.id, kShownIdLength) + QStringLiteral(" \u2013 ") +
                             Cut(programmer.description, kShownDescriptionLength),
                         QString::fromStdString(programmer.id));
        m_other->setItemData(m_other->count() - 1,
                             PlainTip(QString::fromStdString(programmer.description)),
                             Qt::ToolTipRole);
    }
    if (!m_wantedOther.isEmpty()) {
        const int wanted = m_other->findData(m_wantedOther);
        if (wanted >= 0) {
            m_other->setCurrentIndex(wanted);
        }
    }
}

void ProgrammerDialog::onProgrammerChosen()
{
    // A remembered programmer avrdude does not list gives way to the default.
    if (isOther() && !m_wantedOther.isEmpty() &&
        m_programmers.state() != ProgrammerList::State::Reading &&
        m_other->findData(m_wantedOther) < 0) {
        m_wantedOther.clear();
        const QSignalBlocker blocker(m_programmer);
        m_programmer->setCurrentIndex(0);
        const ProgrammerChoice defaults = DefaultChoice(KnownProgrammers().front().id);
        m_baud->setText(QString::fromStdString(defaults.baud));
        m_bitclock->setText(QString::fromStdString(defaults.bitclock));
    }
    const KnownProgrammer* known =
        FindKnownProgrammer(m_programmer->currentData().toString().toStdString());
    const bool serial = isOther() || (known != nullptr && known->needsPort);
    m_otherLabel->setVisible(isOther());
    m_other->setVisible(isOther());
    m_serial = serial;
    m_port->setEnabled(serial);
    m_baud->setEnabled(serial);
    check();
}

void ProgrammerDialog::check()
{
    QString problem;
    const ProgrammerChoice chosen = choice();
    if (isOther() && m_other->currentIndex() < 0) {
        problem = m_programmers.state() == ProgrammerList::State::Failed
                      ? tr("avrdude listed no programmers.")
                      : tr("Reading avrdude's list of programmers\u2026");
    } else if (!CheckedPort(chosen.port)) {
        problem = tr("The port is not one avrdude can be given.");
    } else if (!CheckedBaud(chosen.baud)) {
        problem = tr("The baud rate is a whole number from 300 to 4000000, or empty.");
    } else if (!CheckedBitclock(chosen.bitclock)) {
        problem = tr("The bit clock is a period of 0.1 to 1000 \u00b5s (such as 8 or 0.5), or "
                     "empty.");
    } else if (const auto missing = MissingSetting(chosen)) {
        problem = QString::fromStdString(*missing);
    }
    m_problem->setText(problem);
    m_problem->setVisible(!problem.isEmpty());
    m_flash->setEnabled(problem.isEmpty());
}

std::size_t ProgrammerDialog::image() const
{
    return static_cast<std::size_t>(std::max(m_image->currentIndex(), 0));
}

ProgrammerChoice ProgrammerDialog::choice() const
{
    const QString id =
        isOther() ? m_other->currentData().toString() : m_programmer->currentData().toString();
    const bool serial = m_serial;
    return {id.toStdString(), serial ? m_port->currentText().trimmed().toStdString() : "",
            serial ? m_baud->text().trimmed().toStdString() : "",
            m_bitclock->text().trimmed().toStdString()};
}

} // namespace corvane
