#include "app/dashboard_panel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/code_tables.h"

namespace omvi::app {
namespace {

const QColor kPetrolRed(0xE0, 0x30, 0x30);
const QColor kGasGreen(0x30, 0xC0, 0x50);
const QColor kGrey(128, 128, 128);

QGroupBox* makeGroup(QWidget* parent, const char* name, const QString& title) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

ui::Led* makeLed(QWidget* parent, const QString& name, const QString& caption, QColor on) {
    auto* led = new ui::Led(parent);
    led->setObjectName(name);
    led->setCaption(caption);
    led->setOnColor(on);
    led->setOffColor(kGrey);
    led->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    led->setFixedSize(22, 22);
    return led;
}

}  // namespace

QSpinBox* makeSpin(QWidget* parent, const char* name, int min, int max, int step) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(min, max);
    spin->setSingleStep(step);
    spin->setKeyboardTracking(false);
    if (auto* edit = spin->findChild<QLineEdit*>()) {
        edit->setReadOnly(true);
    }
    spin->setAccelerated(false);
    return spin;
}

QDoubleSpinBox* makeDoubleSpin(QWidget* parent, const char* name, double min, double max,
                               double step, int decimals) {
    auto* spin = new QDoubleSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setDecimals(decimals);
    spin->setRange(min, max);
    spin->setSingleStep(step);
    spin->setKeyboardTracking(false);
    if (auto* edit = spin->findChild<QLineEdit*>()) {
        edit->setReadOnly(true);
    }
    return spin;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QLabel* makeWrappedLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new ElidedLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

DashboardPanel::DashboardPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Panel1Gora"));
    setAutoFillBackground(true);
    // A whole instrument panel in 1020 pixels: slightly smaller type than the pages below.
    QFont compact = font();
    compact.setPointSizeF(compact.pointSizeF() * 0.92);
    setFont(compact);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 2);
    outer->setSpacing(3);
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(buildPortAndSpeed(), 11);
    row->addWidget(buildPressuresAndTemperatures(), 19);
    row->addWidget(buildCylinders(), 35);
    row->addWidget(buildFuelAndLevel(), 15);
    row->addWidget(buildSwitchOver(), 22);
    outer->addLayout(row, 1);

    Error_Led = new ui::ProgressStrip(this);
    Error_Led->setObjectName(QStringLiteral("Error_Led"));
    Error_Led->setCaption(QStringLiteral("*  *  *  E r r o r  *  *  *"));
    Error_Led->setColor(QColor(255, 0, 0));
    Error_Led->setVisible(false);
    outer->addWidget(Error_Led);
}

void DashboardPanel::setGrey(bool grey) {
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(Zaplon_panel)}) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, grey ? kGrey : palette().color(QPalette::Button));
        w->setPalette(p);
        w->setAutoFillBackground(true);
    }
}

