#pragma once
// Only one instance of the program may run: a lock file that the system releases when the holder
// ends, on Linux and on Windows alike.

#include <QLockFile>
#include <QString>
#include <memory>

namespace omvi::app {

class SingleInstance {
  public:
    // `name` is fixed per program; the lock lives in the user's temporary folder.
    explicit SingleInstance(const QString& name = QStringLiteral("omvi-single-instance"));
    // True when this process holds the lock (no other instance is running).
    bool acquired() const { return acquired_; }
    QString lockPath() const { return path_; }

  private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
    bool acquired_ = false;
};

}  // namespace omvi::app
