#pragma once
// Stepped time for tests: timers, posted events and pauses run on a clock that only moves when a
// test advances it, so a 3-second time-out costs no wall time.

#include <QList>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "link/io.h"

namespace omvi::test {

class FakeTimer;

class FakeClock {
  public:
    std::int64_t now() const { return now_; }
    // Runs everything due up to now + ms, in time order (timers and posted events).
    void advance(std::int64_t ms);
    // Runs everything due now (posted events with no delay).
    void settle() { advance(0); }
    // Advances in steps until `done` holds or `limitMs` passed; returns whether it held.
    bool runUntil(const std::function<bool()>& done, std::int64_t limitMs, std::int64_t stepMs = 1);
    void post(std::int64_t delayMs, std::function<void()> fn);
    // A pause moves the clock without running anything, like a blocking sleep.
    void skip(std::int64_t ms) { now_ += ms; }

  private:
    friend class FakeTimer;
    void add(FakeTimer* t) { timers_.push_back(t); }
    void remove(FakeTimer* t);
    bool runNext(std::int64_t limit);

    std::int64_t now_ = 0;
    std::uint64_t seq_ = 0;
    std::multimap<std::pair<std::int64_t, std::uint64_t>, std::function<void()>> posted_;
    std::vector<FakeTimer*> timers_;
};

class FakeTimer final : public link::Timer {
  public:
    explicit FakeTimer(FakeClock& clock) : clock_(clock) { clock_.add(this); }
    ~FakeTimer() override { clock_.remove(this); }
    void start() override;
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }
    void setInterval(int ms) override;
    int interval() const override { return interval_; }
    std::int64_t due() const { return due_; }
    int fired() const { return fired_; }

  private:
    friend class FakeClock;
    FakeClock& clock_;
    bool active_ = false;
    int interval_ = 0;
    std::int64_t due_ = 0;
    std::uint64_t order_ = 0;
    int fired_ = 0;
};

struct PauseRecord {
    int ms;
    link::PauseKind kind;
};

class FakePause final : public link::Pause {
  public:
    explicit FakePause(FakeClock& clock) : clock_(clock) {}
    void sleep(int ms, link::PauseKind kind = link::PauseKind::Pacing) override {
        records.push_back({ms, kind});
        clock_.skip(ms);
    }
    int total(link::PauseKind kind) const {
        int sum = 0;
        for (const auto& r : records) {
            sum += r.kind == kind ? r.ms : 0;
        }
        return sum;
    }
    QList<PauseRecord> records;

  private:
    FakeClock& clock_;
};

}  // namespace omvi::test
