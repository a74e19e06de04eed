#include "editor/Form1.h"
#include "editor/NameOnlyIconProvider.h"
#include "editor/OpenDialogs.h"
#include "editor/SaveDialogs.h"
#include "editor/StandardOpenDialogs.h"
#include "generator/ProgramWriter.h"
#include "tests/editor/FindControl.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace corvane {
namespace {

class FakeDialogs final : public OpenDialogs, public SaveDialogs
{
public:
    FakeDialogs() = default;
    ~FakeDialogs() override = default;

    QString askProgramToOpen(QWidget*) override { return openAnswer; }
    void reportOpenFailure(QWidget*, const QString& message) override { failures << message; }
    QString askProgramPath(QWidget*) override { return saveAnswer; }
    void reportWriteFailure(QWidget*, const QString& message) override { failures << message; }
    Answer askSaveBeforeLosing(QWidget*, const QString& question) override
    {
        questions << question;
        return answer;
    }
    void warnFlashExceeded(QWidget*, const QString& message) override { failures << message; }

    Answer answer = Answer::Discard;
    QStringList questions;
    QString openAnswer;
    QString saveAnswer;
    QStringList failures;
};

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Two messages on width "13" (three latches): Up at speed 7, Right at speed 0.
const ProgramDocument kProgram{{{"HELLO", PackItemData(2, 7)}, {"WORLD", PackItemData(1, 0)}},
                               Board::ofWidth("13")};

} // namespace

class OpenProgramTest final : public QObject
{
    Q_OBJECT

private:
    template <typename T = QWidget> T* find(const char* name) const
    {
        return FindControl<T>(*m_form, name);
    }
    QStringList shownMessages() const
    {
        QStringList texts;
        const auto* list = find<QListWidget>("LstMessage");
        for (int row = 0; row < list->count(); ++row) {
            texts << list->item(row)->text();
        }
        return texts;
    }
    QString writeProgram(const QString& name, const ProgramDocument& program = kProgram) const
    {
        GlyphTable glyphs;
        FillGlyphTable(glyphs);
        const QString path = m_folder->filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(
                QByteArray::fromStdString(RenderProgram(program.entries, program.board, glyphs)));
        }
        return path;
    }
    // The window as the user sees it, to compare before and after a refusal.
    QString shownState() const
    {
        return shownMessages().join(u'|') + u'#' + find<QLineEdit>("TxtMessage")->text() + u'#' +
               find<QComboBox>("CmbWidth")->currentText() + u'#' + find<QLabel>("LblLatch")->text();
    }
    void expectProgramShown()
    {
        QTRY_COMPARE(shownMessages(), QStringList({"HELLO", "WORLD"}));
        QCOMPARE(find<QComboBox>("CmbWidth")->currentText(), QStringLiteral("13"));
        QCOMPARE(find<QLabel>("LblLatch")->text(), QStringLiteral("You need 3 IC Latch 74573."));
        QCOMPARE(find<QLineEdit>("TxtMessage")->text(), QStringLiteral("HELLO"));
        QCOMPARE(find<QListWidget>("LstMessage")->currentRow(), 0);
        QVERIFY(find<QRadioButton>("OptScroll2")->isChecked());
        QCOMPARE(find<QListWidget>("LstSpeed")->currentItem()->text(), QStringLiteral("7"));
        QVERIFY(m_dialogs.failures.isEmpty());
    }
    void sendDrop(const QList<QUrl>& urls, bool expectTaken)
    {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = m_form->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_form.get(), &enter);
        QCOMPARE(enter.isAccepted(), expectTaken);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_form.get(), &drop);
        QCoreApplication::processEvents();
    }

    QAction* openAction() const
    {
        return m_form->findChild<QAction*>(QStringLiteral("openAction"));
    }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<Form1> m_form;
    FakeDialogs m_dialogs;

