#pragma once
// The configuration image: the controller's whole configuration as one answer frame, kept
// unchanged and decoded here into the values the settings controls and the editor show.
//
// A complete image holds bytes 0..1347. A shorter image decodes what it holds: every field is
// present only when all the bytes it is read from are in the image, and absent (std::nullopt)
// otherwise, so a missing byte never shows as a plausible 0. A selection whose code matches no
// item is absent as well, which is how the list shows it: no selection.

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace omvi::model {

struct ConfigValues {
    static constexpr int kCompleteLength = 1348;
    static constexpr int kMapPoints = 246;
    static constexpr int kTempPoints = 17;
    static constexpr int kGridRows = 13;
    static constexpr int kGridColumns = 26;

    int imageLength = 0;
    bool complete = false;

    std::optional<std::array<int, 3>> firmwareVersion;  // bytes 4, 5, 6
    std::optional<bool> fourCylinderModel;              // byte 28 = 4
    std::optional<std::uint8_t> liveCheckByte;          // byte 301
    std::optional<QString> nozzleHint;                  // byte 302; empty text for 0

    std::optional<int> impulseItem;    // Sel_Impuls
    std::optional<int> cylinderItem;   // Sel_cyl
    std::optional<int> cylinderCount;  // 3..6, with cylinderItem
    std::optional<std::uint8_t> cylinderMask;
    std::optional<double> rpmSignalVolts;     // Sel_RPM_signal
    std::optional<int> engineTypeItem;        // Sel_Typ_silnika: 0 Standard, 1 Turbo
    std::optional<int> injectorTypeItem;      // Sel_Typ_wtrysku
    std::optional<bool> injectorsPlus;        // Check_Injector_plus
    std::optional<bool> petrolMapLocked;      // wykres_CheckBox
    std::optional<bool> switchAtFirstDrop;    // Check_by_first
    std::optional<bool> cng;                  // CNG_RadioButton checked (else LPG_RadioButton)
    std::optional<bool> injectorHeating;      // Grzalka_CheckBox
    std::optional<double> workPressureBar;    // P_pracy_changer
    std::optional<double> minPressureBar;     // P_min_changer
    std::optional<int> pressureSensorItem;    // P1_MAP_changer
    std::optional<int> reducerSensorItem;     // T_RED_changer
    std::optional<int> gasSensorItem;         // T_GAZ_changer
    std::optional<int> rpmMaxToPetrol;        // RPM_Max_To_Petrol
    std::optional<int> pressureErrorDelayMs;  // T_zwloki_changer
    std::optional<int> gasTemperatureC;       // Temp_LPG_changer
    std::optional<int> rpmToGas;              // RPM_Prog_przel
    std::optional<double> switchOverTimeS;    // T_przel_to_LPG
    std::optional<int> cylinderSequenceMs;    // T_CYL_seqence
    // Full_group_CheckBox; absent also for a byte other than 0, 1, 2 (the box keeps its state).
    std::optional<bool> fullGroup;
    std::optional<double> minInjectionTimeMs;             // obc_inj_changer
    std::optional<double> mazdaCorrection;                // Mazda_changer
    std::optional<int> levelSensorItem;                   // Rodz_czuj_LPG
    std::array<std::optional<double>, 4> thresholdVolts;  // Ch_U_LPG_1..4
    std::array<std::optional<QString>, 4> thresholdTexts;
    std::optional<int> rpmMinToPetrol;              // RPM_Min_To_Petrol
    std::optional<int> minTempPetrolC;              // Min_Temp_Petrol_changer
    std::array<std::optional<int>, 6> corrections;  // Kor_1, kor_2..kor_6
    std::array<std::optional<int>, 6> bankItems;    // Bank_1..6_ComBox: 0 BANK1, 1 BANK2

    // map_pts[1..246].v, temp_pts[1..17].v (index 0 here is point 1).
    std::optional<std::array<int, kMapPoints>> mapPoints;
    std::optional<std::array<int, kTempPoints>> tempPoints;
    // Korekcja_Grid cell texts: [row - 1][column - 1] for grid rows 1..13 (6000 rpm first).
    std::optional<std::array<std::array<QString, kGridColumns>, kGridRows>> gridTexts;
    // The 65-byte counters record: bytes 46..109 followed by byte 187.
    std::optional<QByteArray> countersRecord;
    int errorRegisterStart = 303;  // by variant
};

ConfigValues decodeConfigImage(const QByteArray& image, const QString& variant,
                               const QLocale& locale = QLocale());

// A grid byte as its cell shows it: whole percent, 64 steps per 50 %.
int gridPercent(std::uint8_t b);
QString gridCellText(std::uint8_t b);

// The maximum of the map charts' pressure axis for an engine type item.
inline int pressureAxisMaximum(int engineTypeItem) {
    return engineTypeItem == 1 ? 256 : 100;
}

// A threshold byte (volts x 51) as its edit shows it.
QString thresholdText(std::uint8_t b, const QLocale& locale = QLocale());

}  // namespace omvi::model
