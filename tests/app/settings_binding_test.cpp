// The configuration on the settings controls and every control's change reaching the
// controller: round trips through the simulated controller, the display sending nothing, and the
// firmware variants switching the controls.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

#include "app/dashboard_panel.h"
#include "app/settings_binder.h"
#include "app/settings_page.h"
#include "editor/editor_window.h"
#include "link/bytes.h"
#include "window_rig.h"

using namespace omvi;
using namespace omvi::test;

namespace {

// Off and on again: the controls then show what the controller reports.
bool reconnect(WindowRig& rig) {
    rig.window->dashboard()->Polacz_switch->setChecked(false);
    rig.window->liveFrames.clear();
    rig.window->dashboard()->Polacz_switch->setChecked(true);
    return rig.run([&] { return rig.connected(); }, 15000);
}

void choose(QComboBox* combo, int item) {
    combo->setCurrentIndex(item);
    emit combo->activated(item);
}

}  // namespace

class SettingsBindingTest : public QObject {
    Q_OBJECT
  private slots:
    void theDisplaySendsNothing();
    void spinnersRoundTrip();
    void listsRoundTrip();
    void checkBoxAndRadioPairRoundTrip();
    void correctionsAndBanksRoundTrip();
    void levelSensorTypeSendsTheDefaultSet();
    void cylinderCountChangesTheStripAtOnce();
    void recordedErrorsAreListed();
    void firstVariantHidesWhatItLacks();
    void variantsSwitchBackAndForth();
    void fourCylinderControllerShortensTheLists();
};

void SettingsBindingTest::theDisplaySendsNothing() {
    WindowRig rig;
    QVERIFY(rig.connect());
    QVERIFY(rig.settle());
    const qsizetype before = rig.simulator.receivedCommands().size();
    rig.window->showConfiguration(rig.window->link().configImage());
    rig.clock.advance(2000);
    QCOMPARE(rig.simulator.receivedCommands().size(), before);
    // A factory reset's answer is shown the same way, again without a command of its own.
    rig.window->link().Reset1Click(false);
    QVERIFY(rig.settle());
    const auto& commands = rig.simulator.receivedCommands();
    QCOMPARE(commands.size(), before + 1);
    QCOMPARE(byteAt(commands.last(), 0), 0x26);
}

void SettingsBindingTest::spinnersRoundTrip() {
    WindowRig rig;
    QVERIFY(rig.connect());
    app::DashboardPanel& d = *rig.window->dashboard();
    app::SettingsPage& s = *rig.window->settingsPage();
    d.RPM_Max_To_Petrol->setValue(6000);
    QVERIFY(rig.settle());
    d.T_przel_to_LPG->setValue(45);
    QVERIFY(rig.settle());
    d.Min_Temp_Petrol_changer->setValue(-25);
    QVERIFY(rig.settle());
    s.P_pracy_changer->setValue(1.25);
    QVERIFY(rig.settle());
    s.Mazda_changer->setValue(25);
    QVERIFY(rig.settle());
    const QByteArray image = rig.simulator.configImage();
    QCOMPARE(byteAt(image, 346), 60);
    QCOMPARE(byteAt(image, 1021), 0);
    QCOMPARE(byteAt(image, 364), 90);
    QCOMPARE(byteAt(image, 647), 0xE7);
    QCOMPARE(byteAt(image, 358), 125);
    QCOMPARE(byteAt(image, 1284), 96);

    d.RPM_Max_To_Petrol->blockSignals(true);
    d.RPM_Max_To_Petrol->setValue(100);  // shown value only: nothing sent
    d.RPM_Max_To_Petrol->blockSignals(false);
    QVERIFY(reconnect(rig));
    QCOMPARE(d.RPM_Max_To_Petrol->value(), 6000);
    QCOMPARE(d.T_przel_to_LPG->value(), 45);
    QCOMPARE(d.Min_Temp_Petrol_changer->value(), -25);
    QCOMPARE(s.P_pracy_changer->value(), 1.25);
    QCOMPARE(s.Mazda_changer->value(), 25);
}

