#include "model/code_tables.h"

namespace omvi::model {

namespace {

template <class Table>
std::optional<int> itemForCode(const Table& table, int code) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].code == code) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

}  // namespace

const std::array<InjectorType, 13>& injectorTypes() {
    // "Zavoli" has no 0x24 value of its own; it gets 6, the value of the other 2-Ohm-class rails
    // (Valtek 1 and 2 Ohm, Matrix, BRC, Keihin, Horizon), rather than an arbitrary byte.
    static const std::array<InjectorType, 13> table{{
        {QStringLiteral("Valtek / RAIL 1 Ohm"), 8, 6, 30, 89, 20},
        {QStringLiteral("Valtek / RAIL 2 Ohm"), 9, 6, 45, 102, 10},
        {QStringLiteral("Valtek / Rail 3 Ohm"), 3, 9, 48, 128, 20},
        {QStringLiteral("Valtek Type 34"), 15, 4, 30, 77, 20},
        {QStringLiteral("MASTER/REG"), 4, 6, 45, 128, 20},
        {QStringLiteral("Matrix"), 1, 6, 30, 102, 10},
        {QStringLiteral("BRC"), 6, 6, 30, 102, 10},
        {QStringLiteral("Keihin"), 7, 6, 30, 102, 10},
        {QStringLiteral("Stefanelli"), 0, 0, 0, 255, 1},
        {QStringLiteral("Zavoli"), 5, 6, 50, 128, 20},
        {QStringLiteral("Rail Horizon 2 Ohm"), 12, 6, 25, 102, 20},
        {QStringLiteral("Rail Horizon 2,8 Ohm   "), 13, 6, 30, 128, 20},
        {QStringLiteral("Magic Jet"), 11, 9, 45, 128, 20},
    }};
    return table;
}

std::optional<int> injectorItemForCode(int code) {
    return itemForCode(injectorTypes(), code);
}

const std::array<CodedItem, 6>& temperatureSensors() {
    static const std::array<CodedItem, 6> table{{
        {QStringLiteral("1,7 kOhm"), 2},
        {QStringLiteral("2,2 kOhm"), 1},
        {QStringLiteral("4,5 kOhm"), 3},
        {QStringLiteral("4,7 kOhm"), 5},
        {QStringLiteral("5 kOhm"), 4},
        {QStringLiteral("10 kOhm"), 0},
    }};
    return table;
}

std::optional<int> temperatureSensorItemForCode(int code) {
    return itemForCode(temperatureSensors(), code);
}

const std::array<LevelSensorType, 6>& levelSensorTypes() {
    static const std::array<LevelSensorType, 6> table{{
        {QStringLiteral("0-90 Ohm"), 0, {0.70, 1.50, 2.20, 2.80}},
        {QStringLiteral("90-0 Ohm"), 2, {2.80, 2.20, 1.50, 0.70}},
        {QStringLiteral("0-50 kOhm"), 1, {0.90, 2.00, 3.10, 4.10}},
        {QStringLiteral("50-0 kOhm"), 3, {4.10, 3.10, 2.00, 0.90}},
        {QStringLiteral("HAL1"), 33, {4.10, 3.10, 2.00, 0.90}},
        {QStringLiteral("HAL2"), 43, {0.70, 1.50, 2.20, 2.80}},
    }};
    return table;
}

std::optional<int> levelSensorItemForCode(int code) {
    return itemForCode(levelSensorTypes(), code);
}

QStringList pressureSensorItems() {
    return {QStringLiteral("OMVI 01")};
}

QStringList impulseItems() {
    return {QStringLiteral("Cewka pojedyncza"), QStringLiteral("Cewka podwójna"),
            QStringLiteral("3 cyl."),           QStringLiteral("4 cyl."),
            QStringLiteral("5 cyl."),           QStringLiteral("6 cyl.")};
}

QStringList cylinderItems() {
    return {QStringLiteral("3 cyl."), QStringLiteral("4 cyl."), QStringLiteral("5 cyl."),
            QStringLiteral("6 cyl.")};
}

QStringList engineTypeItems() {
    return {QStringLiteral("Standard"), QStringLiteral("Turbo")};
}

QStringList bankItems() {
    return {QStringLiteral("BANK1"), QStringLiteral("BANK2")};
}

QStringList fuelTypeItems() {
    return {QStringLiteral("LPG"), QStringLiteral("CNG")};
}

int impulseItemCount(bool fourCylinderModel) {
    return fourCylinderModel ? 4 : 6;
}

int cylinderItemCount(bool fourCylinderModel) {
    return fourCylinderModel ? 2 : 4;
}

}  // namespace omvi::model
