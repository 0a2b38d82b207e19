#pragma once
// A warm-up idle of a four-stroke petrol engine with a sequential gas system, as the controller
// reports it in its live frame. Time is the caller's: `nowMs` counts from ignition on, so the same
// seed and the same times give the same frames.

#include <QByteArray>
#include <array>
#include <cstdint>

namespace omvi::sim {

class EngineModel {
  public:
    // Bytes 4..72 are data; one sum byte follows.
    static constexpr int kFrameLength = 74;
    static constexpr int kIdleRpm = 800;
    static constexpr double kColdTemp = 15.0;
    static constexpr double kWarmReducerTemp = 75.0;
    static constexpr double kWarmGasTemp = 45.0;

    explicit EngineModel(std::uint32_t seed);

    // The plain live frame (0xF0, length, 0x99, data, sum) at `nowMs`, read against the current
    // configuration `image`. Also learns the current operating point, as the controller does.
    QByteArray liveFrame(const QByteArray& image, std::int64_t nowMs);

    // Fuel change-over: mode 0x03 = gas on the cylinders of `mask`, 0x02 = petrol everywhere.
    void changeOver(std::uint8_t mode, std::uint8_t mask);
    std::uint8_t gasMask() const { return gasMask_; }

    // 0x01 petrol, 0x02 gas: forget the learned injection times of that fuel.
    void clearLearned(std::uint8_t fuel);
    const std::array<std::uint8_t, 256>& petrolLearned() const { return petrolLearned_; }
    const std::array<std::uint8_t, 256>& gasLearned() const { return gasLearned_; }

    // Current error flags as sent (active low): bytes 50, 51 and the injector byte 52.
    void setActiveErrors(std::uint8_t flags50, std::uint8_t flags51, std::uint8_t injectors);
    void clearActiveErrors() { setActiveErrors(0xFF, 0xFF, 0xFF); }

    void setCalibrationMode(bool on) { calibrationMode_ = on; }
    bool calibrationMode() const { return calibrationMode_; }

  private:
    int jitter(int channel, std::int64_t nowMs, int range) const;

    std::uint32_t seed_;
    std::uint8_t gasMask_ = 0;
    std::array<std::uint8_t, 256> petrolLearned_{};
    std::array<std::uint8_t, 256> gasLearned_{};
    std::uint8_t errors50_ = 0xFF;
    std::uint8_t errors51_ = 0xFF;
    std::uint8_t injectorErrors_ = 0xFF;
    bool calibrationMode_ = false;
};

}  // namespace omvi::sim
