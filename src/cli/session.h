#pragma once
// One run of omvi-cli against a controller: connect (or probe every port), do the command's work
// on the link, disconnect. The session is the link's host: the link's messages go to the error
// stream as they come, its questions are answered no.
//
// Time is the caller's: it calls poll() often (every few milliseconds) with the milliseconds since
// start, and stops when poll() gives an exit code. Tests step it on a fake clock.
//
//   start ──> connecting ──(identified)──> working ──(done)──> finished (disconnected)
//                 │                           │
//                 └──(link gave up, time-out, interrupt)──> finished, with the reason on stderr

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "cli/command_line.h"
#include "cli/port_tap.h"
#include "link/link_host.h"
#include "link/link_state_machine.h"
#include "model/settings_commands.h"

namespace omvi::cli {

// Where the session prints; one call per line, without the line end.
class Console {
  public:
    virtual ~Console() = default;
    virtual void out(const QString& line) = 0;
    virtual void err(const QString& line) = 0;
    // False once standard output has gone (a closed pipe); a watch then stops.
    virtual bool outputOpen() const { return true; }
};

class Session final : private link::LinkHost {
  public:
    using Clock = std::function<QDateTime()>;
    using PortLister = std::function<QList<link::PortItem>()>;

    // The task must not be Task::Ports, which needs no link.
    Session(Job job, link::SerialPortIo& port, link::Timer& pollTimer, link::Timer& answerTimer,
            link::Pause& pause, Console& console);
    ~Session() override;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Wall-clock time for the live lines (default: now).
    void setClock(Clock clock) { clock_ = std::move(clock); }
    // The ports detection probes (default: the ports present and the published simulators).
    void setPortLister(PortLister lister) { portLister_ = std::move(lister); }
    // The port layer's reason for a failed open.
    void setOpenErrorText(std::function<QString()> text) { tap_.errorText = std::move(text); }

    void start(std::int64_t nowMs);
    // Moves the work on; the exit code once the session has finished (and disconnected).
    std::optional<int> poll(std::int64_t nowMs);
    // Ctrl+C or SIGTERM: the next poll disconnects and finishes.
    void interrupt() { interrupted_ = true; }

    const link::Link& link() const { return link_; }
    int framesPrinted() const { return framesPrinted_; }

  private:
    enum class Phase { Connecting, Working, Finished };

    // LinkHost
    void showMessage(const QString& text) override;
    QList<link::PortItem> portItems() override;
    void showLiveData(const QByteArray& frame) override;

    void onConnected();
    void prepareSetting();
    void workOnSetting();
    bool requestSlotsEmpty() const;
    bool linkEnded() const;
    QString whyLinkEnded() const;
    std::optional<QString> unknownFirmware() const;
    int fail(const QString& reason);
    int finish(int code);
    void printIdentity();
    void printConfiguration();

    Job job_;
    Console& console_;
    PortTap tap_;
    link::Link link_;
    Clock clock_;
    PortLister portLister_;

    Phase phase_ = Phase::Connecting;
    std::optional<int> exitCode_;
    std::int64_t deadlineMs_ = 0;
    bool interrupted_ = false;
    int messagesShown_ = 0;
    QByteArray identification_;  // the identification answer as it came, decoded
    QDateTime lastRead_;
    int framesSeen_ = 0;
    int framesPrinted_ = 0;
    std::optional<model::SettingCommand> setting_;
    bool settingSent_ = false;
};

}  // namespace omvi::cli