private slots:
    void init()
    {
        m_dialogs.openAnswer.clear();
        m_dialogs.saveAnswer.clear();
        m_dialogs.failures.clear();
        m_dialogs.questions.clear();
        m_dialogs.answer = SaveDialogs::Answer::Discard;
        m_folder = std::make_unique<QTemporaryDir>();
        m_form = std::make_unique<Form1>();
        m_form->setOpenDialogs(&m_dialogs);
        m_form->setSaveDialogs(&m_dialogs);
        m_form->Form_Load({});
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QTest::keyClicks(find("TxtMessage"), QStringLiteral("TYPED"));
    }
    void cleanup() { m_form.reset(); }

    void shortcutOpensAndSaveWritesTheSameBytes()
    {
        const QString opened = writeProgram(QStringLiteral("sign.bas"));
        m_dialogs.openAnswer = opened;
        QTest::keyClick(find("TxtMessage"), Qt::Key_O, Qt::ControlModifier);
        expectProgramShown();

        m_dialogs.saveAnswer = m_folder->filePath(QStringLiteral("again.bas"));
        QTest::mouseClick(find("CmdSave"), Qt::LeftButton);
        QCOMPARE(ReadFile(m_dialogs.saveAnswer), ReadFile(opened));
    }

    void contextMenuOffersOpenWithItsShortcut()
    {
        m_dialogs.openAnswer = writeProgram(QStringLiteral("menu.bas"));
        auto* list = find<QListWidget>("LstMessage");
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                list->viewport()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(list->viewport(), &event);
        auto* menu = m_form->findChild<QMenu*>(QStringLiteral("messageMenu"));
        QVERIFY(menu != nullptr);
        QAction* open = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text() == QStringLiteral("Open Program\u2026")) {
                open = action;
            }
        }
        QVERIFY(open != nullptr);
        QCOMPARE(open->shortcut(), QKeySequence(QKeySequence::Open));
        QVERIFY(open->isEnabled());
        open->trigger();
        menu->close();
        expectProgramShown();
    }

    void dropTakesOneBasFileOnly()
    {
        const QString program = writeProgram(QStringLiteral("dropped.BAS"));
        const QString other = writeProgram(QStringLiteral("dropped.txt"));
        const QString before = shownState();
        sendDrop({QUrl::fromLocalFile(other)}, false);
        sendDrop({QUrl::fromLocalFile(program), QUrl::fromLocalFile(program)}, false);
        sendDrop({QUrl(QStringLiteral("https://www.corvane.example/sign.bas"))}, false);
        QCOMPARE(shownState(), before);

        sendDrop({QUrl::fromLocalFile(program)}, true);
        expectProgramShown();
    }

    void failuresNameTheFileAndChangeNothing()
    {
        const QString before = shownState();
        const QString foreign = m_folder->filePath(QStringLiteral("other.bas"));
        QFile file(foreign);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("PRINT \"HELLO\"\r\nEND\r\n");
        file.close();
        const QString huge = m_folder->filePath(QStringLiteral("huge.bas"));
        QFile large(huge);
        QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(kSeventeenMiB));
        large.close();
        const QString missing = m_folder->filePath(QStringLiteral("missing.bas"));

        for (const QString& path : {foreign, huge, missing}) {
            m_dialogs.failures.clear();
            QVERIFY(!m_form->openProgramFile(path));
            QCOMPARE(m_dialogs.failures.size(), 1);
            QVERIFY2(m_dialogs.failures.front().contains(QDir::toNativeSeparators(path)),
                     qPrintable(m_dialogs.failures.front()));
            QCOMPARE(shownState(), before);
        }
        m_dialogs.failures.clear();
        m_form->openProgramFile(foreign);
        QVERIFY2(m_dialogs.failures.front().contains(QStringLiteral("Line 1: ")),
                 qPrintable(m_dialogs.failures.front()));
        m_form->openProgramFile(huge);
        QVERIFY(m_dialogs.failures.back().contains(QStringLiteral("16 MiB")));
    }

    void openingOverChangesAsksFirstAndUndoTakesItBack()
    {
        const QString path = writeProgram(QStringLiteral("asked.bas"));
        m_dialogs.openAnswer = path;
        const QString before = shownState();
        m_dialogs.answer = SaveDialogs::Answer::Cancel;
        openAction()->trigger();
        QCOMPARE(m_dialogs.questions,
                 QStringList{QStringLiteral("Save the messages before opening another program?")});
        QCOMPARE(shownState(), before);

        m_dialogs.answer = SaveDialogs::Answer::Discard;
        QVERIFY(m_form->openProgramFile(path));
        expectProgramShown();
        QVERIFY(!m_form->editor().isChanged()); // what was opened counts as saved
        QTest::keyClick(find("TxtMessage"), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("TYPED")});
        QCOMPARE(find<QComboBox>("CmbWidth")->currentText(), QStringLiteral("20"));
    }

    void standardOpenDialogSetUp()
    {
        StandardOpenDialogs dialogs;
        QFileDialog dialog;
        dialogs.configureOpenDialog(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Open a Program"));
        QCOMPARE(dialog.nameFilters(),
                 QStringList({"(BASCOM AVR File) (*.bas)", QStringLiteral("All Files (*)")}));
        QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);
        QVERIFY(dynamic_cast<const NameOnlyIconProvider*>(dialog.iconProvider()) != nullptr);
    }

private:
    static constexpr qint64 kSeventeenMiB = qint64{17} * 1024 * 1024;
};

} // namespace corvane

QTEST_MAIN(corvane::OpenProgramTest)
#include "OpenProgramTest.moc"
