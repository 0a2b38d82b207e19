// The stored settings: port settings and language name, with defaults for anything missing.
#include "app/settings_store.h"
#include "app/single_instance.h"

#include <QCoreApplication>

#include <gtest/gtest.h>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

using omvi::app::PortSettings;
using omvi::app::SettingsStore;

TEST(SettingsStore, MissingStoreGivesTheDefaults) {
    QTemporaryDir dir;
    SettingsStore store(dir.filePath("none.ini"));
    const PortSettings s = store.loadPortSettings();
    EXPECT_TRUE(s.port.isEmpty());
    EXPECT_EQ(s.customBaudRate, 7200);
    EXPECT_EQ(store.loadLanguage(), "PolskiPL");
}

TEST(SettingsStore, UnreadableStoreGivesTheDefaults) {
    QTemporaryDir dir;
    const QString path = dir.filePath("broken.ini");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xff\xfe[Software\x01\n=\n\x00\x00garbage]]]\n", 28);
    file.close();
    SettingsStore store(path);
    EXPECT_EQ(store.loadLanguage(), "PolskiPL");
    EXPECT_EQ(store.loadPortSettings().customBaudRate, 7200);
}

TEST(SettingsStore, PortAndLanguageRoundTripUnderTheDocumentedKeys) {
    QTemporaryDir dir;
    const QString path = dir.filePath("omvi.ini");
    {
        SettingsStore store(path);
        PortSettings s;
        s.port = "ttyUSB0";
        store.savePortSettings(s);
        store.saveLanguage("Italy");
    }
    SettingsStore again(path);
    EXPECT_EQ(again.loadPortSettings().port, "ttyUSB0");
    EXPECT_EQ(again.loadLanguage(), "Italy");
    QSettings raw(path, QSettings::IniFormat);
    EXPECT_EQ(raw.value("Software/OMVI/ComPort1/Port").toString(), "ttyUSB0");
    EXPECT_EQ(raw.value("Software/OMVI/ComPort1/BaudRate").toString(), "Custom");
    EXPECT_EQ(raw.value("Software/OMVI/Lang/CurLang").toString(), "Italy");
}

TEST(SettingsStore, EmptyLanguageMeansPolish) {
    QTemporaryDir dir;
    SettingsStore store(dir.filePath("omvi.ini"));
    store.saveLanguage("");
    EXPECT_EQ(store.loadLanguage(), "PolskiPL");
}

TEST(SingleInstance, ASecondHolderOfTheSameNameIsRefused) {
    const QString name =
        QStringLiteral("omvi-test-instance-%1").arg(QCoreApplication::applicationPid());
    omvi::app::SingleInstance first(name);
    EXPECT_TRUE(first.acquired());
    omvi::app::SingleInstance second(name);
    EXPECT_FALSE(second.acquired());
}
