#pragma once
// A value or the message that says why there is none; the front ends show the message as is.

#include <QString>
#include <optional>
#include <utility>

namespace omvi::model {

template <class T>
class Expected {
  public:
    Expected(T value) : value_(std::move(value)) {}  // NOLINT: implicit on purpose
    static Expected failure(QString message) {
        Expected e;
        e.error_ = std::move(message);
        return e;
    }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *value_; }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    const QString& error() const { return error_; }

  private:
    Expected() = default;
    std::optional<T> value_;
    QString error_;
};

}  // namespace omvi::model
