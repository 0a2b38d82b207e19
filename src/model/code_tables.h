#pragma once
// The fixed item lists of the settings controls and the codes the controller stores for them.
// Decoding the configuration and building commands read the same tables, so a code can never
// mean one item on the way in and another on the way out.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

namespace omvi::model {

// Gas injector types: the code stored in configuration byte 367 and the four parameters the
// controller gets with it (commands 0x24, 0x30, 0x38, 0x44).
struct InjectorType {
    QString text;
    std::uint8_t code;
    std::uint8_t a;  // 0x24
    std::uint8_t b;  // 0x30
    std::uint8_t c;  // 0x38
    std::uint8_t d;  // 0x44
};
const std::array<InjectorType, 13>& injectorTypes();
std::optional<int> injectorItemForCode(int code);

struct CodedItem {
    QString text;
    std::uint8_t code;
};

// Reducer and gas temperature sensors (bytes 352, 353; commands 0x13, 0x18).
const std::array<CodedItem, 6>& temperatureSensors();
std::optional<int> temperatureSensorItemForCode(int code);

// Tank level sensor types (byte 351, command 0x0D) with the thresholds, in volts, that choosing a
// type puts into the four threshold edits.
struct LevelSensorType {
    QString text;
    std::uint8_t code;
    std::array<double, 4> defaultThresholds;
};
const std::array<LevelSensorType, 6>& levelSensorTypes();
std::optional<int> levelSensorItemForCode(int code);

// Gas pressure sensor (byte 355): one item, code 4.
inline constexpr std::uint8_t kPressureSensorCode = 4;
QStringList pressureSensorItems();

// Plain item lists (item index is what the controller stores or gets).
QStringList impulseItems();     // Sel_Impuls, byte 343
QStringList cylinderItems();    // Sel_cyl, byte 344 minus 2
QStringList engineTypeItems();  // Sel_Typ_silnika, bit 3 of byte 356
QStringList bankItems();        // Bank_x_ComBox
QStringList fuelTypeItems();    // LPG_RadioButton, CNG_RadioButton

// A controller for at most four cylinders (byte 28 = 4) offers fewer items in two lists.
inline constexpr int kFourCylinderModel = 4;
int impulseItemCount(bool fourCylinderModel);
int cylinderItemCount(bool fourCylinderModel);

}  // namespace omvi::model
