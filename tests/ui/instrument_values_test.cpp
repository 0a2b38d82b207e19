// Values, ranges, clamping and the text the instruments show.
#include <QLocale>
#include <QTest>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>

#include "ui/bar_meter.h"
#include "ui/horizontal_meter.h"
#include "ui/instrument_style.h"
#include "ui/meter270.h"
#include "ui/thermometer.h"
#include "ui/value_indicator.h"
#include "ui/vertical_bar.h"

using namespace omvi::ui;

using Factory = std::function<Instrument*()>;
Q_DECLARE_METATYPE(Factory)

class InstrumentValuesTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void clampsThePointerButNotTheText_data();
    void clampsThePointerButNotTheText();
    void rangeEdits();
    void holdsSinglePrecision();
    void formatsWithTheLocaleAndDecimals();
    void formatsSpecialValues();
    void dashboardDefaults();
    void lambdaScaleTopCanGrow();
    void meterLooks();
    void secondSignalNameOfTheBar();
    void scaleDivisions();
    void forcedTickStep();
};

void InstrumentValuesTest::clampsThePointerButNotTheText_data() {
    QTest::addColumn<Factory>("make");
    QTest::newRow("Meter270") << Factory([] { return new Meter270; });
    QTest::newRow("HorizontalMeter") << Factory([] { return new HorizontalMeter; });
    QTest::newRow("VerticalBar") << Factory([] { return new VerticalBar; });
    QTest::newRow("Thermometer") << Factory([] { return new Thermometer; });
    QTest::newRow("BarMeter") << Factory([] { return new BarMeter; });
    QTest::newRow("ValueIndicator") << Factory([] { return new ValueIndicator; });
}

void InstrumentValuesTest::clampsThePointerButNotTheText() {
    QFETCH(Factory, make);
    std::unique_ptr<Instrument> w(make());
    w->setRange(0, 240);
    w->setDecimals(1);

    w->setValue(60);
    QCOMPARE(w->position(), 0.25);
    QCOMPARE(w->valueText(), QStringLiteral("60.0"));

    w->setValue(300);
    QCOMPARE(w->position(), 1.0);
    QCOMPARE(w->value(), 300.0);
    QCOMPARE(w->valueText(), QStringLiteral("300.0"));

    w->setValue(-12.5);
    QCOMPARE(w->position(), 0.0);
    QCOMPARE(w->valueText(), QStringLiteral("-12.5"));
}

void InstrumentValuesTest::rangeEdits() {
    VerticalBar bar;
    bar.setRange(10, 5);  // a maximum below the minimum collapses onto it
    QCOMPARE(bar.minimum(), 10.0);
    QCOMPARE(bar.maximum(), 10.0);
    bar.setValue(20);
    QCOMPARE(bar.position(), 0.0);  // empty span: no division by zero

    bar.setRange(0, 40);
    bar.setMinimum(50);
    QCOMPARE(bar.minimum(), 50.0);
    QCOMPARE(bar.maximum(), 50.0);
    bar.setRange(0, 40);
    bar.setMaximum(-5);
    QCOMPARE(bar.minimum(), -5.0);
    QCOMPARE(bar.maximum(), -5.0);

    bar.setRange(0, 40);
    bar.setRange(std::numeric_limits<double>::quiet_NaN(), 10);
    bar.setRange(0, std::numeric_limits<double>::infinity());
    QCOMPARE(bar.minimum(), 0.0);
    QCOMPARE(bar.maximum(), 40.0);
}

void InstrumentValuesTest::holdsSinglePrecision() {
    HorizontalMeter m;
    m.setValue(2.54);
    QCOMPARE(m.value(), static_cast<double>(2.54f));
    QVERIFY(m.value() != 2.54);
}

void InstrumentValuesTest::formatsWithTheLocaleAndDecimals() {
    ValueIndicator battery;
    battery.setDecimals(2);
    battery.setValue(12.97);
    QCOMPARE(battery.valueText(), QStringLiteral("12.97"));

    battery.setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    QCOMPARE(battery.valueText(), QStringLiteral("12,97"));

    // Never group separators, even where the locale has them.
    HorizontalMeter map;
    map.setLocale(QLocale(QLocale::German, QLocale::Germany));
    map.setDecimals(1);
    map.setValue(1500);
    QCOMPARE(map.valueText(), QStringLiteral("1500,0"));

    map.setDecimals(0);
    map.setValue(12.97);
    QCOMPARE(map.valueText(), QStringLiteral("13"));
    map.setDecimals(42);  // out of range: clamped, not an error
    QCOMPARE(map.decimals(), 6);

    // The default locale is followed when the widget has none of its own.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    VerticalBar bar;
    bar.setValue(3.25);
    bar.setDecimals(1);
    QVERIFY(bar.valueText().contains(QLatin1Char(',')));
}

void InstrumentValuesTest::formatsSpecialValues() {
    VerticalBar bar;
    bar.setDecimals(1);
    bar.setValue(-0.04);  // rounds to zero: no minus sign
    QCOMPARE(bar.valueText(), QStringLiteral("0.0"));
    bar.setValue(-0.06);
    QCOMPARE(bar.valueText(), QStringLiteral("-0.1"));

    bar.setValue(std::numeric_limits<double>::quiet_NaN());
    QCOMPARE(bar.valueText(), QStringLiteral("---"));
    QCOMPARE(bar.position(), 0.0);
    bar.setValue(std::numeric_limits<double>::infinity());
    QCOMPARE(bar.position(), 1.0);
    QCOMPARE(bar.valueText(), QStringLiteral("---"));
}

