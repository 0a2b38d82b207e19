#pragma once
// The omvi-ecu-sim executable as a child process: started with options, its terminal path read
// from its first output line, stopped with SIGTERM at the end.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace omvi::test {

class SimulatorProcess {
  public:
    SimulatorProcess();
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // Starts the simulator (never publishing into the user's runtime folder) and returns its
    // terminal path, or empty when it did not start.
    QString start(const QStringList& args = {});
    // Starts it publishing its terminal where this process's port list looks (the runtime
    // folder of the test), so the program's port menu offers it.
    QString startPublished(const QStringList& args = {});
    // SIGTERM, then a wait; true when it ended on its own with exit code 0.
    bool stop();
    // Ends it at once, as a pulled cable would end the line.
    void kill();
    QProcess& process() { return process_; }

    static QString executable();

  private:
    QTemporaryDir runtime_;
    QProcess process_;
};

}  // namespace omvi::test
