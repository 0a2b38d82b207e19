#include "app/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace omvi::app {

SingleInstance::SingleInstance(const QString& name) {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    path_ = QDir(dir).filePath(name + QStringLiteral(".lock"));
    lock_ = std::make_unique<QLockFile>(path_);
    // A lock left by a crashed instance is stale and is taken over.
    lock_->setStaleLockTime(0);
    acquired_ = lock_->tryLock(0);
}

}  // namespace omvi::app
