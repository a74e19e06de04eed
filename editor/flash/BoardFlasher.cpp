#include "editor/flash/BoardFlasher.h"

#include "editor/flash/FlashPrompts.h"
#include "editor/flash/FlashSettings.h"
#include "editor/flash/ProgrammerList.h"
#include "editor/model/flash/ClockFuse.h"
#include "editor/model/flash/ProgrammerCheck.h"
#include "flashimage/IntelHex.h"

#include <QFile>
#include <QStandardPaths>

namespace corvane {

namespace {

// The fuse is a few bytes; anything past this is not what was asked for.
constexpr qsizetype kOutputLimit = 256;

QStringList ToQt(const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const std::string& argument : arguments) {
        list << QString::fromStdString(argument);
    }
    return list;
}

QString Hex(std::uint8_t value)
{
    return QStringLiteral("0x") +
           QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

QString Seconds(std::chrono::milliseconds duration)
{
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration).count();
    return seconds == 1 ? QObject::tr("1 second") : QObject::tr("%1 seconds").arg(seconds);
}

} // namespace

BoardFlasher::BoardFlasher(FlashPrompts& prompts, QObject* parent)
    : QObject(parent), m_prompts(prompts)
{}

BoardFlasher::~BoardFlasher()
{
    // Its destructor ends avrdude's whole group; nothing is told any more.
    if (m_run != nullptr) {
        m_run->disconnect(this);
        delete m_run;
    }
}

bool BoardFlasher::flash(const std::vector<FlashImage>& images)
{
    if (isRunning() || images.empty()) {
        return false;
    }
    const QString avrdude = QStandardPaths::findExecutable(QString::fromLatin1(kProgram));
    if (avrdude.isEmpty()) {
        m_prompts.tell(FlashPrompts::Outcome::Failed,
                       tr("Flashing needs avrdude, which is not installed.\n"
                          "Install the Debian package \"avrdude\" (sudo apt install avrdude) "
                          "and try again."),
                       {});
        return false;
    }
    QStringList names;
    for (const FlashImage& image : images) {
        names << image.name;
    }
    ProgrammerList& list = programmerList(avrdude);
    list.read();
    m_phase = Phase::Choosing;
    const auto request = m_prompts.chooseProgrammer(list, FlashSettings::read(), names);
    m_phase = Phase::Idle;
    if (!request || request->image >= images.size()) {
        return false;
    }
    const ProgrammerChoice choice =
        CheckedChoice(request->programmer, [&list](std::string_view id) { return list.lists(id); });
    const auto missing = MissingSetting(choice);
    if (choice.programmer != request->programmer.programmer || missing) {
        m_prompts.tell(FlashPrompts::Outcome::Failed,
                       missing ? QString::fromStdString(*missing)
                               : tr("avrdude does not list the programmer \"%1\".")
                                     .arg(QString::fromStdString(request->programmer.programmer)),
                       {});
        return false;
    }
    if (m_remembering) {
        FlashSettings::write(choice);
    }

    auto folder = std::make_unique<QTemporaryDir>();
    const QString hexPath = folder->filePath(QStringLiteral("firmware.hex"));
    QFile hexFile(hexPath);
    const std::string hex = IntelHex(images[request->image].flash);
    if (!folder->isValid() || !hexFile.open(QIODevice::WriteOnly) ||
        hexFile.write(hex.data(), static_cast<qint64>(hex.size())) !=
            static_cast<qint64>(hex.size()) ||
        !hexFile.flush()) {
        m_prompts.tell(FlashPrompts::Outcome::Failed,
                       tr("The firmware could not be written to a temporary file: %1")
                           .arg(folder->isValid() ? hexFile.errorString() : folder->errorString()),
                       {});
        return false;
    }
    hexFile.close();

    m_folder = std::move(folder);
    m_hexPath = hexPath;
    m_avrdude = avrdude;
    m_choice = choice;
    m_cancelled = false;
    m_clockSet = false;
    startRun(Phase::ReadingFuse, AvrdudeFuseReadArguments(m_choice));
    return true;
}

void BoardFlasher::cancel()
{
    if (m_run == nullptr || m_cancelled) {
        return;
    }
    m_cancelled = true;
    m_run->cancel();
}

ProgrammerList& BoardFlasher::programmerList(const QString& avrdude)
{
    // Read once for the avrdude found; another one found later is read anew.
    if (!m_list || m_list->avrdude() != avrdude) {
        m_list = std::make_unique<ProgrammerList>(avrdude, m_answerTimeout);
    }
    return *m_list;
}

