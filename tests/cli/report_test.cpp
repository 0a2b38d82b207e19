// What omvi-cli prints, from decoded values: timestamps, live lines, the settings and the summary
// of a configuration that lacks bytes.

#include <gtest/gtest.h>

#include "cli_test_print.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>

#include "cli/report.h"
#include "link/bytes.h"
#include "model/control_catalogue.h"

using namespace omvi;
using namespace omvi::cli;

TEST(CliReport, TimestampsAreIsoWithMillisecondsAndOffset) {
    const QDateTime utc = QDateTime::fromMSecsSinceEpoch(1709287200042, QTimeZone::utc());
    EXPECT_EQ(isoTimestamp(utc), QStringLiteral("2024-03-01T10:00:00.042Z"));
    const QDateTime plus2 = utc.toOffsetFromUtc(2 * 3600);
    EXPECT_EQ(isoTimestamp(plus2), QStringLiteral("2024-03-01T12:00:00.042+02:00"));
    // Local time carries its offset, so the text names one instant.
    const QDateTime local = utc.toLocalTime();
    EXPECT_EQ(QDateTime::fromString(isoTimestamp(local), Qt::ISODateWithMs), utc);
}

TEST(CliReport, LiveLinesCarryEveryFieldAfterTheTime) {
    QByteArray frame(73, '\0');
    frame[42] = 25;
    frame[43] = 40;
    frame[48] = static_cast<char>(0xF6);
    const model::LiveData data = model::decodeLiveFrame(frame);
    const QDateTime t = QDateTime::fromMSecsSinceEpoch(1709287200000, QTimeZone::utc());

    const QStringList header = liveHeaderLine().split(QLatin1Char(','));
    const QStringList cells = liveLine(data, t, LiveFormat::Csv).split(QLatin1Char(','));
    ASSERT_EQ(cells.size(), header.size());
    EXPECT_EQ(cells.at(header.indexOf(QStringLiteral("rpm"))), QStringLiteral("2540"));
    EXPECT_EQ(cells.at(header.indexOf(QStringLiteral("temp_reducer_c"))), QStringLiteral("-10"));

    const QJsonObject o =
        QJsonDocument::fromJson(liveLine(data, t, LiveFormat::Json).toUtf8()).object();
    EXPECT_EQ(o.value(QStringLiteral("time")).toString(),
              QStringLiteral("2024-03-01T10:00:00.000Z"));
    EXPECT_EQ(o.value(QStringLiteral("rpm")).toInt(), 2540);
    EXPECT_EQ(o.size(), header.size());
}

TEST(CliReport, AShortImageShowsDashesInsteadOfInventedValues) {
    const QByteArray shortImage = bytes({0xF0, 0x00, 0x08, 0x66, 5, 10, 11, 0x00});
    const model::ConfigValues config =
        model::decodeConfigImage(shortImage, QStringLiteral("ver_3"));

    const QStringList lines = configTextLines(config);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(model::controlCatalogue().size()));
    for (const QString& line : lines) {
        EXPECT_TRUE(line.endsWith(QStringLiteral(" -"))) << line.toStdString();
    }
    const QStringList info =
        infoLines(Identity{QStringLiteral("ttyS0"), QStringLiteral("OMVI ver. 5.10.11"),
                           QStringLiteral("ver_3")},
                  config);
    EXPECT_TRUE(
        info.contains(QStringLiteral("Firmware:                5.10.11 (OMVI ver. 5.10.11)")))
        << info.join(QLatin1Char('\n')).toStdString();
    for (const QString& line : info) {
        if (line.startsWith(QStringLiteral("Petrol above"))) {
            EXPECT_TRUE(line.endsWith(QStringLiteral(" -")));  // no unit after a missing value
        }
    }
    const QJsonObject json = configJson(Identity{}, config);
    EXPECT_TRUE(json.value(QStringLiteral("controls"))
                    .toObject()
                    .value(QStringLiteral("RPM_Max_To_Petrol"))
                    .isNull());
}
