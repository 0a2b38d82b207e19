#pragma once
// Everything the link does to the user interface goes through this interface: the desktop
// program binds it to its windows, omvi-cli to the terminal, tests to a recorder. Every call has
// a do-nothing default so that a front end overrides only what it shows.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace omvi::link {

struct PortItem {
    QString name;  // component name of the menu item, equal to the system's port name
    bool checked = false;
};

class LinkHost {
  public:
    virtual ~LinkHost() = default;

    // Modal message and yes/no question.
    virtual void showMessage(const QString& text) { (void)text; }
    virtual bool askYesNo(const QString& text) {
        (void)text;
        return false;
    }
    // Texts of the language table (current language); the default is the English text.
    virtual QString languageText(int row);

    // Busy look of the main window.
    virtual void setMainWindowEnabled(bool enabled) { (void)enabled; }
    virtual void setPanelsGrey(bool grey) { (void)grey; }
    virtual void repaint() {}
    virtual void activityBlip() {}

    // Status bar: panel 0 text; panel 1 back to its hidden owner-drawn style (keeping the label).
    virtual void setStatusText(const QString& text) { (void)text; }
    virtual void resetStatusPanel1() {}

    // The connect toggle `Polacz_switch` (the link owns its state and runs its change rules).
    virtual void showToggle(bool on) { (void)on; }
    virtual void setToggleOnText(const QString& text) { (void)text; }

    // Menu items Odczyt1, Zapis1, Reset1: shown and enabled while a controller is identified.
    virtual void setFileMenuAvailable(bool available) { (void)available; }
    // Port menu: the check mark and the list of items (indexes 0 .. count - 4 of "Porty").
    virtual void checkPortItem(const QString& name) { (void)name; }
    virtual void uncheckPortItems() {}
    virtual QList<PortItem> portItems() { return {}; }
    // The hidden baud-rate list `szybkosc` mirrors the rate.
    virtual void setBaudRateText(const QString& text) { (void)text; }

    // Stores the port settings and the language name.
    virtual void saveSettings() {}

    // The answers the link dispatches.
    virtual void showConfiguration(const QByteArray& image) { (void)image; }
    virtual void showLiveData(const QByteArray& frame) { (void)frame; }
    virtual void showCounters(const QByteArray& record) { (void)record; }
    virtual void applyFirmwareVariant(const QString& variant) { (void)variant; }
    // Before the first display after a connection: refill the cylinder and pulse lists and
    // re-enable the controls of cylinders 5 and 6.
    virtual void prepareFirstConfiguration() {}
    // Phase 2 of saving a settings file (Zapis1Click with no sender).
    virtual void writeSettingsFile() {}

    // Dashboard pieces the link switches directly.
    virtual void setReserveFlashing(bool flashing) { (void)flashing; }
    virtual void resetCylinderLeds() {}
    virtual void setCylinderPanelEnabled(bool enabled) { (void)enabled; }
    virtual void setAdaptationButtonsEnabled(bool enabled) { (void)enabled; }
    virtual void setErrorLedVisible(bool visible) { (void)visible; }
    // `Error_Led` as progress strip of the auto-detection, or back to its error look.
    virtual void setErrorLedProgress(const QString& caption) { (void)caption; }
    virtual void resetErrorLed() {}
    virtual QString actualErrorsText() { return {}; }
    virtual void setActualErrorsText(const QString& text) { (void)text; }
    virtual void hideServiceTab() {}

    // Other windows and subsystems.
    virtual void closeEditor() {}
    virtual void uncheckOscilloscopeLambda() {}
    virtual void stopAdaptation() {}   // Button_stopClick with no sender
    virtual void resetAdaptation() {}  // adapt_step := -1, adaptation info cleared
};

}  // namespace omvi::link
