#pragma once

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

namespace corvane::test {

// A stand-in for avrdude in a folder of its own, put first on PATH. Each run
// keeps its arguments, one a line, in "arguments.PID" (the runs' PIDs in
// order in "runs"), and copies the HEX file it is given to "flashed.hex". What it answers
// is the shell snippet in the file named after the run's kind, when there is
// one: "list" for "-c ?", "readfuse", "setfuse", "flash"; otherwise it
// lists two programmers, reads the fuse as 0xe1, reads back what it wrote,
// or flashes with a progress bar. Snippets find the folder in $d.
class FakeAvrdude final
{
public:
    FakeAvrdude()
    {
        QFile script(path(QStringLiteral("avrdude")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n"
                     "d='" +
                     m_folder.path().toUtf8() +
                     "'\n"
                     "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$d/arguments.$$\"\n"
                     "echo $$ >> \"$d/runs\"\n"
                     "kind=flash\n"
                     "for a in \"$@\"; do case \"$a\" in\n"
                     "  '?') kind=list;;\n"
                     "  lfuse:w:*) kind=setfuse; wrote=${a#lfuse:w:}; wrote=${wrote%:m};;\n"
                     "  lfuse:r:*) [ $kind = setfuse ] || kind=readfuse;;\n"
                     "  flash:w:*) f=${a#flash:w:}; /bin/cp \"${f%:i}\" \"$d/flashed.hex\";;\n"
                     "esac; done\n"
                     "[ -f \"$d/$kind\" ] && . \"$d/$kind\"\n"
                     "case $kind in\n"
                     "  list) printf '\\nValid programmers are:\\n  usbasp = USBasp\\n"
                     "  arduino = Arduino\\n' >&2; exit 1;;\n"
                     "  readfuse) echo 0xe1;;\n"
                     "  setfuse) echo \"$wrote\";;\n"
                     "  flash) printf 'avrdude: AVR device initialized and ready to accept "
                     "instructions\\n\\nWriting | ##### | 100%% 0.1s\\n' >&2;;\n"
                     "esac\n"
                     "exit 0\n");
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
        m_path = qgetenv("PATH");
        qputenv("PATH", m_folder.path().toUtf8() + ":" + m_path);
    }
    ~FakeAvrdude() { qputenv("PATH", m_path); }
    FakeAvrdude(const FakeAvrdude&) = delete;
    FakeAvrdude& operator=(const FakeAvrdude&) = delete;

    QString path(const QString& name) const { return m_folder.filePath(name); }

    // What a kind of run does instead of its default.
    void answer(const char* kind, const QByteArray& snippet) const
    {
        QFile file(path(QString::fromLatin1(kind)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(snippet + "\n");
    }

    // The arguments of every run but the list's, in order.
    QList<QStringList> runs() const
    {
        QList<QStringList> runs;
        QFile started(path(QStringLiteral("runs")));
        if (!started.open(QIODevice::ReadOnly)) {
            return runs;
        }
        // The list is read while the others run: each run names its own file.
        for (const QByteArray& run : started.readAll().split('\n')) {
            QFile file(path(QStringLiteral("arguments.") + QString::fromLatin1(run)));
            if (run.isEmpty() || !file.open(QIODevice::ReadOnly)) {
                continue;
            }
            QStringList arguments = QString::fromUtf8(file.readAll()).split(u'\n');
            arguments.removeLast();
            if (arguments != QStringList{"-c", "?"}) {
                runs << arguments;
            }
        }
        return runs;
    }

private:
    QTemporaryDir m_folder;
    QByteArray m_path;
};

} // namespace corvane::test
