#pragma once
// The main window on stepped time, talking to the in-process simulated controller through a
// loopback port, with its own settings file; message boxes and questions are recorded.

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "app/main_window.h"
#include "app/settings_store.h"
#include "fake_time.h"
#include "loopback_port.h"
#include "sim/ecu_simulator.h"

namespace omvi::test {

class RecordingWindow : public app::MainWindow {
  public:
    using MainWindow::MainWindow;
    void showLiveData(const QByteArray& frame) override {
        liveFrames.append(frame);
        MainWindow::showLiveData(frame);
    }
    QList<QByteArray> liveFrames;
};

struct WindowRig {
    explicit WindowRig(const QString& firmware = QStringLiteral("5.10.11"),
                       const QStringList& ports = {QStringLiteral("omvi-sim")},
                       const QString& settingsPath = QString())
        : simulator(sim::SimOptions{firmware, {}, 7}) {
        path = settingsPath.isEmpty() ? dir.filePath(QStringLiteral("omvi.ini")) : settingsPath;
        store = std::make_unique<app::SettingsStore>(path);
        port.connectTo(simulator);
        window = std::make_unique<RecordingWindow>(
            *store, ports, app::LinkIo{&port, &pollTimer, &answerTimer, &pause});
        window->messageHook = [this](const QString& text) { messages.append(text); };
        window->questionHook = [this](const QString& text) {
            questions.append(text);
            return answerYes;
        };
    }

    // Chooses the port in the "Porty" menu, as a user would, and runs until the dashboard shows
    // live data with the window enabled again.
    bool connect(std::int64_t limitMs = 15000) {
        for (QAction* item : window->portActions()) {
            if (item->objectName() == QLatin1String("omvi-sim")) {
                item->trigger();
            }
        }
        return run([this] { return connected(); }, limitMs);
    }
    bool connected() const {
        return window->link().isConnected() && window->isEnabled() &&
               window->liveFrames.size() >= 2 && window->liveFrames.last().size() > 5;
    }
    bool run(const std::function<bool()>& done, std::int64_t limitMs) {
        return clock.runUntil(done, limitMs, 5);
    }
    // Runs until the simulator has acknowledged everything the window asked for.
    bool settle(std::int64_t limitMs = 10000) {
        return run(
            [this] {
                link::Link& link = window->link();
                for (int i = link::Link::kTxCurrent; i < link::Link::kSlotCount; ++i) {
                    if (!link.slot(i).isEmpty()) {
                        return false;
                    }
                }
                return link.linkState() == QLatin1String("count") && window->isEnabled();
            },
            limitMs);
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<app::SettingsStore> store;
    FakeClock clock;
    FakeTimer pollTimer{clock};
    FakeTimer answerTimer{clock};
    FakePause pause{clock};
    LoopbackPort port{clock};
    sim::EcuSimulator simulator;
    std::unique_ptr<RecordingWindow> window;
    QStringList messages;
    QStringList questions;
    bool answerYes = true;
};

}  // namespace omvi::test
