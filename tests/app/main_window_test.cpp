// The main window: start-up, the port menu, connecting to the simulated controller, the
// dashboard, the current errors, time-outs and the disconnect.
#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>
#include <QtTest>

#include "app/dashboard_panel.h"
#include "app/settings_page.h"
#include "editor/editor_window.h"
#include "i18n/rows.h"
#include "link/frame_coding.h"
#include "model/live_data.h"
#include "ui/toggle_switch.h"
#include "window_rig.h"

using namespace omvi;
using namespace omvi::test;

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void startsIdleWithTheDocumentedWindow();
    void startsWithNoPortsPresent();
    void storedPortThatIsAbsentChecksNothing();
    void storedPortThatIsPresentIsChecked();
    void fitsItsDefaultSizeWhateverTheVariantShows();
    void connectsAndShowsTheControllersValues();
    void timeOutGivesTheHyphenFramedMessage();
    void disconnectZeroesTheDashboardAndStoresPortAndLanguage();
    void currentErrorsListAndBlinkingStrip();
    void errorStripClickShowsTheErrorPage();
    void lambdaScaleWidensAndStays();
    void ignitionOffLooksOffAndZeroesLambda();
    void gasCorrectionLabelsFollowTheCorrections();
};

namespace {

// A plain live frame for the window's identity byte, with the given bytes set.
QByteArray frameWith(const app::MainWindow& w, std::initializer_list<std::pair<int, int>> set) {
    QByteArray data(69, '\0');
    data[50 - 4] = static_cast<char>(0xFF);
    data[51 - 4] = static_cast<char>(0xFF);
    data[52 - 4] = static_cast<char>(0xFF);
    data[0] = static_cast<char>(const_cast<app::MainWindow&>(w).link().liveCheckByte());
    for (const auto& [offset, value] : set) {
        data[offset - 4] = static_cast<char>(value);
    }
    return link::makeAnswer(0x99, data);
}

}  // namespace

void MainWindowTest::startsIdleWithTheDocumentedWindow() {
    WindowRig rig;
    app::MainWindow& w = *rig.window;
    QCOMPARE(w.objectName(), QStringLiteral("OMVI"));
    QCOMPARE(w.windowTitle(), QStringLiteral(" ver. 5.01a"));
    QCOMPARE(w.size(), QSize(1020, 750));
    QVERIFY(w.findChild<QWidget*>("Panel1Gora") != nullptr);
    QVERIFY(w.findChild<QWidget*>("Zaplon_panel") != nullptr);
    for (const char* item : {"Odczyt1", "Zapis1", "Reset1"}) {
        auto* action = w.findChild<QAction*>(item);
        QVERIFY(action != nullptr);
        QVERIFY(!action->isVisible());
        QVERIFY(!action->isEnabled());
    }
    QStringList pages;
    for (int i = 0; i < w.tabs()->count(); ++i) {
        pages.append(w.tabs()->widget(i)->objectName());
    }
    QCOMPARE(pages, (QStringList{"TabSheet1", "TabSheet3", "TabSheet5", "TabSheet10", "TabSheet11",
                                 "TabSheet2", "TabSheet12"}));
    QVERIFY(!w.tabs()->isTabVisible(app::MainWindow::kTabService));
    QVERIFY(!w.tabs()->isTabVisible(app::MainWindow::kTabHelp));
    QVERIFY(!w.tabs()->isTabEnabled(app::MainWindow::kTabObd));
    QCOMPARE(w.statusPanel0()->text(), QStringLiteral("OMVI ver."));
    QVERIFY(w.link().linkState().isEmpty());
    QVERIFY(!w.link().isPortOpen());
    QVERIFY(!w.dashboard()->Error_Led->isVisible());
    QCOMPARE(w.dashboard()->RPM_zegar->sectorOffset(), 300);  // engine-off look
    // Port items, then the three fixed items.
    QStringList items;
    for (QAction* a : w.findChild<QMenu*>("PortCOM")->actions()) {
        items.append(a->objectName());
    }
    QCOMPARE(items, (QStringList{"omvi-sim", "COMAUTO1", "polacz", "rozlacz"}));
    QCOMPARE(w.findChild<QAction*>("PolskiPL")->isChecked(), true);
}

