#include "cli/command_line.h"

#include <QCommandLineParser>

#include "model/control_catalogue.h"

namespace omvi::cli {
namespace {

const QString kProgram = QStringLiteral("omvi-cli");
const QString kVersion = QStringLiteral("5.01a");

struct CommandEntry {
    QString name;
    Task task;
    QString summary;
};

const QList<CommandEntry>& commandTable() {
    static const QList<CommandEntry> table{
        {QStringLiteral("ports"), Task::Ports,
         QStringLiteral("List the serial ports present, one per line.")},
        {QStringLiteral("detect"), Task::Detect,
         QStringLiteral("Probe every port for a controller and print the one that answers.")},
        {QStringLiteral("info"), Task::Info,
         QStringLiteral("Identify the controller and summarise its configuration.")},
        {QStringLiteral("watch"), Task::Watch,
         QStringLiteral("Print the live data, one line per frame.")},
        {QStringLiteral("config"), Task::Config,
         QStringLiteral("Print every setting as the program shows it.")},
        {QStringLiteral("set"), Task::Set, QStringLiteral("Change one setting on the controller.")},
    };
    return table;
}

QString toolHelp() {
    QString text = QStringLiteral(
        "Usage: omvi-cli <command> [options]\n"
        "Headless configuration and diagnostics of a sequential LPG/CNG injection controller.\n"
        "\nCommands:\n");
    for (const CommandEntry& entry : commandTable()) {
        text += QStringLiteral("  %1  %2\n").arg(entry.name.leftJustified(7), entry.summary);
    }
    text += QStringLiteral(
        "\nOptions:\n"
        "  -h, --help     Show this help.\n"
        "  -v, --version  Show the version.\n"
        "\nRun 'omvi-cli <command> --help' for the options of a command.\n"
        "Exit status: 0 done, 1 the port, the link or the controller failed, 2 wrong usage.\n");
    return text;
}

CommandLineResult usageError(const QString& message, const QString& command = QString()) {
    CommandLineResult result;
    result.exitCode = kExitUsage;
    const QString hint = command.isEmpty()
                             ? QStringLiteral("Try 'omvi-cli --help'.")
                             : QStringLiteral("Try 'omvi-cli %1 --help'.").arg(command);
    result.message = kProgram + QStringLiteral(": ") + message + QLatin1Char('\n') + hint;
    return result;
}

// Values such as "-25" or "-3,0,5" would otherwise read as options.
bool looksLikeNegativeNumber(const QString& arg) {
    return arg.size() > 1 && arg.at(0) == QLatin1Char('-') &&
           (arg.at(1).isDigit() || arg.at(1) == QLatin1Char('.'));
}

// Stands in for the negative numbers while the parser reads the options, in their places.
class NegativeShield {
  public:
    QStringList hide(const QStringList& args) {
        QStringList out;
        for (const QString& arg : args) {
            if (looksLikeNegativeNumber(arg)) {
                out << QStringLiteral("\x01%1").arg(hidden_.size());
                hidden_ << arg;
            } else {
                out << arg;
            }
        }
        return out;
    }
    QString restore(const QString& text) const {
        if (text.startsWith(QLatin1Char('\x01'))) {
            bool ok = false;
            const int index = text.mid(1).toInt(&ok);
            if (ok && index >= 0 && index < hidden_.size()) {
                return hidden_.at(index);
            }
        }
        return text;
    }

