#include "sim/sim_command_line.h"

#include <QCommandLineParser>

#include "sim/config_images.h"

namespace omvi::sim {
namespace {

// Reads a whole number of at least `minimum`; returns false with `error` set otherwise.
bool readCount(const QCommandLineParser& parser, const QString& name, qint64 minimum,
               qint64 maximum, qint64* out, QString* error) {
    if (!parser.isSet(name)) {
        return true;
    }
    bool ok = false;
    const QString text = parser.value(name);
    const qint64 value = text.toLongLong(&ok, 10);
    if (!ok || value < minimum || value > maximum) {
        *error = QStringLiteral("--%1 needs a whole number from %2 to %3, not \"%4\"")
                     .arg(name)
                     .arg(minimum)
                     .arg(maximum)
                     .arg(text);
        return false;
    }
    *out = value;
    return true;
}

}  // namespace

SimCommandLineResult parseSimCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated gas-injection controller on a pseudo-terminal. Prints the terminal's path, "
        "then answers the program until stopped with Ctrl+C or SIGTERM."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    parser.addOptions({
        {QStringLiteral("firmware"),
         QStringLiteral("Firmware version to report (3.7.7, 5.9.11, 5.10.11 or any X.Y.Z)."),
         QStringLiteral("X.Y.Z"), QStringLiteral("5.10.11")},
        {QStringLiteral("link"),
         QStringLiteral("Also make a symbolic link PATH to the terminal; removed on exit."),
         QStringLiteral("PATH")},
        {QStringLiteral("wire-rate"),
         QStringLiteral("Send answers at the pace of the real line (7200 baud, 720 bytes/s).")},
        {QStringLiteral("drop-every"), QStringLiteral("Leave every Nth request unanswered."),
         QStringLiteral("N")},
        {QStringLiteral("corrupt-every"), QStringLiteral("Give every Nth answer a wrong checksum."),
         QStringLiteral("N")},
        {QStringLiteral("wrong-echo-every"),
         QStringLiteral("Give every Nth answer a wrong command echo."), QStringLiteral("N")},
        {QStringLiteral("chunk"), QStringLiteral("Send answers in pieces of K bytes."),
         QStringLiteral("K")},
        {QStringLiteral("silent-after"), QStringLiteral("Stop answering after N answers."),
         QStringLiteral("N")},
        {QStringLiteral("seed"), QStringLiteral("Seed of the engine model's jitter."),
         QStringLiteral("N"), QStringLiteral("1")},
        {QStringLiteral("quiet"), QStringLiteral("Log nothing but errors.")},
        {QStringLiteral("no-publish"),
         QStringLiteral("Do not list the terminal among the program's published ports.")},
    });

    SimCommandLineResult result;
    if (!parser.parse(arguments)) {
        result.message = parser.errorText();
        result.exitCode = 2;
        return result;
    }
    if (parser.isSet(help)) {
        result.message = parser.helpText();
        return result;
    }
    auto bad = [&result](const QString& why) {
        result.message = why;
        result.exitCode = 2;
        return result;
    };
    if (!parser.positionalArguments().isEmpty()) {
        return bad(QStringLiteral("unexpected argument \"%1\"")
                       .arg(parser.positionalArguments().constFirst()));
    }

    SimCommandLine options;
    const QString firmware = parser.value(QStringLiteral("firmware"));
    if (!parseFirmware(firmware)) {
        return bad(
            QStringLiteral("--firmware needs X.Y.Z with numbers 0..255, not \"%1\"").arg(firmware));
    }
    options.sim.firmware = firmware.trimmed();

    QString error;
    qint64 drop = 0;
    qint64 corrupt = 0;
    qint64 wrongEcho = 0;
    qint64 chunk = 0;
    qint64 silent = -1;
    qint64 seed = 1;
    constexpr qint64 kIntMax = 0x7FFFFFFF;
    if (!readCount(parser, QStringLiteral("drop-every"), 1, kIntMax, &drop, &error) ||
        !readCount(parser, QStringLiteral("corrupt-every"), 1, kIntMax, &corrupt, &error) ||
        !readCount(parser, QStringLiteral("wrong-echo-every"), 1, kIntMax, &wrongEcho, &error) ||
        !readCount(parser, QStringLiteral("chunk"), 1, kIntMax, &chunk, &error) ||
        !readCount(parser, QStringLiteral("silent-after"), 0, kIntMax, &silent, &error) ||
        !readCount(parser, QStringLiteral("seed"), 0, 0xFFFFFFFFLL, &seed, &error)) {
        return bad(error);
    }
    options.sim.faults.dropEveryNth = static_cast<int>(drop);
    options.sim.faults.corruptSumEveryNth = static_cast<int>(corrupt);
    options.sim.faults.wrongEchoEveryNth = static_cast<int>(wrongEcho);
    options.sim.faults.chunkSize = static_cast<int>(chunk);
    options.sim.faults.silentAfter = static_cast<int>(silent);
    options.sim.seed = static_cast<std::uint32_t>(seed);

    if (parser.isSet(QStringLiteral("link"))) {
        options.linkPath = parser.value(QStringLiteral("link"));
        if (options.linkPath.isEmpty()) {
            return bad(QStringLiteral("--link needs a path"));
        }
    }
    options.wireRate = parser.isSet(QStringLiteral("wire-rate"));
    options.quiet = parser.isSet(QStringLiteral("quiet"));
    options.publish = !parser.isSet(QStringLiteral("no-publish"));
    result.options = options;
    return result;
}

}  // namespace omvi::sim