void MainWindowTest::startsWithNoPortsPresent() {
    WindowRig rig(QStringLiteral("5.10.11"), {});
    QVERIFY(rig.window->portActions().isEmpty());
    // With no port item the first item of the menu, the auto-detection item, names the port.
    QCOMPARE(rig.window->link().portName(), QStringLiteral("COMAUTO1"));
}

void MainWindowTest::storedPortThatIsAbsentChecksNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath("omvi.ini");
    {
        app::SettingsStore store(path);
        app::PortSettings stored;
        stored.port = QStringLiteral("ttyUSB7");
        store.savePortSettings(stored);
    }
    WindowRig rig(QStringLiteral("5.10.11"), {"ttyS0", "ttyS1"}, path);
    QCOMPARE(rig.window->link().portName(), QStringLiteral("ttyUSB7"));
    for (QAction* item : rig.window->portActions()) {
        QVERIFY(!item->isChecked());
    }
}

void MainWindowTest::storedPortThatIsPresentIsChecked() {
    QTemporaryDir dir;
    const QString path = dir.filePath("omvi.ini");
    {
        app::SettingsStore store(path);
        app::PortSettings stored;
        stored.port = QStringLiteral("ttyS1");
        store.savePortSettings(stored);
    }
    WindowRig rig(QStringLiteral("5.10.11"), {"ttyS0", "ttyS1"}, path);
    QStringList checked;
    for (QAction* item : rig.window->portActions()) {
        if (item->isChecked()) {
            checked.append(item->objectName());
        }
    }
    QCOMPARE(checked, QStringList{"ttyS1"});
}

void MainWindowTest::fitsItsDefaultSizeWhateverTheVariantShows() {
    WindowRig rig;
    rig.window->show();
    for (const char* variant : {"ver_1", "ver_2", "ver_3"}) {
        rig.window->applyFirmwareVariant(QLatin1String(variant));
        QCoreApplication::processEvents();
        const QSize minimum = rig.window->minimumSizeHint();
        QVERIFY2(minimum.width() <= 1020 && minimum.height() <= 750,
                 qPrintable(QStringLiteral("%1: %2 x %3")
                                .arg(QLatin1String(variant))
                                .arg(minimum.width())
                                .arg(minimum.height())));
    }
}

void MainWindowTest::connectsAndShowsTheControllersValues() {
    WindowRig rig;
    QVERIFY(rig.connect());
    app::MainWindow& w = *rig.window;
    app::DashboardPanel& d = *w.dashboard();
    QCOMPARE(w.statusPanel0()->text(), QStringLiteral("OMVI ver. 5.10.11"));
    QVERIFY(d.Polacz_switch->isChecked());
    QCOMPARE(d.Polacz_switch->onText(), QStringLiteral("omvi-sim - ON"));
    QVERIFY(w.findChild<QAction*>("Reset1")->isVisible());
    QVERIFY(w.tabs()->isTabVisible(app::MainWindow::kTabService));  // ver_3

    const model::LiveData shown = model::decodeLiveFrame(rig.window->liveFrames.last());
    QCOMPARE(d.RPM_Edit->value(), static_cast<double>(static_cast<float>(shown.rpm)));
    QVERIFY(shown.rpm > 500 && shown.rpm < 1200);
    QCOMPARE(d.RPM_zegar->value(), static_cast<double>(static_cast<float>(shown.rpmThousands)));
    QCOMPARE(d.TempWoda->value(), static_cast<double>(shown.reducerTempC));
    QCOMPARE(d.TempGaz->value(), static_cast<double>(shown.gasTempC));
    QCOMPARE(d.P_MAP_edit->value(), static_cast<double>(static_cast<float>(shown.manifoldKpa)));
    QCOMPARE(d.P1_MAP_edit->value(), static_cast<double>(static_cast<float>(shown.gasPressureBar)));
    QCOMPARE(d.BATERY_vpp->value(), static_cast<double>(static_cast<float>(shown.batteryVolts)));
    for (std::size_t k = 0; k < 6; ++k) {
        QCOMPARE(d.petrolBars[k]->value(),
                 static_cast<double>(static_cast<float>(shown.petrolMs[k])));
        QCOMPARE(d.cylinderLeds[k]->isChecked(), shown.cylinderActive(static_cast<int>(k) + 1));
    }
    QVERIFY(shown.petrolMs[0] > 1.0);
    QCOMPARE(d.RPM_zegar->sectorOffset(), 0);  // ignition on
    QVERIFY(d.Zaplon_panel->isEnabled());
    QVERIFY(rig.messages.isEmpty());
}

