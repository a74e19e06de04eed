#pragma once

#include "editor/model/flash/Avrdude.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <chrono>
#include <string_view>
#include <vector>

namespace corvane {

class AvrdudeProcess;

// avrdude's own list of programmers ("-c ?"), read once in the background
// and kept: the window never waits for it. An avrdude that hangs is given
// up after the answer timeout, one that floods is read no further than
// kOutputLimit.
class ProgrammerList final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgrammerList)

public:
    enum class State
    {
        NotRead,
        Reading,
        Read,
        Failed, // nothing listed: the run failed, hung or printed no programmer
    };

    static constexpr qsizetype kOutputLimit = 1024 * 1024;

    ProgrammerList(const QString& avrdude, std::chrono::milliseconds answerTimeout,
                   QObject* parent = nullptr);
    ~ProgrammerList() override;

    const QString& avrdude() const { return m_avrdude; }
    // Starts reading, the first time only.
    void read();
    State state() const { return m_state; }
    const std::vector<Programmer>& programmers() const { return m_programmers; }
    bool lists(std::string_view id) const;

signals:
    // The state became Read or Failed.
    void changed();

private:
    void take(const QByteArray& bytes);
    void onFinished();

    QString m_avrdude;
    std::chrono::milliseconds m_answerTimeout;
    AvrdudeProcess* m_run = nullptr;
    QByteArray m_output;
    State m_state = State::NotRead;
    std::vector<Programmer> m_programmers;
};

} // namespace corvane
