// Frames of a 256-character message on width "40", the longest pass there is.
// Computing a frame alone is BM_SimulatorFrame in generator_bench.cpp.
#include "editor/model/preview/PreviewInput.h"
#include "editor/model/preview/PreviewPlayer.h"
#include "editor/preview/BoardView.h"
#include "editor/preview/PreviewWindow.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

namespace corvane {
namespace {

PreviewInput LongestMessage()
{
    std::string text(256, ' ');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char>(33 + (7 * i) % 94);
    }
    return PreviewInput{.entry = Message{std::move(text), ScrollDirection(0), 9},
                        .board = Board::ofWidth("40")};
}

// The player's step: the next frame of the simulator.
void BM_PlayerAdvance(benchmark::State& state)
{
    PreviewPlayer player;
    player.setInput(LongestMessage());
    player.play();
    for (auto _ : state) {
        benchmark::DoNotOptimize(player.advance());
    }
}
BENCHMARK(BM_PlayerAdvance)->Unit(benchmark::kMicrosecond);

// Painting one new frame of the board into an offscreen image.
void BM_PaintFrame(benchmark::State& state)
{
    PreviewPlayer player;
    player.setInput(LongestMessage());
    player.play();
    BoardView board;
    board.setFrame(player.frame());
    board.resize(board.sizeHint());
    QImage image(board.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        player.advance();
        board.setFrame(player.frame());
        board.render(&image);
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_PaintFrame)->Unit(benchmark::kMicrosecond);

// One step of the shown window as its timer runs it: advance, then the repaint.
void BM_WindowStep(benchmark::State& state)
{
    PreviewWindow window;
    window.setInput(LongestMessage());
    window.showPlaying(true);
    QApplication::processEvents();
    auto* board = window.findChild<BoardView*>();
    for (auto _ : state) {
        window.advance();
        board->repaint();
    }
    window.showPlaying(false);
}
BENCHMARK(BM_WindowStep)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace corvane
