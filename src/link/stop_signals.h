#pragma once
// Ctrl+C, SIGTERM and SIGHUP delivered into the Qt event loop, so that a command-line program
// ends through its normal path (the port closed, links removed) instead of being killed.

#include <QObject>
#include <memory>

class QSocketNotifier;

namespace omvi::link {

class StopSignals : public QObject {
    Q_OBJECT
  public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;
    // False when the handlers could not be installed.
    bool installed() const { return installed_; }

  signals:
    void stopRequested();

  private:
    bool installed_ = false;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace omvi::link