void InstrumentValuesTest::dashboardDefaults() {
    Thermometer t;
    QCOMPARE(t.minimum(), -40.0);
    QCOMPARE(t.maximum(), 120.0);
    QCOMPARE(t.value(), -40.0);
    QCOMPARE(t.valueText(), QStringLiteral("-40"));
    t.setValue(-10);  // a signed byte 0xF6 reaches the thermometer as -10
    QCOMPARE(t.valueText(), QStringLiteral("-10"));
    QCOMPARE(t.position(), 30.0 / 160.0);

    VerticalBar bar;
    QCOMPARE(bar.minimum(), 0.0);
    QCOMPARE(bar.maximum(), 40.0);

    BarMeter share;
    QCOMPARE(share.maximum(), 100.0);
    share.setUnit(QStringLiteral("% Gas"));
    share.setValue(37.5);
    QCOMPARE(share.valueText(), QStringLiteral("37.5"));

    Meter270 rpm;
    QCOMPARE(rpm.maximum(), 10.0);
}

void InstrumentValuesTest::lambdaScaleTopCanGrow() {
    VerticalBar lambda;
    lambda.setRange(0, 1.0);
    lambda.setValue(1.2152);
    QCOMPARE(lambda.position(), 1.0);
    lambda.setMaximum(5.0);
    QCOMPARE(lambda.minimum(), 0.0);
    QCOMPARE(lambda.maximum(), 5.0);
    QVERIFY(std::abs(lambda.position() - 1.2152 / 5.0) < 1e-6);
}

void InstrumentValuesTest::meterLooks() {
    Meter270 rpm;
    rpm.setSectorOffset(300);
    rpm.setArrowShape(2);
    QVERIFY(!rpm.isLit());
    QVERIFY(!rpm.hasBoldNeedle());
    QCOMPARE(rpm.sectorOffset(), 300);
    QCOMPARE(rpm.arrowShape(), 2);

    rpm.setSectorOffset(0);
    rpm.setArrowShape(6);
    QVERIFY(rpm.isLit());
    QVERIFY(rpm.hasBoldNeedle());

    rpm.setArrowShape(-3);
    QCOMPARE(rpm.arrowShape(), 0);
    rpm.setArrowShape(99);
    QCOMPARE(rpm.arrowShape(), 9);

    // 2540 rpm shown in thousands.
    rpm.setValue(25 / 10.0 + 40 / 1000.0);
    QCOMPARE(rpm.valueText(), QStringLiteral("2.54"));
    QVERIFY(std::abs(rpm.position() - 0.254) < 1e-6);
}

void InstrumentValuesTest::secondSignalNameOfTheBar() {
    VerticalBar gas;
    gas.setSignalName1(QStringLiteral("LPG"));
    gas.setSignalName2(QStringLiteral("0.12"));
    QCOMPARE(gas.signalName1(), QStringLiteral("LPG"));
    QCOMPARE(gas.title(), QStringLiteral("LPG"));
    QCOMPARE(gas.signalName2(), QStringLiteral("0.12"));
    gas.setSignalName2(QString());
    QVERIFY(gas.signalName2().isEmpty());
    QCOMPARE(gas.signalName1(), QStringLiteral("LPG"));
}

void InstrumentValuesTest::scaleDivisions() {
    using style::niceTicks;
    // Whole scales with numbered ends where a round step allows it.
    auto map = niceTicks(0, 240, 6);
    QCOMPARE(map.step, 40.0);
    QCOMPARE(map.first, 0.0);
    QCOMPARE(map.count, 7);
    QCOMPARE(map.decimals, 0);

    auto rpm = niceTicks(0, 10, 10);
    QCOMPARE(rpm.step, 1.0);
    QCOMPARE(rpm.count, 11);

    auto temp = niceTicks(-40, 120, 8);
    QCOMPARE(temp.step, 20.0);
    QCOMPARE(temp.first, -40.0);
    QCOMPARE(temp.count, 9);

    auto bar = niceTicks(0, 40, 9);
    QCOMPARE(bar.step, 5.0);  // rounder than 4.4.. and still reaches 40

    auto p1 = niceTicks(0, 3.0, 6);
    QCOMPARE(p1.step, 0.5);
    QCOMPARE(p1.decimals, 1);
    QCOMPARE(p1.count, 7);

    auto lambda = niceTicks(0, 1.0, 5);
    QCOMPARE(lambda.step, 0.2);
    QCOMPARE(lambda.decimals, 1);
    QCOMPARE(lambda.count, 6);

    auto quarter = niceTicks(0, 1.0, 4);
    QCOMPARE(quarter.step, 0.25);
    QCOMPARE(quarter.decimals, 2);

    // A range no round step divides still gets a sensible division that stays inside it.
    auto odd = niceTicks(0.3, 7.7, 5);
    QVERIFY(odd.step >= (7.7 - 0.3) / 5);
    QVERIFY(odd.first >= 0.3);
    QVERIFY(odd.first + (odd.count - 1) * odd.step <= 7.7 + 1e-9);

    // Crowded: never more than asked for.
    auto crowded = niceTicks(0, 240, 1);
    QVERIFY(crowded.count <= 2);

    auto empty = niceTicks(5, 5, 10);
    QCOMPARE(empty.count, 1);
}

void InstrumentValuesTest::forcedTickStep() {
    auto forced = style::niceTicks(0, 10, 10, 2.5, 5);
    QCOMPARE(forced.step, 2.5);
    QCOMPARE(forced.minorPerMajor, 5);
    QCOMPARE(forced.decimals, 1);
    QCOMPARE(forced.count, 5);
}

QTEST_MAIN(InstrumentValuesTest)
#include "instrument_values_test.moc"
