#include "sim/ecu_simulator.h"

// Placeholder until the simulated controller lands: parses nothing and answers nothing.
namespace omvi::sim {

struct EcuSimulator::Impl {
    SimOptions options;
    QList<QByteArray> received;
};

EcuSimulator::EcuSimulator(SimOptions options) : d_(std::make_unique<Impl>()) {
    d_->options = std::move(options);
}
EcuSimulator::~EcuSimulator() = default;
QList<QByteArray> EcuSimulator::receive(const QByteArray&, std::int64_t) {
    return {};
}
QByteArray EcuSimulator::configImage() const {
    return {};
}
QByteArray EcuSimulator::liveFrame(std::int64_t) {
    return {};
}
const QList<QByteArray>& EcuSimulator::receivedCommands() const {
    return d_->received;
}
int EcuSimulator::answersSent() const {
    return 0;
}
int EcuSimulator::requestsRejected() const {
    return 0;
}
void EcuSimulator::setFaults(const FaultOptions& faults) {
    d_->options.faults = faults;
}

}  // namespace omvi::sim
