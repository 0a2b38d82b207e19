// One live frame onto the whole dashboard, offscreen: the binding alone, and the binding with a
// repaint of the main window, per frame.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "app/main_window.h"
#include "app/settings_store.h"
#include "sim/ecu_simulator.h"

namespace {

struct Dashboard {
    QTemporaryDir dir;
    omvi::app::SettingsStore store{dir.filePath(QStringLiteral("omvi.ini"))};
    omvi::app::MainWindow window{store, {}};
    QList<QByteArray> frames;

    Dashboard() {
        window.messageHook = [](const QString&) {};
        window.show();
        omvi::sim::EcuSimulator simulator;
        for (int i = 0; i < 64; ++i) {
            QByteArray frame = simulator.liveFrame(i * 250);
            frame[4] = static_cast<char>(window.link().liveCheckByte());  // not connected: 0
            frames.append(frame);
        }
        QApplication::processEvents();
    }
};

Dashboard& dashboard() {
    static Dashboard d;
    return d;
}

void BM_ShowLiveData(benchmark::State& state) {
    Dashboard& d = dashboard();
    qsizetype i = 0;
    for (auto _ : state) {
        d.window.showLiveData(d.frames.at(i++ % d.frames.size()));
    }
}
BENCHMARK(BM_ShowLiveData)->Unit(benchmark::kMicrosecond);

void BM_ShowLiveDataAndRepaint(benchmark::State& state) {
    Dashboard& d = dashboard();
    qsizetype i = 0;
    for (auto _ : state) {
        d.window.showLiveData(d.frames.at(i++ % d.frames.size()));
        d.window.repaint();  // painted at once into the window's backing store
    }
}
BENCHMARK(BM_ShowLiveDataAndRepaint)->Unit(benchmark::kMicrosecond);

// The top panel is what a live frame changes; the pages below it stay as they are.
void BM_ShowLiveDataAndRepaintDashboard(benchmark::State& state) {
    Dashboard& d = dashboard();
    QWidget* panel = d.window.findChild<QWidget*>(QStringLiteral("Panel1Gora"));
    qsizetype i = 0;
    for (auto _ : state) {
        d.window.showLiveData(d.frames.at(i++ % d.frames.size()));
        panel->repaint();
    }
}
BENCHMARK(BM_ShowLiveDataAndRepaintDashboard)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QElapsedTimer startup;
    startup.start();
    QApplication app(argc, argv);
    dashboard();
    std::printf("start-up to the first shown window (offscreen, incl. 64 sample frames): %lld ms\n",
                static_cast<long long>(startup.elapsed()));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
