#pragma once

#include "editor/model/flash/Avrdude.h"

#include <QDialog>
#include <QStringList>
#include <cstddef>
#include <vector>

class QComboBox;
class QLineEdit;

namespace corvane {

// Chooses what to put on the chip, and avrdude's programmer (from the list
// avrdude prints), the port and the baud rate, the last choice preset.
class ProgrammerDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgrammerDialog)

public:
    ProgrammerDialog(const std::vector<Programmer>& programmers, const ProgrammerChoice& last,
                     const QStringList& images, QWidget* parent = nullptr);

    ProgrammerChoice choice() const;
    // The index of the image chosen.
    std::size_t image() const;

private:
    QComboBox* m_image = nullptr;
    QComboBox* m_programmer = nullptr;
    QLineEdit* m_port = nullptr;
    QLineEdit* m_baud = nullptr;
};

} // namespace corvane
