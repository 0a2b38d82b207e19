#pragma once
// What differs between the three firmware generations the program serves, as data. The windows
// apply the visibility part once per connection; the other parts are read where they matter.

#include <QString>
#include <optional>

namespace omvi::model {

inline const QString kVariant1 = QStringLiteral("ver_1");  // firmware 3.7.7
inline const QString kVariant2 = QStringLiteral("ver_2");  // firmware 5.9.11
inline const QString kVariant3 = QStringLiteral("ver_3");  // firmware 5.10.11

struct VariantProfile {
    QString variant;  // empty for the form defaults

    // Controls and pages.
    bool fuelTypeGroupVisible = false;     // GroupBox15: LPG_RadioButton, CNG_RadioButton
    bool minTempPetrolVisible = false;     // Min_Temp_Petrol_changer and its label
    bool rpmMinToPetrolVisible = false;    // RPM_Min_To_Petrol and its label
    bool correctionsPanelVisible = false;  // Panel_korekta: corrections and banks
    bool lastConnectionTextShown = false;  // status-bar panel 1 as plain text
    bool serviceTabVisible = false;        // TabSheet10; when hidden the pages go to TabSheet1
    bool helpTabVisible = false;           // TabSheet11
    int switchOverTimeMaximum = 800;       // T_przel_to_LPG, seconds

    // Behaviour.
    int errorRegisterStart = 303;            // 40 bytes of the configuration image
    bool switchOverTimeTwoBytes = false;     // T_przel_to_LPG command width
    bool zeroCorrectionsOnLiveData = false;  // corrections shown as 0 on every live frame
    bool adaptationSetsDates = false;        // adaptation start writes the adaptation dates
    bool adaptationTabReadsCounters = false;
    // Settings-file write-back: configuration bytes [first, first + length) sent with 0x1A.
    int settingsBlockFirst = 0;
    int settingsBlockLength = 0;
    bool settingsLoadResetsFirst = false;  // factory reset before, errors cleared after
};

// The profile of a known variant; none for an empty or unknown text (nothing is switched then).
std::optional<VariantProfile> profileFor(const QString& variant);

// The controls as the form has them before any connection.
VariantProfile formDefaults();

// Where the error register starts for this variant (303 for anything but "ver_2").
int errorRegisterStart(const QString& variant);

}  // namespace omvi::model
