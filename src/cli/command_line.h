#pragma once
// The command line of omvi-cli: a command, its options and, for `set`, the setting, all checked
// before any port is touched.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace omvi::cli {

enum class Task { Ports, Detect, Info, Watch, Config, Set };
enum class LiveFormat { Csv, Json };
enum class ConfigFormat { Text, Json };

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the port, the link or the controller failed
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;  // stopped by a signal before the work was done

// Long enough for the link's five connect attempts (3 s each) and a slow identification.
inline constexpr int kDefaultTimeoutS = 30;
// Detection probes every port for 3 s, up to thirty ports, before it connects.
inline constexpr int kDefaultDetectTimeoutS = 120;
inline constexpr int kMaxTimeoutS = 24 * 3600;

struct Job {
    Task task = Task::Info;
    QString port;
    std::int64_t timeoutMs = std::int64_t{kDefaultTimeoutS} * 1000;
    int count = 0;  // watch: frames to print; 0 = until stopped
    LiveFormat liveFormat = LiveFormat::Csv;
    ConfigFormat configFormat = ConfigFormat::Text;
    QString control;  // set
    QString value;    // set: the words after the control, joined by blanks
};

struct CommandLineResult {
    std::optional<Job> job;  // set when there is work to do
    QString message;         // help or version text (exit 0), or what is wrong (exit 1 or 2)
    int exitCode = kExitOk;
};

// `arguments` includes the program name first, as QCoreApplication::arguments() gives it.
CommandLineResult parseCommandLine(const QStringList& arguments);

// A setting as typed, checked without a controller: the control exists and the value fits it
// for some firmware. Empty when it does; otherwise the message.
QString checkSetting(const QString& control, const QString& value);

}  // namespace omvi::cli
