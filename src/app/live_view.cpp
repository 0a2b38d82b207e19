#include "app/live_view.h"

#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "app/dashboard_panel.h"
#include "app/main_window.h"
#include "editor/editor_window.h"
#include "i18n/rows.h"
#include "service/error_list.h"
#include "ui/led.h"
#include "ui/toggle_switch.h"

namespace omvi::app {
namespace {

const QColor kRed(255, 0, 0);
const QColor kLightRed(255, 60, 60);
const QColor kLime(0, 255, 0);

}  // namespace

LiveView::LiveView(MainWindow& window) : w_(window) {}

int LiveView::selectedCylinder() const {
    const DashboardPanel& d = *w_.dashboard();
    for (std::size_t k = 0; k < d.cylinderShow.size(); ++k) {
        if (d.cylinderShow[k]->isChecked()) {
            return static_cast<int>(k) + 1;
        }
    }
    return 1;
}

void LiveView::show_live_data(const QByteArray& frame) {
    if (!model::acceptable(frame, w_.link().liveCheckByte())) {
        return;
    }
    const model::LiveData data = model::decodeLiveFrame(frame);
    DashboardPanel& d = *w_.dashboard();

    // Lambda: the scale widens for good once a probe reads above 1.21 V.
    lambda1Scale_.update(data.lambda1RawVolts);
    lambda2Scale_.update(data.lambda2RawVolts);
    d.lambda_1->setMaximum(lambda1Scale_.top);
    d.lambda_2->setMaximum(lambda2Scale_.top);
    d.lambda_1->setValue(data.lambda1Volts);
    d.lambda_2->setValue(data.lambda2Volts);

    d.RPM_zegar->setValue(data.rpmThousands);
    d.RPM_Edit->setValue(data.rpm);
    d.BATERY_vpp->setValue(data.batteryVolts);
    d.TempWoda->setValue(data.reducerTempC);
    d.TempGaz->setValue(data.gasTempC);
    for (int k = 0; k < DashboardPanel::kCylinders; ++k) {
        d.cylinderLeds[static_cast<std::size_t>(k)]->setChecked(data.cylinderActive(k + 1));
    }
    d.Slala_P_MAP->setValue(data.manifoldKpa);
    d.P_MAP_edit->setValue(data.manifoldKpa);
    d.Skala_P1_MAP->setValue(data.gasPressureBar);
    d.P1_MAP_edit->setValue(data.gasPressureBar);

    // Ignition: the fuel switch and the speed dial look alive only with the ignition on.
    d.Zaplon_panel->setEnabled(data.ignitionOn);
    const QColor face = d.palette().color(QPalette::Button);
    editor::EditorWindow* editor = w_.editorWindow();
    for (ui::ToggleSwitch* fuel : {d.paliwo_Switch, editor->paliwoSwitch()}) {
        fuel->setOffColor(data.ignitionOn ? kRed : face);
        fuel->setOnColor(data.ignitionOn ? kLime : face);
    }
    d.RPM_zegar->setSectorOffset(data.ignitionOn ? 0 : 300);
    d.RPM_zegar->setArrowShape(data.ignitionOn ? 6 : 2);
    d.paliwo_Switch->setChecked(data.onGas);
    editor->paliwoSwitch()->setChecked(data.onGas);

    if (auto* lpg = w_.findChild<ui::VerticalBar*>(QStringLiteral("Skala_LPG_time"))) {
        lpg->setValue(data.gasMs[0]);
    }
    const int selected = selectedCylinder();
    if (auto* pb = w_.findChild<ui::VerticalBar*>(QStringLiteral("Skala_PB_time"))) {
        pb->setValue(data.petrolMs[static_cast<std::size_t>(selected - 1)]);
    }
    for (int k = 0; k < DashboardPanel::kCylinders; ++k) {
        d.petrolBars[static_cast<std::size_t>(k)]->setValue(
            data.petrolMs[static_cast<std::size_t>(k)]);
    }

    if (w_.link().firmwareVariant() == QLatin1String("ver_1")) {
        for (QSpinBox* spin : d.corrections) {
            const QSignalBlocker block(spin);
            spin->setValue(0);
        }
    }

    const int k1 = d.corrections[0]->value();
    for (int k = 0; k < DashboardPanel::kCylinders; ++k) {
        const auto i = static_cast<std::size_t>(k);
        ui::VerticalBar* bar = d.gasBars[i];
        bar->setSignalName2(model::gasCorrectionLabel(data.gasMs[i], data.petrolMs[i], k1,
                                                      d.corrections[i]->value(), bar->value(),
                                                      bar->locale()));
        bar->setValue(data.gasMs[i]);
    }

    const model::TankLeds tank = model::tankLeds(data.tankLevel);
    d.rezerwa_led_gora->setChecked(tank.reserve);
    d.Rezerwa_led_panel->setChecked(tank.reserve);
    editor->reserveLed()->setChecked(tank.reserve);
    for (std::size_t n = 0; n < tank.level.size(); ++n) {
        d.levelLedsTop[n]->setChecked(tank.level[n]);
        d.levelLedsPanel[n]->setChecked(tank.level[n]);
        editor->levelLeds()[n]->setChecked(tank.level[n]);
    }
    d.U_zbiornika->setText(model::tankVoltageText(data.tankSensorVolts, d.U_zbiornika->locale()));

    editor->feedOscilloscope(data.rpmThousands, data.lambda1Volts);

    showActualErrors(data);

    model::placeLearnedSamples(data, petrol_samples_, gas_samples_);
    editor->storeLearnedSamples(frame);
    editor->rysuj_map(data.curveMode);
    editor->markOperatingPoint(data.rpm, data.petrolMs[0], data.gasTempC);
}

void LiveView::showActualErrors(const model::LiveData& data) {
    const QString text = service::errorLines(
        service::actualErrors(data.errorFlags50, data.errorFlags51, data.injectorErrorFlags),
        [this](int row) { return w_.languageText(row); });
    w_.setActualErrorsText(text);
    DashboardPanel& d = *w_.dashboard();
    d.Error_Led->setVisible(!text.isEmpty());
    errorLedLight_ = !errorLedLight_;
    d.Error_Led->setColor(errorLedLight_ ? kLightRed : kRed);
}

}  // namespace omvi::app
