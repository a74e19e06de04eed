#include "editor/model/MessageEditor.h"
#include "editor/model/history/EditHistory.h"
#include "editor/model/history/EditorSnapshot.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <string>
#include <vector>

namespace {

using corvane::Message;
using corvane::MessageEditor;
using corvane::ProgramDocument;

// 256 entries of 256 characters, each text its own, the first entry current.
void FillList(MessageEditor& editor)
{
    editor.Form_Load();
    editor.userFocusBox();
    for (std::size_t i = 0; i < ProgramDocument::kMaxEntries; ++i) {
        if (i > 0) {
            editor.userPressEnter();
        }
        std::string text(Message::kMaxTextLength, static_cast<char>('A' + i % 26));
        text.replace(0, 3, std::to_string(100 + i));
        editor.userEditText(text, text.size());
    }
    editor.userClickMessage(0);
    editor.userFocusBox();
}

std::size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

// One keystroke on the first of 256 entries of 256 characters: the live edit
// replaces the entry, which moves every entry after it twice, and the history
// adds the keystroke to the run of typing it continues. Keystrokes alternate
// between erasing the last character and typing it again.
void KeystrokeOnFullList(benchmark::State& state)
{
    MessageEditor editor;
    FillList(editor);
    const std::string full = editor.TxtMessage().text();
    const std::string shorter = full.substr(1);
    bool erase = true;
    for (auto _ : state) {
        const std::string& text = erase ? shorter : full;
        benchmark::DoNotOptimize(editor.userEditText(text, text.size()));
        erase = !erase;
    }
    if (editor.LstMessage().count() != ProgramDocument::kMaxEntries) {
        state.SkipWithError("the list is not full");
    }
}

// The same keystroke as the first of a new step: the history takes the list
// as it is after it, sharing the texts of the other 255 entries.
void KeystrokeStartingAStepOnFullList(benchmark::State& state)
{
    MessageEditor editor;
    FillList(editor);
    const std::string full = editor.TxtMessage().text();
    const std::string shorter = full.substr(1);
    bool erase = true;
    for (auto _ : state) {
        state.PauseTiming();
        // Another action ends the run of keystrokes.
        editor.userClickPlayOne();
        editor.userFocusBox();
        state.ResumeTiming();
        const std::string& text = erase ? shorter : full;
        benchmark::DoNotOptimize(editor.userEditText(text, text.size()));
        erase = !erase;
    }
    if (editor.history().undoName() != "Typing") {
        state.SkipWithError("no typing step");
    }
}

void UndoClearOnFullList(benchmark::State& state)
{
    MessageEditor editor;
    FillList(editor);
    for (auto _ : state) {
        state.PauseTiming();
        editor.userClickClear();
        state.ResumeTiming();
        editor.userUndo();
    }
    if (editor.LstMessage().count() != ProgramDocument::kMaxEntries) {
        state.SkipWithError("the list did not come back");
    }
}

// The heap a full history of the largest list holds, in MiB. typing: the
// whole editor, its full list and 200 steps that each replace the whole text
// of another entry. opening: the history alone, of 200 steps that each
// replace every text of the full list, as opening one program after another
// would.
void FullHistoryMemory(benchmark::State& state)
{
    constexpr double kMiB = 1024.0 * 1024.0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        {
            MessageEditor editor;
            FillList(editor);
            for (std::size_t step = 0; step < corvane::EditHistory::kCapacity; ++step) {
                editor.userClickMessage(step % ProgramDocument::kMaxEntries);
                editor.userFocusBox();
                const std::string text(Message::kMaxTextLength, static_cast<char>('a' + step % 26));
                editor.userEditText(text, text.size());
            }
            if (editor.history().undoCount() != corvane::EditHistory::kCapacity) {
                state.SkipWithError("the history is not full");
            }
            state.counters["typing_MiB"] = static_cast<double>(HeapInUse() - before) / kMiB;
        }

        std::vector<corvane::ListItem> items(ProgramDocument::kMaxEntries);
        const std::size_t start = HeapInUse();
        {
            corvane::EditHistory history;
            for (std::size_t step = 0; step <= corvane::EditHistory::kCapacity; ++step) {
                for (std::size_t i = 0; i < items.size(); ++i) {
                    items[i].text.assign(Message::kMaxTextLength,
                                         static_cast<char>('a' + (step + i) % 26));
                    items[i].text.replace(0, 4, std::to_string(1000 + step));
                }
                history.record("Open",
                               corvane::EditorSnapshot::Take({items, 0, 5, 15}, history.current()));
            }
            state.counters["opening_MiB"] = static_cast<double>(HeapInUse() - start) / kMiB;
        }
    }
}

} // namespace

BENCHMARK(KeystrokeOnFullList);
BENCHMARK(KeystrokeStartingAStepOnFullList);
BENCHMARK(UndoClearOnFullList)->Unit(benchmark::kMicrosecond);
BENCHMARK(FullHistoryMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
