#include "app/settings_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/dashboard_panel.h"

namespace omvi::app {
namespace {

QComboBox* makeCombo(QWidget* parent, const char* name, const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->addItems(items);
    combo->setEditable(false);  // a typed text could select no item at all
    combo->setCurrentIndex(-1);
    return combo;
}

QGroupBox* makeGroup(QWidget* parent, const char* name, const QString& title) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

}  // namespace

SettingsPage::SettingsPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet1"));
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(6, 6, 6, 6);
    columns->setSpacing(8);

    // Engine
    // Untitled: the language table has no caption for this group.
    auto* engine = makeGroup(this, "GroupBox16", QString());
    auto* e = new QGridLayout(engine);
    e->addWidget(makeLabel(engine, "Label34", QStringLiteral("Ilość cylindrów")), 0, 0);
    Sel_cyl = makeCombo(engine, "Sel_cyl",
                        {QStringLiteral("3 cyl."), QStringLiteral("4 cyl."),
                         QStringLiteral("5 cyl."), QStringLiteral("6 cyl.")});
    e->addWidget(Sel_cyl, 0, 1);
    e->addWidget(makeLabel(engine, "Label35", QStringLiteral("Impuls")), 1, 0);
    Sel_Impuls = makeCombo(engine, "Sel_Impuls",
                           {QStringLiteral("Cewka pojedyncza"), QStringLiteral("Cewka podwójna"),
                            QStringLiteral("3 cyl."), QStringLiteral("4 cyl."),
                            QStringLiteral("5 cyl."), QStringLiteral("6 cyl.")});
    e->addWidget(Sel_Impuls, 1, 1);
    e->addWidget(makeLabel(engine, "Label36", QStringLiteral("Sygnał obrotów [V]")), 2, 0);
    Sel_RPM_signal = makeDoubleSpin(engine, "Sel_RPM_signal", 0, 15.0, 0.1, 1);
    e->addWidget(Sel_RPM_signal, 2, 1);
    e->addWidget(makeLabel(engine, "Label37", QStringLiteral("Typ silnika")), 3, 0);
    Sel_Typ_silnika =
        makeCombo(engine, "Sel_Typ_silnika", {QStringLiteral("Standard"), QStringLiteral("Turbo")});
    e->addWidget(Sel_Typ_silnika, 3, 1);
    e->addWidget(makeLabel(engine, "Label40", QStringLiteral("Wtryskiwacze sterowane [+]")), 4, 0);
    Check_Injector_plus = new QCheckBox(engine);
    Check_Injector_plus->setObjectName(QStringLiteral("Check_Injector_plus"));
    e->addWidget(Check_Injector_plus, 4, 1);
    e->setRowStretch(5, 1);
    columns->addWidget(engine, 5);

    // Gas injectors and fuel
    auto* middle = new QVBoxLayout;
    auto* injector = makeGroup(this, "GroupBox12", QStringLiteral("Wtryskiwacz gazowy"));
    auto* inj = new QGridLayout(injector);
    Sel_Typ_wtrysku =
        makeCombo(injector, "Sel_Typ_wtrysku",
                  {QStringLiteral("Valtek / RAIL 1 Ohm"), QStringLiteral("Valtek / RAIL 2 Ohm"),
                   QStringLiteral("Valtek / Rail 3 Ohm"), QStringLiteral("Valtek Type 34"),
                   QStringLiteral("MASTER/REG"), QStringLiteral("Matrix"), QStringLiteral("BRC"),
                   QStringLiteral("Keihin"), QStringLiteral("Stefanelli"), QStringLiteral("Zavoli"),
                   QStringLiteral("Rail Horizon 2 Ohm"), QStringLiteral("Rail Horizon 2,8 Ohm   "),
                   QStringLiteral("Magic Jet")});
    inj->addWidget(Sel_Typ_wtrysku, 0, 0, 1, 2);
    inj->addWidget(makeLabel(injector, "Min_in_time", QStringLiteral("Min. czas wtrysku [ms]")), 1,
                   0);
    obc_inj_changer = makeDoubleSpin(injector, "obc_inj_changer", 0, 5.0, 0.1, 1);
    inj->addWidget(obc_inj_changer, 1, 1);
    inj->addWidget(makeLabel(injector, "Mazda", QStringLiteral("Korekta MAZDA")), 2, 0);
    Mazda_changer = makeSpin(injector, "Mazda_changer", 0, 50, 1);
    inj->addWidget(Mazda_changer, 2, 1);
    Grzalka_CheckBox = new QCheckBox(QStringLiteral("Rozgrzewanie wtryskiwaczy"), injector);
    Grzalka_CheckBox->setObjectName(QStringLiteral("Grzalka_CheckBox"));
    inj->addWidget(Grzalka_CheckBox, 3, 0, 1, 2);
    Full_group_CheckBox = new QCheckBox(QStringLiteral("Full Group"), injector);
    Full_group_CheckBox->setObjectName(QStringLiteral("Full_group_CheckBox"));
    inj->addWidget(Full_group_CheckBox, 4, 0, 1, 2);
    middle->addWidget(injector);