  private:
    QStringList hidden_;
};

QString controlsHelp() {
    QString text = QStringLiteral("\nControls (names are not case-sensitive):\n");
    for (const model::Control& control : model::controlCatalogue()) {
        if (control.readOnly) {
            continue;
        }
        text += QStringLiteral("  %1  %2: %3\n")
                    .arg(control.name.leftJustified(24), control.description,
                         control.accepts(QString()));
    }
    text += QStringLiteral(
        "\nNumbers take a point as the decimal separator; lists take blanks, commas or "
        "semicolons.\nExamples:\n"
        "  omvi-cli set --port ttyUSB0 RPM_Max_To_Petrol 6550\n"
        "  omvi-cli set --port ttyUSB0 Sel_Typ_wtrysku Stefanelli\n"
        "  omvi-cli set --port ttyUSB0 Kor_1..kor_6 -3,0,5,20,-20,1\n");
    return text;
}

// The parser's help, with the usage line naming the command.
QString commandHelp(const QCommandLineParser& parser, const CommandEntry& entry,
                    const QString& usageTail) {
    QString text = parser.helpText();
    const qsizetype firstLineEnd = text.indexOf(QLatin1Char('\n'));
    text = QStringLiteral("Usage: omvi-cli %1 [options]%2\n").arg(entry.name, usageTail) +
           text.mid(firstLineEnd + 1);
    if (entry.task == Task::Set) {
        text += controlsHelp();
    }
    return text;
}

}  // namespace

QString checkSetting(const QString& control, const QString& value) {
    const auto found = model::findControl(control);
    if (!found) {
        return found.error();
    }
    // Without a controller the firmware is unknown; the loosest limits apply until it is.
    const auto parsed = (*found)->parse(value, QString());
    if (!parsed) {
        return parsed.error();
    }
    return QString();
}

CommandLineResult parseCommandLine(const QStringList& arguments) {
    const QStringList args = arguments.mid(1);
    if (args.isEmpty()) {
        return usageError(QStringLiteral("no command given"));
    }
    const QString first = args.first();
    if (first == QLatin1String("-h") || first == QLatin1String("--help") ||
        first == QLatin1String("help")) {
        if (first == QLatin1String("help") && args.size() > 1) {
            return parseCommandLine({arguments.first(), args.at(1), QStringLiteral("--help")});
        }
        return CommandLineResult{std::nullopt, toolHelp(), kExitOk};
    }
    if (first == QLatin1String("-v") || first == QLatin1String("--version")) {
        return CommandLineResult{std::nullopt, kProgram + QLatin1Char(' ') + kVersion + '\n',
                                 kExitOk};
    }
    const CommandEntry* entry = nullptr;
    for (const CommandEntry& s : commandTable()) {
        if (s.name == first) {
            entry = &s;
        }
    }
    if (entry == nullptr) {
        if (first.startsWith(QLatin1Char('-'))) {
            return usageError(
                QStringLiteral("the command must come first (got \"%1\")").arg(first));
        }
        return usageError(QStringLiteral("unknown command \"%1\"").arg(first));
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(entry->summary);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption port(
        {QStringLiteral("p"), QStringLiteral("port")},
        QStringLiteral("Serial port: a name (ttyUSB0, omvi-sim) or a path (/dev/pts/3)."),
        QStringLiteral("port"));
    const int defaultTimeout =
        entry->task == Task::Detect ? kDefaultDetectTimeoutS : kDefaultTimeoutS;
    const QString timeoutText =
        entry->task == Task::Watch
            ? QStringLiteral(
                  "Give up when the controller has not identified itself within S "
                  "seconds (default %1).")
            : QStringLiteral("Give up after S seconds (default %1).");
    const QCommandLineOption timeout({QStringLiteral("t"), QStringLiteral("timeout")},
                                     timeoutText.arg(defaultTimeout), QStringLiteral("S"),
                                     QString::number(defaultTimeout));
    const QCommandLineOption count({QStringLiteral("n"), QStringLiteral("count")},
                                   QStringLiteral("Stop after N frames (default: until Ctrl+C)."),
                                   QStringLiteral("N"));
    const QCommandLineOption liveFormat(
        {QStringLiteral("f"), QStringLiteral("format")},
        QStringLiteral("csv (a header, then one row per frame) or json (one object per line)."),
        QStringLiteral("csv|json"), QStringLiteral("csv"));
    const QCommandLineOption configFormat({QStringLiteral("f"), QStringLiteral("format")},
                                          QStringLiteral("text (name and value per line) or "
                                                         "json (one object)."),
                                          QStringLiteral("text|json"), QStringLiteral("text"));

    parser.addOption(help);
    const bool needsPort = entry->task != Task::Ports && entry->task != Task::Detect;
    if (needsPort) {
        parser.addOption(port);
    }
    if (entry->task != Task::Ports) {
        parser.addOption(timeout);
    }
    if (entry->task == Task::Watch) {
        parser.addOption(count);
        parser.addOption(liveFormat);
    }
    if (entry->task == Task::Config) {
        parser.addOption(configFormat);
    }
    QString usageTail;
    if (entry->task == Task::Set) {
        parser.addPositionalArgument(QStringLiteral("control"),
                                     QStringLiteral("The setting's name, e.g. RPM_Max_To_Petrol."));
        parser.addPositionalArgument(QStringLiteral("value"),
                                     QStringLiteral("The new value, as the control takes it."));
        usageTail = QStringLiteral(" CONTROL VALUE");
    }

    NegativeShield shield;
    QStringList toParse{kProgram};
    toParse << shield.hide(args.mid(1));
    if (!parser.parse(toParse)) {
        return usageError(shield.restore(parser.errorText()), entry->name);
    }
    if (parser.isSet(help)) {
        return CommandLineResult{std::nullopt, commandHelp(parser, *entry, usageTail), kExitOk};
    }

    Job job;
    job.task = entry->task;
    QStringList positional;
    for (const QString& p : parser.positionalArguments()) {
        positional << shield.restore(p);
    }
    if (entry->task == Task::Set) {
        if (positional.size() < 2) {
            return usageError(positional.isEmpty()
                                  ? QStringLiteral("the control and its value are missing")
                                  : QStringLiteral("the value is missing"),
                              entry->name);
        }
        job.control = positional.takeFirst();
        job.value = positional.join(QLatin1Char(' '));
    } else if (!positional.isEmpty()) {
        return usageError(QStringLiteral("unexpected argument \"%1\"").arg(positional.first()),
                          entry->name);
    }

    if (needsPort) {
        job.port = shield.restore(parser.value(port)).trimmed();
        if (job.port.isEmpty()) {
            return usageError(QStringLiteral("--port is required"), entry->name);
        }
    }
    if (entry->task != Task::Ports) {
        bool ok = false;
        const QString text = shield.restore(parser.value(timeout));
        const double seconds = text.toDouble(&ok);
        if (!ok || !(seconds > 0) || seconds > kMaxTimeoutS) {
            return usageError(QStringLiteral("--timeout takes seconds from 0 to %1 (got \"%2\")")
                                  .arg(kMaxTimeoutS)
                                  .arg(text),
                              entry->name);
        }
        job.timeoutMs = qRound64(seconds * 1000.0);
    }
    if (entry->task == Task::Watch) {
        if (parser.isSet(count)) {
            bool ok = false;
            const QString text = shield.restore(parser.value(count));
            job.count = text.toInt(&ok);
            if (!ok || job.count < 1) {
                return usageError(
                    QStringLiteral("--count takes a whole number of frames from 1 (got \"%1\")")
                        .arg(text),
                    entry->name);
            }
        }
        const QString format = parser.value(liveFormat).toLower();
        if (format == QLatin1String("csv")) {
            job.liveFormat = LiveFormat::Csv;
        } else if (format == QLatin1String("json")) {
            job.liveFormat = LiveFormat::Json;
        } else {
            return usageError(QStringLiteral("--format takes csv or json (got \"%1\")")
                                  .arg(parser.value(liveFormat)),
                              entry->name);
        }
    }
    if (entry->task == Task::Config) {
        const QString format = parser.value(configFormat).toLower();
        if (format == QLatin1String("text")) {
            job.configFormat = ConfigFormat::Text;
        } else if (format == QLatin1String("json")) {
            job.configFormat = ConfigFormat::Json;
        } else {
            return usageError(QStringLiteral("--format takes text or json (got \"%1\")")
                                  .arg(parser.value(configFormat)),
                              entry->name);
        }
    }
    if (entry->task == Task::Set) {
        const QString problem = checkSetting(job.control, job.value);
        if (!problem.isEmpty()) {
            CommandLineResult result;
            result.exitCode = kExitFailure;
            result.message = kProgram + QStringLiteral(": ") + problem;
            return result;
        }
    }
    return CommandLineResult{job, QString(), kExitOk};
}

}  // namespace omvi::cli