void SettingsBindingTest::listsRoundTrip() {
    WindowRig rig;
    QVERIFY(rig.connect());
    app::SettingsPage& s = *rig.window->settingsPage();
    choose(s.Sel_Typ_wtrysku, 8);  // Stefanelli: five commands in one call
    QVERIFY(rig.settle());
    QCOMPARE(byteAt(rig.window->link().configImage(), 367), 0);
    choose(s.T_RED_changer, 5);  // 10 kOhm, code 0
    QVERIFY(rig.settle());
    choose(s.Sel_Typ_silnika, 1);
    QCOMPARE(rig.window->editorWindow()->pressureAxisMaximum(), 256);
    QVERIFY(rig.settle());
    QVERIFY(reconnect(rig));
    QCOMPARE(s.Sel_Typ_wtrysku->currentText(), QStringLiteral("Stefanelli"));
    QCOMPARE(s.T_RED_changer->currentIndex(), 5);
    QCOMPARE(s.Sel_Typ_silnika->currentIndex(), 1);
    const QByteArray image = rig.simulator.configImage();
    QCOMPARE(byteAt(image, 370), 255);  // the queued injector parameters arrived too
    QCOMPARE(byteAt(image, 371), 1);
}

void SettingsBindingTest::checkBoxAndRadioPairRoundTrip() {
    WindowRig rig;
    QVERIFY(rig.connect());
    app::SettingsPage& s = *rig.window->settingsPage();
    rig.window->show();
    const bool plus = s.Check_Injector_plus->isChecked();
    s.Check_Injector_plus->click();
    QVERIFY(rig.settle());
    QVERIFY(s.GroupBox15->isVisible());
    s.CNG_RadioButton->click();
    QVERIFY(rig.settle());
    QVERIFY(reconnect(rig));
    QCOMPARE(s.Check_Injector_plus->isChecked(), !plus);
    QVERIFY(s.CNG_RadioButton->isChecked());
    QVERIFY(!s.LPG_RadioButton->isChecked());
}

void SettingsBindingTest::correctionsAndBanksRoundTrip() {
    WindowRig rig;
    QVERIFY(rig.connect());
    app::DashboardPanel& d = *rig.window->dashboard();
    d.corrections[2]->setValue(5);
    QVERIFY(rig.settle());
    choose(d.banks[1], 1);
    QVERIFY(rig.settle());
    const QByteArray image = rig.simulator.configImage();
    QCOMPARE(byteAt(image, 886), 128 + 5);
    QCOMPARE(byteAt(image, 1347) & 0x3F, 0x3D);
    QVERIFY(reconnect(rig));
    QCOMPARE(d.corrections[2]->value(), 5);
    QCOMPARE(d.banks[1]->currentText(), QStringLiteral("BANK2"));
    QCOMPARE(d.banks[0]->currentText(), QStringLiteral("BANK1"));
}

void SettingsBindingTest::levelSensorTypeSendsTheDefaultSet() {
    WindowRig rig;
    QVERIFY(rig.connect());
    app::DashboardPanel& d = *rig.window->dashboard();
    rig.window->settingsBinder().Ch_U_LPG_X_Enter(-1);
    choose(d.Rodz_czuj_LPG, 3);  // 50-0 kOhm
    QVERIFY(rig.settle());
    const auto& commands = rig.simulator.receivedCommands();
    QList<int> codes;
    for (const QByteArray& c : commands.mid(commands.size() - 3)) {
        codes.append(byteAt(c, 0));
    }
    QCOMPARE(codes, (QList<int>{0x31, 0x0D, 0x31}));
    QCOMPARE(commands.at(commands.size() - 2), bytes({0x0D, 209, 158, 102, 46, 3}));
    QVERIFY(reconnect(rig));
    QCOMPARE(d.Rodz_czuj_LPG->currentIndex(), 3);
    QCOMPARE(d.thresholds[0]->text(), d.locale().toString(4.10, 'f', 2));
    QCOMPARE(d.thresholds[3]->text(), d.locale().toString(0.90, 'f', 2));
}

void SettingsBindingTest::cylinderCountChangesTheStripAtOnce() {
    WindowRig rig;
    QVERIFY(rig.connect());
    app::DashboardPanel& d = *rig.window->dashboard();
    app::SettingsPage& s = *rig.window->settingsPage();
    choose(s.Sel_cyl, 2);  // 5 cylinders
    QCOMPARE(byteAt(rig.window->link().configImage(), 344), 4);
    QCOMPARE(rig.window->settingsBinder().cylinderMask(), 0x1F);
    QVERIFY(d.cylinderLeds[4]->isEnabled());
    QVERIFY(!d.cylinderLeds[5]->isEnabled());
    QVERIFY(!d.cylinderShow[5]->isEnabled());
    QVERIFY(rig.settle());
    QCOMPARE(byteAt(rig.simulator.configImage(), 344), 4);
}

