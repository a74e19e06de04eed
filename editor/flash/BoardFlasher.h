#pragma once

#include "editor/flash/AvrdudeProcess.h"
#include "editor/flash/FlashPrompts.h"
#include "editor/model/flash/Avrdude.h"
#include "editor/model/flash/AvrdudeProgress.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

class ProgrammerList;

// A flash image from address 0 and what it is called in the programmer dialog.
struct FlashImage
{
    QString name;
    std::vector<std::uint8_t> flash;
};

// Puts a firmware on the board's chip with avrdude, in the background: asks
// for the programmer (remembered in the settings), reads the chip's low fuse
// first ("-U lfuse:r:-:h") and, when the chip does not run on its factory
// 1 MHz clock, asks to set that fuse back (written, then read back), then
// writes the image from a temporary HEX file ("-U flash:w:FILE:i"). Every
// run is an AvrdudeProcess: a programmer silent for the answer timeout is
// given up, Cancel and the flasher's end stop everything avrdude started.
// finished() comes once the outcome has been told.
class BoardFlasher final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BoardFlasher)

public:
    static constexpr const char* kProgram = "avrdude";

    // `prompts` is not owned and must outlive the flasher.
    explicit BoardFlasher(FlashPrompts& prompts, QObject* parent = nullptr);
    ~BoardFlasher() override;

    // How long a silent avrdude is waited for (20 s); for the tests.
    void setAnswerTimeout(std::chrono::milliseconds timeout) { m_answerTimeout = timeout; }
    // Whether the choice made is remembered for the next flash (the
    // window's); the command line leaves it as it was.
    void setRemembering(bool remembering) { m_remembering = remembering; }

    // Starts flashing the one of `images` the user chooses. Returns false
    // when nothing was started: avrdude is missing (the user is told which
    // package to install), a run is already going, or the user cancelled.
    bool flash(const std::vector<FlashImage>& images);
    bool isRunning() const { return m_phase != Phase::Idle; }
    // Ends avrdude and all it started; the user is told whether anything
    // was written.
    void cancel();

signals:
    void finished();

private:
    enum class Phase
    {
        Idle,
        Choosing,
        ReadingFuse,
        SettingFuse,
        Flashing,
    };

    void startRun(Phase phase, const std::vector<std::string>& arguments);
    void onRunFinished(const AvrdudeProcess::Result& result);
    void afterFuseRead();
    void afterFuseSet();
    void showStage();
    // What the chip holds after a run that ended early.
    QString chipState(Phase phase) const;
    QString details() const;
    void end(FlashPrompts::Outcome outcome, const QString& text, const QString& details = {});
    ProgrammerList& programmerList(const QString& avrdude);

    FlashPrompts& m_prompts;
    std::chrono::milliseconds m_answerTimeout = AvrdudeProcess::kAnswerTimeout;
    std::unique_ptr<ProgrammerList> m_list;
    AvrdudeProcess* m_run = nullptr;
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_avrdude;
    QString m_hexPath;
    QStringList m_arguments;
    ProgrammerChoice m_choice;
    AvrdudeProgress m_progress;
    QByteArray m_output; // standard output: the fuse, bounded
    Phase m_phase = Phase::Idle;
    bool m_remembering = true;
    bool m_cancelled = false;
    bool m_clockSet = false;
    std::uint8_t m_fuseWanted = 0;
};

} // namespace corvane
