#include "app/settings_store.h"

#include <QDir>
#include <QStandardPaths>

namespace omvi::app {
namespace {

const QString kPortGroup = QStringLiteral("Software/OMVI/ComPort1/");
const QString kLanguageKey = QStringLiteral("Software/OMVI/Lang/CurLang");

}  // namespace

SettingsStore::SettingsStore() {
#ifdef Q_OS_WIN
    // The current user's hive: a fitter without administrator rights can still keep settings.
    settings_ =
        std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER"), QSettings::NativeFormat);
#else
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                        QStringLiteral("/OMVI");
    QDir().mkpath(dir);
    settings_ =
        std::make_unique<QSettings>(dir + QStringLiteral("/omvi.ini"), QSettings::IniFormat);
#endif
}

SettingsStore::SettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

PortSettings SettingsStore::loadPortSettings() const {
    PortSettings s;
    if (settings_->status() != QSettings::NoError) {
        return s;
    }
    s.port = settings_->value(kPortGroup + QStringLiteral("Port")).toString().trimmed();
    s.baudRate = settings_->value(kPortGroup + QStringLiteral("BaudRate"), s.baudRate).toString();
    bool ok = false;
    const int custom =
        settings_->value(kPortGroup + QStringLiteral("CustomBaudRate"), s.customBaudRate)
            .toInt(&ok);
    if (ok && custom > 0) {
        s.customBaudRate = custom;
    }
    s.stopBits = settings_->value(kPortGroup + QStringLiteral("StopBits"), s.stopBits).toString();
    s.dataBits = settings_->value(kPortGroup + QStringLiteral("DataBits"), s.dataBits).toString();
    s.parity = settings_->value(kPortGroup + QStringLiteral("Parity"), s.parity).toString();
    s.flowControl =
        settings_->value(kPortGroup + QStringLiteral("FlowControl"), s.flowControl).toString();
    return s;
}

void SettingsStore::savePortSettings(const PortSettings& s) {
    settings_->setValue(kPortGroup + QStringLiteral("Port"), s.port);
    settings_->setValue(kPortGroup + QStringLiteral("BaudRate"), s.baudRate);
    if (s.baudRate == QLatin1String("Custom")) {
        settings_->setValue(kPortGroup + QStringLiteral("CustomBaudRate"), s.customBaudRate);
    }
    settings_->setValue(kPortGroup + QStringLiteral("StopBits"), s.stopBits);
    settings_->setValue(kPortGroup + QStringLiteral("DataBits"), s.dataBits);
    settings_->setValue(kPortGroup + QStringLiteral("Parity"), s.parity);
    settings_->setValue(kPortGroup + QStringLiteral("FlowControl"), s.flowControl);
    settings_->sync();
}

QString SettingsStore::loadLanguage() const {
    if (settings_->status() != QSettings::NoError) {
        return QString::fromLatin1(kDefaultLanguage);
    }
    const QString name = settings_->value(kLanguageKey).toString();
    return name.isEmpty() ? QString::fromLatin1(kDefaultLanguage) : name;
}

void SettingsStore::saveLanguage(const QString& name) {
    settings_->setValue(kLanguageKey, name);
    settings_->sync();
}

}  // namespace omvi::app