void BoardFlasher::startRun(Phase phase, const std::vector<std::string>& arguments)
{
    m_phase = phase;
    m_progress = {};
    m_output.clear();
    m_arguments = ToQt(arguments);
    m_run = new AvrdudeProcess(m_answerTimeout, this);
    connect(m_run, &AvrdudeProcess::errorOutput, this, [this](const QByteArray& bytes) {
        m_progress.feed(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (!m_cancelled) {
            showStage();
        }
    });
    connect(m_run, &AvrdudeProcess::standardOutput, this, [this](const QByteArray& bytes) {
        m_output += bytes.first(std::min(bytes.size(), kOutputLimit - m_output.size()));
    });
    connect(m_run, &AvrdudeProcess::finished, this, &BoardFlasher::onRunFinished);
    showStage();
    m_run->start(m_avrdude, m_arguments);
}

void BoardFlasher::showStage()
{
    switch (m_phase) {
    case Phase::ReadingFuse:
        m_prompts.showProgress(0, tr("Reading the chip's clock fuse\u2026"));
        return;
    case Phase::SettingFuse:
        m_prompts.showProgress(0, tr("Setting the chip's clock to the factory's 1 MHz\u2026"));
        return;
    case Phase::Flashing:
        m_prompts.showProgress(m_progress.percent(),
                               QString::fromStdString(m_progress.stageText()));
        return;
    case Phase::Idle:
    case Phase::Choosing:
        return;
    }
}

void BoardFlasher::onRunFinished(const AvrdudeProcess::Result& result)
{
    m_run->deleteLater();
    m_run = nullptr;
    const Phase phase = m_phase;
    using End = AvrdudeProcess::End;
    using Outcome = FlashPrompts::Outcome;
    switch (result.end) {
    case End::Cancelled:
        end(Outcome::Cancelled, tr("Flashing was cancelled. %1").arg(chipState(phase)));
        return;
    case End::TimedOut:
        end(Outcome::Failed,
            tr("The programmer did not answer for %1, so flashing was given up. Unplug it and "
               "plug it in again, check its cable, and try again.\n%2")
                .arg(Seconds(m_answerTimeout), chipState(phase)),
            details());
        return;
    case End::Crashed:
        end(Outcome::Failed,
            tr("avrdude crashed (signal %1).\n%2").arg(result.code).arg(chipState(phase)),
            details());
        return;
    case End::Killed:
        end(Outcome::Failed,
            tr("avrdude was killed by signal %1.\n%2").arg(result.code).arg(chipState(phase)),
            details());
        return;
    case End::FailedToStart:
        end(Outcome::Failed, tr("avrdude could not be started: %1").arg(result.error));
        return;
    case End::Exited:
        break;
    }
    if (result.code != 0) {
        const QString said = QString::fromStdString(m_progress.failureText());
        end(Outcome::Failed,
            QString::fromStdString(FailureWords(m_progress.failure(), m_choice)) + u'\n' +
                chipState(phase) +
                (said.isEmpty() ? QString() : tr("\n\navrdude said:\n%1").arg(said)),
            details());
        return;
    }
    switch (phase) {
    case Phase::ReadingFuse:
        afterFuseRead();
        return;
    case Phase::SettingFuse:
        afterFuseSet();
        return;
    case Phase::Flashing:
        end(Outcome::Flashed,
            m_clockSet ? tr("The chip's clock is back on the factory's 1 MHz, and the firmware "
                            "is on it: the board shows the messages now.")
                       : tr("The firmware is on the chip; the board shows the messages now."));
        return;
    case Phase::Idle:
    case Phase::Choosing:
        return;
    }
}

void BoardFlasher::afterFuseRead()
{
    const auto fuse = ParseFuseByte(
        std::string_view(m_output.constData(), static_cast<std::size_t>(m_output.size())));
    if (!fuse) {
        end(FlashPrompts::Outcome::Failed,
            tr("avrdude did not tell the chip's low fuse, so its clock is unknown. %1")
                .arg(chipState(Phase::ReadingFuse)),
            details());
        return;
    }
    const std::string problem = ClockProblem(*fuse);
    if (problem.empty()) {
        startRun(Phase::Flashing, AvrdudeFlashArguments(m_choice, m_hexPath.toStdString()));
        return;
    }
    m_fuseWanted = WithFactoryClock(*fuse);
    m_prompts.closeProgress();
    m_phase = Phase::Choosing;
    const bool fix = m_prompts.askToFixClock(
        QString::fromStdString(problem),
        tr("Set the low fuse from %1 to %2 (the internal 1 MHz oscillator, as the chip left the "
           "factory) before flashing? The other fuses stay as they are.")
            .arg(Hex(*fuse), Hex(m_fuseWanted)));
    if (!fix) {
        end(FlashPrompts::Outcome::Cancelled,
            tr("Flashing was cancelled. %1").arg(chipState(Phase::ReadingFuse)));
        return;
    }
    startRun(Phase::SettingFuse, AvrdudeFuseWriteArguments(m_choice, m_fuseWanted));
}

void BoardFlasher::afterFuseSet()
{
    const auto fuse = ParseFuseByte(
        std::string_view(m_output.constData(), static_cast<std::size_t>(m_output.size())));
    if (fuse != m_fuseWanted) {
        end(FlashPrompts::Outcome::Failed,
            tr("The low fuse was written as %1, but reads back as %2. Check the programmer's "
               "cable and try again.")
                .arg(Hex(m_fuseWanted), fuse ? Hex(*fuse) : tr("nothing readable")),
            details());
        return;
    }
    m_clockSet = true;
    startRun(Phase::Flashing, AvrdudeFlashArguments(m_choice, m_hexPath.toStdString()));
}

QString BoardFlasher::chipState(Phase phase) const
{
    const bool writing = phase == Phase::SettingFuse || phase == Phase::Flashing;
    if (writing && m_progress.reachedChip()) {
        return phase == Phase::Flashing
                   ? tr("The chip may now hold a partial program: flash it again before using "
                        "the board.")
                   : tr("The chip's clock fuse may have changed: flash again before using the "
                        "board.");
    }
    if (m_clockSet) {
        return tr("The chip's clock was set back to the factory's 1 MHz; its flash was not "
                  "written.");
    }
    return tr("Nothing was written to the chip.");
}

QString BoardFlasher::details() const
{
    return QStringLiteral("avrdude %1\n\n%2")
        .arg(m_arguments.join(u' '), QString::fromUtf8(m_progress.transcript()));
}

void BoardFlasher::end(FlashPrompts::Outcome outcome, const QString& text, const QString& details)
{
    m_phase = Phase::Idle;
    m_folder.reset();
    m_prompts.closeProgress();
    m_prompts.tell(outcome, text, details);
    emit finished();
}

} // namespace corvane