void SettingsBindingTest::recordedErrorsAreListed() {
    WindowRig rig;
    rig.window->findChild<QAction*>("AngielskiGB")->trigger();
    rig.simulator.setImageBytes(303, bytes({0x00, 0x05, 0x03, 0xFF}));
    QVERIFY(rig.connect());
    auto* memo = rig.window->findChild<QPlainTextEdit*>("Register_errors_memo");
    QVERIFY(memo->toPlainText().startsWith(
        QStringLiteral("1 - Injector Error : 2 4 5 6\n2 - LPG pressure too high\n")));
}

void SettingsBindingTest::firstVariantHidesWhatItLacks() {
    WindowRig rig(QStringLiteral("3.7.7"));
    rig.window->show();
    rig.window->tabs()->setCurrentIndex(app::MainWindow::kTabService);
    QVERIFY(rig.connect());
    app::MainWindow& w = *rig.window;
    QVERIFY(!w.settingsPage()->GroupBox15->isVisible());
    QVERIFY(!w.dashboard()->Panel_korekta->isVisible());
    QVERIFY(!w.dashboard()->RPM_Min_To_Petrol->isVisible());
    QVERIFY(!w.tabs()->isTabVisible(app::MainWindow::kTabService));
    QVERIFY(w.tabs()->isTabVisible(app::MainWindow::kTabHelp));
    QCOMPARE(w.tabs()->currentIndex(), app::MainWindow::kTabPanelPetrol);
    QCOMPARE(w.dashboard()->T_przel_to_LPG->maximum(), 60);
    QVERIFY(w.statusPanel1Text().size() > 0);
    QVERIFY(w.findChild<QLabel*>("StatusBar1_panel1")->text().isEmpty());  // owner-drawn
    // Live frames show no corrections with this firmware.
    for (QSpinBox* k : w.dashboard()->corrections) {
        QCOMPARE(k->value(), 0);
    }
}

void SettingsBindingTest::variantsSwitchBackAndForth() {
    WindowRig rig(QStringLiteral("3.7.7"));
    rig.window->show();
    QVERIFY(rig.connect());
    QCOMPARE(rig.window->dashboard()->T_przel_to_LPG->maximum(), 60);

    sim::EcuSimulator second(sim::SimOptions{QStringLiteral("5.9.11"), {}, 3});
    rig.port.connectTo(second);
    QVERIFY(reconnect(rig));
    app::MainWindow& w = *rig.window;
    QCOMPARE(w.link().firmwareVariant(), QStringLiteral("ver_2"));
    QVERIFY(w.settingsPage()->GroupBox15->isVisible());
    QVERIFY(w.dashboard()->Panel_korekta->isVisible());
    QVERIFY(w.dashboard()->Min_Temp_Petrol_changer->isVisible());
    QVERIFY(w.dashboard()->RPM_Min_To_Petrol->isVisible());
    QVERIFY(!w.tabs()->isTabVisible(app::MainWindow::kTabHelp));
    QVERIFY(w.tabs()->isTabVisible(app::MainWindow::kTabService));
    QCOMPARE(w.dashboard()->T_przel_to_LPG->maximum(), 300);
    QVERIFY(!w.findChild<QLabel*>("StatusBar1_panel1")->text().isEmpty());

    rig.port.connectTo(rig.simulator);
    QVERIFY(reconnect(rig));
    QVERIFY(!w.settingsPage()->GroupBox15->isVisible());
    QCOMPARE(w.dashboard()->T_przel_to_LPG->maximum(), 60);
}

void SettingsBindingTest::fourCylinderControllerShortensTheLists() {
    WindowRig rig;
    rig.simulator.setImageBytes(28, bytes({4}));
    QVERIFY(rig.connect());
    app::SettingsPage& s = *rig.window->settingsPage();
    app::DashboardPanel& d = *rig.window->dashboard();
    QCOMPARE(s.Sel_cyl->count(), 2);
    QCOMPARE(s.Sel_Impuls->count(), 4);
    QVERIFY(!d.corrections[4]->isEnabled());
    QVERIFY(!d.banks[5]->isEnabled());
    rig.window->showConfiguration(rig.window->link().configImage());  // a second display
    QCOMPARE(s.Sel_cyl->count(), 2);
    QCOMPARE(s.Sel_Impuls->count(), 4);
}

QTEST_MAIN(SettingsBindingTest)
#include "settings_binding_test.moc"