QWidget* DashboardPanel::buildPortAndSpeed() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);

    auto* port = makeGroup(column, "GroupBox5", QStringLiteral("Port COM"));
    auto* portLayout = new QHBoxLayout(port);
    portLayout->setContentsMargins(6, 2, 6, 4);
    Polacz_switch = new ui::ToggleSwitch(port);
    Polacz_switch->setObjectName(QStringLiteral("Polacz_switch"));
    Polacz_switch->setClickToggles(true);
    Polacz_switch->setOffText(QStringLiteral("Rozłączony"));
    Polacz_switch->setOnText(QStringLiteral("* * *"));
    Polacz_switch->setOnColor(QColor(0, 255, 0));
    Polacz_switch->setOffColor(QColor(255, 0, 0));
    portLayout->addWidget(Polacz_switch, 1);
    ProgressBar1 = new QProgressBar(port);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedSize(12, 11);
    portLayout->addWidget(ProgressBar1, 0, Qt::AlignTop);
    layout->addWidget(port);

    auto* rpm = makeGroup(column, "GroupBox7", QStringLiteral("RPM"));
    auto* rpmLayout = new QVBoxLayout(rpm);
    rpmLayout->setContentsMargins(4, 2, 4, 4);
    RPM_zegar = new ui::Meter270(rpm);
    RPM_zegar->setObjectName(QStringLiteral("RPM_zegar"));
    RPM_zegar->setRange(0, 10);
    RPM_zegar->setUnit(QStringLiteral("x1000"));
    RPM_zegar->setDecimals(3);
    RPM_zegar->addZone(6.5, 10, QColor(0xE0, 0x40, 0x30));
    RPM_zegar->setSectorOffset(300);
    RPM_zegar->setArrowShape(2);
    rpmLayout->addWidget(RPM_zegar, 1);
    RPM_Edit = new ui::ValueIndicator(rpm);
    RPM_Edit->setObjectName(QStringLiteral("RPM_Edit"));
    RPM_Edit->setDecimals(0);
    RPM_Edit->setUnit(QStringLiteral("rpm"));
    rpmLayout->addWidget(RPM_Edit);
    layout->addWidget(rpm, 1);

    auto* battery = new QWidget(column);
    battery->setObjectName(QStringLiteral("Panel2"));
    auto* batteryLayout = new QHBoxLayout(battery);
    batteryLayout->setContentsMargins(0, 0, 0, 0);
    BATERY_vpp = new ui::ValueIndicator(battery);
    BATERY_vpp->setObjectName(QStringLiteral("BATERY_vpp"));
    BATERY_vpp->setDecimals(2);
    BATERY_vpp->setUnit(QStringLiteral("V"));
    BATERY_vpp->setSignalName1(QStringLiteral("Akumulator"));
    batteryLayout->addWidget(BATERY_vpp);
    layout->addWidget(battery);
    return column;
}

QWidget* DashboardPanel::buildPressuresAndTemperatures() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);

    auto* pressures = makeGroup(column, "GroupBox3", QStringLiteral("MAP/P1"));
    auto* grid = new QGridLayout(pressures);
    grid->setContentsMargins(4, 2, 4, 4);
    grid->setVerticalSpacing(2);
    Slala_P_MAP = new ui::HorizontalMeter(pressures);
    Slala_P_MAP->setObjectName(QStringLiteral("Slala_P_MAP"));
    Slala_P_MAP->setRange(0, 240);
    Slala_P_MAP->setTitle(QStringLiteral("MAP [kPa]"));
    Slala_P_MAP->setDecimals(1);
    Slala_P_MAP->setValueTextVisible(false);
    P_MAP_edit = new ui::ValueIndicator(pressures);
    P_MAP_edit->setObjectName(QStringLiteral("P_MAP_edit"));
    P_MAP_edit->setDecimals(1);
    P_MAP_edit->setUnit(QStringLiteral("[kPa]"));
    Skala_P1_MAP = new ui::HorizontalMeter(pressures);
    Skala_P1_MAP->setObjectName(QStringLiteral("Skala_P1_MAP"));
    Skala_P1_MAP->setRange(0, 3.0);
    Skala_P1_MAP->setTitle(QStringLiteral("P1 [bar]"));
    Skala_P1_MAP->setDecimals(2);
    Skala_P1_MAP->setValueTextVisible(false);
    P1_MAP_edit = new ui::ValueIndicator(pressures);
    P1_MAP_edit->setObjectName(QStringLiteral("P1_MAP_edit"));
    P1_MAP_edit->setDecimals(2);
    P1_MAP_edit->setUnit(QStringLiteral("[bar]"));
    for (QWidget* w : {static_cast<QWidget*>(Slala_P_MAP), static_cast<QWidget*>(Skala_P1_MAP)}) {
        w->setMinimumWidth(104);
    }
    for (QWidget* w : {static_cast<QWidget*>(P_MAP_edit), static_cast<QWidget*>(P1_MAP_edit)}) {
        w->setMinimumWidth(60);
    }
    grid->addWidget(Slala_P_MAP, 0, 0);
    grid->addWidget(P_MAP_edit, 0, 1);
    grid->addWidget(Skala_P1_MAP, 1, 0);
    grid->addWidget(P1_MAP_edit, 1, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    layout->addWidget(pressures);

    auto* lower = new QHBoxLayout;
    lower->setSpacing(3);
    auto* temperatures = new CaptionedPanel(QStringLiteral("Temperatura"), column);
    temperatures->setObjectName(QStringLiteral("GroupBox8"));
    auto* tempLayout = new QHBoxLayout;
    temperatures->outer()->addLayout(tempLayout, 1);
    TempGaz = new ui::Thermometer(temperatures);
    TempGaz->setObjectName(QStringLiteral("TempGaz"));
    TempGaz->setSignalName1(QStringLiteral("Gaz"));
    TempWoda = new ui::Thermometer(temperatures);
    TempWoda->setObjectName(QStringLiteral("TempWoda"));
    TempWoda->setSignalName1(QStringLiteral("Red"));
    for (ui::Thermometer* t : {TempGaz, TempWoda}) {
        t->setRange(-40, 120);
        t->setDecimals(0);
        t->setUnit(QStringLiteral("°C"));
        t->setValue(-40);
        t->setMinimumWidth(38);
        tempLayout->addWidget(t);
    }
    lower->addWidget(temperatures, 1);

    auto* lambdas = new CaptionedPanel(QStringLiteral("Sondy Lambda"), column);
    lambdas->setObjectName(QStringLiteral("GroupBox4"));
    auto* lambdaLayout = new QHBoxLayout;
    lambdas->outer()->addLayout(lambdaLayout, 1);
    lambda_1 = new ui::VerticalBar(lambdas);
    lambda_1->setObjectName(QStringLiteral("lambda_1"));
    lambda_1->setSignalName1(QStringLiteral("L1"));
    lambda_2 = new ui::VerticalBar(lambdas);
    lambda_2->setObjectName(QStringLiteral("lambda_2"));
    lambda_2->setSignalName1(QStringLiteral("L2"));
    for (ui::VerticalBar* b : {lambda_1, lambda_2}) {
        b->setRange(0, 1.0);
        b->setDecimals(1);
        b->setUnit(QStringLiteral("V"));
        b->setColor(QColor(0xF0, 0xB0, 0x20));
        b->setMinimumWidth(38);
        lambdaLayout->addWidget(b);
    }
    lower->addWidget(lambdas, 1);
    layout->addLayout(lower, 1);
    return column;
}

