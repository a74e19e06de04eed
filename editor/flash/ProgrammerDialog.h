#pragma once

#include "editor/model/flash/Avrdude.h"

#include <QDialog>
#include <QStringList>
#include <cstddef>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane {

class ProgrammerList;

// Chooses what to put on the chip and the programmer: the ones hobbyists
// use, in plain words with a tooltip each, or any of avrdude's own under
// "Other…" (filled in once avrdude's list has been read, without waiting for
// it); the serial port for those that need one (the ports found, or typed),
// the baud rate and the ISP bit clock. Flash stays disabled while a field is
// bad. Every entry is cut to a bounded width, whatever avrdude lists.
class ProgrammerDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgrammerDialog)

public:
    static constexpr int kShownIdLength = 32;
    static constexpr int kShownDescriptionLength = 60;

    ProgrammerDialog(ProgrammerList& programmers, const ProgrammerChoice& last,
                     const QStringList& images, QWidget* parent = nullptr);

    ProgrammerChoice choice() const;
    // The index of the image chosen.
    std::size_t image() const;

private:
    void fillOthers();
    void onProgrammerChosen();
    void check();
    bool isOther() const;

    ProgrammerList& m_programmers;
    bool m_serial = false; // the programmer takes a port and a baud rate
    QString m_wantedOther; // a remembered other programmer, until the list confirms it
    QComboBox* m_image = nullptr;
    QComboBox* m_programmer = nullptr;
    QComboBox* m_other = nullptr;
    QLabel* m_otherLabel = nullptr;
    QComboBox* m_port = nullptr;
    QLineEdit* m_baud = nullptr;
    QLineEdit* m_bitclock = nullptr;
    QLabel* m_problem = nullptr;
    QPushButton* m_flash = nullptr;
};

} // namespace corvane
