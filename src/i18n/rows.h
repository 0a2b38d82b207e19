#pragma once
// Rows of the language table by what they hold. Code names a row through these, never by number.

namespace omvi::i18n {

// Error texts; each begins with " - " so that it can follow a line number.
inline constexpr int kRowVoltageError = 0;
inline constexpr int kRowGasPressureTooHigh = 1;
inline constexpr int kRowGasPressureTooLow = 2;
inline constexpr int kRowIgnitionVoltageTooLow = 3;
inline constexpr int kRowPetrolInjectionSignalError = 4;
inline constexpr int kRowPetrolControllerError = 5;
inline constexpr int kRowInjectorError = 6;
inline constexpr int kRowIncorrectSettings = 7;
inline constexpr int kRowSupplyVoltageError = 8;
inline constexpr int kRowGasInjectionTooLong = 9;
inline constexpr int kRowOperatingTimeError = 10;
inline constexpr int kRowFirstError = kRowVoltageError;
inline constexpr int kRowLastError = kRowOperatingTimeError;

// Link messages.
inline constexpr int kRowResetQuestion = 11;
inline constexpr int kRowNoController = 12;
inline constexpr int kRowChoosePort = 13;

// Adaptation messages.
inline constexpr int kRowStartEngine = 14;
inline constexpr int kRowIncorrectPMap = 15;
inline constexpr int kRowIncorrectP1 = 16;
inline constexpr int kRowTemperatureTooLow = 17;
inline constexpr int kRowCalibrationInProgress = 18;
inline constexpr int kRowDeflection = 19;
inline constexpr int kRowCalibrationFinished = 20;
inline constexpr int kRowCalibrationCancelled = 21;

// Petrol-map lock questions.
inline constexpr int kRowUnlockPetrolMap = 22;
inline constexpr int kRowLockPetrolMap = 23;

inline constexpr int kRowGas = 32;

// Items of the cylinder-count list (`Sel_cyl`): 3, 4, 5 and 6 cylinders.
inline constexpr int kRowCylinders3 = 42;
inline constexpr int kRowCylinders4 = 43;
inline constexpr int kRowCylinders5 = 44;
inline constexpr int kRowCylinders6 = 45;
// Items of the ignition-pulse list (`Sel_Impuls`): single coil, double coil, 3..6 cylinders.
inline constexpr int kRowSingleCoil = 47;
inline constexpr int kRowDoubleCoil = 48;
inline constexpr int kRowPulse3Cylinders = 49;
inline constexpr int kRowPulse4Cylinders = 50;
inline constexpr int kRowPulse5Cylinders = 51;
inline constexpr int kRowPulse6Cylinders = 52;

// Texts under the four switch-over changers; each is shown below its unit.
inline constexpr int kRowPressureErrorTime = 90;
inline constexpr int kRowSwitchTemperature = 92;
inline constexpr int kRowSwitchTime = 93;
inline constexpr int kRowCylinderSwitchDelay = 94;

inline constexpr int kRowLastConnection = 118;

// Units of the counters page.
inline constexpr int kRowUnitKm = 128;
inline constexpr int kRowUnitHours = 129;
inline constexpr int kRowUnitMinutes = 130;
inline constexpr int kRowUnitSeconds = 131;
inline constexpr int kRowUnitDays = 132;

inline constexpr int kRowUseNewerVersion = 135;
inline constexpr int kRowLoad = 149;
inline constexpr int kRowHelpText = 150;

// Installation data: the Info page's addresses, the same in every column.
inline constexpr int kRowMakerWeb = 151;
inline constexpr int kRowSecondWeb = 152;
inline constexpr int kRowMakerMailLink = 153;
inline constexpr int kRowMakerMail = 154;
inline constexpr int kRowPartnerMailLink = 155;
inline constexpr int kRowPartnerMail = 156;
inline constexpr int kRowFirstInstallation = kRowMakerWeb;
inline constexpr int kRowLastInstallation = kRowPartnerMail;

inline constexpr int kRowNozzleSelect = 157;

// Captions of the nozzle calculator.
inline constexpr int kRowNozzleTitle = 158;
inline constexpr int kRowNozzleGasInjector = 159;
inline constexpr int kRowNozzleCylinders = 160;
inline constexpr int kRowNozzlePower = 161;
inline constexpr int kRowNozzleMaxTime = 162;
inline constexpr int kRowNozzleDuringWork = 163;
inline constexpr int kRowNozzleInjectionType = 164;
inline constexpr int kRowNozzleSequential = 165;
inline constexpr int kRowNozzleSemiSequential = 166;
inline constexpr int kRowNozzleFullGroup = 167;
inline constexpr int kRowNozzleRecast = 168;
inline constexpr int kRowNozzleResult = 169;
inline constexpr int kRowNozzleRemember = 170;
inline constexpr int kRowFirstNozzle = kRowNozzleTitle;
inline constexpr int kRowLastNozzle = kRowNozzleRemember;

}  // namespace omvi::i18n
