#pragma once
// What each settings control sends when the fitter changes it: one send_com call (up to five
// commands, the first sent at once and the others queued behind it) and the transmission budget
// to set before the call. Pure functions of the control's new value; the caller hands the result
// to the link and applies the image edits and cylinder mask it names. A selection that names no
// item (a list with nothing selected) sends nothing rather than a meaningless byte.

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "link/link_state_machine.h"

namespace omvi::model {

// One byte of the kept configuration image that the handler changes in place.
struct ImageEdit {
    int offset = 0;
    std::uint8_t value = 0;
    bool operator==(const ImageEdit&) const = default;
};

struct SettingCommand {
    static constexpr int kDefaultRetry = 5;

    link::Commands commands;
    // Empty: the budget is left as the previous operation left it.
    std::optional<int> retryCount = kDefaultRetry;
    std::vector<ImageEdit> imageEdits;
    std::optional<std::uint8_t> cylinderMask;  // the new cylinder_mask, when the handler sets it
};

// --- engine, sensor, switch-over and injector settings ------------------------------------

std::optional<SettingCommand> impulseCommand(int item);        // Sel_Impuls
SettingCommand rpmSignalCommand(double volts);                 // Sel_RPM_signal
std::optional<SettingCommand> engineTypeCommand(int item);     // Sel_Typ_silnika
SettingCommand injectorsPlusCommand(bool checked);             // Check_Injector_plus
SettingCommand switchAtFirstDropCommand(bool checked);         // Check_by_first
SettingCommand workPressureCommand(double bar);                // P_pracy_changer
SettingCommand minPressureCommand(double bar);                 // P_min_changer
SettingCommand pressureSensorCommand();                        // P1_MAP_changer
std::optional<SettingCommand> reducerSensorCommand(int item);  // T_RED_changer
std::optional<SettingCommand> gasSensorCommand(int item);      // T_GAZ_changer
SettingCommand fuelTypeCommand(bool cng);                      // LPG_RadioButton, CNG_RadioButton
SettingCommand minTempPetrolCommand(double celsius);           // Min_Temp_Petrol_changer
SettingCommand rpmMinToPetrolCommand(double rpm);              // RPM_Min_To_Petrol
SettingCommand pressureErrorDelayCommand(double ms);           // T_zwloki_changer
SettingCommand rpmMaxToPetrolCommand(double rpm);              // RPM_Max_To_Petrol
SettingCommand gasTemperatureCommand(double celsius);          // Temp_LPG_changer
SettingCommand rpmToGasCommand(double rpm);                    // RPM_Prog_przel
// T_przel_to_LPG: one byte for "ver_1", two for the later firmware, nothing without a variant.
std::optional<SettingCommand> switchOverTimeCommand(double seconds, const QString& variant);
SettingCommand cylinderSequenceCommand(double ms);  // T_CYL_seqence
// Sel_Typ_wtrysku: the code and its four parameters in one call; also edits image byte 367.
std::optional<SettingCommand> injectorTypeCommand(int item);
SettingCommand fullGroupCommand(bool checked);        // Full_group_CheckBox
SettingCommand injectorHeatingCommand(bool checked);  // Grzalka_CheckBox
SettingCommand minInjectionTimeCommand(double ms);    // obc_inj_changer
SettingCommand mazdaCommand(double value);            // Mazda_changer

// --- cylinders, fuel change-over, corrections, banks ------------------------------------------

// Sel_cyl: edits image byte 344 and sets cylinder_mask. The window only sends it while the port
// is open and the kept image is longer than 10 bytes.
std::optional<SettingCommand> cylinderCountCommand(int item);
inline std::uint8_t maskForCylinders(int count) {
    return static_cast<std::uint8_t>((1 << count) - 1);
}

// The LED mask: bit k set when the LED of cylinder k+1 is checked.
std::uint8_t ledMask(const std::array<bool, 6>& checked);
// A click on either fuel switch: while it shows petrol it asks for gas on the cylinders of the
// mask, while it shows gas it asks for petrol. A cylinder LED click while on gas asks for gas.
SettingCommand fuelChangeOverCommand(bool switchShowsGas, std::uint8_t ledMask);
// The adaptation's change-over: its first step also sends 0x25 before it.
SettingCommand adaptationChangeOverCommand(int adaptStep, std::uint8_t cylinderMask);

// Kor_1, kor_2..kor_6: all six values whichever changed; each rounded, sent as value + 128.
SettingCommand correctionsCommand(const std::array<double, 6>& corrections);
// Bank_1_ComBox..Bank_6_ComBox: all six lists, item 0 ("BANK1") sets the cylinder's bit.
SettingCommand banksCommand(const std::array<int, 6>& bankItems);

// --- tank level sensor ------------------------------------------------------------------------

// Entering a threshold edit or the sensor-type list.
SettingCommand levelEnterCommand();
// The whole set: four thresholds in volts and the sensor type, then the queued end of editing.
std::optional<SettingCommand> levelThresholdsCommand(const std::array<double, 4>& volts,
                                                     int sensorItem);
// Threshold texts use one locale for writing and reading, the defaults of a type included, so
// they parse whatever the decimal separator.
QString thresholdEditText(double volts, const QLocale& locale = QLocale());    // 2 decimals
QString thresholdSliderText(double volts, const QLocale& locale = QLocale());  // as moved
std::array<QString, 4> defaultThresholdTexts(int sensorItem, const QLocale& locale = QLocale());
std::optional<double> parseThresholdText(const QString& text, const QLocale& locale = QLocale());

}  // namespace omvi::model
