// The language switch: captions of both windows, the working column read by messages, the
// stored language and what survives a switch.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>
#include <QToolButton>
#include <QtTest>

#include "app/settings_page.h"
#include "editor/editor_window.h"
#include "i18n/languages.h"
#include "i18n/rows.h"
#include "window_rig.h"

using namespace omvi;
using namespace omvi::test;

namespace {

constexpr int kRowLambdaGroup = 28;
constexpr int kRowSwitchGroup = 29;
constexpr int kRowPanelPetrol = 35;
constexpr int kRowMapPage = 66;
constexpr int kRowFileMenu = 103;

QString tabText(QWidget* root, const char* pageName) {
    for (QTabWidget* tabs : root->findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->widget(i)->objectName() == QLatin1String(pageName)) {
                return tabs->tabText(i);
            }
        }
    }
    return {};
}

QStringList checkedLanguages(app::MainWindow& w) {
    QStringList checked;
    for (QAction* item : w.languageMenu()->actions()) {
        if (item->isChecked()) {
            checked.append(item->objectName());
        }
    }
    return checked;
}

}  // namespace

class LanguageSwitchTest : public QObject {
    Q_OBJECT
  private slots:
    void everyLanguageReachesBothWindowsAndTheMessages();
    void flagButtonsClickTheirMenuItem();
    void italianIsStoredAsItalyAndRestored();
    void anUnknownStoredNameAppliesNothing();
    void selectionsSurviveASwitch();
    void statusBarDateSurvivesASwitch();
    void linkMessageFollowsTheLanguage();
};