    GroupBox15 = makeGroup(this, "GroupBox15", QStringLiteral("Rodzaj paliwa"));
    auto* fuel = new QHBoxLayout(GroupBox15);
    LPG_RadioButton = new QRadioButton(QStringLiteral("LPG"), GroupBox15);
    LPG_RadioButton->setObjectName(QStringLiteral("LPG_RadioButton"));
    CNG_RadioButton = new QRadioButton(QStringLiteral("CNG"), GroupBox15);
    CNG_RadioButton->setObjectName(QStringLiteral("CNG_RadioButton"));
    fuel->addWidget(LPG_RadioButton);
    fuel->addWidget(CNG_RadioButton);
    GroupBox15->setVisible(false);
    middle->addWidget(GroupBox15);
    middle->addStretch(1);
    columns->addLayout(middle, 5);

    // Sensors and pressures
    auto* right = new QVBoxLayout;
    auto* sensors = makeGroup(this, "GroupBox19", QStringLiteral("Czujniki"));
    auto* s = new QGridLayout(sensors);
    s->addWidget(makeLabel(sensors, "Label20", QStringLiteral("P1 MAP / P gazu")), 0, 0);
    P1_MAP_changer = makeCombo(sensors, "P1_MAP_changer", {QStringLiteral("OMVI 01")});
    P1_MAP_changer->setEnabled(false);
    s->addWidget(P1_MAP_changer, 0, 1);
    const QStringList temperatureSensors = {QStringLiteral("1,7 kOhm"), QStringLiteral("2,2 kOhm"),
                                            QStringLiteral("4,5 kOhm"), QStringLiteral("4,7 kOhm"),
                                            QStringLiteral("5 kOhm"),   QStringLiteral("10 kOhm")};
    s->addWidget(makeLabel(sensors, "Label21", QStringLiteral("Czuj. temp. red.")), 1, 0);
    T_RED_changer = makeCombo(sensors, "T_RED_changer", temperatureSensors);
    s->addWidget(T_RED_changer, 1, 1);
    s->addWidget(makeLabel(sensors, "Label22", QStringLiteral("Czuj. temp. gazu")), 2, 0);
    T_GAZ_changer = makeCombo(sensors, "T_GAZ_changer", temperatureSensors);
    s->addWidget(T_GAZ_changer, 2, 1);
    right->addWidget(sensors);

    auto* pressure = makeGroup(this, "GroupBox14", QStringLiteral("Kalibracja ciśnienia"));
    auto* p = new QGridLayout(pressure);
    p->addWidget(makeLabel(pressure, "P_pracy_changer_label", QStringLiteral("P. pracy")), 0, 0);
    P_pracy_changer = makeDoubleSpin(pressure, "P_pracy_changer", 0.40, 2.50, 0.01, 2);
    p->addWidget(P_pracy_changer, 0, 1);
    p->addWidget(makeLabel(pressure, "P_min_changer_label", QStringLiteral("P. min")), 1, 0);
    P_min_changer = makeDoubleSpin(pressure, "P_min_changer", 0.40, 2.50, 0.01, 2);
    p->addWidget(P_min_changer, 1, 1);
    right->addWidget(pressure);

    auto* buttons = new QHBoxLayout;
    Przebiegi_button = new SwitchButton(QStringLiteral("Przebiegi"), this);
    Przebiegi_button->setObjectName(QStringLiteral("Przebiegi_button"));
    Dobor_Dysz_BitBtn = new SwitchButton(QStringLiteral("Dobór dysz"), this);
    Dobor_Dysz_BitBtn->setObjectName(QStringLiteral("Dobor_Dysz_BitBtn"));
    buttons->addWidget(Przebiegi_button);
    buttons->addWidget(Dobor_Dysz_BitBtn);
    right->addLayout(buttons);
    right->addStretch(1);

    szybkosc = new QComboBox(this);
    szybkosc->setObjectName(QStringLiteral("szybkosc"));
    szybkosc->addItem(QStringLiteral("7200"));
    szybkosc->setPlaceholderText(QStringLiteral("Wybierz szybkość"));
    szybkosc->setEnabled(false);
    szybkosc->setVisible(false);
    columns->addLayout(right, 5);
}

}  // namespace omvi::app
