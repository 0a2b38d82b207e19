#pragma once
// A link host that records what the link asked of the user interface.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "link/link_host.h"

namespace omvi::test {

class RecordingHost : public link::LinkHost {
  public:
    void showMessage(const QString& text) override { messages.append(text); }
    bool askYesNo(const QString& text) override {
        questions.append(text);
        return answerYes;
    }
    void setMainWindowEnabled(bool enabled) override { windowEnabled = enabled; }
    void setPanelsGrey(bool grey) override { panelsGrey = grey; }
    void setStatusText(const QString& text) override { statusText = text; }
    void showToggle(bool on) override { toggle = on; }
    void setToggleOnText(const QString& text) override { toggleOnText = text; }
    void setFileMenuAvailable(bool available) override { fileMenu = available; }
    void checkPortItem(const QString& name) override { checkedPort = name; }
    void uncheckPortItems() override { checkedPort.clear(); }
    QList<link::PortItem> portItems() override { return ports; }
    void saveSettings() override { ++saves; }
    void showConfiguration(const QByteArray& image) override { configurations.append(image); }
    void showLiveData(const QByteArray& frame) override { liveFrames.append(frame); }
    void showCounters(const QByteArray& record) override { counters.append(record); }
    void applyFirmwareVariant(const QString& variant) override { variants.append(variant); }
    void writeSettingsFile() override { ++settingsFileWrites; }
    void setReserveFlashing(bool flashing) override { reserveFlashing = flashing; }
    void setErrorLedProgress(const QString& caption) override { errorLedCaptions.append(caption); }
    QString actualErrorsText() override { return actualErrors; }
    void setActualErrorsText(const QString& text) override { actualErrors = text; }
    void stopAdaptation() override { ++adaptationStops; }

    QStringList messages;
    QStringList questions;
    bool answerYes = true;
    bool windowEnabled = true;
    bool panelsGrey = false;
    QString statusText;
    bool toggle = false;
    QString toggleOnText;
    bool fileMenu = false;
    QString checkedPort;
    QList<link::PortItem> ports;
    int saves = 0;
    QList<QByteArray> configurations;
    QList<QByteArray> liveFrames;
    QList<QByteArray> counters;
    QStringList variants;
    int settingsFileWrites = 0;
    bool reserveFlashing = false;
    QStringList errorLedCaptions;
    QString actualErrors;
    int adaptationStops = 0;
};

}  // namespace omvi::test
