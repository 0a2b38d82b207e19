// Every instrument paints at any size and pixel ratio without Qt warnings, and what it draws
// follows its value.
#include <QImage>
#include <QPainter>
#include <QTest>
#include <functional>
#include <memory>

#include "ui/bar_meter.h"
#include "ui/horizontal_meter.h"
#include "ui/led.h"
#include "ui/meter270.h"
#include "ui/progress_strip.h"
#include "ui/thermometer.h"
#include "ui/toggle_switch.h"
#include "ui/value_indicator.h"
#include "ui/vertical_bar.h"

using namespace omvi::ui;

using Factory = std::function<QWidget*()>;
Q_DECLARE_METATYPE(Factory)

namespace {

QStringList g_messages;

void recordMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg && type != QtInfoMsg) {
        g_messages << text;
    }
}

// Pixels of a strongly red hue (the petrol bar's fill) in one column of the image.
int redPixelsInColumn(const QImage& image, int x) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QColor c = image.pixelColor(x, y);
        if (c.red() > 120 && c.green() < 80 && c.blue() < 80) {
            ++n;
        }
    }
    return n;
}

int redPixels(const QImage& image) {
    int n = 0;
    for (int x = 0; x < image.width(); ++x) {
        n += redPixelsInColumn(image, x);
    }
    return n;
}

}  // namespace

class InstrumentPaintingTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qInstallMessageHandler(recordMessage); }
    void cleanupTestCase() { qInstallMessageHandler(nullptr); }
    void init() { g_messages.clear(); }

    void paintsAtAnySize_data();
    void paintsAtAnySize();
    void barFillFollowsTheClampedValue();
    void meterLooksDiffer();
    void secondSignalNameIsDrawn();
    void thermometerColumnFollowsTheValue();
};

void InstrumentPaintingTest::paintsAtAnySize_data() {
    QTest::addColumn<Factory>("make");
    auto withValue = [](Instrument* w, double v) {
        w->setValue(v);
        w->setTitle(QStringLiteral("MAP [kPa]"));
        w->setUnit(QStringLiteral("kPa"));
        return w;
    };
    QTest::newRow("Meter270") << Factory([=] { return withValue(new Meter270, 7.3); });
    QTest::newRow("Meter270 off look") << Factory([=] {
        auto* m = new Meter270;
        m->setSectorOffset(300);
        m->setArrowShape(2);
        m->addZone(8, 10, Qt::red);
        return withValue(m, -1);
    });
    QTest::newRow("HorizontalMeter")
        << Factory([=] { return withValue(new HorizontalMeter, 500); });
    QTest::newRow("VerticalBar") << Factory([=] {
        auto* b = new VerticalBar;
        b->setSignalName2(QStringLiteral("-0.35"));
        return withValue(b, 12.5);
    });
    QTest::newRow("Thermometer") << Factory([=] { return withValue(new Thermometer, 200); });
    QTest::newRow("BarMeter") << Factory([=] { return withValue(new BarMeter, 63.4); });
    QTest::newRow("ValueIndicator")
        << Factory([=] { return withValue(new ValueIndicator, 12.97); });
    QTest::newRow("Led") << Factory([] {
        auto* l = new Led;
        l->setCaption(QStringLiteral("6"));
        l->setChecked(true);
        return l;
    });
    QTest::newRow("ToggleSwitch") << Factory([] {
        auto* s = new ToggleSwitch;
        s->setOffText(QStringLiteral("Rozłączony"));
        return s;
    });
    QTest::newRow("ProgressStrip") << Factory([] {
        auto* s = new ProgressStrip;
        s->setCaption(QStringLiteral("*  *  *  E r r o r  *  *  *"));
        return s;
    });
}