void MainWindowTest::timeOutGivesTheHyphenFramedMessage() {
    WindowRig rig;
    QVERIFY(rig.connect());
    rig.simulator.setFaults(sim::FaultOptions{0, 0, 0, 0, 0});  // silent from now on
    QVERIFY(rig.run([&] { return !rig.messages.isEmpty(); }, 30000));
    const QString expected =
        QLatin1Char('-') + rig.window->languageText(i18n::kRowNoController) + QLatin1Char('-');
    QCOMPARE(rig.messages, QStringList{expected});
    QVERIFY(expected.size() > 2);
    QVERIFY(!rig.window->dashboard()->Polacz_switch->isChecked());
    QVERIFY(rig.window->isEnabled());
}

void MainWindowTest::disconnectZeroesTheDashboardAndStoresPortAndLanguage() {
    WindowRig rig;
    QVERIFY(rig.connect());
    app::DashboardPanel& d = *rig.window->dashboard();
    QVERIFY(d.RPM_Edit->value() > 0);
    rig.window->findChild<QAction*>("AngielskiGB")->trigger();
    d.Polacz_switch->setChecked(false);  // the user switches the toggle off
    QVERIFY(!rig.window->link().isPortOpen());
    QCOMPARE(d.RPM_Edit->value(), 0.0);
    QCOMPARE(d.RPM_zegar->value(), 0.0);
    QCOMPARE(d.TempWoda->value(), 0.0);
    QCOMPARE(d.TempGaz->value(), 0.0);
    QCOMPARE(d.P_MAP_edit->value(), 0.0);
    QCOMPARE(d.P1_MAP_edit->value(), 0.0);
    for (std::size_t k = 0; k < 6; ++k) {
        QCOMPARE(d.petrolBars[k]->value(), 0.0);
        QCOMPARE(d.gasBars[k]->value(), 0.0);
        QVERIFY(!d.cylinderLeds[k]->isChecked());
    }
    QCOMPARE(d.lambda_1->value(), 0.0);
    QVERIFY(d.Error_Led->isHidden());
    QVERIFY(!rig.window->findChild<QAction*>("Reset1")->isVisible());
    QCOMPARE(rig.window->statusPanel0()->text(), QStringLiteral("OMVI ver. 5.10.11"));

    QSettings ini(rig.path, QSettings::IniFormat);
    QCOMPARE(ini.value("Software/OMVI/ComPort1/Port").toString(), QStringLiteral("omvi-sim"));
    QCOMPARE(ini.value("Software/OMVI/ComPort1/CustomBaudRate").toInt(), 7200);
    QCOMPARE(ini.value("Software/OMVI/Lang/CurLang").toString(), QStringLiteral("AngielskiGB"));
}

