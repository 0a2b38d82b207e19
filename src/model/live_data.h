#pragma once
// The live-data frame the controller answers to every poll, decoded into the values the dashboard
// shows, plus the small derived rules of the dashboard that are decided without a screen.
//
// A frame is accepted when it has at least 6 bytes and its byte 4 repeats configuration byte 301.
// A shorter frame than the full 73 bytes decodes without reading past its end: missing bytes read
// as 0, except the three active-low error bytes, which read as "no error" so that a truncated
// frame does not invent faults.

#include <QByteArray>
#include <QJsonObject>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

namespace omvi::model {

struct LiveData {
    static constexpr int kFullLength = 73;

    bool complete = false;  // the frame held every byte up to 72
    bool ignitionOn = false;
    bool onGas = false;
    std::uint8_t cylinderBits = 0;  // bit k: cylinder k+1 active
    std::array<double, 6> petrolMs{};
    std::array<double, 6> gasMs{};
    int rpm = 0;
    double rpmThousands = 0;  // the meter's reading
    double gasPressureBar = 0;
    double manifoldKpa = 0;
    int reducerTempC = 0;
    int gasTempC = 0;
    std::uint8_t errorFlags50 = 0xFF;  // active low
    std::uint8_t errorFlags51 = 0xFF;  // active low
    std::uint8_t injectorErrorFlags = 0xFF;
    double batteryVolts = 0;  // rounded to 2 decimals, as shown
    double tankSensorVolts = 0;
    int tankLevel = 0;  // 0 reserve, 1..4 LEDs
    // As the bars show them: 0 while the ignition is off.
    double lambda1Volts = 0;
    double lambda2Volts = 0;
    // The probes' readings whatever the ignition; the scale rule looks at these.
    double lambda1RawVolts = 0;
    double lambda2RawVolts = 0;
    std::uint8_t adaptationCorrection = 0;       // byte 59
    std::uint8_t samplePressureKpa = 0;          // byte 60
    std::array<std::uint8_t, 10> sampleBytes{};  // bytes 61..70
    std::uint8_t curveMode = 0;                  // byte 71
    std::uint8_t engineLoadPercent = 0;          // byte 72

    bool cylinderActive(int cylinder) const {  // 1..6
        return cylinder >= 1 && cylinder <= 6 && ((cylinderBits >> (cylinder - 1)) & 1) != 0;
    }
};

// Whether the dashboard takes the frame at all.
bool acceptable(const QByteArray& frame, std::uint8_t liveCheckByte);

LiveData decodeLiveFrame(const QByteArray& frame);

// --- derived display rules -------------------------------------------------------------------

// The label under gas bar k: empty while the cylinder's own correction kk is 0 or the bar showed 0
// on the previous frame; otherwise the correction in ms as a number with 2 significant digits and
// 2 decimals. g and p are the cylinder's gas and petrol times in ms; k1 is the first cylinder's
// correction, which the formula uses for every cylinder.
QString gasCorrectionLabel(double g, double p, int k1, int kk, double previousBarValue,
                           const QLocale& locale = QLocale());

struct TankLeds {
    bool reserve = false;
    std::array<bool, 4> level{};  // LEDs 1..4
};
// Levels of 5 or more light LEDs 1..3 only: LED 4 means exactly 4.
TankLeds tankLeds(int tankLevel);

// A lambda bar's scale: 0..1.0 until a reading above 1.21 V widens it to 0..5.0 for good.
struct LambdaScale {
    static constexpr double kNarrowTop = 1.0;
    static constexpr double kWideTop = 5.0;
    static constexpr double kWidenAbove = 1.21;
    double top = kNarrowTop;
    void update(double volts) {
        if (static_cast<float>(volts) > static_cast<float>(kWidenAbove)) {
            top = kWideTop;
        }
    }
};

// The tank sensor readout beside the level thresholds: 3 significant digits, 2 decimals.
QString tankVoltageText(double volts, const QLocale& locale = QLocale());

// Learned-curve sample tables, indexed by manifold pressure in kPa.
using SampleTable = std::array<std::uint8_t, 256>;
// Stores the frame's samples at and after its pressure; positions beyond 255 are dropped.
void placeLearnedSamples(const LiveData& data, SampleTable& petrol, SampleTable& gas);

// The RPM correction grid cell of the current operating point (grid column 1..26, row 1..13),
// from the engine speed and cylinder 1's petrol time; none above 6000 rpm or beyond 25 ms.
struct GridCell {
    int column = 0;
    int row = 0;
    bool operator==(const GridCell&) const = default;
};
std::optional<GridCell> operatingPointCell(double rpm, double petrolMsCylinder1);

// --- export for omvi-cli watch ---------------------------------------------------------------

// Field names are stable; values are scaled as the dashboard shows them.
QStringList liveFieldNames();
QJsonObject liveDataToJson(const LiveData& data);
QString liveCsvHeader();
QString liveDataToCsvRow(const LiveData& data);

}  // namespace omvi::model
