#include "app/settings_binder.h"

#include <QDateTime>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "app/dashboard_panel.h"
#include "app/main_window.h"
#include "app/settings_page.h"
#include "editor/editor_window.h"
#include "i18n/rows.h"
#include "link/bytes.h"
#include "model/code_tables.h"
#include "model/firmware_variant.h"
#include "service/counters_record.h"
#include "service/error_list.h"

namespace omvi::app {
namespace {

const QColor kGrey(128, 128, 128);
const QColor kRed(255, 0, 0);
const QColor kMarked(0, 128, 0);

template <class Widget, class Value>
void setBlocked(Widget* widget, const Value& value) {
    const QSignalBlocker block(widget);
    widget->setValue(value);
}

void selectBlocked(QComboBox* combo, const std::optional<int>& item) {
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(item && *item < combo->count() ? *item : -1);
}

void checkBlocked(QAbstractButton* button, bool checked) {
    const QSignalBlocker block(button);
    button->setChecked(checked);
}

void removeItemText(QComboBox* combo, int position, const QString& text) {
    if (position < combo->count() && combo->itemText(position) == text) {
        combo->removeItem(position);
    }
}

}  // namespace

SettingsBinder::SettingsBinder(MainWindow& window) : w_(window) {
    connectHandlers();
}

// ---------------------------------------------------------------------------------------------
// sending

void SettingsBinder::send(const std::optional<model::SettingCommand>& command) {
    if (!command || displaying_) {
        return;
    }
    for (const model::ImageEdit& edit : command->imageEdits) {
        w_.link().setConfigImageByte(edit.offset, edit.value);
    }
    if (command->cylinderMask) {
        cylinder_mask_ = *command->cylinderMask;
    }
    if (command->retryCount) {
        w_.link().setRetryCount(*command->retryCount);
    }
    w_.link().send_com(command->commands);
}

std::array<bool, 6> SettingsBinder::ledStates() const {
    std::array<bool, 6> states{};
    for (std::size_t k = 0; k < states.size(); ++k) {
        states[k] = w_.dashboard()->cylinderLeds[k]->isChecked();
    }
    return states;
}

void SettingsBinder::connectHandlers() {
    SettingsPage& s = *w_.settingsPage();
    DashboardPanel& d = *w_.dashboard();
    using model::SettingCommand;

    // Lists send on a user's choice only (activated), never on a change made by the display.
    connect(s.Sel_Impuls, &QComboBox::activated, this,
            [this](int item) { send(model::impulseCommand(item)); });
    connect(s.Sel_Typ_silnika, &QComboBox::activated, this, [this](int item) {
        // The map charts' pressure axis follows the engine type before the command goes.
        w_.editorWindow()->setPressureAxisMaximum(model::pressureAxisMaximum(item));
        send(model::engineTypeCommand(item));
    });
    connect(s.P1_MAP_changer, &QComboBox::activated, this,
            [this](int) { send(model::pressureSensorCommand()); });
    connect(s.T_RED_changer, &QComboBox::activated, this,
            [this](int item) { send(model::reducerSensorCommand(item)); });
    connect(s.T_GAZ_changer, &QComboBox::activated, this,
            [this](int item) { send(model::gasSensorCommand(item)); });
    connect(s.Sel_Typ_wtrysku, &QComboBox::activated, this,
            [this](int item) { send(model::injectorTypeCommand(item)); });
    connect(s.Sel_cyl, &QComboBox::activated, this, [this](int item) { Sel_cylChange(item); });

    // Check boxes and radio buttons send on a click.
    connect(s.Check_Injector_plus, &QCheckBox::clicked, this,
            [this](bool on) { send(model::injectorsPlusCommand(on)); });
    connect(d.Check_by_first, &QCheckBox::clicked, this,
            [this](bool on) { send(model::switchAtFirstDropCommand(on)); });
    connect(s.Full_group_CheckBox, &QCheckBox::clicked, this,
            [this](bool on) { send(model::fullGroupCommand(on)); });
    connect(s.Grzalka_CheckBox, &QCheckBox::clicked, this,
            [this](bool on) { send(model::injectorHeatingCommand(on)); });
    for (QRadioButton* radio : {s.LPG_RadioButton, s.CNG_RadioButton}) {
        connect(radio, &QRadioButton::clicked, this, [this] {
            send(model::fuelTypeCommand(w_.settingsPage()->CNG_RadioButton->isChecked()));
        });
    }

    // Spinners send on every step; the display sets them with their signals blocked.
    connect(s.Sel_RPM_signal, &QDoubleSpinBox::valueChanged, this,
            [this](double v) { send(model::rpmSignalCommand(v)); });
    connect(s.P_pracy_changer, &QDoubleSpinBox::valueChanged, this,
            [this](double v) { send(model::workPressureCommand(v)); });
    connect(s.P_min_changer, &QDoubleSpinBox::valueChanged, this,
            [this](double v) { send(model::minPressureCommand(v)); });
    connect(s.obc_inj_changer, &QDoubleSpinBox::valueChanged, this,
            [this](double v) { send(model::minInjectionTimeCommand(v)); });
    connect(s.Mazda_changer, &QSpinBox::valueChanged, this,
            [this](int v) { send(model::mazdaCommand(v)); });
    connect(d.Min_Temp_Petrol_changer, &QSpinBox::valueChanged, this,
            [this](int v) { send(model::minTempPetrolCommand(v)); });
    connect(d.RPM_Min_To_Petrol, &QSpinBox::valueChanged, this,
            [this](int v) { send(model::rpmMinToPetrolCommand(v)); });
    connect(d.T_zwloki_changer, &QSpinBox::valueChanged, this,
            [this](int v) { send(model::pressureErrorDelayCommand(v)); });
    connect(d.RPM_Max_To_Petrol, &QSpinBox::valueChanged, this,
            [this](int v) { send(model::rpmMaxToPetrolCommand(v)); });
    connect(d.Temp_LPG_changer, &QDoubleSpinBox::valueChanged, this,
            [this](double v) { send(model::gasTemperatureCommand(v)); });
    connect(d.RPM_Prog_przel, &QSpinBox::valueChanged, this,
            [this](int v) { send(model::rpmToGasCommand(v)); });
    connect(d.T_przel_to_LPG, &QSpinBox::valueChanged, this,
            [this](int v) { send(model::switchOverTimeCommand(v, w_.link().firmwareVariant())); });
    connect(d.T_CYL_seqence, &QSpinBox::valueChanged, this,
            [this](int v) { send(model::cylinderSequenceCommand(v)); });

    // Cylinder strip.
    for (int k = 0; k < DashboardPanel::kCylinders; ++k) {
        connect(d.cylinderLeds[static_cast<std::size_t>(k)], &ui::Led::clicked, this,
                [this, k] { Cyl_x_ledClick(k); });
        connect(d.corrections[static_cast<std::size_t>(k)], &QSpinBox::valueChanged, this,
                [this](int) {
                    std::array<double, 6> values{};
                    for (std::size_t i = 0; i < values.size(); ++i) {
                        values[i] = w_.dashboard()->corrections[i]->value();
                    }
                    send(model::correctionsCommand(values));
                });
        connect(d.banks[static_cast<std::size_t>(k)], &QComboBox::activated, this, [this](int) {
            std::array<int, 6> items{};
            for (std::size_t i = 0; i < items.size(); ++i) {
                items[i] = w_.dashboard()->banks[i]->currentIndex();
            }
            send(model::banksCommand(items));
        });
        connect(d.cylinderShow[static_cast<std::size_t>(k)], &QRadioButton::clicked, this,
                [this, k] {
                    if (w_.dashboard()->cylinderLeds[static_cast<std::size_t>(k)]->isChecked()) {
                        if (auto* pb =
                                w_.findChild<ui::VerticalBar*>(QStringLiteral("Skala_PB_time"))) {
                            pb->setSignalName2(QStringLiteral("CYL %1").arg(k + 1));
                        }
                    }
                });
    }
    connect(d.paliwo_Switch, &ui::ToggleSwitch::clicked, this, [this] { paliwo_SwitchClick(); });
    // The editor window's switch works only while the main window's fuel panel is live.
    connect(w_.editorWindow(), &editor::EditorWindow::fuelSwitchClicked, this, [this] {
        if (w_.dashboard()->Zaplon_panel->isEnabled()) {
            paliwo_SwitchClick();
        }
    });

    // Tank level calibration.
    for (QLineEdit* edit : d.thresholds) {
        edit->installEventFilter(this);
    }
    d.Rodz_czuj_LPG->installEventFilter(this);
    d.Ch_U_LPG_changer->installEventFilter(this);
    connect(d.Ch_U_LPG_changer, &QSlider::valueChanged, this, [this](int value) {
        Ch_U_LPG_changerValueChange(value);
        if (!w_.dashboard()->Ch_U_LPG_changer->isSliderDown()) {
            Ch_U_LPG_X_Change(false);  // a key or page step ends the change at once
        }
    });
    connect(d.Ch_U_LPG_changer, &QSlider::sliderReleased, this,
            [this] { Ch_U_LPG_X_Change(false); });
    connect(d.Rodz_czuj_LPG, &QComboBox::activated, this, [this](int) { Ch_U_LPG_X_Change(true); });
}

// ---------------------------------------------------------------------------------------------
// cylinders and fuel

void SettingsBinder::Sel_cylChange(int item) {
    link::Link& link = w_.link();
    if (!link.isPortOpen() || link.configImage().size() <= 10) {
        return;
    }
    const std::optional<model::SettingCommand> command = model::cylinderCountCommand(item);
    if (!command) {
        return;
    }
    for (const model::ImageEdit& edit : command->imageEdits) {
        link.setConfigImageByte(edit.offset, edit.value);
    }
    showCylinders(link.configImage());
    if (command->cylinderMask) {
        cylinder_mask_ = *command->cylinderMask;
    }
    link.setRetryCount(command->retryCount.value_or(model::SettingCommand::kDefaultRetry));
    link.send_com(command->commands);
}

void SettingsBinder::Cyl_x_ledClick(int index) {
    if (!w_.link().isPortOpen()) {
        return;
    }
    ui::Led* led = w_.dashboard()->cylinderLeds[static_cast<std::size_t>(index)];
    if (!led->isEnabled()) {
        return;
    }
    led->setChecked(!led->isChecked());
    if (w_.dashboard()->paliwo_Switch->isChecked()) {
        send(model::fuelChangeOverCommand(false, model::ledMask(ledStates())));
    }
}

void SettingsBinder::paliwo_SwitchClick() {
    const bool showsGas = w_.dashboard()->paliwo_Switch->isChecked();
    send(model::fuelChangeOverCommand(showsGas, model::ledMask(ledStates())));
}

// ---------------------------------------------------------------------------------------------
// tank level calibration

bool SettingsBinder::eventFilter(QObject* watched, QEvent* event) {
    DashboardPanel& d = *w_.dashboard();
    if (event->type() == QEvent::FocusIn) {
        for (int k = 0; k < 4; ++k) {
            if (watched == d.thresholds[static_cast<std::size_t>(k)]) {
                Ch_U_LPG_X_Enter(k);
            }
        }
        if (watched == d.Rodz_czuj_LPG) {
            Ch_U_LPG_X_Enter(-1);
        }
    } else if (event->type() == QEvent::FocusOut) {
        if (watched == d.Ch_U_LPG_changer || watched == d.Rodz_czuj_LPG) {
            Ch_U_LPG_X_Exit();
        }
    }
    return QObject::eventFilter(watched, event);
}

void SettingsBinder::Ch_U_LPG_X_Enter(int threshold) {
    DashboardPanel& d = *w_.dashboard();
    if (threshold >= 0 && threshold < 4) {
        QLineEdit* edit = d.thresholds[static_cast<std::size_t>(threshold)];
        markedThreshold_ = threshold;
        QPalette p = edit->palette();
        p.setColor(QPalette::Base, kMarked);
        p.setColor(QPalette::Text, Qt::white);
        edit->setPalette(p);
        // The slider stands beside the edit being changed, reaching down from it.
        QSlider* slider = d.Ch_U_LPG_changer;
        const QPoint at = edit->mapTo(&d, QPoint(edit->width() / 2, edit->height()));
        const int height = std::max(100, d.height() - at.y() - 4);
        slider->setGeometry(at.x() - 11, at.y() + 2, 22, std::min(height, 160));
        const std::optional<double> volts = model::parseThresholdText(edit->text(), edit->locale());
        const QSignalBlocker block(slider);
        slider->setValue(static_cast<int>(std::lround(volts.value_or(0) * 100)));
        slider->setVisible(true);
        slider->raise();
        slider->setFocus();
    }
    send(model::levelEnterCommand());
}

void SettingsBinder::Ch_U_LPG_changerValueChange(int value) {
    if (markedThreshold_ < 0) {
        return;
    }
    QLineEdit* edit = w_.dashboard()->thresholds[static_cast<std::size_t>(markedThreshold_)];
    edit->setText(model::thresholdSliderText(value / 100.0, edit->locale()));
}

void SettingsBinder::Ch_U_LPG_X_Change(bool fromSensorType) {
    DashboardPanel& d = *w_.dashboard();
    const int type = d.Rodz_czuj_LPG->currentIndex();
    if (fromSensorType && type >= 0) {
        const std::array<QString, 4> defaults =
            model::defaultThresholdTexts(type, d.thresholds[0]->locale());
        for (std::size_t k = 0; k < defaults.size(); ++k) {
            d.thresholds[k]->setText(defaults[k]);
        }
    }
    std::array<double, 4> volts{};
    for (std::size_t k = 0; k < volts.size(); ++k) {
        const std::optional<double> v =
            model::parseThresholdText(d.thresholds[k]->text(), d.thresholds[k]->locale());
        if (!v) {
            w_.showMessage(
                QStringLiteral("'%1' is not a valid voltage").arg(d.thresholds[k]->text()));
            return;
        }
        volts[k] = *v;
    }
    send(model::levelThresholdsCommand(volts, type));
    d.U_zbiornika->setFocus();
    Ch_U_LPG_X_Exit();
}

void SettingsBinder::Ch_U_LPG_X_Exit() {
    DashboardPanel& d = *w_.dashboard();
    for (QLineEdit* edit : d.thresholds) {
        edit->setPalette(d.palette());
    }
    markedThreshold_ = -1;
    d.Ch_U_LPG_changer->setVisible(false);
}

// ---------------------------------------------------------------------------------------------
// the configuration display

void SettingsBinder::prepareFirstConfiguration() {
    SettingsPage& s = *w_.settingsPage();
    DashboardPanel& d = *w_.dashboard();
    {
        const QSignalBlocker block(s.Sel_cyl);
        s.Sel_cyl->clear();
        for (int row = i18n::kRowCylinders3; row <= i18n::kRowCylinders6; ++row) {
            s.Sel_cyl->addItem(w_.languageText(row));
        }
    }
    {
        const QSignalBlocker block(s.Sel_Impuls);
        s.Sel_Impuls->clear();
        for (int row = i18n::kRowSingleCoil; row <= i18n::kRowPulse6Cylinders; ++row) {
            s.Sel_Impuls->addItem(w_.languageText(row));
        }
    }
    d.banks[4]->setEnabled(true);
    d.banks[5]->setEnabled(true);
    d.corrections[4]->setEnabled(true);
    d.corrections[5]->setEnabled(true);
}

void SettingsBinder::displayCylinders(const model::ConfigValues& v) {
    SettingsPage& s = *w_.settingsPage();
    DashboardPanel& d = *w_.dashboard();
    // Step 1: a controller for four cylinders offers no 5 and 6 cylinders.
    if (v.fourCylinderModel.value_or(false)) {
        removeItemText(s.Sel_cyl, 3, w_.languageText(i18n::kRowCylinders6));
        removeItemText(s.Sel_cyl, 2, w_.languageText(i18n::kRowCylinders5));
        if (s.Sel_Impuls->count() > 5) {
            s.Sel_Impuls->removeItem(5);
        }
        if (s.Sel_Impuls->count() > 4) {
            s.Sel_Impuls->removeItem(4);
        }
        d.banks[4]->setEnabled(false);
        d.banks[5]->setEnabled(false);
        d.corrections[4]->setEnabled(false);
        d.corrections[5]->setEnabled(false);
    }
    // Step 2: the nozzle number as a tooltip.
    if (v.nozzleHint) {
        s.Dobor_Dysz_BitBtn->setToolTip(*v.nozzleHint);
    }
    // Step 3: cylinder LEDs.
    for (int k = 3; k < DashboardPanel::kCylinders; ++k) {
        d.cylinderShow[static_cast<std::size_t>(k)]->setEnabled(true);
        d.cylinderLeds[static_cast<std::size_t>(k)]->setEnabled(true);
        d.cylinderLeds[static_cast<std::size_t>(k)]->setOffColor(kGrey);
    }
    for (ui::Led* led : d.cylinderLeds) {
        led->setChecked(false);
    }
    selectBlocked(s.Sel_cyl, v.cylinderItem);
    if (!v.cylinderItem || *v.cylinderItem >= s.Sel_cyl->count()) {
        return;
    }
    const int configured = *v.cylinderItem + 3;
    for (int k = 0; k < DashboardPanel::kCylinders; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (k < configured) {
            d.cylinderLeds[i]->setOffColor(kRed);
            d.cylinderLeds[i]->setChecked(true);
        } else {
            d.cylinderLeds[i]->setEnabled(false);
            d.cylinderShow[i]->setEnabled(false);
        }
    }
}

void SettingsBinder::showCylinders(const QByteArray& image) {
    displaying_ = true;
    const model::ConfigValues v =
        model::decodeConfigImage(image, w_.link().firmwareVariant(), w_.locale());
    displayCylinders(v);
    displaying_ = false;
}

void SettingsBinder::showConfiguration(const QByteArray& image) {
    displaying_ = true;
    SettingsPage& s = *w_.settingsPage();
    DashboardPanel& d = *w_.dashboard();
    const QString variant = w_.link().firmwareVariant();
    config_ = model::decodeConfigImage(image, variant, w_.locale());
    const model::ConfigValues& v = config_;

    displayCylinders(v);                         // steps 1..3
    selectBlocked(s.Sel_Impuls, v.impulseItem);  // 4
    if (v.rpmSignalVolts) {                      // 5
        setBlocked(s.Sel_RPM_signal, *v.rpmSignalVolts);
    }
    if (v.engineTypeItem) {  // 6
        selectBlocked(s.Sel_Typ_silnika, v.engineTypeItem);
        w_.editorWindow()->setPressureAxisMaximum(model::pressureAxisMaximum(*v.engineTypeItem));
    }
    selectBlocked(s.Sel_Typ_wtrysku, v.injectorTypeItem);  // 7
    if (v.injectorsPlus) {                                 // 8
        checkBlocked(s.Check_Injector_plus, *v.injectorsPlus);
    }
    if (v.switchAtFirstDrop) {
        checkBlocked(d.Check_by_first, *v.switchAtFirstDrop);
    }
    if (v.cng) {
        checkBlocked(s.CNG_RadioButton, *v.cng);
        checkBlocked(s.LPG_RadioButton, !*v.cng);
    }
    if (v.workPressureBar) {  // 9
        setBlocked(s.P_pracy_changer, *v.workPressureBar);
    }
    if (v.minPressureBar) {
        setBlocked(s.P_min_changer, *v.minPressureBar);
    }
    selectBlocked(s.P1_MAP_changer, v.pressureSensorItem);  // 10
    selectBlocked(s.T_RED_changer, v.reducerSensorItem);
    selectBlocked(s.T_GAZ_changer, v.gasSensorItem);
    if (v.rpmMaxToPetrol) {  // 11
        setBlocked(d.RPM_Max_To_Petrol, *v.rpmMaxToPetrol);
    }
    if (v.pressureErrorDelayMs) {
        setBlocked(d.T_zwloki_changer, *v.pressureErrorDelayMs);
    }
    if (v.gasTemperatureC) {
        setBlocked(d.Temp_LPG_changer, *v.gasTemperatureC);
    }
    if (v.rpmToGas) {
        setBlocked(d.RPM_Prog_przel, *v.rpmToGas);
    }
    if (v.switchOverTimeS) {
        setBlocked(d.T_przel_to_LPG, static_cast<int>(std::lround(*v.switchOverTimeS)));
    }
    if (v.cylinderSequenceMs) {
        setBlocked(d.T_CYL_seqence, *v.cylinderSequenceMs);
    }
    if (v.fullGroup) {  // 12
        checkBlocked(s.Full_group_CheckBox, *v.fullGroup);
    }
    if (v.injectorHeating) {
        checkBlocked(s.Grzalka_CheckBox, *v.injectorHeating);
    }
    if (v.minInjectionTimeMs) {
        setBlocked(s.obc_inj_changer, *v.minInjectionTimeMs);
    }
    if (v.mazdaCorrection) {
        setBlocked(s.Mazda_changer, static_cast<int>(std::lround(*v.mazdaCorrection)));
    }
    selectBlocked(d.Rodz_czuj_LPG, v.levelSensorItem);  // 13
    for (std::size_t k = 0; k < 4; ++k) {
        if (v.thresholdTexts[k]) {
            d.thresholds[k]->setText(*v.thresholdTexts[k]);
        }
    }
    auto* recorded = w_.findChild<QPlainTextEdit*>(QStringLiteral("Register_errors_memo"));
    if (recorded != nullptr) {  // 14
        recorded->setPlainText(
            service::errorLines(service::registeredErrors(image, variant),
                                [this](int row) { return w_.languageText(row); }));
    }
    if (v.rpmMinToPetrol) {  // 15
        setBlocked(d.RPM_Min_To_Petrol, *v.rpmMinToPetrol);
    }
    if (v.minTempPetrolC) {
        setBlocked(d.Min_Temp_Petrol_changer, *v.minTempPetrolC);
    }
    for (std::size_t k = 0; k < 6; ++k) {  // 16, 17
        if (v.corrections[k]) {
            setBlocked(d.corrections[k], *v.corrections[k]);
        }
        selectBlocked(d.banks[k], v.bankItems[k]);
    }
    // Steps 18..20 (map, temperature curve, rpm grid) are kept in config_ for the editor.
    if (v.countersRecord) {  // 21
        showCounters(*v.countersRecord);
    }
    displaying_ = false;
}

void SettingsBinder::applyFirmwareVariant(const QString& variant) {
    const std::optional<model::VariantProfile> profile = model::profileFor(variant);
    if (!profile) {
        return;
    }
    SettingsPage& s = *w_.settingsPage();
    DashboardPanel& d = *w_.dashboard();
    s.GroupBox15->setVisible(profile->fuelTypeGroupVisible);
    d.Min_Temp_Petrol_changer->setVisible(profile->minTempPetrolVisible);
    d.Min_Temp_Petrol_changer_label->setVisible(profile->minTempPetrolVisible);
    d.RPM_Min_To_Petrol->setVisible(profile->rpmMinToPetrolVisible);
    d.RPM_Min_To_Petrol_Label->setVisible(profile->rpmMinToPetrolVisible);
    d.Panel_korekta->setVisible(profile->correctionsPanelVisible);
    w_.setStatusPanel1Plain(profile->lastConnectionTextShown);
    QTabWidget* tabs = w_.tabs();
    if (!profile->serviceTabVisible && tabs->currentIndex() == MainWindow::kTabService) {
        tabs->setCurrentIndex(MainWindow::kTabPanelPetrol);
    }
    tabs->setTabVisible(MainWindow::kTabService, profile->serviceTabVisible);
    tabs->setTabVisible(MainWindow::kTabHelp, profile->helpTabVisible);
    const QSignalBlocker block(d.T_przel_to_LPG);
    d.T_przel_to_LPG->setMaximum(profile->switchOverTimeMaximum);
}

// ---------------------------------------------------------------------------------------------
// counters record

void SettingsBinder::showCounters(const QByteArray& record) {
    if (record.isEmpty()) {
        return;
    }
    link::Link& link = w_.link();
    const service::CountersRecord counters = service::decodeCountersRecord(record);
    if (counters.serviceField1) {
        link.setSlot(link::Link::kServiceField1, *counters.serviceField1);
    }
    if (counters.serviceField2) {
        link.setSlot(link::Link::kServiceField1 + 1, *counters.serviceField2);
    }
    if (counters.gasSeconds) {
        // No service interval has been entered on this connection yet.
        link.setSlot(link::Link::kServiceField1 + 2,
                     service::serviceDueField(0, *counters.gasSeconds));
    }
    if (counters.serviceField4) {
        link.setSlot(link::Link::kServiceField1 + 3, *counters.serviceField4);
    }
    if (link.linkState() != QLatin1String("T_C_start")) {
        return;
    }
    if (counters.lastPc) {
        const QDateTime& t = *counters.lastPc;
        QString text = w_.locale().toString(t.date(), QLocale::ShortFormat);
        if (t.time() != QTime(0, 0)) {
            // The locale's long time, without a time zone: the record keeps wall-clock time.
            QString format = w_.locale().timeFormat(QLocale::LongFormat);
            format.remove(QLatin1Char('t'));
            text += QLatin1Char(' ') + t.time().toString(format.trimmed());
        }
        w_.setStatusPanel1Text(w_.statusPanel1Text() + text);
    }
    if (const auto stamp = service::connectionStamp(counters, QDateTime::currentDateTime())) {
        link.setRetryCount(
            stamp->command.retryCount.value_or(model::SettingCommand::kDefaultRetry));
        link.setSlot(link::Link::kTxQueue, stamp->command.commands[0]);
        link.setSlot(link::Link::kServiceField1 + 2, stamp->serviceField3);
    }
}

}  // namespace omvi::app
