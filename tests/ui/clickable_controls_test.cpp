// Clicks, states and blinking of the lamp, the slide switch and the strip.
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include "ui/led.h"
#include "ui/progress_strip.h"
#include "ui/toggle_switch.h"

using namespace omvi::ui;

namespace {

QColor centrePixel(QWidget& w) {
    const QImage image = w.grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

}  // namespace

class ClickableControlsTest : public QObject {
    Q_OBJECT

  private slots:
    void ledClickReportsButNeverToggles();
    void ledIgnoresClicksWhenDisabled();
    void ledClickNeedsPressAndReleaseInside();
    void ledFlashesOnlyWhileOn();
    void ledFlashTimerRuns();
    void ledBlinkIsWhatIsDrawn();
    void ledDisabledLookOnlyWhenDisabledItself();

    void connectSwitchTogglesOnClick();
    void connectSwitchReportsChangesMadeInCode();
    void connectSwitchSurvivesHandlerThatFlipsItBack();
    void fuelSwitchOnlyReportsClicks();
    void switchIgnoresDisabledClicksAndTakesSpace();

    void stripReportsClicks();
};

void ClickableControlsTest::ledClickReportsButNeverToggles() {
    Led led;
    led.resize(30, 30);
    QSignalSpy clicks(&led, &Led::clicked);
    QTest::mouseClick(&led, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
    QVERIFY(!led.isChecked());

    led.setChecked(true);
    QTest::mouseClick(&led, Qt::LeftButton);
    QCOMPARE(clicks.count(), 2);
    QVERIFY(led.isChecked());

    QTest::mouseClick(&led, Qt::RightButton);
    QCOMPARE(clicks.count(), 2);
}

void ClickableControlsTest::ledIgnoresClicksWhenDisabled() {
    QWidget panel;
    auto* led = new Led(&panel);
    led->resize(30, 30);
    QSignalSpy clicks(led, &Led::clicked);

    led->setEnabled(false);
    QTest::mouseClick(led, Qt::LeftButton);
    QCOMPARE(clicks.count(), 0);

    // A lamp inside a disabled panel takes no clicks either.
    led->setEnabled(true);
    panel.setEnabled(false);
    QTest::mouseClick(led, Qt::LeftButton);
    QCOMPARE(clicks.count(), 0);

    panel.setEnabled(true);
    QTest::mouseClick(led, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
}

void ClickableControlsTest::ledClickNeedsPressAndReleaseInside() {
    Led led;
    led.resize(30, 30);
    QSignalSpy clicks(&led, &Led::clicked);
    QTest::mousePress(&led, Qt::LeftButton, {}, QPoint(15, 15));
    QTest::mouseRelease(&led, Qt::LeftButton, {}, QPoint(60, 60));  // dragged off
    QCOMPARE(clicks.count(), 0);
    QTest::mouseRelease(&led, Qt::LeftButton, {}, QPoint(15, 15));  // release without press
    QCOMPARE(clicks.count(), 0);
}

void ClickableControlsTest::ledFlashesOnlyWhileOn() {
    Led led;
    led.setFlashing(true);
    QVERIFY(!led.isLitNow());
    led.advanceBlink();  // nothing to blink while off
    QVERIFY(led.blinkPhase());
    QVERIFY(!led.isLitNow());

    led.setChecked(true);
    QVERIFY(led.isLitNow());  // a blink starts lit
    led.advanceBlink();
    QVERIFY(!led.blinkPhase());
    QVERIFY(!led.isLitNow());
    QVERIFY(led.isChecked());  // blinking never changes the state
    led.advanceBlink();
    QVERIFY(led.isLitNow());
    led.advanceBlink();
    QVERIFY(!led.isLitNow());

    // Stopping the flashing leaves a steady lamp, whatever the phase was.
    led.setFlashing(false);
    QVERIFY(led.isLitNow());
    led.advanceBlink();
    QVERIFY(led.isLitNow());

    // Setting the same state again (as every live frame does) does not restart the blink.
    led.setFlashing(true);
    led.advanceBlink();
    QVERIFY(!led.isLitNow());
    led.setChecked(true);
    QVERIFY(!led.isLitNow());
}

void ClickableControlsTest::ledFlashTimerRuns() {
    Led led;
    led.setFlashInterval(20);
    QCOMPARE(led.flashInterval(), 20);
    led.setChecked(true);
    led.setFlashing(true);
    QTRY_VERIFY_WITH_TIMEOUT(!led.blinkPhase(), 2000);
    QTRY_VERIFY_WITH_TIMEOUT(led.blinkPhase(), 2000);
}

void ClickableControlsTest::ledBlinkIsWhatIsDrawn() {
    Led led;
    led.resize(40, 40);
    led.setOnColor(QColor(0, 255, 0));
    led.setOffColor(QColor(255, 0, 0));
    led.setChecked(true);
    led.setFlashing(true);
    const QColor lit = centrePixel(led);
    QVERIFY(lit.green() > 150 && lit.red() < 120);
    led.advanceBlink();
    const QColor dark = centrePixel(led);
    QVERIFY(dark.red() > dark.green());  // the off colour shows in the dark half
    led.advanceBlink();
    QCOMPARE(centrePixel(led), lit);
}

void ClickableControlsTest::ledDisabledLookOnlyWhenDisabledItself() {
    QWidget panel;
    auto* led = new Led(&panel);
    led->resize(40, 40);
    led->setOffColor(QColor(255, 0, 0));
    // The lamp itself, not the window background around it.
    auto lamp = [&] { return led->grab().toImage().copy(10, 10, 20, 20); };
    const QImage normal = lamp();

    panel.setEnabled(false);
    QCOMPARE(lamp(), normal);

    panel.setEnabled(true);
    led->setEnabled(false);
    const QColor dead = centrePixel(*led);
    QVERIFY(lamp() != normal);
    QVERIFY(std::abs(dead.red() - dead.green()) < 30);  // grey, no off colour
}

void ClickableControlsTest::connectSwitchTogglesOnClick() {
    ToggleSwitch sw;
    sw.resize(120, 28);
    sw.setOffText(QStringLiteral("Rozłączony"));
    sw.setOnText(QStringLiteral("* * *"));
    sw.setOnColor(QColor(0, 255, 0));
    sw.setOffColor(QColor(255, 0, 0));
    QVERIFY(sw.clickToggles());
    QCOMPARE(sw.text(), QStringLiteral("Rozłączony"));
    QCOMPARE(sw.currentColor(), QColor(255, 0, 0));

    QStringList order;
    connect(&sw, &ToggleSwitch::toggled, this,
            [&](bool on) { order << (on ? QStringLiteral("on") : QStringLiteral("off")); });
    connect(&sw, &ToggleSwitch::clicked, this, [&] { order << QStringLiteral("click"); });
    QTest::mouseClick(&sw, Qt::LeftButton);
    QVERIFY(sw.isChecked());
    QCOMPARE(sw.text(), QStringLiteral("* * *"));
    QCOMPARE(sw.currentColor(), QColor(0, 255, 0));
    QTest::mouseClick(&sw, Qt::LeftButton);
    QVERIFY(!sw.isChecked());
    QCOMPARE(order, QStringList({"on", "click", "off", "click"}));
}

void ClickableControlsTest::connectSwitchReportsChangesMadeInCode() {
    ToggleSwitch sw;
    QSignalSpy toggled(&sw, &ToggleSwitch::toggled);
    QSignalSpy clicks(&sw, &ToggleSwitch::clicked);
    sw.setChecked(true);
    QCOMPARE(toggled.count(), 1);
    QCOMPARE(toggled.at(0).at(0).toBool(), true);
    sw.setChecked(true);  // no change, no event
    QCOMPARE(toggled.count(), 1);
    sw.setChecked(false);
    QCOMPARE(toggled.count(), 2);
    QCOMPARE(toggled.at(1).at(0).toBool(), false);
    QCOMPARE(clicks.count(), 0);
}

void ClickableControlsTest::connectSwitchSurvivesHandlerThatFlipsItBack() {
    // A connect that fails at once switches the toggle off again from inside its own handler.
    ToggleSwitch sw;
    sw.resize(120, 28);
    QList<bool> seen;
    connect(&sw, &ToggleSwitch::toggled, this, [&](bool on) {
        seen << on;
        if (on) {
            sw.setChecked(false);
        }
    });
    QSignalSpy clicks(&sw, &ToggleSwitch::clicked);
    QTest::mouseClick(&sw, Qt::LeftButton);
    QCOMPARE(seen, QList<bool>({true, false}));
    QVERIFY(!sw.isChecked());
    QCOMPARE(clicks.count(), 1);
}

void ClickableControlsTest::fuelSwitchOnlyReportsClicks() {
    ToggleSwitch sw;
    sw.resize(80, 28);
    sw.setClickToggles(false);
    sw.setOffText(QStringLiteral("PB"));
    sw.setOnText(QStringLiteral("LPG"));
    QSignalSpy toggled(&sw, &ToggleSwitch::toggled);
    QSignalSpy clicks(&sw, &ToggleSwitch::clicked);

    QTest::mouseClick(&sw, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
    QVERIFY(!sw.isChecked());
    QCOMPARE(sw.text(), QStringLiteral("PB"));

    sw.setChecked(true);  // the live data sets it
    QVERIFY(sw.isChecked());
    QCOMPARE(sw.text(), QStringLiteral("LPG"));
    QTest::mouseClick(&sw, Qt::LeftButton);
    QVERIFY(sw.isChecked());
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(toggled.count(), 0);
}

void ClickableControlsTest::switchIgnoresDisabledClicksAndTakesSpace() {
    ToggleSwitch sw;
    sw.resize(120, 28);
    QSignalSpy toggled(&sw, &ToggleSwitch::toggled);
    QSignalSpy clicks(&sw, &ToggleSwitch::clicked);
    sw.setEnabled(false);
    QTest::mouseClick(&sw, Qt::LeftButton);
    QTest::keyClick(&sw, Qt::Key_Space);
    QCOMPARE(toggled.count(), 0);
    QCOMPARE(clicks.count(), 0);
    QVERIFY(!sw.isChecked());

    sw.setEnabled(true);
    QTest::keyClick(&sw, Qt::Key_Space);
    QVERIFY(sw.isChecked());
    QCOMPARE(toggled.count(), 1);
    QCOMPARE(clicks.count(), 1);
}

void ClickableControlsTest::stripReportsClicks() {
    ProgressStrip strip;
    strip.resize(400, 24);
    strip.setCaption(QStringLiteral("*  *  *  E r r o r  *  *  *"));
    strip.setColor(QColor(255, 60, 60));
    QCOMPARE(strip.caption(), QStringLiteral("*  *  *  E r r o r  *  *  *"));
    QCOMPARE(strip.color(), QColor(255, 60, 60));
    QSignalSpy clicks(&strip, &ProgressStrip::clicked);
    QTest::mouseClick(&strip, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
    QTest::mouseClick(&strip, Qt::MiddleButton);
    QCOMPARE(clicks.count(), 1);
    strip.setEnabled(false);
    QTest::mouseClick(&strip, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
}

QTEST_MAIN(ClickableControlsTest)
#include "clickable_controls_test.moc"
