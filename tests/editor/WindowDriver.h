#pragma once

#include "bascom/ProgramWriter.h"
#include "editor/files/FirmwareFiles.h"
#include "editor/files/ProgramFiles.h"
#include "editor/model/MessageEditor.h"
#include "editor/window/Form1.h"
#include "tests/editor/FakeFileDialogs.h"
#include "tests/editor/FindControl.h"
#include "tests/editor/TestFiles.h"
#include "tests/sign/FilledGlyphs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace corvane::test {

// An action's text as a menu shows it: without its mnemonic mark and the
// keys a tab puts after it ("Undo Typing" for "&Undo Typing\tCtrl+Z").
inline QString ShownText(const QAction& action)
{
    return action.text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
}

// The main window driven as a user drives it, for the window tests: one
// window at a time, its dialogs answered by m_dialogs, its settings in a
// scratch file of its own. A test class derives from it beside QObject.
class WindowDriver
{
protected:
    // A new window with empty settings, its dialogs the fake ones; not
    // loaded, not shown.
    void newWindow()
    {
        m_settingsFolder = std::make_unique<QTemporaryDir>();
        reopenWindow();
    }
    // The window of the next run: a new one with the settings the last one left.
    void reopenWindow()
    {
        m_form.reset();
        m_form = std::make_unique<Form1>(std::make_unique<QSettings>(
            m_settingsFolder->filePath(QStringLiteral("settings.ini")), QSettings::IniFormat));
        m_form->programFiles().setDialogs(&m_dialogs);
        m_form->firmwareFiles().setDialogs(&m_dialogs);
    }
    // The load step, then shown and active: the editing state.
    void showLoaded()
    {
        m_form->Form_Load({});
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }

    template <typename T = QWidget> T* find(const char* name) const
    {
        return FindControl<T>(*m_form, name);
    }
    QLineEdit* box() const { return find<QLineEdit>("TxtMessage"); }
    // What the control table's places are relative to.
    QWidget* clientArea() const { return &m_form->clientArea(); }
    // The menu bar's menu of that shown title, and its item of that shown text.
    QMenu* menu(const QString& title) const
    {
        for (QAction* action : m_form->menuBar()->actions()) {
            if (action->menu() != nullptr && ShownText(*action) == title) {
                return action->menu();
            }
        }
        return nullptr;
    }
    QAction* menuItem(const QString& title, const QString& item) const
    {
        if (const QMenu* shown = menu(title)) {
            for (QAction* action : shown->actions()) {
                if (ShownText(*action) == item) {
                    return action;
                }
            }
        }
        return nullptr;
    }
    QListWidget* messages() const { return find<QListWidget>("LstMessage"); }
    const MessageEditor& editor() const { return m_form->editor(); }

    void click(const char* name) { QTest::mouseClick(find(name), Qt::LeftButton); }
    void clickRow(QListWidget* list, int row)
    {
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
        QCoreApplication::processEvents();
    }
    // Keystrokes into the message box, which must have the focus.
    void type(const QString& text)
    {
        QCOMPARE(QApplication::focusWidget(), box());
        QTest::keyClicks(box(), text);
    }
    // Replaces the current entry and adds `count` − 1 after it, each of
    // `length` characters pasted into the box; 256 of 256 make the largest list.
    void fillMessages(int count, int length = Message::kMaxTextLength)
    {
        QGuiApplication::clipboard()->setText(QString(length, QLatin1Char('x')));
        for (int entry = 0; entry < count; ++entry) {
            QTest::mouseClick(box(), Qt::LeftButton);
            QTest::keyClick(box(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(box(), Qt::Key_V, Qt::ControlModifier);
            if (entry + 1 < count) {
                QTest::keyClick(box(), Qt::Key_Return);
            }
        }
    }

    static QStringList Rows(const QListWidget* list)
    {
        QStringList texts;
        for (int row = 0; row < list->count(); ++row) {
            texts << list->item(row)->text();
        }
        return texts;
    }
    QStringList shownMessages() const { return Rows(messages()); }

    // What Save writes for the list as the editor holds it.
    QByteArray expectedProgram() const
    {
        const GlyphTable& glyphs = test::FilledGlyphs();
        const auto entries = editor().entries();
        const auto width = *editor().CmbWidth().selectedIndex();
        const Board board{editor().CmbWidth().itemText(width), editor().LatchCount(), 7};
        return QByteArray::fromStdString(RenderProgram(entries, board, glyphs));
    }

    FakeFileDialogs m_dialogs;
    std::unique_ptr<QTemporaryDir> m_settingsFolder;
    std::unique_ptr<Form1> m_form;
};

} // namespace corvane::test
