#pragma once
// The program's stored settings: the serial port's settings and the language name. On Windows they
// live in the registry under HKEY_CURRENT_USER\Software\OMVI (subkey ComPort1) and
// Software\OMVI\Lang ("CurLang"); elsewhere in an INI file in the user's configuration folder with
// the same key paths. A missing or unreadable store yields the defaults, never an error.

#include <QSettings>
#include <QString>
#include <memory>

namespace omvi::app {

struct PortSettings {
    QString port;  // empty: none stored
    QString baudRate = QStringLiteral("Custom");
    int customBaudRate = 7200;
    QString stopBits = QStringLiteral("1");
    QString dataBits = QStringLiteral("8");
    QString parity = QStringLiteral("None");
    QString flowControl = QStringLiteral("None");
};

class SettingsStore {
  public:
    static constexpr const char* kDefaultLanguage = "PolskiPL";

    // The user's store on this platform.
    SettingsStore();
    // A store in an INI file at `iniPath` (tests, portable installs).
    explicit SettingsStore(const QString& iniPath);

    PortSettings loadPortSettings() const;
    void savePortSettings(const PortSettings& settings);
    // "CurLang"; "PolskiPL" when missing or empty.
    QString loadLanguage() const;
    void saveLanguage(const QString& name);

    QString location() const { return settings_->fileName(); }

  private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace omvi::app
