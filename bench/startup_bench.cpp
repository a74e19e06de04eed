// Start-up to the main window shown, against a bare Qt Widgets window of the
// same size built the same way, side by side in one process (offscreen).
#include "app/Startup.h"
#include "editor/Form1.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <benchmark/benchmark.h>

namespace {

void WaitUntilExposed(QWidget& widget)
{
    while (!widget.windowHandle() || !widget.windowHandle()->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    QCoreApplication::processEvents();
}

void BM_BareWindow(benchmark::State& state)
{
    for (auto _ : state) {
        QWidget window;
        window.setWindowTitle(QStringLiteral("Bare"));
        window.setFixedSize(312, 397);
        window.show();
        WaitUntilExposed(window);
    }
}
BENCHMARK(BM_BareWindow)->Unit(benchmark::kMillisecond);

void BM_CorvaneStartup(benchmark::State& state)
{
    for (auto _ : state) {
        corvane::Startup startup;
        startup.run();
        WaitUntilExposed(*startup.mainWindow());
    }
}
BENCHMARK(BM_CorvaneStartup)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