void InstrumentPaintingTest::paintsAtAnySize() {
    QFETCH(Factory, make);
    std::unique_ptr<QWidget> w(make());
    QVERIFY(w->sizeHint().isValid());
    QVERIFY(w->minimumSizeHint().width() <= w->sizeHint().width());
    QVERIFY(w->minimumSizeHint().height() <= w->sizeHint().height());

    const QList<QSize> sizes{w->minimumSizeHint(), w->sizeHint(),   QSize(1, 1),  QSize(7, 300),
                             QSize(300, 7),        QSize(640, 480), QSize(31, 33)};
    for (const QSize& size : sizes) {
        w->resize(size);
        const QImage image = w->grab().toImage();
        QCOMPARE(image.size(), size);
    }
    // Twice the pixel density: drawn in logical units, sharper in device pixels.
    w->resize(w->sizeHint());
    QImage hidpi(w->sizeHint() * 2, QImage::Format_ARGB32_Premultiplied);
    hidpi.setDevicePixelRatio(2);
    hidpi.fill(Qt::transparent);
    w->render(&hidpi);
    QVERIFY(hidpi.pixelColor(hidpi.width() / 2, hidpi.height() / 2).alpha() > 0);
    QVERIFY2(g_messages.isEmpty(), qPrintable(g_messages.join(QLatin1Char('\n'))));
}

void InstrumentPaintingTest::barFillFollowsTheClampedValue() {
    VerticalBar bar;
    bar.resize(48, 220);
    bar.setColor(QColor(255, 0, 0));
    bar.setRange(0, 40);

    bar.setValue(0);
    const int empty = redPixels(bar.grab().toImage());
    bar.setValue(20);
    const int half = redPixels(bar.grab().toImage());
    bar.setValue(40);
    const int full = redPixels(bar.grab().toImage());
    bar.setValue(80);  // beyond the scale: stops at the top, no further
    const int over = redPixels(bar.grab().toImage());

    QVERIFY(empty < half);
    QVERIFY(half < full);
    QCOMPARE(over, full);
    const double ratio = static_cast<double>(half - empty) / (full - empty);
    QVERIFY2(ratio > 0.4 && ratio < 0.6, qPrintable(QString::number(ratio)));
}

void InstrumentPaintingTest::meterLooksDiffer() {
    Meter270 meter;
    meter.resize(200, 200);
    meter.setValue(2.54);
    meter.setSectorOffset(300);
    meter.setArrowShape(2);
    const QImage off = meter.grab().toImage();
    meter.setSectorOffset(0);
    meter.setArrowShape(6);
    const QImage on = meter.grab().toImage();
    QVERIFY(off != on);
    // The bold needle is red-orange; the thin one is pale.
    QVERIFY(redPixels(on) > redPixels(off) + 50);

    // The face is darker when unlit.
    auto brightness = [](const QImage& image) {
        qint64 sum = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                sum += qGray(image.pixel(x, y));
            }
        }
        return sum;
    };
    meter.setArrowShape(2);
    const QImage litThin = meter.grab().toImage();
    QVERIFY(brightness(litThin) > brightness(off));
}

void InstrumentPaintingTest::secondSignalNameIsDrawn() {
    VerticalBar gas;
    gas.resize(40, 220);
    gas.setSignalName1(QStringLiteral("LPG"));
    const QImage without = gas.grab().toImage();
    gas.setSignalName2(QStringLiteral("0.12"));
    const QImage with = gas.grab().toImage();
    QVERIFY(with != without);
    // Only the label line at the bottom changes.
    QCOMPARE(with.copy(0, 0, 40, 150), without.copy(0, 0, 40, 150));
    gas.setSignalName2(QString());
    QCOMPARE(gas.grab().toImage(), without);
}

void InstrumentPaintingTest::thermometerColumnFollowsTheValue() {
    Thermometer t;
    t.resize(64, 220);
    t.setColor(QColor(255, 0, 0));
    const int atMinimum = redPixels(t.grab().toImage());  // the bulb alone
    t.setValue(40);
    const int midway = redPixels(t.grab().toImage());
    t.setValue(120);
    const int top = redPixels(t.grab().toImage());
    t.setValue(150);
    QCOMPARE(redPixels(t.grab().toImage()), top);
    QVERIFY(atMinimum > 0);
    QVERIFY(atMinimum < midway);
    QVERIFY(midway < top);
}

QTEST_MAIN(InstrumentPaintingTest)
#include "instrument_painting_test.moc"
