#pragma once
// Serves an EcuSimulator on a pseudo-terminal: the program opens the slave side like any serial
// port, the simulator reads and answers on the master side from the event loop.

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>

class QSocketNotifier;

namespace omvi::sim {

class EcuSimulator;

class PtyServer : public QObject {
  public:
    struct Options {
        bool wireRate = false;    // 720 bytes/s instead of at once
        bool gapBetween = false;  // a pause between deliveries, so chunks arrive as separate reads
    };
    // Each decoded command (not polls) as it arrives, for the log.
    using CommandLog = std::function<void(const QByteArray& command)>;

    PtyServer(EcuSimulator& simulator, Options options, QObject* parent = nullptr);
    ~PtyServer() override;

    // Creates the terminal; false with `error` set when the system refuses.
    bool open(QString* error);
    QString slavePath() const { return slavePath_; }
    void setCommandLog(CommandLog log) { log_ = std::move(log); }

    static constexpr int kGapMs = 20;
    static constexpr int kPaceTickMs = 10;
    static constexpr int kRetryReadMs = 100;
    static constexpr std::size_t kMaxQueuedDeliveries = 4096;

  private:
    void onReadable();
    void pump();
    void schedule(int delayMs);

    EcuSimulator& simulator_;
    Options options_;
    CommandLog log_;
    int master_ = -1;
    int slave_ = -1;  // held open so that the master never reads EIO while no program is there
    QString slavePath_;
    QSocketNotifier* readNotifier_ = nullptr;
    QSocketNotifier* writeNotifier_ = nullptr;
    QTimer pumpTimer_;
    QElapsedTimer clock_;
    std::deque<QByteArray> outgoing_;
    qint64 nextDeliveryMs_ = 0;
    double paceTokens_ = 0.0;
    qint64 paceRefillMs_ = 0;
};

}  // namespace omvi::sim
