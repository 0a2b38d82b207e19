#pragma once
// What omvi-cli prints: the identification summary, the settings, and one line per live frame.
// Pure functions of decoded values, so that the output is tested without a controller.

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include "cli/command_line.h"
#include "model/config_image.h"
#include "model/live_data.h"

namespace omvi::cli {

struct Identity {
    QString port;
    QString statusText;  // "OMVI ver. 5.10.11", as the status bar shows it
    QString variant;     // "ver_3"
};

// "Label: value" lines: port, firmware, variant, and the settings a fitter checks first.
QStringList infoLines(const Identity& identity, const model::ConfigValues& config);

// Every control of the catalogue with the value as the window shows it ("-" when the
// configuration lacks it), names aligned.
QStringList configTextLines(const model::ConfigValues& config);
// {"port", "firmware", "status", "variant", "controls": {name: text or null}}
QJsonObject configJson(const Identity& identity, const model::ConfigValues& config);

// ISO 8601 with milliseconds and the offset from UTC.
QString isoTimestamp(const QDateTime& time);
// The CSV header of `watch`: the time, then every field of the frame.
QString liveHeaderLine();
QString liveLine(const model::LiveData& data, const QDateTime& time, LiveFormat format);

}  // namespace omvi::cli
