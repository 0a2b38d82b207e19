#pragma once
// The options of the omvi-ecu-sim executable.

#include <QString>
#include <QStringList>
#include <optional>

#include "sim/ecu_simulator.h"

namespace omvi::sim {

struct SimCommandLine {
    SimOptions sim;
    QString linkPath;       // --link: a symbolic link to the pseudo-terminal, removed on exit
    bool wireRate = false;  // pace answers at the byte time of the real line
    bool quiet = false;
    bool publish = true;
};

struct SimCommandLineResult {
    std::optional<SimCommandLine> options;  // set when the simulator should run
    QString message;                        // help text, or what is wrong with the arguments
    int exitCode = 0;                       // when not running: 0 after --help, 2 on bad input
};

// `arguments` includes the program name first, as QCoreApplication::arguments() gives it.
SimCommandLineResult parseSimCommandLine(const QStringList& arguments);

// Bytes per second of the real line: 7200 baud, 10 bits a byte (8N1).
inline constexpr int kWireBytesPerSecond = 720;

}  // namespace omvi::sim