void LanguageSwitchTest::everyLanguageReachesBothWindowsAndTheMessages() {
    WindowRig rig;
    app::MainWindow& w = *rig.window;
    const i18n::LanguageTable& table = w.languageTable();
    for (const i18n::Language& language : i18n::kLanguages) {
        w.findChild<QAction*>(QLatin1String(language.name))->trigger();
        const int c = language.column;
        QCOMPARE(checkedLanguages(w), QStringList{QLatin1String(language.name)});
        QCOMPARE(w.findChild<QWidget*>("GroupBox4")->property("title").toString(),
                 table.text(kRowLambdaGroup, c));
        QCOMPARE(tabText(&w, "TabSheet1"), table.text(kRowPanelPetrol, c));
        QCOMPARE(w.findChild<QMenu*>("Pliki1")->title(), table.text(kRowFileMenu, c));
        editor::EditorWindow* editor = w.editorWindow();
        QCOMPARE(editor->findChild<QGroupBox*>("Zaplon_panel")->title(),
                 table.text(kRowSwitchGroup, c));
        QCOMPARE(tabText(editor, "Mapa_TabSheet"), table.text(kRowMapPage, c));
        // Messages read the working column.
        QCOMPARE(w.languageText(i18n::kRowNoController), table.text(i18n::kRowNoController, c));
        QCOMPARE(w.languageText(i18n::kRowVoltageError), table.text(i18n::kRowVoltageError, c));
        QVERIFY(!table.text(kRowLambdaGroup, c).isEmpty());
        const QString help = w.findChild<QPlainTextEdit*>("Help_Memo")->toPlainText();
        QVERIFY(help.contains(QStringLiteral("MENU CD")));
        QCOMPARE(help, table.text(i18n::kRowHelpText, c)
                           .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
}

void LanguageSwitchTest::flagButtonsClickTheirMenuItem() {
    WindowRig rig;
    app::MainWindow& w = *rig.window;
    w.findChild<QToolButton*>("GGreek")->click();
    QCOMPARE(w.currentLanguage(), QStringLiteral("Greek"));
    QCOMPARE(checkedLanguages(w), QStringList{"Greek"});
    QCOMPARE(tabText(&w, "TabSheet1"),
             w.languageTable().text(kRowPanelPetrol, i18n::columnOfLanguage("Greek")));
}

void LanguageSwitchTest::italianIsStoredAsItalyAndRestored() {
    QTemporaryDir dir;
    const QString path = dir.filePath("omvi.ini");
    {
        WindowRig rig(QStringLiteral("5.10.11"), {"omvi-sim"}, path);
        rig.window->findChild<QAction*>("Italy")->trigger();
        QSettings ini(path, QSettings::IniFormat);
        QCOMPARE(ini.value("Software/OMVI/Lang/CurLang").toString(), QStringLiteral("Italy"));
    }
    WindowRig again(QStringLiteral("5.10.11"), {"omvi-sim"}, path);
    QCOMPARE(again.window->currentLanguage(), QStringLiteral("Italy"));
    QCOMPARE(checkedLanguages(*again.window), QStringList{"Italy"});
    const int italian = i18n::columnOfLanguage("Italy");
    QCOMPARE(tabText(again.window.get(), "TabSheet1"),
             again.window->languageTable().text(kRowPanelPetrol, italian));
    QCOMPARE(again.window->languageText(i18n::kRowNoController),
             again.window->languageTable().text(i18n::kRowNoController, italian));
}

void LanguageSwitchTest::anUnknownStoredNameAppliesNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath("omvi.ini");
    {
        app::SettingsStore store(path);
        store.saveLanguage(QStringLiteral("Klingon"));
    }
    WindowRig rig(QStringLiteral("5.10.11"), {"omvi-sim"}, path);
    // The design-time captions stay and the working column keeps its initial texts.
    QCOMPARE(tabText(rig.window.get(), "TabSheet1"), QStringLiteral("Panel Petrol"));
    QCOMPARE(rig.window->languageText(i18n::kRowNoController),
             rig.window->languageTable().text(i18n::kRowNoController, 0));
    QVERIFY(checkedLanguages(*rig.window) == QStringList{"PolskiPL"});
}

void LanguageSwitchTest::selectionsSurviveASwitch() {
    WindowRig rig;
    QVERIFY(rig.connect());
    app::SettingsPage& s = *rig.window->settingsPage();
    const int cylinders = s.Sel_cyl->currentIndex();
    const int pulse = s.Sel_Impuls->currentIndex();
    QVERIFY(cylinders >= 0);
    QVERIFY(pulse >= 0);
    const qsizetype sent = rig.simulator.receivedCommands().size();
    for (const char* name : {"AngielskiGB", "Russian", "Thai"}) {
        rig.window->findChild<QAction*>(name)->trigger();
        QCOMPARE(s.Sel_cyl->currentIndex(), cylinders);
        QCOMPARE(s.Sel_Impuls->currentIndex(), pulse);
        const int c = i18n::columnOfLanguage(QLatin1String(name));
        QCOMPARE(s.Sel_cyl->currentText(),
                 rig.window->languageTable().text(i18n::kRowCylinders3 + cylinders, c));
    }
    QVERIFY(rig.settle());
    QCOMPARE(rig.simulator.receivedCommands().size(), sent);  // renaming items sends nothing
}

void LanguageSwitchTest::statusBarDateSurvivesASwitch() {
    WindowRig rig;
    QVERIFY(rig.connect());
    const QString before = rig.window->statusPanel1Text();
    const QString date = before.mid(before.indexOf(QLatin1Char(':')) + 2);
    QVERIFY2(date.size() > 5, qPrintable(before));
    rig.window->findChild<QAction*>("NiemieckiDE")->trigger();
    const QString after = rig.window->statusPanel1Text();
    const QString label = rig.window->languageTable().text(i18n::kRowLastConnection,
                                                           i18n::columnOfLanguage("NiemieckiDE"));
    QVERIFY2(after.startsWith(label.trimmed()) || after.startsWith(label), qPrintable(after));
    QVERIFY2(after.endsWith(date), qPrintable(after));
}

void LanguageSwitchTest::linkMessageFollowsTheLanguage() {
    WindowRig rig;
    rig.window->findChild<QAction*>("AngielskiGB")->trigger();
    QVERIFY(rig.connect());
    rig.simulator.setFaults(sim::FaultOptions{0, 0, 0, 0, 0});
    QVERIFY(rig.run([&] { return !rig.messages.isEmpty(); }, 30000));
    QCOMPARE(rig.messages, QStringList{"-No LPG Controller-"});
}

QTEST_MAIN(LanguageSwitchTest)
#include "language_switch_test.moc"
