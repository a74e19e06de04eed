#pragma once

#include "editor/dialogs/NameOnlyIconProvider.h"
#include "editor/dialogs/OpenDialogs.h"

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

    // Title, the program filter and all files, an existing file to pick, and
    // icons that never read a file. The dialog must not outlive this object.
    void configureOpenDialog(QFileDialog& dialog);

    QString askProgramToOpen(QWidget* parent) override;
    void reportOpenFailure(QWidget* parent, const QString& message) override;

private:
    NameOnlyIconProvider m_icons;
};

} // namespace corvane
