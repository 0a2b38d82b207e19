// Shows every instrument with sample values, at dashboard size and larger, so their look can be
// judged. Pass --still for a frozen picture (no animation).
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <array>
#include <cmath>

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

namespace {

const QColor kLime(0, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kGrey(128, 128, 128);

QGroupBox* group(const QString& title, QLayout* layout) {
    auto* box = new QGroupBox(title);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(3);
    box->setLayout(layout);
    return box;
}

void engineLook(Meter270* meter, bool on) {
    meter->setSectorOffset(on ? 0 : 300);
    meter->setArrowShape(on ? 6 : 2);
}

Meter270* rpmMeter() {
    auto* m = new Meter270;
    m->setRange(0, 10);
    m->setUnit(QStringLiteral("x1000"));
    m->setDecimals(2);
    m->addZone(6.5, 8, QColor(0xff, 0xb0, 0x20));
    m->addZone(8, 10, QColor(0xe8, 0x30, 0x20));
    return m;
}

struct Dashboard {
    ToggleSwitch* connect = nullptr;
    HorizontalMeter* map = nullptr;
    HorizontalMeter* p1 = nullptr;
    Thermometer* red = nullptr;
    Thermometer* gas = nullptr;
    std::array<VerticalBar*, 6> petrol{};
    std::array<VerticalBar*, 6> lpg{};
    std::array<Led*, 6> cylinders{};
    VerticalBar* lambda1 = nullptr;
    VerticalBar* lambda2 = nullptr;
    Meter270* rpm = nullptr;
    ToggleSwitch* fuel = nullptr;
    Led* reserve = nullptr;
    std::array<Led*, 4> level{};
    ValueIndicator* battery = nullptr;
    ProgressStrip* error = nullptr;
};

// The top panel of the main window at its real size (about 1000 x 330).
QWidget* buildDashboard(Dashboard& d) {
    auto* panel = new QWidget;
    panel->setFixedSize(1000, 330);
    auto* outer = new QVBoxLayout(panel);
    outer->setContentsMargins(2, 2, 2, 2);
    outer->setSpacing(2);
    auto* row = new QHBoxLayout;
    outer->addLayout(row, 1);

    auto* left = new QVBoxLayout;
    d.connect = new ToggleSwitch;
    d.connect->setOffText(QStringLiteral("Rozłączony"));
    d.connect->setOnText(QStringLiteral("COM3 - ON"));
    d.connect->setOnColor(kLime);
    d.connect->setOffColor(kRed);
    left->addWidget(group(QStringLiteral("Port COM"), new QVBoxLayout));
    left->itemAt(0)->widget()->layout()->addWidget(d.connect);
    auto* pressures = new QVBoxLayout;
    d.map = new HorizontalMeter;
    d.map->setRange(0, 240);
    d.map->setTitle(QStringLiteral("MAP [kPa]"));
    d.map->setDecimals(1);
    d.p1 = new HorizontalMeter;
    d.p1->setRange(0, 3.0);
    d.p1->setTitle(QStringLiteral("P1 [bar]"));
    d.p1->setDecimals(2);
    d.p1->setColor(QColor(0x3c, 0xd0, 0x70));
    pressures->addWidget(d.map);
    pressures->addWidget(d.p1);
    left->addWidget(group(QStringLiteral("MAP/P1"), pressures), 1);
    row->addLayout(left, 22);

    auto* temps = new QHBoxLayout;
    d.gas = new Thermometer;
    d.gas->setSignalName1(QStringLiteral("Gaz"));
    d.gas->setColor(QColor(0x3d, 0x9b, 0xff));
    d.red = new Thermometer;
    d.red->setSignalName1(QStringLiteral("Red"));
    temps->addWidget(d.gas);
    temps->addWidget(d.red);
    row->addWidget(group(QStringLiteral("Temperatura"), temps), 12);

    auto* bars = new QGridLayout;
    bars->setHorizontalSpacing(1);
    for (int k = 0; k < 6; ++k) {
        auto* pb = new VerticalBar;
        pb->setRange(0, 40);
        pb->setColor(kRed);
        pb->setSignalName1(QStringLiteral("PB"));
        auto* gz = new VerticalBar;
        gz->setRange(0, 40);
        gz->setColor(kLime);
        gz->setSignalName1(QStringLiteral("LPG"));
        gz->setScaleNumbersVisible(false);
        auto* led = new Led;
        led->setCaption(QString::number(k + 1));
        led->setOnColor(kLime);
        led->setOffColor(k < 4 ? kRed : kGrey);
        led->setEnabled(k < 4);
        QObject::connect(led, &Led::clicked, led, [led] { led->setChecked(!led->isChecked()); });
        bars->addWidget(pb, 0, 2 * k);
        bars->addWidget(gz, 0, 2 * k + 1);
        bars->addWidget(led, 1, 2 * k, 1, 2, Qt::AlignCenter);
        d.petrol[static_cast<size_t>(k)] = pb;
        d.lpg[static_cast<size_t>(k)] = gz;
        d.cylinders[static_cast<size_t>(k)] = led;
    }
    row->addWidget(group(QStringLiteral("Wtryski [ms]"), bars), 44);

    auto* lambdas = new QHBoxLayout;
    d.lambda1 = new VerticalBar;
    d.lambda1->setRange(0, 1.0);
    d.lambda1->setColor(QColor(0xff, 0xc8, 0x30));
    d.lambda1->setSignalName1(QStringLiteral("L1"));
    d.lambda2 = new VerticalBar;
    d.lambda2->setRange(0, 1.0);
    d.lambda2->setColor(QColor(0xff, 0xc8, 0x30));
    d.lambda2->setSignalName1(QStringLiteral("L2"));
    lambdas->addWidget(d.lambda1);
    lambdas->addWidget(d.lambda2);
    row->addWidget(group(QStringLiteral("Sondy Lambda"), lambdas), 10);

    auto* right = new QVBoxLayout;
    d.rpm = rpmMeter();
    auto* rpmBox = new QVBoxLayout;
    rpmBox->addWidget(d.rpm);
    right->addWidget(group(QStringLiteral("RPM"), rpmBox), 1);
    auto* fuelRow = new QHBoxLayout;
    d.fuel = new ToggleSwitch;
    d.fuel->setClickToggles(false);
    d.fuel->setOffText(QStringLiteral("PB"));
    d.fuel->setOnText(QStringLiteral("LPG"));
    d.fuel->setOffColor(kRed);
    d.fuel->setOnColor(kLime);
    fuelRow->addWidget(d.fuel, 1);
    d.reserve = new Led;
    d.reserve->setOnColor(kRed);
    d.reserve->setFlashing(true);
    fuelRow->addWidget(d.reserve);
    for (size_t n = 0; n < 4; ++n) {
        d.level[n] = new Led;
        d.level[n]->setOnColor(kLime);
        fuelRow->addWidget(d.level[n]);
    }
    right->addWidget(group(QStringLiteral("Przełącznik"), fuelRow));
    d.battery = new ValueIndicator;
    d.battery->setSignalName1(QStringLiteral("Batery  "));
    d.battery->setUnit(QStringLiteral("V"));
    right->addWidget(d.battery);
    row->addLayout(right, 20);

    d.error = new ProgressStrip;
    d.error->setCaption(QStringLiteral("*  *  *  E r r o r  *  *  *"));
    outer->addWidget(d.error);
    return panel;
}

void showFrame(Dashboard& d, double t, bool engine) {
    const double rpm = engine ? 2.54 + 0.8 * std::sin(t * 0.7) : 0;
    d.rpm->setValue(rpm);
    engineLook(d.rpm, engine);
    d.map->setValue(engine ? 100 + 30 * std::sin(t) : 0);
    d.p1->setValue(engine ? 1.5 + 0.1 * std::sin(t * 1.3) : 0);
    d.red->setValue(engine ? 72 : -10);
    d.gas->setValue(engine ? 38 : -10);
    for (size_t k = 0; k < 6; ++k) {
        const double pb = engine ? 3.2 + 0.4 * std::sin(t + static_cast<double>(k)) : 0;
        d.petrol[k]->setValue(pb);
        d.lpg[k]->setValue(engine ? pb * 1.35 : 0);
        d.lpg[k]->setSignalName2(engine && k % 3 != 2 ? QStringLiteral("0.12") : QString());
        if (k < 4) {
            d.cylinders[k]->setChecked(engine);
        }
    }
    d.lambda1->setValue(engine ? 0.45 + 0.4 * std::sin(t * 3) : 0);
    d.lambda2->setValue(engine ? 0.45 + 0.4 * std::cos(t * 3) : 0);
    d.fuel->setChecked(engine);
    d.fuel->setOffColor(engine ? kRed : QColor(0xf0, 0xf0, 0xf0));
    d.fuel->setOnColor(engine ? kLime : QColor(0xf0, 0xf0, 0xf0));
    const int level = engine ? 3 : 0;
    d.reserve->setChecked(level == 0);
    for (size_t n = 0; n < 4; ++n) {
        d.level[n]->setChecked(level >= static_cast<int>(n) + 1);
    }
    d.battery->setValue(engine ? 13.85 : 12.97);
    d.connect->setChecked(true);
    d.error->setVisible(true);
    d.error->setColor(static_cast<int>(t * 8) % 2 ? QColor(255, 0, 0) : QColor(255, 60, 60));
}

// The same instruments again, larger, in every state worth seeing.
QWidget* buildLargeRow(Meter270*& off, Meter270*& on, BarMeter*& share) {
    auto* w = new QWidget;
    auto* row = new QHBoxLayout(w);
    off = rpmMeter();
    off->setValue(0);
    engineLook(off, false);
    on = rpmMeter();
    on->setValue(3.47);
    engineLook(on, true);
    row->addWidget(off, 3);
    row->addWidget(on, 3);

    auto* mid = new QVBoxLayout;
    auto* map = new HorizontalMeter;
    map->setRange(0, 240);
    map->setTitle(QStringLiteral("MAP [kPa]"));
    map->setUnit(QStringLiteral("kPa"));
    map->setValue(275);  // beyond the scale: pointer stops at the end
    mid->addWidget(map);
    share = new BarMeter;
    share->setRange(0, 100);
    share->setDecimals(1);
    share->setUnit(QStringLiteral("% Gas"));
    share->setValue(63.4);
    mid->addWidget(share);
    auto* strips = new QHBoxLayout;
    auto* lime = new ProgressStrip;
    lime->setColor(kLime);
    lime->setCaption(QStringLiteral("COM4 . . ."));
    strips->addWidget(lime);
    auto* light = new ProgressStrip;
    light->setColor(QColor(255, 60, 60));
    light->setCaption(QStringLiteral("*  *  *  E r r o r  *  *  *"));
    strips->addWidget(light);
    mid->addLayout(strips);
    auto* leds = new QHBoxLayout;
    const std::array<std::pair<const char*, int>, 5> states{
        {{"on", 0}, {"off red", 1}, {"off grey", 2}, {"disabled", 3}, {"flash", 4}}};
    for (const auto& [name, kind] : states) {
        auto* led = new Led;
        led->setCaption(QString::number(kind + 1));
        led->setOnColor(kind == 4 ? kRed : kLime);
        led->setOffColor(kind == 2 || kind == 3 ? kGrey : kRed);
        led->setChecked(kind == 0 || kind == 4);
        led->setFlashing(kind == 4);
        led->setEnabled(kind != 3);
        led->setMinimumSize(34, 34);
        led->setToolTip(QString::fromLatin1(name));
        leds->addWidget(led);
    }
    auto* off1 = new ToggleSwitch;
    off1->setOffText(QStringLiteral("Disconnect"));
    off1->setOnText(QStringLiteral("* * *"));
    off1->setOffColor(kRed);
    off1->setOnColor(kLime);
    leds->addWidget(off1);
    auto* neutral = new ToggleSwitch;
    neutral->setClickToggles(false);
    neutral->setOffText(QStringLiteral("PB"));
    neutral->setOnText(QStringLiteral("LPG"));
    neutral->setOffColor(QColor(0xf0, 0xf0, 0xf0));
    neutral->setOnColor(QColor(0xf0, 0xf0, 0xf0));
    leds->addWidget(neutral);
    mid->addLayout(leds);
    row->addLayout(mid, 4);

    auto* pair = new QHBoxLayout;
    auto* pb = new VerticalBar;
    pb->setColor(kRed);
    pb->setValue(12.4);
    pb->setSignalName1(QStringLiteral("Petrol"));
    auto* gz = new VerticalBar;
    gz->setColor(kLime);
    gz->setValue(16.8);
    gz->setSignalName1(QStringLiteral("Gas"));
    gz->setSignalName2(QStringLiteral("-0.35"));
    auto* lam = new VerticalBar;
    lam->setRange(0, 5.0);
    lam->setColor(QColor(0xff, 0xc8, 0x30));
    lam->setValue(1.2152);
    lam->setSignalName1(QStringLiteral("Lambda"));
    auto* th = new Thermometer;
    th->setSignalName1(QStringLiteral("Red"));
    th->setValue(84);
    auto* bat = new ValueIndicator;
    bat->setSignalName1(QStringLiteral("Batery  "));
    bat->setUnit(QStringLiteral("V"));
    bat->setValue(12.97);
    pair->addWidget(pb);
    pair->addWidget(gz);
    pair->addWidget(lam);
    pair->addWidget(th);
    auto* right = new QVBoxLayout;
    right->addLayout(pair, 1);
    right->addWidget(bat);
    row->addLayout(right, 3);
    return w;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool still = app.arguments().contains(QStringLiteral("--still"));

    QWidget window;
    window.setWindowTitle(QStringLiteral("OMVI instruments"));
    auto* layout = new QVBoxLayout(&window);
    Dashboard d;
    auto* engine = new QCheckBox(QStringLiteral("Engine running"));
    engine->setChecked(true);
    layout->addWidget(engine);
    layout->addWidget(buildDashboard(d), 0, Qt::AlignLeft);
    Meter270* off = nullptr;
    Meter270* on = nullptr;
    BarMeter* share = nullptr;
    layout->addWidget(buildLargeRow(off, on, share), 1);

    double t = 0;
    showFrame(d, t, engine->isChecked());
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &window, [&] {
        t += 0.13;
        showFrame(d, t, engine->isChecked());
        on->setValue(3.47 + 2.5 * std::sin(t * 0.4));
        share->setValue(50 + 45 * std::sin(t * 0.2));
    });
    QObject::connect(engine, &QCheckBox::toggled, &window,
                     [&](bool running) { showFrame(d, t, running); });
    if (!still) {
        timer.start(130);
    }
    window.resize(1270, 880);
    window.show();
    return app.exec();
}
