#include "model/firmware_variant.h"

namespace omvi::model {

VariantProfile formDefaults() {
    return VariantProfile{};
}

std::optional<VariantProfile> profileFor(const QString& variant) {
    VariantProfile p;
    p.variant = variant;
    if (variant == kVariant1) {
        p.helpTabVisible = true;
        p.switchOverTimeMaximum = 60;
        p.zeroCorrectionsOnLiveData = true;
        p.settingsBlockFirst = 21;
        p.settingsBlockLength = 540;
        return p;
    }
    if (variant != kVariant2 && variant != kVariant3) {
        return std::nullopt;
    }
    p.fuelTypeGroupVisible = true;
    p.minTempPetrolVisible = true;
    p.rpmMinToPetrolVisible = true;
    p.correctionsPanelVisible = true;
    p.lastConnectionTextShown = true;
    p.serviceTabVisible = true;
    p.switchOverTimeMaximum = 300;
    p.switchOverTimeTwoBytes = true;
    if (variant == kVariant2) {
        p.errorRegisterStart = 317;
        p.adaptationTabReadsCounters = true;
        p.settingsBlockFirst = 21;
        p.settingsBlockLength = 554;
    } else {
        p.adaptationSetsDates = true;
        p.settingsBlockFirst = 343;
        p.settingsBlockLength = 1011;
        p.settingsLoadResetsFirst = true;
    }
    return p;
}

int errorRegisterStart(const QString& variant) {
    return variant == kVariant2 ? 317 : 303;
}

}  // namespace omvi::model
