// The program as a fitter runs it: the real serial port and timers, the simulated controller
// process offered in the "Porty" menu, a click on it, and the dashboard coming alive.
#include <QAction>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "app/dashboard_panel.h"
#include "app/main_window.h"
#include "link/port_list.h"
#include "sim_process.h"

using namespace omvi;

class MainWindowPtyTest : public QObject {
    Q_OBJECT
  private slots:
    void choosingThePublishedSimulatorConnectsAndShowsLiveValues();
};

void MainWindowPtyTest::choosingThePublishedSimulatorConnectsAndShowsLiveValues() {
    test::SimulatorProcess simulator;
    QVERIFY(!simulator.startPublished().isEmpty());
    const QStringList ports = link::presentPortNames();
    QVERIFY2(ports.contains(QStringLiteral("omvi-sim")), qPrintable(ports.join(',')));

    QTemporaryDir dir;
    app::SettingsStore store(dir.filePath("omvi.ini"));
    app::MainWindow window(store, ports);
    QStringList messages;
    window.messageHook = [&messages](const QString& text) { messages.append(text); };
    window.show();
    for (QAction* item : window.portActions()) {
        if (item->objectName() == QLatin1String("omvi-sim")) {
            item->trigger();
        }
    }
    app::DashboardPanel& d = *window.dashboard();
    QTRY_VERIFY_WITH_TIMEOUT(d.RPM_Edit->value() > 500 && window.isEnabled(), 15000);
    QCOMPARE(window.statusPanel0()->text(), QStringLiteral("OMVI ver. 5.10.11"));
    QVERIFY(d.BATERY_vpp->value() > 12);
    QVERIFY(d.petrolBars[0]->value() > 1);
    QVERIFY(d.Polacz_switch->isChecked());
    QVERIFY(messages.isEmpty());

    d.Polacz_switch->setChecked(false);
    QCOMPARE(d.RPM_Edit->value(), 0.0);
    QVERIFY(!window.link().isPortOpen());
    QSettings ini(dir.filePath("omvi.ini"), QSettings::IniFormat);
    QCOMPARE(ini.value("Software/OMVI/ComPort1/Port").toString(), QStringLiteral("omvi-sim"));
    QVERIFY(simulator.stop());
}

QTEST_MAIN(MainWindowPtyTest)
#include "main_window_pty_test.moc"
