#include "i18n/language_applier.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QValueAxis>
#include <QtTest>
#include <memory>

#include "i18n/flag_icon.h"
#include "i18n/language_table.h"
#include "i18n/rows.h"

using namespace omvi::i18n;

namespace {

constexpr int kGerman = 1;
constexpr int kEnglish = 2;
constexpr int kThai = 7;

QStringList warnings;

void recordWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg) {
        warnings.append(message);
    }
}

}  // namespace

// Stands in for an instrument component with the properties the captions use.
class FakeInstrument : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString signalName1 MEMBER signalName1)
    Q_PROPERTY(QString signalName2 MEMBER signalName2)
    Q_PROPERTY(QString offText MEMBER offText)
    Q_PROPERTY(QString onText MEMBER onText)
    Q_PROPERTY(QString unit MEMBER unit)
  public:
    FakeInstrument(const QString& name, QWidget* parent) : QWidget(parent) { setObjectName(name); }
    QString signalName1, signalName2, offText, onText, unit;
};

class LanguageApplierTest : public QObject {
    Q_OBJECT

  private:
    template <typename T>
    static T* add(const QString& name, QWidget* parent) {
        auto* widget = new T(parent);
        widget->setObjectName(name);
        return widget;
    }
    template <typename T = QObject>
    T* in(QWidget* root, const char* name) {
        T* object = root->findChild<T*>(QString::fromLatin1(name));
        if (!object) {
            qFatal("no %s", name);
        }
        return object;
    }
    static QComboBox* list(const QString& name, QWidget* parent, int items, int selected) {
        auto* box = add<QComboBox>(name, parent);
        for (int i = 0; i < items; ++i) {
            box->addItem(QStringLiteral("item %1").arg(i));
        }
        box->setCurrentIndex(selected);
        return box;
    }
    static QChartView* chart(const QString& name, QWidget* parent, const QStringList& series) {
        auto* chart = new QChart;
        auto* left = new QValueAxis;
        auto* right = new QValueAxis;
        auto* bottom = new QValueAxis;
        chart->addAxis(left, Qt::AlignLeft);
        chart->addAxis(right, Qt::AlignRight);
        chart->addAxis(bottom, Qt::AlignBottom);
        right->setTitleText(QStringLiteral("right"));
        for (const QString& seriesName : series) {
            auto* line = new QLineSeries;
            line->setObjectName(seriesName);
            chart->addSeries(line);
            line->attachAxis(left);
            line->attachAxis(bottom);
        }
        auto* view = new QChartView(chart, parent);
        view->setObjectName(name);
        return view;
    }
    static QString tabText(QWidget* page) {
        for (QWidget* w = page->parentWidget(); w; w = w->parentWidget()) {
            if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
                return tabs->tabText(tabs->indexOf(page));
            }
        }
        return QStringLiteral("<no tab>");
    }
    static QString axisTitle(QChartView* view, Qt::Alignment side) {
        for (QAbstractAxis* axis : view->chart()->axes()) {
            if (axis->alignment() == side) {
                return axis->titleText();
            }
        }
        return QStringLiteral("<no axis>");
    }

    void buildMainWindow() {
        main_ = std::make_unique<QWidget>();
        QWidget* m = main_.get();
        auto* menuBar = add<QMenuBar>(QStringLiteral("MainMenu1"), m);
        QMenu* file = menuBar->addMenu(QStringLiteral("Plik"));
        file->setObjectName(QStringLiteral("Pliki1"));
        file->addAction(QStringLiteral("Odczyt"))->setObjectName(QStringLiteral("Odczyt1"));
        QMenu* language = menuBar->addMenu(QStringLiteral("Język"));
        language->setObjectName(QStringLiteral("Jazyk"));
        auto* tabs = add<QTabWidget>(QStringLiteral("tab_control"), m);
        tabs->addTab(add<QWidget>(QStringLiteral("TabSheet1"), nullptr), QStringLiteral("a"));
        tabs->addTab(add<QWidget>(QStringLiteral("TabSheet3"), nullptr), QStringLiteral("b"));
        add<QGroupBox>(QStringLiteral("GroupBox4"), m);
        add<QGroupBox>(QStringLiteral("Zaplon_panel"), m);
        add<QLabel>(QStringLiteral("Panel_korekta"), m);  // a caption on a non-group control
        add<QLabel>(QStringLiteral("Label4"), m);
        add<QLabel>(QStringLiteral("T_zwloki_changer_Label"), m);
        add<QLabel>(QStringLiteral("Temp_LPG_changer_label"), m);
        add<QLabel>(QStringLiteral("OMVI_Linl_label"), m);
        add<QPushButton>(QStringLiteral("Kasuj_alarm_BitBtn"), m);
        add<QPlainTextEdit>(QStringLiteral("Help_Memo"), m);
        new FakeInstrument(QStringLiteral("BATERY_vpp"), m);
        new FakeInstrument(QStringLiteral("Polacz_switch"), m);
        new FakeInstrument(QStringLiteral("gaz_na_benzyna"), m);
        new FakeInstrument(QStringLiteral("Dobor_Dysz_BitBtn"), m);
        list(QStringLiteral("Sel_cyl"), m, 4, 2);
        list(QStringLiteral("Sel_Impuls"), m, 6, 5);
        add<QLabel>(QStringLiteral("StatusBar1_panel1"), m)
            ->setText(QStringLiteral(" Ostatnie połączenie z PC : 05.03.2024 10:11:12"));
    }

    void buildChartWindow(QWidget* parent = nullptr) {
        chart_ = parent ? nullptr : std::make_unique<QWidget>();
        QWidget* c = parent ? add<QWidget>(QStringLiteral("Form2"), parent) : chart_.get();
        chartWindow_ = c;
        auto* pages = add<QTabWidget>(QStringLiteral("PageControl1X"), c);
        pages->addTab(add<QWidget>(QStringLiteral("Mapa_TabSheet"), nullptr), QStringLiteral("a"));
        add<QGroupBox>(QStringLiteral("Zaplon_panel"), c);
        add<QLabel>(QStringLiteral("PaintBox1"), c);
        add<QPushButton>(QStringLiteral("RPM_Obciazenie"), c);
        chart(QStringLiteral("Chart1"), c, {QStringLiteral("Series1"), QStringLiteral("Series5")});
        chart(QStringLiteral("Chart3"), c, {});
    }

    std::unique_ptr<QWidget> main_;
    std::unique_ptr<QWidget> chart_;
    QWidget* chartWindow_ = nullptr;
    LanguageTable table_ = LanguageTable::builtIn();

  private slots:
    void initTestCase() { qInstallMessageHandler(recordWarnings); }
    void init() {
        warnings.clear();
        buildMainWindow();
        buildChartWindow();
    }
    void cleanup() {
        chart_.reset();
        main_.reset();
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
    }

    void appliesCaptionsToEveryKindOfControl() {
        QVERIFY(LanguageApplier(table_).apply(kEnglish, main_.get(), chartWindow_));
        QWidget* m = main_.get();
        QCOMPARE(in<QMenu>(m, "Pliki1")->title(), "File");
        QCOMPARE(in<QAction>(m, "Odczyt1")->text(), "Readout");
        QCOMPARE(in<QMenu>(m, "Jazyk")->title(), "Language");
        QCOMPARE(tabText(in<QWidget>(m, "TabSheet1")), "Panel Petrol");
        QCOMPARE(tabText(in<QWidget>(m, "TabSheet3")), "Calibration");
        QCOMPARE(in<QGroupBox>(m, "GroupBox4")->title(), "Lambda Sensor");
        QCOMPARE(in<QGroupBox>(m, "Zaplon_panel")->title(), "Switch");
        QCOMPARE(in<QLabel>(m, "Panel_korekta")->text(), "Corection of gas injector [ms]");
        QCOMPARE(in<QLabel>(m, "Label4")->text(), "Gas [ms]");
        QCOMPARE(in<QLabel>(m, "T_zwloki_changer_Label")->text(), "ms\nPress Time Err");
        QCOMPARE(in<QLabel>(m, "Temp_LPG_changer_label")->text(), "°C\nTemperature");
        QCOMPARE(in<QLabel>(m, "OMVI_Linl_label")->text(), table_.text(kRowMakerWeb, kEnglish));
        QCOMPARE(in<QPushButton>(m, "Kasuj_alarm_BitBtn")->toolTip(), "delete the alarm");
        QCOMPARE(in<FakeInstrument>(m, "BATERY_vpp")->signalName1, "Batery  ");
        QCOMPARE(in<FakeInstrument>(m, "Polacz_switch")->offText, "Disconnect");
        QCOMPARE(in<FakeInstrument>(m, "gaz_na_benzyna")->unit, "% Gas");
        QCOMPARE(in<FakeInstrument>(m, "Dobor_Dysz_BitBtn")->onText, "Nozzle select");
        QCOMPARE(in<FakeInstrument>(m, "Dobor_Dysz_BitBtn")->offText, "Nozzle select");
        const QString help = in<QPlainTextEdit>(m, "Help_Memo")->toPlainText();
        QVERIFY(help.startsWith("MENU CD:\n  1. "));
        QVERIFY(!help.contains('\r'));

        QWidget* c = chartWindow_;
        QCOMPARE(tabText(in<QWidget>(c, "Mapa_TabSheet")), "Map");
        QCOMPARE(in<QGroupBox>(c, "Zaplon_panel")->title(), "Switch");
        QCOMPARE(in<QPushButton>(c, "RPM_Obciazenie")->text(), "PRM / Load [%]");
        auto* chart1 = in<QChartView>(c, "Chart1");
        QCOMPARE(axisTitle(chart1, Qt::AlignLeft), "Gas [ms] / Petrol [ms]");
        QCOMPARE(axisTitle(chart1, Qt::AlignRight), "right");
        QCOMPARE(chart1->chart()->series().at(0)->name(), "Multipler");
        QCOMPARE(chart1->chart()->series().at(1)->name(), "Diagram_Gas");
        auto* chart3 = in<QChartView>(c, "Chart3");
        QCOMPARE(axisTitle(chart3, Qt::AlignLeft), "Correction [%]");
        QCOMPARE(axisTitle(chart3, Qt::AlignBottom), "Temperature [°C]");
        // The hint has no English text; an empty cell empties the caption.
        in<QLabel>(c, "PaintBox1")->setToolTip(QStringLiteral("old"));
        QVERIFY(LanguageApplier(table_).apply(kEnglish, main_.get(), chartWindow_));
        QCOMPARE(in<QLabel>(c, "PaintBox1")->toolTip(), QString());

        QVERIFY(LanguageApplier(table_).apply(kGerman, main_.get(), chartWindow_));
        QCOMPARE(in<QMenu>(m, "Jazyk")->title(), "Sprache");
        QCOMPARE(tabText(in<QWidget>(c, "Mapa_TabSheet")), "Kennfeld");
        QCOMPARE(in<QPushButton>(c, "RPM_Obciazenie")->text(), "PRM / Last [%]");
        QVERIFY(!in<QLabel>(c, "PaintBox1")->toolTip().isEmpty());
    }

    void keepsTheSelectedListEntriesAndSendsNothing() {
        auto* cylinders = in<QComboBox>(main_.get(), "Sel_cyl");
        auto* pulses = in<QComboBox>(main_.get(), "Sel_Impuls");
        QSignalSpy cylinderChanges(cylinders, &QComboBox::currentIndexChanged);
        QSignalSpy pulseChanges(pulses, &QComboBox::currentTextChanged);
        QVERIFY(LanguageApplier(table_).apply(kGerman, main_.get(), chartWindow_));
        QCOMPARE(cylinders->currentIndex(), 2);
        QCOMPARE(pulses->currentIndex(), 5);
        QCOMPARE(cylinders->itemText(0), "3 Zyl.");
        QCOMPARE(cylinders->itemText(3), "6 Zyl.");
        QCOMPARE(pulses->itemText(0), "Einzelspule");
        QCOMPARE(pulses->itemText(1), "Doppelspule");
        QCOMPARE(pulses->itemText(5), "6 Zyl.");
        QCOMPARE(cylinderChanges.count(), 0);
        QCOMPARE(pulseChanges.count(), 0);
    }

    void shortListsAreRenamedWithoutGrowing() {
        auto* cylinders = in<QComboBox>(main_.get(), "Sel_cyl");
        auto* pulses = in<QComboBox>(main_.get(), "Sel_Impuls");
        // A 4-cylinder controller has lost the last two entries of the cylinder list.
        cylinders->removeItem(3);
        cylinders->removeItem(2);
        QVERIFY(LanguageApplier(table_).apply(kEnglish, main_.get(), chartWindow_));
        QCOMPARE(cylinders->count(), 2);
        QCOMPARE(cylinders->itemText(1), "4 cyl.");
        QCOMPARE(pulses->itemText(3), "4 cyl.");
        QCOMPARE(pulses->itemText(4), "item 4");  // left alone while the cylinder list is short

        // Lists of odd lengths are renamed as far as they go.
        cylinders->addItem(QStringLiteral("x"));
        while (pulses->count() > 1) {
            pulses->removeItem(1);
        }
        QVERIFY(LanguageApplier(table_).apply(kGerman, main_.get(), chartWindow_));
        QCOMPARE(cylinders->count(), 3);
        QCOMPARE(cylinders->itemText(2), "5 Zyl.");
        QCOMPARE(pulses->count(), 1);
        QCOMPARE(pulses->itemText(0), "Einzelspule");
        cylinders->clear();
        QVERIFY(LanguageApplier(table_).apply(kGerman, main_.get(), chartWindow_));
        QCOMPARE(cylinders->count(), 0);
    }

    void statusBarKeepsTheConnectionDateAcrossSwitches() {
        auto* panel = in<QLabel>(main_.get(), "StatusBar1_panel1");
        QVERIFY(LanguageApplier(table_).apply(kGerman, main_.get(), chartWindow_));
        QCOMPARE(panel->text(), " Letzte Verbindung mit PC: 05.03.2024 10:11:12");
        QVERIFY(LanguageApplier(table_).apply(kThai, main_.get(), chartWindow_));
        QCOMPARE(panel->text(), table_.text(kRowLastConnection, kThai) + "05.03.2024 10:11:12");
    }

    void searchesEachWindowOnlyForItsOwnControls() {
        // The chart window as a child of the main window, holding a name of the main window.
        chart_.reset();
        buildChartWindow(main_.get());
        auto* foreign = add<QLabel>(QStringLiteral("Label4"), chartWindow_);
        foreign->setText(QStringLiteral("untouched"));
        QVERIFY(LanguageApplier(table_).apply(kEnglish, main_.get(), chartWindow_));
        QCOMPARE(in<QLabel>(main_.get(), "Label4")->text(), "Gas [ms]");
        QCOMPARE(foreign->text(), "untouched");
    }

    void missingWindowsAndControlsAreSkipped() {
        QWidget empty;
        QVERIFY(LanguageApplier(table_).apply(kEnglish, nullptr, nullptr));
        QVERIFY(LanguageApplier(table_).apply(kEnglish, &empty, nullptr));
        QVERIFY(LanguageApplier(table_).apply(kEnglish, main_.get(), nullptr));
        QCOMPARE(in<QGroupBox>(main_.get(), "GroupBox4")->title(), "Lambda Sensor");
    }

    void columnOutsideTheTableChangesNothing() {
        QVERIFY(!LanguageApplier(table_).apply(10, main_.get(), chartWindow_));
        QVERIFY(!LanguageApplier(table_).apply(-1, main_.get(), chartWindow_));
        QCOMPARE(in<QGroupBox>(main_.get(), "GroupBox4")->title(), QString());
        QCOMPARE(in<QComboBox>(main_.get(), "Sel_cyl")->itemText(0), "item 0");
    }

    void flagsAreDrawnForEveryLanguage() {
        const QStringList names{"NiemieckiDE", "AngielskiGB", "PolskiPL", "Russian", "Ceski",
                                "Turkish",     "Thai",        "Greek",    "Italy"};
        for (const QString& name : names) {
            QVERIFY2(!flagIcon(name).isNull(), qPrintable(name));
        }
        QVERIFY(flagIcon(QStringLiteral("Klingon")).isNull());

        const auto pixel = [](const char* name, int x, int y) {
            return flagIcon(QString::fromLatin1(name))
                .pixmap(QSize(48, 32))
                .toImage()
                .pixelColor(x, y)
                .name();
        };
        QCOMPARE(pixel("Italy", 4, 16), "#009246");
        QCOMPARE(pixel("Italy", 24, 16), "#ffffff");
        QCOMPARE(pixel("Italy", 44, 16), "#ce2b37");
        QCOMPARE(pixel("NiemieckiDE", 24, 4), "#000000");
        QCOMPARE(pixel("NiemieckiDE", 24, 28), "#ffce00");
        QCOMPARE(pixel("PolskiPL", 24, 4), "#ffffff");
        QCOMPARE(pixel("PolskiPL", 24, 28), "#dc143c");
        QCOMPARE(pixel("Russian", 24, 16), "#0039a6");
        QCOMPARE(pixel("Ceski", 2, 16), "#11457e");
        QCOMPARE(pixel("Greek", 46, 2), "#0d5eaf");
        QCOMPARE(pixel("Turkish", 46, 2), "#e30a17");
        QCOMPARE(pixel("Thai", 24, 16), "#2d2a4a");
        QCOMPARE(pixel("AngielskiGB", 24, 16), "#c8102e");
    }
};

QTEST_MAIN(LanguageApplierTest)
#include "language_applier_test.moc"
