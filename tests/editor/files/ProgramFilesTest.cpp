#include "editor/files/ProgramFiles.h"

#include "bascom/WiringTestProgram.h"
#include "editor/model/ItemData.h"
#include "editor/model/MessageEditor.h"
#include "tests/editor/FakeFileDialogs.h"
#include "tests/editor/TestFiles.h"
#include "tests/editor/TypingEditor.h"
#include "tests/sign/FilledGlyphs.h"

#include <QAction>
#include <QDir>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <memory>
#include <string>
#include <sys/stat.h>

Q_DECLARE_METATYPE(corvane::FileDialogs::Answer)

namespace corvane {
namespace {

using test::ReadFile;
using test::WriteProgramFile;

// Two messages on width "13" (three latches): Up at speed 7, Right at speed 0.
const ProgramDocument kProgram{{{"HELLO", ScrollDirection(2), 7}, {"WORLD", ScrollDirection(1), 0}},
                               Board::ofWidth("13")};

const std::vector<Message> kTyped{{"TYPED", ScrollDirection(0), 5}};

// A short Up message, whose table two blank lines pad to the board's 20
// columns, and a Left one.
const ProgramDocument kShortUp{{{"HI", ScrollDirection(2), 7}, {"WORLD", ScrollDirection(0), 3}},
                               Board::ofWidth("20")};

QByteArray Rendered(const ProgramDocument& program)
{
    const GlyphTable& glyphs = test::FilledGlyphs();
    return QByteArray::fromStdString(RenderProgram(program.entries, program.board, glyphs));
}

} // namespace

// Opening, saving, the close question and drops, without a window: the
// editor is driven directly and the dialogs are fakes.
class ProgramFilesTest final : public QObject
{
    Q_OBJECT

private:
    QString path(const char* name) const { return m_folder->filePath(QLatin1String(name)); }
    // Entries, width and the box's text: what a refusal leaves as it was.
    std::string state() const
    {
        std::string state = m_editor->TxtMessage().text() + '#' +
                            std::string(m_editor->CmbWidth().selectedText()) + '#';
        for (const Message& entry : m_editor->entries()) {
            state += entry.text + ':' + std::to_string(ItemDataOf(entry)) + '|';
        }
        return state;
    }
    QByteArray programAsSaved() const
    {
        const GlyphTable& glyphs = test::FilledGlyphs();
        const ProgramDocument program = m_editor->prepareProgram();
        return QByteArray::fromStdString(RenderProgram(program.entries, program.board, glyphs));
    }

    test::FakeFileDialogs m_dialogs;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<MessageEditor> m_editor;
    std::unique_ptr<ProgramFiles> m_files;

private slots:
    // The editor as the shown window leaves it, "TYPED" in its first entry.
    void init()
    {
        m_dialogs.reset();
        m_folder = std::make_unique<QTemporaryDir>();
        m_editor = test::TypingEditor("TYPED");
        m_files = std::make_unique<ProgramFiles>(*m_editor, nullptr);
        m_files->setDialogs(&m_dialogs);
        m_files->fillGlyphTable();
    }
    void cleanup()
    {
        m_files.reset();
        m_editor.reset();
    }

