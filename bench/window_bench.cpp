#include "bascom/ProgramWriter.h"
#include "editor/window/Form1.h"
#include "tests/sign/FilledGlyphs.h"
#include "tests/sign/LargestList.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <array>
#include <benchmark/benchmark.h>

namespace {

void SendKey(QWidget* widget, Qt::Key key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

// A shown window whose list holds 256 entries of 256 characters, the first
// of them current, typed in through the message box.
struct FullWindow
{
    FullWindow()
    {
        form.Form_Load({});
        form.show();
        QApplication::processEvents();
        box = form.findChild<QLineEdit*>(QStringLiteral("TxtMessage"));
        const QString full(corvane::Message::kMaxTextLength, QLatin1Char('W'));
        for (std::size_t i = 0; i < corvane::ProgramDocument::kMaxEntries; ++i) {
            if (i > 0) {
                SendKey(box, Qt::Key_Return);
            }
            box->selectAll();
            box->insert(full);
        }
        form.findChild<QListWidget*>(QStringLiteral("LstMessage"))->setCurrentRow(0);
        box->setFocus();
        QApplication::processEvents();
    }

    corvane::Form1 form;
    QLineEdit* box = nullptr;
};

// One keystroke on the first entry: the editor replaces it (moving every
// entry after it) and the window shows the new state. Keystrokes alternate
// between erasing the last character and typing it again.
void Keystroke(benchmark::State& state, bool paint)
{
    FullWindow window;
    bool erase = true;
    for (auto _ : state) {
        if (erase) {
            SendKey(window.box, Qt::Key_Backspace);
        } else {
            SendKey(window.box, Qt::Key_W, QStringLiteral("W"));
        }
        if (paint) {
            QApplication::processEvents();
        }
        erase = !erase;
    }
    if (window.form.editor().LstMessage().count() != corvane::ProgramDocument::kMaxEntries ||
        window.box->text().size() < 255) {
        state.SkipWithError("the list is not full");
    }
}

void KeystrokeOnFullList(benchmark::State& state)
{
    Keystroke(state, false);
}

void KeystrokeOnFullListPainted(benchmark::State& state)
{
    Keystroke(state, true);
}

// The largest program (256 messages of 256 characters, width "40"), written
// twice with different characters so that every open changes every row.
struct LargestPrograms
{
    LargestPrograms()
    {
        const corvane::GlyphTable& glyphs = corvane::test::FilledGlyphs();
        for (std::size_t variant = 0; variant < paths.size(); ++variant) {
            const auto entries = corvane::test::LargestList(variant);
            paths[variant] = folder.filePath(QStringLiteral("largest%1.bas").arg(variant));
            QFile file(paths[variant]);
            if (!file.open(QIODevice::WriteOnly)) {
                return;
            }
            file.write(QByteArray::fromStdString(
                corvane::RenderProgram(entries, corvane::Board::ofWidth("40"), glyphs)));
        }
    }

    QTemporaryDir folder;
    std::array<QString, 2> paths;
};

// Opening the largest program in the shown window: reading, the model and the
// view, painted.
void OpenLargestProgram(benchmark::State& state)
{
    const LargestPrograms programs;
    corvane::Form1 form;
    form.Form_Load({});
    form.show();
    QApplication::processEvents();
    int variant = 0;
    for (auto _ : state) {
        if (!form.openProgramFile(programs.paths[variant])) {
            state.SkipWithError("the largest program was not opened");
            break;
        }
        QApplication::processEvents();
        variant = 1 - variant;
    }
}

// Undo of Clear on the full list, model and view together: the model brings
// back the 256 entries and the window shows them again.
void UndoClear(benchmark::State& state, bool paint)
{
    FullWindow window;
    auto* clear = window.form.findChild<QPushButton*>(QStringLiteral("CmdClear"));
    auto* undo = window.form.findChild<QAction*>(QStringLiteral("UndoAction"));
    for (auto _ : state) {
        state.PauseTiming();
        clear->click();
        QApplication::processEvents();
        state.ResumeTiming();
        undo->trigger();
        if (paint) {
            QApplication::processEvents();
        }
    }
    if (window.form.editor().LstMessage().count() != corvane::ProgramDocument::kMaxEntries) {
        state.SkipWithError("the list did not come back");
    }
}

void UndoClearOnFullList(benchmark::State& state)
{
    UndoClear(state, false);
}

void UndoClearOnFullListPainted(benchmark::State& state)
{
    UndoClear(state, true);
}

} // namespace

BENCHMARK(OpenLargestProgram)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(KeystrokeOnFullList)->Unit(benchmark::kMicrosecond);
BENCHMARK(KeystrokeOnFullListPainted)->Unit(benchmark::kMicrosecond);
BENCHMARK(UndoClearOnFullList)->Unit(benchmark::kMillisecond);
BENCHMARK(UndoClearOnFullListPainted)->Unit(benchmark::kMillisecond);