QWidget* DashboardPanel::buildCylinders() {
    Panel_slupki = new QWidget(this);
    Panel_slupki->setObjectName(QStringLiteral("Panel_slupki"));
    auto* layout = new QVBoxLayout(Panel_slupki);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);

    auto* bars = makeGroup(Panel_slupki, "GroupBox6", QStringLiteral("Wtryski Benzyna/Gaz"));
    auto* grid = new QGridLayout(bars);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(1);
    for (int k = 0; k < kCylinders; ++k) {
        auto* petrol = new ui::VerticalBar(bars);
        petrol->setObjectName(QStringLiteral("Skala_PB_time%1").arg(k + 1));
        petrol->setColor(kPetrolRed);
        petrol->setSignalName1(QStringLiteral("PB"));
        auto* gas = new ui::VerticalBar(bars);
        gas->setObjectName(QStringLiteral("gaz_slupek_%1").arg(k + 1));
        gas->setColor(kGasGreen);
        gas->setSignalName1(QStringLiteral("LPG"));
        for (ui::VerticalBar* b : {petrol, gas}) {
            b->setRange(0, 40);
            b->setDecimals(1);
            b->setScaleNumbersVisible(k == 0);
        }
        petrolBars[static_cast<std::size_t>(k)] = petrol;
        gasBars[static_cast<std::size_t>(k)] = gas;
        grid->addWidget(petrol, 0, 2 * k);
        grid->addWidget(gas, 0, 2 * k + 1);
        auto* led =
            makeLed(bars, QStringLiteral("Cyl_%1_led").arg(k), QString::number(k + 1), kGasGreen);
        cylinderLeds[static_cast<std::size_t>(k)] = led;
        grid->addWidget(led, 1, 2 * k, 1, 2, Qt::AlignHCenter);
        auto* show = new QRadioButton(bars);
        show->setObjectName(QStringLiteral("Cyl_%1_show").arg(k));
        show->setChecked(k == 0);
        show->setVisible(false);
        cylinderShow[static_cast<std::size_t>(k)] = show;
    }
    auto* legend = new QHBoxLayout;
    legend->addWidget(makeLabel(bars, "Label3", QStringLiteral("Benzyna [ms]")));
    legend->addStretch(1);
    legend->addWidget(makeLabel(bars, "aaa", QStringLiteral("Aktywne wtr. LPG")));
    legend->addStretch(1);
    legend->addWidget(makeLabel(bars, "Label4", QStringLiteral("Gaz [ms]")));
    grid->addLayout(legend, 2, 0, 1, 2 * kCylinders);
    grid->setRowStretch(0, 1);
    layout->addWidget(bars, 1);

    Panel_korekta = makeGroup(Panel_slupki, "Panel_korekta",
                              QStringLiteral("Korekta wtryskiwaczy gazowych   [ms]"));
    auto* korekta = new QGridLayout(Panel_korekta);
    korekta->setContentsMargins(4, 2, 4, 2);
    korekta->setHorizontalSpacing(3);
    korekta->setVerticalSpacing(2);
    for (int k = 0; k < kCylinders; ++k) {
        const QByteArray name = k == 0 ? QByteArray("Kor_1") : "kor_" + QByteArray::number(k + 1);
        auto* spin = makeSpin(Panel_korekta, name.constData(), -20, 20, 1);
        corrections[static_cast<std::size_t>(k)] = spin;
        korekta->addWidget(spin, 0, k);
        auto* bank = new QComboBox(Panel_korekta);
        bank->setObjectName(QStringLiteral("Bank_%1_ComBox").arg(k + 1));
        bank->addItems({QStringLiteral("BANK1"), QStringLiteral("BANK2")});
        bank->setCurrentIndex(0);
        banks[static_cast<std::size_t>(k)] = bank;
        korekta->addWidget(bank, 1, k);
    }
    // Six cylinders side by side in the bar column: the smaller type keeps them narrow.
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    for (QWidget* w : Panel_korekta->findChildren<QWidget*>()) {
        w->setFont(small);
    }
    for (QComboBox* bank : banks) {
        bank->setMinimumWidth(bank->fontMetrics().horizontalAdvance(QStringLiteral("BANK1")) + 28);
    }
    for (QSpinBox* spin : corrections) {
        spin->setMinimumWidth(spin->fontMetrics().horizontalAdvance(QStringLiteral("-20")) + 26);
    }
    Panel_korekta->setVisible(false);
    layout->addWidget(Panel_korekta);
    return Panel_slupki;
}