    void openActionAsksAboutChangesThenForTheProgram_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<FileDialogs::Answer>("answer");
        QTest::addColumn<QString>("savedAs"); // the save dialog's answer
        QTest::addColumn<QStringList>("dialogs");
        QTest::addColumn<bool>("opened");
        const QString save = QStringLiteral("Select a Name for Program");
        const QString open = QStringLiteral("Open a Program");
        using Answer = FileDialogs::Answer;
        QTest::newRow("unchanged") << false << Answer::Cancel << "" << QStringList{open} << true;
        QTest::newRow("cancel") << true << Answer::Cancel << "" << QStringList{} << false;
        QTest::newRow("discard") << true << Answer::Discard << "" << QStringList{open} << true;
        QTest::newRow("save") << true << Answer::Save << "kept.bas" << QStringList{save, open}
                              << true;
        QTest::newRow("save cancelled") << true << Answer::Save << "" << QStringList{save} << false;
    }
    void openActionAsksAboutChangesThenForTheProgram()
    {
        QFETCH(bool, changed);
        QFETCH(FileDialogs::Answer, answer);
        QFETCH(QString, savedAs);
        QFETCH(QStringList, dialogs);
        QFETCH(bool, opened);
        if (!changed) {
            m_editor->userClickClear(); // one blank entry is nothing to lose
        }
        const std::string before = state();
        m_dialogs.answer = answer;
        m_dialogs.openPath = WriteProgramFile(path("sign.bas"), kProgram);
        m_dialogs.savePath = savedAs.isEmpty() ? QString() : m_folder->filePath(savedAs);
        QSignalSpy changes(m_files.get(), &ProgramFiles::editorChanged);

        m_files->openAction()->trigger();

        QCOMPARE(m_dialogs.questions,
                 changed ? QStringList{QString::fromLatin1(ProgramFiles::kOpenQuestion)}
                         : QStringList{});
        QCOMPARE(m_dialogs.askedTitles(), dialogs);
        if (opened) {
            QCOMPARE(m_editor->entries(), kProgram.entries);
            QCOMPARE(std::string(m_editor->CmbWidth().selectedText()), std::string("13"));
            QVERIFY(!m_editor->isChanged()); // what was opened counts as saved
            QVERIFY(!changes.isEmpty());     // so the window shows it
        } else if (answer == FileDialogs::Answer::Cancel) {
            QCOMPARE(state(), before);
        }
        if (!savedAs.isEmpty()) {
            QVERIFY(!ReadFile(m_dialogs.savePath).isEmpty());
        }
        QVERIFY(m_dialogs.warnings.isEmpty());
    }

