#include "editor/flash/BoardFlasher.h"

#include "editor/flash/FlashPrompts.h"
#include "flashimage/IntelHex.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace corvane {

namespace {

constexpr int kListTimeoutMs = 5000;

const QString kProgrammerKey = QStringLiteral("flash/programmer");
const QString kPortKey = QStringLiteral("flash/port");
const QString kBaudKey = QStringLiteral("flash/baud");

ProgrammerChoice RememberedChoice()
{
    const QSettings settings;
    ProgrammerChoice choice;
    choice.programmer = settings.value(kProgrammerKey, QString::fromStdString(choice.programmer))
                            .toString()
                            .toStdString();
    choice.port = settings.value(kPortKey).toString().toStdString();
    choice.baud = settings.value(kBaudKey).toString().toStdString();
    return choice;
}

void Remember(const ProgrammerChoice& choice)
{
    QSettings settings;
    settings.setValue(kProgrammerKey, QString::fromStdString(choice.programmer));
    settings.setValue(kPortKey, QString::fromStdString(choice.port));
    settings.setValue(kBaudKey, QString::fromStdString(choice.baud));
}

QStringList ToQt(const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const std::string& argument : arguments) {
        list << QString::fromStdString(argument);
    }
    return list;
}

} // namespace

BoardFlasher::BoardFlasher(FlashPrompts& prompts, QObject* parent)
    : QObject(parent), m_prompts(prompts)
{}

BoardFlasher::~BoardFlasher()
{
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished();
    }
}

bool BoardFlasher::isRunning() const
{
    return m_process != nullptr;
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
                          "and try again."));
        return false;
    }
    QStringList names;
    for (const FlashImage& image : images) {
        names << image.name;
    }
    const auto request =
        m_prompts.chooseProgrammer(listProgrammers(avrdude), RememberedChoice(), names);
    if (!request || request->image >= images.size()) {
        return false;
    }
    const ProgrammerChoice& choice = request->programmer;
    Remember(choice);

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
                           .arg(folder->isValid() ? hexFile.errorString() : folder->errorString()));
        return false;
    }
    hexFile.close();

    m_folder = std::move(folder);
    m_progress = {};
    m_cancelled = false;
    m_process = std::make_unique<QProcess>();
    // avrdude writes its progress and its errors to its error output.
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    connect(m_process.get(), &QProcess::readyRead, this, &BoardFlasher::onOutput);
    connect(m_process.get(), &QProcess::finished, this, &BoardFlasher::onFinished);
    connect(m_process.get(), &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            onFinished(-1, QProcess::CrashExit);
        }
    });
    m_prompts.showProgress(0, QString::fromStdString(m_progress.stageText()));
    m_process->start(avrdude, ToQt(AvrdudeFlashArguments(choice, hexPath.toStdString())));
    return true;
}

void BoardFlasher::cancel()
{
    if (!m_process || m_cancelled) {
        return;
    }
    m_cancelled = true;
    m_process->kill();
}

void BoardFlasher::onOutput()
{
    const QByteArray output = m_process->readAll();
    m_progress.feed(std::string_view(output.constData(), static_cast<std::size_t>(output.size())));
    if (!m_cancelled) {
        m_prompts.showProgress(m_progress.percent(),
                               QString::fromStdString(m_progress.stageText()));
    }
}

void BoardFlasher::onFinished(int exitCode, QProcess::ExitStatus status)
{
    if (!m_process) {
        return;
    }
    onOutput();
    m_prompts.closeProgress();
    if (m_cancelled) {
        m_prompts.tell(FlashPrompts::Outcome::Cancelled,
                       tr("Flashing was cancelled. The chip may now hold a partial program: "
                          "flash it again before using the board."));
    } else if (status == QProcess::NormalExit && exitCode == 0) {
        m_prompts.tell(FlashPrompts::Outcome::Flashed,
                       tr("The firmware is on the chip; the board shows the messages now."));
    } else if (m_process->error() == QProcess::FailedToStart) {
        m_prompts.tell(FlashPrompts::Outcome::Failed,
                       tr("avrdude could not be started: %1").arg(m_process->errorString()));
    } else {
        m_prompts.tell(FlashPrompts::Outcome::Failed,
                       tr("avrdude could not flash the chip:\n%1")
                           .arg(QString::fromStdString(m_progress.failureText())));
    }
    finish();
}

void BoardFlasher::finish()
{
    // The process object may still be inside its own signal: delete it later.
    m_process.release()->deleteLater();
    m_folder.reset();
    emit finished();
}

std::vector<Programmer> BoardFlasher::listProgrammers(const QString& avrdude) const
{
    QProcess list;
    list.setProcessChannelMode(QProcess::MergedChannels);
    list.start(avrdude, ToQt(AvrdudeListArguments()));
    if (!list.waitForFinished(kListTimeoutMs)) {
        list.kill();
        list.waitForFinished();
        return {};
    }
    const QByteArray output = list.readAll();
    return ParseProgrammerList(
        std::string_view(output.constData(), static_cast<std::size_t>(output.size())));
}

} // namespace corvane
