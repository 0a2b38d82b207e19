// Throughput of the link core: request encoding, answer decoding, live-frame decoding and export,
// and the CPU cost of one whole poll cycle against the in-process simulated controller on stepped
// time (no waiting: the 130 ms of the cycle cost nothing here, only the work done in it).

#include <benchmark/benchmark.h>

#include "link/frame_coding.h"
#include "link/link_state_machine.h"
#include "link_fixture.h"
#include "model/live_data.h"
#include "sim/ecu_simulator.h"

using namespace omvi;

namespace {

void BM_EncodePollRequest(benchmark::State& state) {
    const QByteArray payload = link::Link::pollRequest();
    for (auto _ : state) {
        benchmark::DoNotOptimize(link::buildRequestFrame(payload));
    }
    state.SetBytesProcessed(state.iterations() * payload.size());
}
BENCHMARK(BM_EncodePollRequest);

// A map write: 0xF0, the code and 254 data bytes, the sum; 257 bytes in all.
void BM_EncodeMapWrite(benchmark::State& state) {
    QByteArray command(255, '\0');
    for (int i = 0; i < command.size(); ++i) {
        command[i] = static_cast<char>(i * 7 + 3);
    }
    const QByteArray payload = link::makeRequestPayload(command);
    for (auto _ : state) {
        benchmark::DoNotOptimize(link::buildRequestFrame(payload));
    }
    state.SetBytesProcessed(state.iterations() * payload.size());
    state.counters["payload_bytes"] = static_cast<double>(payload.size());
}
BENCHMARK(BM_EncodeMapWrite);

void BM_DecodeConfigurationAnswer(benchmark::State& state) {
    const sim::EcuSimulator simulator;
    const QByteArray wire = link::encodeAnswerBytes(simulator.configImage(), 0x66);
    for (auto _ : state) {
        benchmark::DoNotOptimize(link::decodeAnswerBytes(wire, 0x66));
    }
    state.SetBytesProcessed(state.iterations() * wire.size());
    state.counters["answer_bytes"] = static_cast<double>(wire.size());
}
BENCHMARK(BM_DecodeConfigurationAnswer);

void BM_DecodeLiveFrame(benchmark::State& state) {
    sim::EcuSimulator simulator;
    const QByteArray frame = simulator.liveFrame(5000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(model::decodeLiveFrame(frame));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecodeLiveFrame);

// What `omvi-cli watch` adds per frame: decoding and one CSV row.
void BM_LiveFrameToCsvRow(benchmark::State& state) {
    sim::EcuSimulator simulator;
    const QByteArray frame = simulator.liveFrame(5000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(model::liveDataToCsvRow(model::decodeLiveFrame(frame)));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LiveFrameToCsvRow);

// One iteration is one poll cycle: tick, request, the controller's answer, reception and
// acceptance, and the display hand-over at the next tick.
void BM_PollCycleAgainstSimulator(benchmark::State& state) {
    test::LinkRig rig;
    sim::EcuSimulator simulator;
    rig.port.connectTo(simulator);
    if (!rig.connect()) {
        state.SkipWithError("the link did not connect to the simulator");
        return;
    }
    const std::int64_t startMs = rig.clock.now();
    for (auto _ : state) {
        rig.host.liveFrames.clear();
        rig.port.writes.clear();
        rig.port.writePorts.clear();
        if (!rig.clock.runUntil([&rig] { return !rig.host.liveFrames.isEmpty(); }, 10000)) {
            state.SkipWithError("polling stopped");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["simulated_ms_per_cycle"] =
        static_cast<double>(rig.clock.now() - startMs) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PollCycleAgainstSimulator);

}  // namespace

BENCHMARK_MAIN();
