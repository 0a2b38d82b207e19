#include "sim/engine_model.h"

#include <gtest/gtest.h>

#include "sim/ecu_simulator.h"
#include "sim_test_util.h"

using namespace omvi;
using namespace omvi::sim;
using namespace omvi::sim::test;

namespace {

int rpm(const QByteArray& f) {
    return byteAt(f, 42) * 100 + byteAt(f, 43);
}
int petrolTenths(const QByteArray& f, int cylinder) {
    return wordLe(f, 10 + 2 * (cylinder - 1));
}
int gasTenths(const QByteArray& f, int cylinder) {
    return wordLe(f, 26 + 2 * (cylinder - 1));
}
int signedAt(const QByteArray& f, int offset) {
    return static_cast<std::int8_t>(byteAt(f, offset));
}

}  // namespace

TEST(EngineModel, IdlesAround800RpmWithJitter) {
    EcuSimulator sim;
    int lowest = 10000;
    int highest = 0;
    for (std::int64_t t = 0; t < 60000; t += 130) {
        const QByteArray f = sim.liveFrame(t);
        ASSERT_EQ(f.size(), EngineModel::kFrameLength);
        ASSERT_TRUE(sumIsGood(f));
        ASSERT_LT(byteAt(f, 43), 100);
        lowest = std::min(lowest, rpm(f));
        highest = std::max(highest, rpm(f));
    }
    EXPECT_GE(lowest, 750);
    EXPECT_LE(highest, 850);
    EXPECT_LT(lowest, highest);
}

TEST(EngineModel, WarmsUpFromColdOverAFewMinutes) {
    EcuSimulator sim;
    const QByteArray cold = sim.liveFrame(0);
    EXPECT_NEAR(signedAt(cold, 48), 15, 1);
    EXPECT_NEAR(signedAt(cold, 49), 15, 1);
    int lastReducer = signedAt(cold, 48);
    for (std::int64_t t = 10000; t <= 600000; t += 10000) {
        const int reducer = signedAt(sim.liveFrame(t), 48);
        EXPECT_GE(reducer, lastReducer) << t;
        lastReducer = reducer;
    }
    EXPECT_GE(signedAt(sim.liveFrame(180000), 48), 50);  // warm enough for an adaptation
    EXPECT_NEAR(lastReducer, 75, 2);
    EXPECT_GT(signedAt(sim.liveFrame(600000), 49), 35);
}

TEST(EngineModel, IdleReadingsAreInTheirRanges) {
    EcuSimulator sim;
    const QByteArray f = sim.liveFrame(2000);
    EXPECT_EQ(byteAt(f, 4), byteAt(sim.configImage(), 301));
    EXPECT_EQ(byteAt(f, 5) & 1, 1);      // ignition on
    EXPECT_NEAR(wordBe(f, 46), 35, 2);   // kPa
    EXPECT_NEAR(wordBe(f, 44), 120, 3);  // 0.01 bar
    EXPECT_NEAR(byteAt(f, 54) * 23.0 / 375 + 0.7, 13.8, 0.1);
    EXPECT_EQ(f.mid(50, 3), bytes({0xFF, 0xFF, 0xFF}));
    EXPECT_NEAR(byteAt(f, 59), 100, 2);
    EXPECT_EQ(byteAt(f, 71), 3);
    EXPECT_GT(byteAt(f, 72), 0);
    EXPECT_LT(byteAt(f, 72), 100);
    bool lean = false;
    bool rich = false;
    for (std::int64_t t = 0; t < 3000; t += 100) {
        const double volts = byteAt(sim.liveFrame(t), 57) * 0.0196;
        EXPECT_GE(volts, 0.05);
        EXPECT_LE(volts, 0.95);
        lean = lean || volts < 0.2;
        rich = rich || volts > 0.8;
    }
    EXPECT_TRUE(lean && rich);
}

TEST(EngineModel, GasTimesOnlyAfterAChangeOverAndOnlyOnItsCylinders) {
    EcuSimulator sim;
    QByteArray f = sim.liveFrame(1000);
    for (int c = 1; c <= 4; ++c) {
        EXPECT_NEAR(petrolTenths(f, c), 30, 2) << c;
        EXPECT_EQ(gasTenths(f, c), 0) << c;
    }
    EXPECT_EQ(petrolTenths(f, 5), 0);  // four cylinders configured
    EXPECT_EQ(byteAt(f, 6) & 1, 0);
    EXPECT_EQ(byteAt(f, 8), 0);

    ask(sim, bytes({0x03, 0x03, 0x05}), 1100);
    f = sim.liveFrame(1200);
    EXPECT_EQ(byteAt(f, 6) & 1, 1);
    EXPECT_EQ(byteAt(f, 8), 0x05);
    EXPECT_NEAR(gasTenths(f, 1), 36, 3);
    EXPECT_EQ(gasTenths(f, 2), 0);
    EXPECT_NEAR(gasTenths(f, 3), 36, 3);
    EXPECT_GT(petrolTenths(f, 2), 0);  // the petrol signal is still measured

    // Cylinders beyond the configured four never run on gas.
    ask(sim, bytes({0x03, 0x03, 0x3F}), 1300);
    EXPECT_EQ(byteAt(sim.liveFrame(1400), 8), 0x0F);

    ask(sim, bytes({0x03, 0x02, 0x0F}), 1500);
    f = sim.liveFrame(1600);
    EXPECT_EQ(byteAt(f, 6) & 1, 0);
    EXPECT_EQ(byteAt(f, 8), 0);
    EXPECT_EQ(gasTenths(f, 1), 0);
}

