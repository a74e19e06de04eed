#pragma once

#include "editor/model/flash/Avrdude.h"
#include "editor/model/flash/AvrdudeProgress.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>
#include <vector>

namespace corvane {

class FlashPrompts;

// A flash image from address 0 and what it is called in the programmer dialog.
struct FlashImage
{
    QString name;
    std::vector<std::uint8_t> flash;
};

// Puts a firmware on the board's chip with avrdude: asks for the programmer
// (remembered in the settings), writes the image to a temporary HEX file and
// runs "avrdude -p m8 -c PROGRAMMER [-P PORT] [-b BAUD] -U flash:w:FILE:i"
// in the background, feeding its progress to the prompts. The window stays
// responsive meanwhile; finished() comes once the outcome has been told.
class BoardFlasher final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BoardFlasher)

public:
    static constexpr const char* kProgram = "avrdude";

    // `prompts` is not owned and must outlive the flasher.
    explicit BoardFlasher(FlashPrompts& prompts, QObject* parent = nullptr);
    ~BoardFlasher() override;

    // Starts flashing the one of `images` the user chooses. Returns false
    // when nothing was started: avrdude is missing (the user is told which
    // package to install), a run is already going, or the user cancelled.
    bool flash(const std::vector<FlashImage>& images);
    bool isRunning() const;
    // Ends avrdude; the user is told the chip may now hold a partial program.
    void cancel();

signals:
    void finished();

private:
    void onOutput();
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void finish();
    std::vector<Programmer> listProgrammers(const QString& avrdude) const;

    FlashPrompts& m_prompts;
    std::unique_ptr<QProcess> m_process;
    std::unique_ptr<QTemporaryDir> m_folder;
    AvrdudeProgress m_progress;
    bool m_cancelled = false;
};

} // namespace corvane
