#include "editor/model/MessageEditor.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// One keystroke on the first of 256 entries of 256 characters: the live edit
// replaces the entry, which moves every entry after it twice. Keystrokes
// alternate between erasing the last character and typing it again.
void KeystrokeOnFullList(benchmark::State& state)
{
    corvane::MessageEditor editor;
    editor.Form_Load();
    editor.userFocusBox();
    const std::string full(corvane::MessageEditor::kMaxTextLength, 'W');
    const std::string shorter = full.substr(1);
    for (std::size_t i = 0; i < corvane::MessageEditor::kMaxEntries; ++i) {
        if (i > 0) {
            editor.userPressEnter();
        }
        editor.userEditText(full, full.size());
    }
    editor.userClickMessage(0);
    editor.userFocusBox();

    bool erase = true;
    for (auto _ : state) {
        const std::string& text = erase ? shorter : full;
        benchmark::DoNotOptimize(editor.userEditText(text, text.size()));
        erase = !erase;
    }
    if (editor.LstMessage().count() != corvane::MessageEditor::kMaxEntries) {
        state.SkipWithError("the list is not full");
    }
}

} // namespace

BENCHMARK(KeystrokeOnFullList);

BENCHMARK_MAIN();