TEST(EngineModel, GasTimeFollowsTheMapAtTheOperatingPoint) {
    EcuSimulator sim;
    ask(sim, bytes({0x03, 0x03, 0x0F}), 0);
    const int before = gasTenths(sim.liveFrame(1000), 1);
    ask(sim, bytes({0x0B}) + QByteArray(256, static_cast<char>(150)), 0);
    const int after = gasTenths(sim.liveFrame(1000), 1);
    EXPECT_GT(after, before + 8);
}

TEST(EngineModel, TankLevelAgreesWithTheThresholds) {
    EcuSimulator sim;
    QByteArray f = sim.liveFrame(0);
    const int sender = byteAt(f, 55);
    EXPECT_GT(sender, 76);  // between the second and third factory threshold
    EXPECT_LT(sender, 112);
    EXPECT_EQ(byteAt(f, 56), 2);

    // A 90-0 Ohm sender falls as the tank fills, and its thresholds run downwards.
    ask(sim, bytes({0x0D, 143, 112, 76, 36, 2}));
    f = sim.liveFrame(0);
    EXPECT_EQ(byteAt(f, 56), 2);
    ask(sim, bytes({0x0D, 10, 20, 30, 40, 0}));  // everything below the sender: full
    EXPECT_EQ(byteAt(sim.liveFrame(0), 56), 4);
    ask(sim, bytes({0x0D, 200, 210, 220, 230, 0}));  // everything above: reserve
    EXPECT_EQ(byteAt(sim.liveFrame(0), 56), 0);
}

TEST(EngineModel, ActiveErrorsShowUntilCleared) {
    EcuSimulator sim;
    sim.setActiveErrors(0xF9, 0xFE, 0xFA);
    EXPECT_EQ(sim.liveFrame(0).mid(50, 3), bytes({0xF9, 0xFE, 0xFA}));
    ask(sim, bytes({0x10, 0x00}));
    EXPECT_EQ(sim.liveFrame(0).mid(50, 3), bytes({0xFF, 0xFF, 0xFF}));
}

TEST(EngineModel, LearnedCurveWindowWalksThePressures) {
    EcuSimulator sim;
    QList<int> seen;
    for (std::int64_t t = 0; t < 28 * 130; t += 130) {
        const QByteArray f = sim.liveFrame(t);
        const int p = byteAt(f, 60);
        seen.append(p);
        const QByteArray petrol = sim.learnedPetrol();
        const QByteArray gas = sim.learnedGas();
        EXPECT_EQ(byteAt(f, 62), byteAt(petrol, p));
        EXPECT_EQ(byteAt(f, 64), byteAt(petrol, p + 1));
        EXPECT_EQ(byteAt(f, 65), byteAt(petrol, p + 2));
        EXPECT_EQ(byteAt(f, 66), byteAt(gas, p + 2));
        EXPECT_EQ(byteAt(f, 68), byteAt(gas, p + 3));
        EXPECT_EQ(byteAt(f, 70), byteAt(gas, p + 4));
    }
    EXPECT_EQ(*std::min_element(seen.begin(), seen.end()), 20);
    EXPECT_GE(*std::max_element(seen.begin(), seen.end()), 98);

    // After a clear only the idle point is learned again.
    ask(sim, bytes({0x2A, 0x01}));
    sim.liveFrame(0);
    const QByteArray petrol = sim.learnedPetrol();
    int learned = 0;
    for (char b : petrol) {
        learned += b != 0 ? 1 : 0;
    }
    EXPECT_EQ(learned, 1);
}

TEST(EngineModel, SameSeedSameFramesOtherSeedOtherJitter) {
    SimOptions a;
    a.seed = 42;
    SimOptions b;
    b.seed = 43;
    EcuSimulator one(a);
    EcuSimulator two(a);
    EcuSimulator other(b);
    bool differs = false;
    for (std::int64_t t = 0; t < 5000; t += 250) {
        const QByteArray f = one.liveFrame(t);
        EXPECT_EQ(f, two.liveFrame(t));
        differs = differs || f != other.liveFrame(t);
    }
    EXPECT_TRUE(differs);
}