    // Each refusal names the file and says why, in a sentence first; where a
    // file departs from a program is in the details. The list stays as it was.
    void refusalsNameTheFileAndChangeNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("why");
        QTest::addColumn<QString>("details");
        QTest::newRow("not a program")
            << "other.bas"
            << "other.bas is not a program Corvane wrote."
            << "Line 1: expected \"'*********************************************\", the "
               "banner of a program Corvane wrote";
        QTest::newRow("larger than 16 MiB") << "huge.bas"
                                            << "16 MiB"
                                            << "";
        QTest::newRow("missing") << "missing.bas"
                                 << "No such file"
                                 << "";
        QTest::newRow("named pipe") << "x.bas"
                                    << "x.bas is a named pipe, not a file."
                                    << "";
        QTest::newRow("the wiring test")
            << "wiring.bas"
            << "wiring.bas is Corvane's wiring test for a board of 40 columns; it has no "
               "messages to edit."
            << "";
    }
    void refusalsNameTheFileAndChangeNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, why);
        QFETCH(QString, details);
        const QString file = m_folder->filePath(name);
        QFile content(file);
        if (name == QLatin1String("other.bas")) {
            QVERIFY(content.open(QIODevice::WriteOnly));
            content.write("PRINT \"HELLO\"\r\nEND\r\n");
        } else if (name == QLatin1String("huge.bas")) {
            QVERIFY(content.open(QIODevice::WriteOnly) && content.resize(qint64{17} << 20));
        } else if (name == QLatin1String("x.bas")) {
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        } else if (name == QLatin1String("wiring.bas")) {
            QVERIFY(content.open(QIODevice::WriteOnly));
            content.write(QByteArray::fromStdString(RenderWiringTestProgram(Board::ofWidth("40"))));
        }
        content.close();
        m_dialogs.answer = FileDialogs::Answer::Discard;
        const std::string before = state();

        QVERIFY(!m_files->openFile(file));
        QCOMPARE(m_dialogs.warnings.size(), 1);
        const QString warning = m_dialogs.warnings.front();
        QVERIFY2(warning.contains(QDir::toNativeSeparators(file)) || warning.startsWith(name),
                 qPrintable(warning));
        QVERIFY2(warning.contains(why), qPrintable(warning));
        QCOMPARE(m_dialogs.warningDetails.value(0), details);
        QCOMPARE(state(), before);
        QVERIFY(m_editor->isChanged());
    }

    // A file Save would write otherwise opens with its messages, counted as
    // changed: closing asks, and Save writes the program as Corvane writes it.
    void fileNotAsSaveWritesOpensAsChanged_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray written = Rendered(kShortUp);
        const QByteArray padding = "Data &H00 , &H00 , &H00 , &H00 , &H00\r\n"
                                   "Data &H00 , &H00 , &H00 , &H00 , &H00\r\n";
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF") + written;
        QTest::newRow("LF line ends") << QByteArray(written).replace("\r\n", "\n");
        QTest::newRow("short Up table unpadded")
            << QByteArray(written).replace(padding + "Text01:", "Text01:");
    }
    void fileNotAsSaveWritesOpensAsChanged()
    {
        QFETCH(QByteArray, file);
        QVERIFY(file != Rendered(kShortUp));
        QFile opened(path("other writer.bas"));
        QVERIFY(opened.open(QIODevice::WriteOnly) && opened.write(file) == file.size());
        opened.close();
        m_editor->userClickClear();

        QVERIFY(m_files->openFile(opened.fileName()));
        QCOMPARE(m_editor->entries(), kShortUp.entries);
        QVERIFY(m_editor->isChanged());
        QVERIFY(!m_files->confirmClose());
        QCOMPARE(m_dialogs.questions,
                 QStringList{QString::fromLatin1(ProgramFiles::kCloseQuestion)});
        m_dialogs.savePath = path("saved.bas");
        QVERIFY(m_files->save());
        QCOMPARE(ReadFile(m_dialogs.savePath), Rendered(kShortUp));
        QVERIFY(!m_editor->isChanged());
    }

    // Save and Open start at the program last saved or opened: Open in its
    // folder, Save with its name filled in.
    void dialogsStartAtTheProgramLastSavedOrOpened()
    {
        m_dialogs.answer = FileDialogs::Answer::Discard;
        m_files->openAction()->trigger();
        QVERIFY(!m_files->save());
        m_dialogs.savePath = path("first.bas");
        QVERIFY(m_files->save());
        m_dialogs.openPath = WriteProgramFile(path("sign.bas"), kProgram);
        m_files->openAction()->trigger();
        QVERIFY(!m_files->openFile(path("missing.bas")));
        m_dialogs.savePath.clear();
        QVERIFY(!m_files->save());

        QStringList starts;
        for (const FileDialogSetup& setup : m_dialogs.asked) {
            starts << setup.startPath;
        }
        // Neither a cancelled save nor a failed opening moves the start.
        QCOMPARE(starts, QStringList({"", "", "", path("first.bas"), path("sign.bas")}));
        QCOMPARE(m_files->lastPath(), m_dialogs.openPath);
    }

    // Save asks for a name, writes the program there and counts it as saved;
    // a cancelled dialog writes nothing, a failed write says where and why.
    void saveWritesTheNamedFileOnly()
    {
        QSignalSpy changes(m_files.get(), &ProgramFiles::editorChanged);
        QVERIFY(!m_files->save());
        QCOMPARE(m_dialogs.askedTitles(), QStringList{"Select a Name for Program"});
        QVERIFY(m_dialogs.asked.front().purpose == FileDialogSetup::Purpose::Save);
        QVERIFY(m_editor->isChanged());
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList{});
        QCOMPARE(changes.size(), 1); // Save's click commits before the dialog

        m_dialogs.savePath = path("no such folder/sign.bas");
        QVERIFY(!m_files->save());
        QCOMPARE(m_dialogs.warnings.size(), 1);
        QVERIFY2(m_dialogs.warnings.front().contains(QDir::toNativeSeparators(m_dialogs.savePath)),
                 qPrintable(m_dialogs.warnings.front()));
        QVERIFY(m_editor->isChanged());

        m_dialogs.savePath = path("sign");
        QVERIFY(m_files->save());
        QCOMPARE(ReadFile(m_dialogs.savePath), programAsSaved()); // the path as chosen
        QVERIFY(!m_editor->isChanged());
        QCOMPARE(m_dialogs.warnings.size(), 1);
        QCOMPARE(m_editor->entries(), kTyped);
    }

    // A save whose tables alone exceed the chip's flash writes the file,
    // then warns with the numbers.
    void saveTooLargeForTheChipWarnsAfterWriting()
    {
        const std::vector<Message> large(6, {std::string(256, 'x'), ScrollDirection(0), 5});
        m_dialogs.answer = FileDialogs::Answer::Discard;
        QVERIFY(
            m_files->openFile(WriteProgramFile(path("large.bas"), {large, Board::ofWidth("20")})));
        m_dialogs.savePath = path("again.bas");
        QVERIFY(m_files->save());
        QCOMPARE(ReadFile(m_dialogs.savePath), ReadFile(path("large.bas")));
        QCOMPARE(m_dialogs.warnings.size(), 1);
        // Six tables of 256 characters and 4 + 4 blank lines: 6 × 1,576 bytes.
        for (const char* part : {"ATmega8", "9,456", "8,192"}) {
            QVERIFY2(m_dialogs.warnings.front().contains(QLatin1String(part)),
                     qPrintable(m_dialogs.warnings.front()));
        }
    }

    void closeAsksOnlyWhenTheListChanged()
    {
        QVERIFY(!m_files->confirmClose());
        QCOMPARE(m_dialogs.questions,
                 QStringList{QString::fromLatin1(ProgramFiles::kCloseQuestion)});
        m_dialogs.savePath = path("closing.bas");
        m_dialogs.answer = FileDialogs::Answer::Save;
        QVERIFY(m_files->confirmClose());
        QVERIFY(QFile::exists(m_dialogs.savePath));
        QVERIFY(m_files->confirmClose());
        QCOMPARE(m_dialogs.questions.size(), 2);
    }

    void dropTakesOneLocalBasFile_data()
    {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<bool>("taken");
        const QUrl program = QUrl::fromLocalFile(QStringLiteral("/tmp/sign.BAS"));
        QTest::newRow("one .bas file") << QList<QUrl>{program} << true;
        QTest::newRow("another type") << QList<QUrl>{QUrl::fromLocalFile("/tmp/sign.txt")} << false;
        QTest::newRow("two files") << QList<QUrl>{program, program} << false;
        QTest::newRow("not local")
            << QList<QUrl>{QUrl(QStringLiteral("https://www.corvane.example/sign.bas"))} << false;
        QTest::newRow("no file") << QList<QUrl>{} << false;
    }
    void dropTakesOneLocalBasFile()
    {
        QFETCH(QList<QUrl>, urls);
        QFETCH(bool, taken);
        QMimeData data;
        data.setUrls(urls);
        QCOMPARE(ProgramFiles::DraggedProgram(&data),
                 taken ? QStringLiteral("/tmp/sign.BAS") : QString());
        QCOMPARE(m_files->openDropped(&data), taken);
        QVERIFY(ProgramFiles::DraggedProgram(nullptr).isEmpty());
    }

    // The drag's source waits for the drop: the program opens after it returned.
    void droppedProgramOpensOnceTheDropReturned()
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(WriteProgramFile(path("dropped.bas"), kProgram))});
        m_dialogs.answer = FileDialogs::Answer::Discard;
        QVERIFY(m_files->openDropped(&data));
        QCOMPARE(m_editor->entries(), kTyped);
        QVERIFY(m_dialogs.questions.isEmpty());
        QTRY_COMPARE(m_editor->entries(), kProgram.entries);
        QCOMPARE(m_dialogs.questions.size(), 1);
    }
};

} // namespace corvane

QTEST_MAIN(corvane::ProgramFilesTest)
#include "ProgramFilesTest.moc"
