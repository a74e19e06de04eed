#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <chrono>

class QProcess;

namespace corvane {

// One run of avrdude, treated as a program that may hang, flood, crash or
// start helpers of its own: it runs in a process group (a session) of its
// own, so ending it ends everything it started; a run whose output stays
// silent for the answer timeout is given up. The owner deletes it later
// (deleteLater) once finished() came, never inside it.
class AvrdudeProcess final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AvrdudeProcess)

public:
    static constexpr std::chrono::milliseconds kAnswerTimeout{20'000};

    enum class End
    {
        Exited,        // `code` is its exit status
        Crashed,       // `code` is the signal (SIGSEGV, SIGABRT, …)
        Killed,        // by a signal from elsewhere, `code`
        FailedToStart, // `error` says why
        TimedOut,      // silent for the answer timeout, then ended
        Cancelled,     // ended by cancel()
    };
    struct Result
    {
        End end = End::Exited;
        int code = 0;
        QString error{};
    };

    explicit AvrdudeProcess(std::chrono::milliseconds answerTimeout = kAnswerTimeout,
                            QObject* parent = nullptr);
    // Ends the whole group when it still runs.
    ~AvrdudeProcess() override;

    void start(const QString& program, const QStringList& arguments);
    // Ends the whole group; finished() follows with Cancelled.
    void cancel();
    bool isRunning() const;

signals:
    void errorOutput(const QByteArray& bytes);
    void standardOutput(const QByteArray& bytes);
    void finished(const corvane::AvrdudeProcess::Result& result);

private:
    void readOutput();
    void onFinished(int code, int status);
    void endGroup();

    QProcess* m_process = nullptr;
    QTimer m_silence;
    std::chrono::milliseconds m_answerTimeout;
    qint64 m_group = 0;
    bool m_cancelled = false;
    bool m_timedOut = false;
    bool m_done = false;
};

} // namespace corvane
