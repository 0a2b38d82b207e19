#include "cli/report.h"

#include <QJsonDocument>

#include "model/control_catalogue.h"
#include "model/settings_commands.h"

namespace omvi::cli {
namespace {

QString shownText(const QString& controlName, const model::ConfigValues& config) {
    const auto control = model::findControl(controlName);
    if (!control) {
        return QStringLiteral("-");
    }
    return (*control)->shown(config).value_or(QStringLiteral("-"));
}

QString withUnit(const QString& text, const QString& unit) {
    return text == QLatin1String("-") || unit.isEmpty() ? text : text + QLatin1Char(' ') + unit;
}

QString firmwareText(const Identity& identity, const model::ConfigValues& config) {
    if (!config.firmwareVersion) {
        return identity.statusText;
    }
    const auto& v = *config.firmwareVersion;
    return QStringLiteral("%1.%2.%3 (%4)").arg(v[0]).arg(v[1]).arg(v[2]).arg(identity.statusText);
}

}  // namespace

QStringList infoLines(const Identity& identity, const model::ConfigValues& config) {
    struct Row {
        QString label;
        QString control;
        QString unit;
    };
    static const QList<Row> rows{
        {QStringLiteral("Cylinders"), QStringLiteral("Sel_cyl"), QString()},
        {QStringLiteral("Injector type"), QStringLiteral("Sel_Typ_wtrysku"), QString()},
        {QStringLiteral("Fuel"), QStringLiteral("LPG_CNG_RadioButton"), QString()},
        {QStringLiteral("Gas from"), QStringLiteral("RPM_Prog_przel"), QStringLiteral("rpm")},
        {QStringLiteral("Gas from temperature"), QStringLiteral("Temp_LPG_changer"),
         QStringLiteral("°C")},
        {QStringLiteral("Switch-over time"), QStringLiteral("T_przel_to_LPG"), QStringLiteral("s")},
        {QStringLiteral("Petrol above"), QStringLiteral("RPM_Max_To_Petrol"),
         QStringLiteral("rpm")},
        {QStringLiteral("Petrol below"), QStringLiteral("RPM_Min_To_Petrol"),
         QStringLiteral("rpm")},
        {QStringLiteral("Minimum gas temperature"), QStringLiteral("Min_Temp_Petrol_changer"),
         QStringLiteral("°C")},
        {QStringLiteral("Level sensor"), QStringLiteral("Rodz_czuj_LPG"), QString()},
    };
    QList<std::pair<QString, QString>> pairs{
        {QStringLiteral("Port"), identity.port},
        {QStringLiteral("Firmware"), firmwareText(identity, config)},
        {QStringLiteral("Variant"), identity.variant},
    };
    for (const Row& row : rows) {
        pairs.append({row.label, withUnit(shownText(row.control, config), row.unit)});
    }
    QStringList thresholds;
    for (const auto& volts : config.thresholdVolts) {
        thresholds << (volts ? model::thresholdEditText(*volts, QLocale::c())
                             : QStringLiteral("-"));
    }
    pairs.append({QStringLiteral("Level thresholds"),
                  thresholds.join(QLatin1Char(' ')) + QStringLiteral(" V")});
    pairs.append({QStringLiteral("Injector corrections"),
                  shownText(QStringLiteral("Kor_1..kor_6"), config)});

    qsizetype width = 0;
    for (const auto& [label, value] : pairs) {
        width = std::max(width, label.size());
    }
    QStringList lines;
    for (const auto& [label, value] : pairs) {
        lines << (label + QLatin1Char(':')).leftJustified(width + 2) + value;
    }
    return lines;
}

QStringList configTextLines(const model::ConfigValues& config) {
    qsizetype width = 0;
    for (const model::Control& control : model::controlCatalogue()) {
        width = std::max(width, control.name.size());
    }
    QStringList lines;
    for (const model::Control& control : model::controlCatalogue()) {
        lines << control.name.leftJustified(width + 2) +
                     control.shown(config).value_or(QStringLiteral("-"));
    }
    return lines;
}

QJsonObject configJson(const Identity& identity, const model::ConfigValues& config) {
    QJsonObject controls;
    for (const model::Control& control : model::controlCatalogue()) {
        const auto shown = control.shown(config);
        controls.insert(control.name, shown ? QJsonValue(*shown) : QJsonValue(QJsonValue::Null));
    }
    QJsonObject object;
    object.insert(QStringLiteral("port"), identity.port);
    if (config.firmwareVersion) {
        const auto& v = *config.firmwareVersion;
        object.insert(QStringLiteral("firmware"),
                      QStringLiteral("%1.%2.%3").arg(v[0]).arg(v[1]).arg(v[2]));
    }
    object.insert(QStringLiteral("status"), identity.statusText);
    object.insert(QStringLiteral("variant"), identity.variant);
    object.insert(QStringLiteral("controls"), controls);
    return object;
}

QString isoTimestamp(const QDateTime& time) {
    // Always with its offset (Z for UTC), so that lines from different machines still compare.
    const int offset = time.offsetFromUtc();
    const QDateTime t = offset == 0 ? time.toUTC() : time.toOffsetFromUtc(offset);
    return t.toString(Qt::ISODateWithMs);
}

QString liveHeaderLine() {
    return QStringLiteral("time,") + model::liveCsvHeader();
}

QString liveLine(const model::LiveData& data, const QDateTime& time, LiveFormat format) {
    if (format == LiveFormat::Csv) {
        return isoTimestamp(time) + QLatin1Char(',') + model::liveDataToCsvRow(data);
    }
    QJsonObject object = model::liveDataToJson(data);
    object.insert(QStringLiteral("time"), isoTimestamp(time));
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

}  // namespace omvi::cli
