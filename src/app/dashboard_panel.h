#pragma once
// The top panel of the main window (`Panel1Gora`): the live instruments, the cylinder strip with
// its correction and bank controls, the fuel switch, the tank level group and the switch-over
// parameters. It only holds the widgets; the main window binds values onto them.

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QWidget>
#include <array>

#include "app/captioned_panel.h"
#include "ui/horizontal_meter.h"
#include "ui/led.h"
#include "ui/meter270.h"
#include "ui/progress_strip.h"
#include "ui/thermometer.h"
#include "ui/toggle_switch.h"
#include "ui/value_indicator.h"
#include "ui/vertical_bar.h"

namespace omvi::app {

class DashboardPanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kCylinders = 6;

    explicit DashboardPanel(QWidget* parent = nullptr);

    // Grey (RGB 128, 128, 128) while the link is busy, the button face otherwise.
    void setGrey(bool grey);

    // Port group
    ui::ToggleSwitch* Polacz_switch;
    QProgressBar* ProgressBar1;
    // Engine speed and battery
    ui::Meter270* RPM_zegar;
    ui::ValueIndicator* RPM_Edit;
    ui::ValueIndicator* BATERY_vpp;
    // Pressures
    ui::HorizontalMeter* Slala_P_MAP;
    ui::ValueIndicator* P_MAP_edit;
    ui::HorizontalMeter* Skala_P1_MAP;
    ui::ValueIndicator* P1_MAP_edit;
    // Temperatures and lambda
    ui::Thermometer* TempGaz;
    ui::Thermometer* TempWoda;
    ui::VerticalBar* lambda_1;
    ui::VerticalBar* lambda_2;
    // Cylinder strip
    QWidget* Panel_slupki;
    std::array<ui::VerticalBar*, kCylinders> petrolBars{};  // Skala_PB_time1..6
    std::array<ui::VerticalBar*, kCylinders> gasBars{};     // gaz_slupek_1..6
    std::array<ui::Led*, kCylinders> cylinderLeds{};        // Cyl_0_led..Cyl_5_led
    std::array<QRadioButton*, kCylinders> cylinderShow{};   // Cyl_0_show..Cyl_5_show (hidden)
    QGroupBox* Panel_korekta;
    std::array<QSpinBox*, kCylinders> corrections{};  // Kor_1, kor_2..kor_6
    std::array<QComboBox*, kCylinders> banks{};       // Bank_1_ComBox..Bank_6_ComBox
    // Fuel switch
    QGroupBox* Zaplon_panel;
    ui::ToggleSwitch* paliwo_Switch;
    ui::Led* rezerwa_led_gora;
    std::array<ui::Led*, 4> levelLedsTop{};  // Gaz_led_1g..4g
    // Tank level
    QGroupBox* GroupBox18;
    ui::Led* Rezerwa_led_panel;
    std::array<ui::Led*, 4> levelLedsPanel{};  // Gaz_led_1p..4p
    QLineEdit* U_zbiornika;
    std::array<QLineEdit*, 4> thresholds{};  // Ch_U_LPG_1..4
    QComboBox* Rodz_czuj_LPG;
    QSlider* Ch_U_LPG_changer;
    // Switch-over parameters
    CaptionedPanel* GroupBox17;
    CaptionedPanel* GroupBox13;
    QCheckBox* Check_by_first;
    QSpinBox* T_zwloki_changer;
    QSpinBox* RPM_Max_To_Petrol;
    QSpinBox* RPM_Min_To_Petrol;
    QLabel* RPM_Min_To_Petrol_Label;
    QSpinBox* Min_Temp_Petrol_changer;
    QLabel* Min_Temp_Petrol_changer_label;
    QDoubleSpinBox* Temp_LPG_changer;
    QSpinBox* T_przel_to_LPG;
    QSpinBox* T_CYL_seqence;
    QSpinBox* RPM_Prog_przel;
    // Errors
    ui::ProgressStrip* Error_Led;

  private:
    QWidget* buildPortAndSpeed();
    QWidget* buildPressuresAndTemperatures();
    QWidget* buildCylinders();
    QWidget* buildFuelAndLevel();
    QWidget* buildSwitchOver();
};

// Spin boxes whose text cannot be typed into: values change by the arrows only, as every
// setting is sent to the controller at each step.
QSpinBox* makeSpin(QWidget* parent, const char* name, int min, int max, int step);
QDoubleSpinBox* makeDoubleSpin(QWidget* parent, const char* name, double min, double max,
                               double step, int decimals);
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text);
QLabel* makeWrappedLabel(QWidget* parent, const char* name, const QString& text);

}  // namespace omvi::app