QWidget* DashboardPanel::buildFuelAndLevel() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);

    Zaplon_panel = makeGroup(column, "Zaplon_panel", QStringLiteral("Przełącznik"));
    Zaplon_panel->setEnabled(false);
    auto* fuel = new QVBoxLayout(Zaplon_panel);
    fuel->setContentsMargins(4, 2, 4, 4);
    paliwo_Switch = new ui::ToggleSwitch(Zaplon_panel);
    paliwo_Switch->setObjectName(QStringLiteral("paliwo_Switch"));
    paliwo_Switch->setClickToggles(false);
    paliwo_Switch->setOffText(QStringLiteral("PB"));
    paliwo_Switch->setOnText(QStringLiteral("LPG"));
    fuel->addWidget(paliwo_Switch);
    auto* leds = new QHBoxLayout;
    leds->setSpacing(2);
    rezerwa_led_gora = makeLed(Zaplon_panel, QStringLiteral("rezerwa_led_gora"),
                               QStringLiteral("R"), QColor(255, 60, 30));
    leds->addWidget(rezerwa_led_gora);
    for (int n = 0; n < 4; ++n) {
        auto* led =
            makeLed(Zaplon_panel, QStringLiteral("Gaz_led_%1g").arg(n + 1), QString(), kGasGreen);
        levelLedsTop[static_cast<std::size_t>(n)] = led;
        leds->addWidget(led);
    }
    fuel->addLayout(leds);
    layout->addWidget(Zaplon_panel);

    GroupBox18 = makeGroup(column, "GroupBox18", QStringLiteral("Wskaźnik poziomu"));
    auto* level = new QGridLayout(GroupBox18);
    level->setContentsMargins(4, 2, 4, 4);
    level->setHorizontalSpacing(2);
    level->setVerticalSpacing(3);
    auto* levelLeds = new QHBoxLayout;
    levelLeds->setSpacing(2);
    Rezerwa_led_panel = makeLed(GroupBox18, QStringLiteral("Rezerwa_led_panel"),
                                QStringLiteral("R"), QColor(255, 60, 30));
    levelLeds->addWidget(Rezerwa_led_panel);
    for (int n = 0; n < 4; ++n) {
        auto* led =
            makeLed(GroupBox18, QStringLiteral("Gaz_led_%1p").arg(n + 1), QString(), kGasGreen);
        levelLedsPanel[static_cast<std::size_t>(n)] = led;
        levelLeds->addWidget(led);
    }
    level->addLayout(levelLeds, 0, 0, 1, 4, Qt::AlignHCenter);
    for (int n = 0; n < 4; ++n) {
        auto* edit = new QLineEdit(QStringLiteral("0,00"), GroupBox18);
        edit->setObjectName(QStringLiteral("Ch_U_LPG_%1").arg(n + 1));
        edit->setReadOnly(true);
        edit->setMaxLength(4);
        edit->setAlignment(Qt::AlignCenter);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0,00")) + 10);
        thresholds[static_cast<std::size_t>(n)] = edit;
        level->addWidget(edit, 1, n);
    }
    level->addWidget(makeLabel(GroupBox18, "Label16", QStringLiteral("Odczyt [V]")), 2, 0, 1, 2);
    U_zbiornika = new QLineEdit(QStringLiteral("0.00"), GroupBox18);
    U_zbiornika->setObjectName(QStringLiteral("U_zbiornika"));
    U_zbiornika->setReadOnly(true);
    U_zbiornika->setAlignment(Qt::AlignCenter);
    U_zbiornika->setMinimumWidth(40);
    level->addWidget(U_zbiornika, 2, 2, 1, 2);
    level->addWidget(makeLabel(GroupBox18, "Label17", QStringLiteral("Rodzaj czujnika")), 3, 0, 1,
                     4);
    Rodz_czuj_LPG = new QComboBox(GroupBox18);
    Rodz_czuj_LPG->setObjectName(QStringLiteral("Rodz_czuj_LPG"));
    for (const model::LevelSensorType& type : model::levelSensorTypes()) {
        Rodz_czuj_LPG->addItem(type.text);
    }
    Rodz_czuj_LPG->setCurrentIndex(-1);
    level->addWidget(Rodz_czuj_LPG, 4, 0, 1, 4);
    level->setRowStretch(5, 1);
    Ch_U_LPG_changer = new QSlider(Qt::Vertical, this);
    Ch_U_LPG_changer->setObjectName(QStringLiteral("Ch_U_LPG_changer"));
    Ch_U_LPG_changer->setRange(0, 500);
    Ch_U_LPG_changer->setVisible(false);
    layout->addWidget(GroupBox18, 1);
    return column;
}

