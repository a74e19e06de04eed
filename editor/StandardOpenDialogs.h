#pragma once

#include "editor/OpenDialogs.h"

class QFileDialog;

namespace corvane {

// The platform's open dialog and a warning box.
class StandardOpenDialogs final : public OpenDialogs
{
    Q_DISABLE_COPY_MOVE(StandardOpenDialogs)

public:
    static constexpr const char* kTitle = "Open a Program";

    StandardOpenDialogs() = default;
    ~StandardOpenDialogs() override = default;

    // Title, the program filter and all files, an existing file to pick.
    static void configureOpenDialog(QFileDialog& dialog);

    QString askProgramToOpen(QWidget* parent) override;
    void reportOpenFailure(QWidget* parent, const QString& message) override;
};

} // namespace corvane