void MainWindowTest::currentErrorsListAndBlinkingStrip() {
    WindowRig rig;
    app::MainWindow& w = *rig.window;
    w.findChild<QAction*>("AngielskiGB")->trigger();
    w.show();
    auto* memo = w.findChild<QPlainTextEdit*>("Actual_errors_Memo");
    w.showLiveData(frameWith(w, {{50, 0xF9}, {52, 0xFA}}));
    QCOMPARE(memo->toPlainText(),
             QStringLiteral("1 - Too long gas injection time\n2 - Voltage error\n"
                            "3 - Injector Error : 1 3\n"));
    QVERIFY(w.dashboard()->Error_Led->isVisible());
    const QColor first = w.dashboard()->Error_Led->color();
    w.showLiveData(frameWith(w, {{50, 0xF9}}));
    QVERIFY(w.dashboard()->Error_Led->color() != first);
    w.showLiveData(frameWith(w, {}));
    QVERIFY(memo->toPlainText().isEmpty());
    QVERIFY(!w.dashboard()->Error_Led->isVisible());
}

void MainWindowTest::errorStripClickShowsTheErrorPage() {
    WindowRig rig;
    app::MainWindow& w = *rig.window;
    w.show();
    w.showLiveData(frameWith(w, {{50, 0xFD}}));
    QVERIFY(w.dashboard()->Error_Led->isVisible());
    QTest::mouseClick(w.dashboard()->Error_Led, Qt::LeftButton);
    QCOMPARE(w.tabs()->currentIndex(), app::MainWindow::kTabError);
}

void MainWindowTest::lambdaScaleWidensAndStays() {
    WindowRig rig;
    app::MainWindow& w = *rig.window;
    app::DashboardPanel& d = *w.dashboard();
    w.showLiveData(frameWith(w, {{5, 1}, {57, 61}}));
    QCOMPARE(d.lambda_1->maximum(), 1.0);
    w.showLiveData(frameWith(w, {{5, 1}, {57, 62}}));
    QCOMPARE(d.lambda_1->maximum(), 5.0);
    QCOMPARE(d.lambda_2->maximum(), 1.0);
    w.showLiveData(frameWith(w, {{5, 1}, {57, 10}}));
    QCOMPARE(d.lambda_1->maximum(), 5.0);
}

void MainWindowTest::ignitionOffLooksOffAndZeroesLambda() {
    WindowRig rig;
    app::MainWindow& w = *rig.window;
    app::DashboardPanel& d = *w.dashboard();
    w.showLiveData(frameWith(w, {{5, 1}, {57, 40}, {58, 40}, {42, 25}, {43, 40}}));
    QCOMPARE(d.RPM_Edit->value(), 2540.0);
    QVERIFY(d.Zaplon_panel->isEnabled());
    QCOMPARE(d.RPM_zegar->arrowShape(), 6);
    w.showLiveData(frameWith(w, {{5, 0}, {57, 40}, {58, 40}, {6, 1}}));
    QCOMPARE(d.lambda_1->value(), 0.0);
    QCOMPARE(d.lambda_2->value(), 0.0);
    QVERIFY(!d.Zaplon_panel->isEnabled());
    QCOMPARE(d.RPM_zegar->sectorOffset(), 300);
    QCOMPARE(d.RPM_zegar->arrowShape(), 2);
    QVERIFY(d.paliwo_Switch->isChecked());  // byte 6 bit 0: on gas
    QVERIFY(w.editorWindow()->paliwoSwitch()->isChecked());
}

void MainWindowTest::gasCorrectionLabelsFollowTheCorrections() {
    WindowRig rig;
    app::MainWindow& w = *rig.window;
    app::DashboardPanel& d = *w.dashboard();
    // Petrol 3.0 ms and gas 3.6 ms on cylinder 2.
    const auto frame = frameWith(w, {{12, 30}, {28, 36}});
    d.corrections[1]->blockSignals(true);
    d.corrections[1]->setValue(5);
    d.corrections[1]->blockSignals(false);
    w.showLiveData(frame);
    QVERIFY(d.gasBars[1]->signalName2().isEmpty());  // the bar showed 0 before this frame
    w.showLiveData(frame);
    QCOMPARE(d.gasBars[1]->signalName2(),
             model::gasCorrectionLabel(3.6, 3.0, 0, 5, 3.6, d.gasBars[1]->locale()));
    QVERIFY(!d.gasBars[1]->signalName2().isEmpty());
    QVERIFY(d.gasBars[0]->signalName2().isEmpty());  // no correction on cylinder 1
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
