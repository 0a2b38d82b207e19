#include "fake_time.h"

#include <algorithm>
#include <limits>

namespace omvi::test {

void FakeClock::remove(FakeTimer* t) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), t), timers_.end());
}

void FakeClock::post(std::int64_t delayMs, std::function<void()> fn) {
    posted_.emplace(std::make_pair(now_ + delayMs, seq_++), std::move(fn));
}

bool FakeClock::runNext(std::int64_t limit) {
    FakeTimer* timer = nullptr;
    for (FakeTimer* t : timers_) {
        if (!t->active_ || t->due_ > limit) {
            continue;
        }
        if (timer == nullptr || t->due_ < timer->due_ ||
            (t->due_ == timer->due_ && t->order_ < timer->order_)) {
            timer = t;
        }
    }
    const auto event = posted_.begin();
    const bool eventDue = event != posted_.end() && event->first.first <= limit;
    if (eventDue && (timer == nullptr || event->first.first <= timer->due_)) {
        now_ = std::max(now_, event->first.first);
        auto fn = std::move(event->second);
        posted_.erase(event);
        fn();
        return true;
    }
    if (timer != nullptr) {
        now_ = std::max(now_, timer->due_);
        timer->due_ = now_ + std::max(1, timer->interval_);
        timer->order_ = seq_++;
        ++timer->fired_;
        if (timer->onTimeout) {
            timer->onTimeout();
        }
        return true;
    }
    return false;
}

void FakeClock::advance(std::int64_t ms) {
    const std::int64_t limit = now_ + ms;
    while (runNext(limit)) {
        if (now_ > limit) {
            break;  // a pause inside a handler moved time past the limit
        }
    }
    now_ = std::max(now_, limit);
}

bool FakeClock::runUntil(const std::function<bool()>& done, std::int64_t limitMs,
                         std::int64_t stepMs) {
    const std::int64_t end = now_ + limitMs;
    while (!done()) {
        if (now_ >= end) {
            return false;
        }
        advance(stepMs);
    }
    return true;
}

void FakeTimer::start() {
    if (active_) {
        return;
    }
    active_ = true;
    due_ = clock_.now() + std::max(1, interval_);
    order_ = clock_.seq_++;
}

void FakeTimer::setInterval(int ms) {
    interval_ = ms;
    if (active_) {
        due_ = clock_.now() + std::max(1, interval_);
    }
}

}  // namespace omvi::test