QWidget* DashboardPanel::buildSwitchOver() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);

    GroupBox17 = new CaptionedPanel(QStringLiteral("Parametry przełączania na PB"), column);
    GroupBox17->setObjectName(QStringLiteral("GroupBox17"));
    auto* petrol = new QGridLayout;
    GroupBox17->outer()->addLayout(petrol);
    petrol->setContentsMargins(4, 2, 4, 2);
    petrol->setVerticalSpacing(1);
    Check_by_first = new QCheckBox(GroupBox17);
    Check_by_first->setObjectName(QStringLiteral("Check_by_first"));
    petrol->addWidget(Check_by_first, 0, 0, Qt::AlignRight);
    petrol->addWidget(makeWrappedLabel(GroupBox17, "Label24",
                                       QStringLiteral("Przełącz przy pierwszym spadku ciśn.")),
                      0, 1);
    T_zwloki_changer = makeSpin(GroupBox17, "T_zwloki_changer", 0, 1450, 10);
    petrol->addWidget(T_zwloki_changer, 1, 0);
    petrol->addWidget(makeWrappedLabel(GroupBox17, "T_zwloki_changer_Label",
                                       QStringLiteral("ms\nCzas bł. ciśn.")),
                      1, 1);
    RPM_Max_To_Petrol = makeSpin(GroupBox17, "RPM_Max_To_Petrol", 0, 12000, 100);
    petrol->addWidget(RPM_Max_To_Petrol, 2, 0);
    petrol->addWidget(
        makeWrappedLabel(GroupBox17, "RPM_Max_To_Petrol_Label", QStringLiteral("rpm max")), 2, 1);
    RPM_Min_To_Petrol = makeSpin(GroupBox17, "RPM_Min_To_Petrol", 0, 15000, 20);
    petrol->addWidget(RPM_Min_To_Petrol, 3, 0);
    RPM_Min_To_Petrol_Label =
        makeWrappedLabel(GroupBox17, "RPM_Min_To_Petrol_Label", QStringLiteral("rpm min"));
    petrol->addWidget(RPM_Min_To_Petrol_Label, 3, 1);
    Min_Temp_Petrol_changer = makeSpin(GroupBox17, "Min_Temp_Petrol_changer", -25, 100, 1);
    petrol->addWidget(Min_Temp_Petrol_changer, 4, 0);
    Min_Temp_Petrol_changer_label =
        makeWrappedLabel(GroupBox17, "Min_Temp_Petrol_changer_label", QStringLiteral("°C min"));
    petrol->addWidget(Min_Temp_Petrol_changer_label, 4, 1);
    for (QWidget* w :
         {static_cast<QWidget*>(RPM_Min_To_Petrol), static_cast<QWidget*>(RPM_Min_To_Petrol_Label),
          static_cast<QWidget*>(Min_Temp_Petrol_changer),
          static_cast<QWidget*>(Min_Temp_Petrol_changer_label)}) {
        w->setVisible(false);
    }
    petrol->setColumnStretch(1, 1);
    layout->addWidget(GroupBox17);

    GroupBox13 = new CaptionedPanel(QStringLiteral("Parametry przełączania na LPG"), column);
    GroupBox13->setObjectName(QStringLiteral("GroupBox13"));
    auto* gas = new QGridLayout;
    GroupBox13->outer()->addLayout(gas);
    gas->setContentsMargins(4, 2, 4, 2);
    gas->setVerticalSpacing(1);
    Temp_LPG_changer = makeDoubleSpin(GroupBox13, "Temp_LPG_changer", 20, 90, 1, 1);
    gas->addWidget(Temp_LPG_changer, 0, 0);
    gas->addWidget(
        makeWrappedLabel(GroupBox13, "Temp_LPG_changer_label", QStringLiteral("°C\nTemperatura")),
        0, 1);
    T_przel_to_LPG = makeSpin(GroupBox13, "T_przel_to_LPG", 0, 800, 1);
    gas->addWidget(T_przel_to_LPG, 1, 0);
    gas->addWidget(
        makeWrappedLabel(GroupBox13, "T_przel_to_LPG_label", QStringLiteral("s\nCzas przeł.")), 1,
        1);
    T_CYL_seqence = makeSpin(GroupBox13, "T_CYL_seqence", 0, 2550, 10);
    gas->addWidget(T_CYL_seqence, 2, 0);
    gas->addWidget(
        makeWrappedLabel(GroupBox13, "T_CYL_seqence_label", QStringLiteral("ms\nPrzeł. cyl.")), 2,
        1);
    RPM_Prog_przel = makeSpin(GroupBox13, "RPM_Prog_przel", 300, 6000, 100);
    gas->addWidget(RPM_Prog_przel, 3, 0);
    gas->addWidget(makeWrappedLabel(GroupBox13, "RPM_Prog_przel_Label", QStringLiteral("rpm")), 3,
                   1);
    gas->setColumnStretch(1, 1);
    layout->addWidget(GroupBox13);
    layout->addStretch(1);
    return column;
}

}  // namespace omvi::app
