#pragma once

#include <QFileDialog>

namespace corvane {

// A file dialog that, saving, gives a chosen name the extension of the
// selected filter when it ends in none of the filters' (NameWithExtension)
// before it accepts, so the question before replacing a file asks about the
// file that will be written.
class ExtendingFileDialog final : public QFileDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ExtendingFileDialog)

public:
    explicit ExtendingFileDialog(QWidget* parent = nullptr);
    ~ExtendingFileDialog() override = default;

public slots:
    void accept() override;
};

} // namespace corvane
