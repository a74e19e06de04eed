#include "editor/flash/AvrdudeProcess.h"

#include <QProcess>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace corvane {

namespace {

// Signals that mean the program itself went wrong, not that someone ended it.
bool IsCrash(int signal)
{
    return signal == SIGSEGV || signal == SIGBUS || signal == SIGILL || signal == SIGFPE ||
           signal == SIGABRT || signal == SIGSYS || signal == SIGTRAP;
}

} // namespace

AvrdudeProcess::AvrdudeProcess(std::chrono::milliseconds answerTimeout, QObject* parent)
    : QObject(parent), m_answerTimeout(answerTimeout)
{
    m_silence.setSingleShot(true);
    connect(&m_silence, &QTimer::timeout, this, [this] {
        m_timedOut = true;
        endGroup();
    });
}

AvrdudeProcess::~AvrdudeProcess()
{
    if (m_process != nullptr) {
        m_process->disconnect(this);
        if (isRunning()) {
            endGroup();
            m_process->waitForFinished(5000);
        }
    }
}

bool AvrdudeProcess::isRunning() const
{
    return m_process != nullptr && m_process->state() != QProcess::NotRunning;
}

void AvrdudeProcess::start(const QString& program, const QStringList& arguments)
{
    m_process = new QProcess(this);
    m_process->setStandardInputFile(QProcess::nullDevice());
    // A session of its own: its group's id is its pid, and no terminal
    // signal of ours reaches it. Should Corvane die, avrdude dies with it.
    m_process->setChildProcessModifier([] {
        ::setsid();
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
    connect(m_process, &QProcess::readyReadStandardError, this, &AvrdudeProcess::readOutput);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &AvrdudeProcess::readOutput);
    connect(m_process, &QProcess::finished, this,
            [this](int code, QProcess::ExitStatus status) { onFinished(code, status); });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart || m_done) {
            return;
        }
        m_done = true;
        m_silence.stop();
        // Told from the event loop, never from inside start().
        QTimer::singleShot(0, this, [this] {
            emit finished({End::FailedToStart, 0, m_process->errorString()});
        });
    });
    connect(m_process, &QProcess::started, this, [this] { m_group = m_process->processId(); });
    m_process->start(program, arguments);
    if (m_process->processId() > 0) {
        m_group = m_process->processId();
    }
    if (!m_done) {
        m_silence.start(m_answerTimeout);
    }
}

void AvrdudeProcess::cancel()
{
    if (!isRunning() || m_cancelled) {
        return;
    }
    m_cancelled = true;
    endGroup();
}

void AvrdudeProcess::readOutput()
{
    const QByteArray errors = m_process->readAllStandardError();
    const QByteArray output = m_process->readAllStandardOutput();
    if (errors.isEmpty() && output.isEmpty()) {
        return;
    }
    if (!m_done && !m_timedOut && !m_cancelled) {
        m_silence.start(m_answerTimeout); // it still answers
    }
    if (!errors.isEmpty()) {
        emit errorOutput(errors);
    }
    if (!output.isEmpty()) {
        emit standardOutput(output);
    }
}

void AvrdudeProcess::onFinished(int code, int status)
{
    if (m_done) {
        return;
    }
    m_done = true;
    m_silence.stop();
    readOutput();
    // Whatever it left behind in its group ends with it.
    endGroup();
    Result result{End::Exited, code, {}};
    if (m_cancelled) {
        result.end = End::Cancelled;
    } else if (m_timedOut) {
        result.end = End::TimedOut;
    } else if (status == QProcess::CrashExit) {
        result.end = IsCrash(code) ? End::Crashed : End::Killed;
    }
    emit finished(result);
}

void AvrdudeProcess::endGroup()
{
    if (m_group > 0) {
        ::kill(static_cast<pid_t>(-m_group), SIGKILL);
    }
    if (isRunning()) {
        m_process->kill();
    }
}

} // namespace corvane
