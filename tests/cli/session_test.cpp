// The command-line session against the in-process simulated controller on stepped time: what each
// command prints, what reaches the controller, and how every way of failing ends.

#include <gtest/gtest.h>

#include "cli_test_print.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>
#include <memory>

#include "cli/session.h"
#include "fake_time.h"
#include "link/bytes.h"
#include "loopback_port.h"
#include "model/control_catalogue.h"
#include "model/live_data.h"
#include "sim/ecu_simulator.h"

using namespace omvi;
using namespace omvi::cli;
using omvi::test::FakeClock;
using omvi::test::FakePause;
using omvi::test::FakeTimer;
using omvi::test::LoopbackPort;

namespace {

class TextConsole final : public Console {
  public:
    void out(const QString& line) override {
        if (open) {
            outLines << line;
        }
    }
    void err(const QString& line) override { errLines << line; }
    bool outputOpen() const override { return open; }

    QString errText() const { return errLines.join(QLatin1Char('\n')); }
    QStringList outLines;
    QStringList errLines;
    bool open = true;
};

// 2024-03-01T10:00:00Z at the start of the fake clock.
constexpr qint64 kEpochMs = 1709287200000;

Job jobFor(Task task, const QString& port = QStringLiteral("ttyUSB0")) {
    Job job;
    job.task = task;
    job.port = port;
    return job;
}

sim::SimOptions firmware(const char* version) {
    sim::SimOptions o;
    o.firmware = QString::fromLatin1(version);
    return o;
}

struct Rig {
    FakeClock clock;
    FakeTimer pollTimer{clock};
    FakeTimer answerTimer{clock};
    FakePause pause{clock};
    LoopbackPort port{clock};
    sim::EcuSimulator sim;
    TextConsole console;
    std::unique_ptr<Session> session;

    explicit Rig(const Job& job, sim::SimOptions options = {}) : sim(std::move(options)) {
        port.connectTo(sim);
        session = std::make_unique<Session>(job, port, pollTimer, answerTimer, pause, console);
        session->setClock([this] {
            return QDateTime::fromMSecsSinceEpoch(kEpochMs + clock.now(), QTimeZone::utc());
        });
    }

    void start() { session->start(clock.now()); }

    // Steps time, moving the session on every millisecond as the program's supervisor would.
    std::optional<int> runUntilDone(std::int64_t limitMs = 120000,
                                    const std::function<void()>& eachStep = {}) {
        std::optional<int> code;
        clock.runUntil(
            [&] {
                if (eachStep) {
                    eachStep();
                }
                code = session->poll(clock.now());
                return code.has_value();
            },
            limitMs);
        return code;
    }
    std::optional<int> run(std::int64_t limitMs = 120000) {
        start();
        return runUntilDone(limitMs);
    }

    // Commands the controller received, without the polls and the identification.
    QList<QByteArray> settingsReceived() const {
        QList<QByteArray> list;
        for (const QByteArray& c : sim.receivedCommands()) {
            if (byteAt(c, 0) != 0x66) {
                list << c;
            }
        }
        return list;
    }
};

QString valueOf(const QStringList& lines, const QString& label) {
    for (const QString& line : lines) {
        if (line.startsWith(label + QLatin1Char(':')) ||
            line.startsWith(label + QLatin1Char(' '))) {
            return line.mid(line.indexOf(QLatin1Char(' '), label.size())).trimmed();
        }
    }
    return QStringLiteral("<missing>");
}

}  // namespace

// --- identification and reading ----------------------------------------------------------------

TEST(CliSession, InfoNamesFirmwareAndVariantAndLeavesThePortClosed) {
    struct Case {
        const char* firmware;
        const char* shown;
        const char* variant;
    };
    for (const Case& c : {Case{"5.10.11", "5.10.11 (OMVI ver. 5.10.11)", "ver_3"},
                          Case{"3.7.7", "3.7.7 (OMVI ver. 3.07.07)", "ver_1"}}) {
        Rig rig(jobFor(Task::Info), firmware(c.firmware));
        EXPECT_EQ(rig.run(), kExitOk) << c.firmware << rig.console.errText().toStdString();
        const QStringList& out = rig.console.outLines;
        EXPECT_EQ(valueOf(out, QStringLiteral("Firmware")), QLatin1String(c.shown));
        EXPECT_EQ(valueOf(out, QStringLiteral("Variant")), QLatin1String(c.variant));
        EXPECT_EQ(valueOf(out, QStringLiteral("Port")), QStringLiteral("ttyUSB0"));
        EXPECT_EQ(valueOf(out, QStringLiteral("Petrol above")), QStringLiteral("6500 rpm"));
        EXPECT_EQ(valueOf(out, QStringLiteral("Cylinders")), QStringLiteral("4 cyl."));
        EXPECT_TRUE(rig.console.errLines.isEmpty());
        EXPECT_FALSE(rig.port.isOpen());
        // Reading sends nothing to the controller: no counters write, no settings.
        EXPECT_TRUE(rig.settingsReceived().isEmpty());
    }
}

TEST(CliSession, ConfigShowsEveryControlAsTextOrJson) {
    Rig text(jobFor(Task::Config));
    ASSERT_EQ(text.run(), kExitOk);
    EXPECT_EQ(text.console.outLines.size(),
              static_cast<qsizetype>(model::controlCatalogue().size()));
    EXPECT_EQ(valueOf(text.console.outLines, QStringLiteral("RPM_Max_To_Petrol")),
              QStringLiteral("6500"));

    Job job = jobFor(Task::Config);
    job.configFormat = ConfigFormat::Json;
    Rig json(job);
    ASSERT_EQ(json.run(), kExitOk);
    QJsonParseError error{};
    const QJsonDocument doc =
        QJsonDocument::fromJson(json.console.outLines.join(QLatin1Char('\n')).toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_EQ(doc.object().value(QStringLiteral("variant")).toString(), QStringLiteral("ver_3"));
    EXPECT_EQ(doc.object().value(QStringLiteral("firmware")).toString(), QStringLiteral("5.10.11"));
    const QJsonObject controls = doc.object().value(QStringLiteral("controls")).toObject();
    EXPECT_EQ(controls.size(), static_cast<qsizetype>(model::controlCatalogue().size()));
    EXPECT_EQ(controls.value(QStringLiteral("RPM_Max_To_Petrol")).toString(),
              QStringLiteral("6500"));
}

// --- set ---------------------------------------------------------------------------------------

TEST(CliSession, SetSendsTheControlsCommandsAndWaitsForEveryAcknowledgement) {
    Job job = jobFor(Task::Set);
    job.control = QStringLiteral("RPM_Max_To_Petrol");
    job.value = QStringLiteral("6550");
    Rig one(job);
    ASSERT_EQ(one.run(), kExitOk) << one.console.errText().toStdString();
    EXPECT_EQ(one.settingsReceived(), QList<QByteArray>{bytes({0x41, 65, 50})});
    EXPECT_EQ(byteAt(one.sim.configImage(), 346), 65);
    EXPECT_EQ(byteAt(one.sim.configImage(), 1021), 50);
    ASSERT_EQ(one.console.outLines.size(), 1);
    EXPECT_TRUE(one.console.outLines.first().contains(QStringLiteral("acknowledged")));
    EXPECT_FALSE(one.port.isOpen());

    // Five commands in one call: the first placed at once, four queued; all must be answered.
    job.control = QStringLiteral("sel_typ_wtrysku");
    job.value = QStringLiteral("Stefanelli");
    Rig five(job);
    ASSERT_EQ(five.run(), kExitOk) << five.console.errText().toStdString();
    EXPECT_EQ(five.settingsReceived(),
              (QList<QByteArray>{bytes({0x0E, 0}), bytes({0x24, 0}), bytes({0x30, 0}),
                                 bytes({0x38, 255}), bytes({0x44, 1})}));
    EXPECT_TRUE(five.console.outLines.first().contains(QStringLiteral("5 commands")));

    job.control = QStringLiteral("Kor_1..kor_6");
    job.value = QStringLiteral("-3,0,5,20,-20,1");
    Rig set(job);
    ASSERT_EQ(set.run(), kExitOk);
    EXPECT_EQ(set.settingsReceived(),
              QList<QByteArray>{bytes({0x35, 125, 128, 133, 148, 108, 129, 0x80, 0x80})});
}

TEST(CliSession, SetChecksTheValueAgainstTheIdentifiedFirmware) {
    // ver_1 allows at most 60 s of switch-over time, the later firmware more.
    Job job = jobFor(Task::Set);
    job.control = QStringLiteral("T_przel_to_LPG");
    job.value = QStringLiteral("100");
    Rig old(job, firmware("3.7.7"));
    EXPECT_EQ(old.run(), kExitFailure);
    EXPECT_TRUE(old.console.errText().contains(QStringLiteral("out of range")));
    EXPECT_TRUE(old.settingsReceived().isEmpty());
    EXPECT_FALSE(old.port.isOpen());

    Rig later(job, firmware("5.9.11"));
    EXPECT_EQ(later.run(), kExitOk);
    EXPECT_EQ(later.settingsReceived(), QList<QByteArray>{bytes({0x22, 0, 200})});
}

TEST(CliSession, AnUnacknowledgedSettingFailsWithTheLinksMessage) {
    Job job = jobFor(Task::Set);
    job.control = QStringLiteral("P_pracy_changer");
    job.value = QStringLiteral("1.25");
    Rig rig(job);
    rig.start();
    bool silenced = false;
    const auto code = rig.runUntilDone(120000, [&] {
        // The controller stops answering once the command is in flight.
        if (!silenced && !rig.session->link().slot(link::Link::kTxCurrent).isEmpty()) {
            sim::FaultOptions faults;
            faults.silentAfter = 0;
            rig.sim.setFaults(faults);
            silenced = true;
        }
    });
    ASSERT_TRUE(silenced);
    EXPECT_EQ(code, kExitFailure);
    EXPECT_TRUE(rig.console.errLines.contains(QStringLiteral("-No LPG Controller-")));
    EXPECT_TRUE(rig.console.outLines.isEmpty());
    EXPECT_FALSE(rig.port.isOpen());
}

// --- watch -------------------------------------------------------------------------------------

TEST(CliSession, WatchPrintsAHeaderAndExactlyTheFramesAskedFor) {
    Job job = jobFor(Task::Watch);
    job.count = 3;
    Rig rig(job);
    ASSERT_EQ(rig.run(), kExitOk) << rig.console.errText().toStdString();
    const QStringList& out = rig.console.outLines;
    // The disconnect's zero frame is not a controller frame and is not printed.
    ASSERT_EQ(out.size(), 4);
    const QStringList header = out.first().split(QLatin1Char(','));
    EXPECT_EQ(header.first(), QStringLiteral("time"));
    const qsizetype rpmColumn = header.indexOf(QStringLiteral("rpm"));
    ASSERT_GT(rpmColumn, 0);
    QDateTime previous;
    for (int i = 1; i < out.size(); ++i) {
        const QStringList cells = out.at(i).split(QLatin1Char(','));
        ASSERT_EQ(cells.size(), header.size());
        const QDateTime time = QDateTime::fromString(cells.first(), Qt::ISODateWithMs);
        ASSERT_TRUE(time.isValid()) << cells.first().toStdString();
        EXPECT_TRUE(cells.first().startsWith(QStringLiteral("2024-03-01T10:00:")));
        if (previous.isValid()) {
            EXPECT_GT(time, previous);
        }
        previous = time;
        const int rpm = cells.at(rpmColumn).toInt();
        EXPECT_GT(rpm, 500);
        EXPECT_LT(rpm, 1200);
    }
    EXPECT_FALSE(rig.port.isOpen());
}

TEST(CliSession, WatchEndsCleanlyOnInterruptOrClosedOutput) {
    for (const bool closeOutput : {false, true}) {
        Rig rig(jobFor(Task::Watch));
        rig.start();
        const auto code = rig.runUntilDone(60000, [&] {
            if (rig.session->framesPrinted() == 2) {
                if (closeOutput) {
                    rig.console.open = false;
                } else {
                    rig.session->interrupt();
                }
            }
        });
        EXPECT_EQ(code, kExitOk);
        EXPECT_EQ(rig.session->framesPrinted(), 2);
        EXPECT_FALSE(rig.port.isOpen());
        EXPECT_FALSE(rig.session->link().toggleOn());
    }
}

TEST(CliSession, APulledCableEndsAWatchWithTheLinksMessage) {
    Rig rig(jobFor(Task::Watch));
    rig.start();
    const auto code = rig.runUntilDone(60000, [&] {
        if (rig.session->framesPrinted() == 1 && rig.port.isOpen()) {
            rig.port.pullCable();
        }
    });
    EXPECT_EQ(code, kExitFailure);
    EXPECT_TRUE(rig.console.errLines.contains(QStringLiteral("-No LPG Controller-")));
}

// --- failing to connect ------------------------------------------------------------------------

TEST(CliSession, ASilentControllerEndsWithTheHyphenFramedMessage) {
    sim::SimOptions options;
    options.faults.silentAfter = 0;
    Rig rig(jobFor(Task::Info), options);
    EXPECT_EQ(rig.run(), kExitFailure);
    EXPECT_EQ(rig.console.errLines, QStringList{QStringLiteral("-No LPG Controller-")});
    EXPECT_TRUE(rig.console.outLines.isEmpty());
    EXPECT_FALSE(rig.port.isOpen());
}

TEST(CliSession, ATimeOutShorterThanTheLinksAttemptsGivesUpAndDisconnects) {
    sim::SimOptions options;
    options.faults.silentAfter = 0;
    Job job = jobFor(Task::Info);
    job.timeoutMs = 5000;
    Rig rig(job, options);
    rig.start();
    // Done by the deadline itself, long before the link's own attempts run out.
    EXPECT_EQ(rig.runUntilDone(5001), kExitFailure);
    EXPECT_TRUE(rig.console.errText().contains(QStringLiteral("within 5 s")));
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_TRUE(rig.session->link().linkState().isEmpty());
}

TEST(CliSession, AnUnknownFirmwareIsNamedWithItsVersion) {
    Rig rig(jobFor(Task::Info), firmware("1.2.3"));
    EXPECT_EQ(rig.run(), kExitFailure);
    ASSERT_EQ(rig.console.errLines.size(), 1);
    EXPECT_TRUE(rig.console.errLines.first().contains(QStringLiteral("firmware 1.2.3")));
    EXPECT_TRUE(rig.console.errLines.first().contains(QStringLiteral("5.10.11")));
}

TEST(CliSession, AMissingPortSaysSoAndWhy) {
    Rig rig(jobFor(Task::Config, QStringLiteral("ttyUSB9")));
    rig.port.presentPorts = {QStringLiteral("ttyS0")};
    rig.session->setOpenErrorText([] { return QStringLiteral("No such file or directory"); });
    EXPECT_EQ(rig.run(), kExitFailure);
    EXPECT_EQ(
        rig.console.errLines,
        (QStringList{QStringLiteral("No LPG Controller"),
                     QStringLiteral("omvi-cli: cannot open ttyUSB9: No such file or directory")}));
    EXPECT_EQ(rig.port.opens, 0);
}

TEST(CliSession, AnInterruptWhileConnectingDisconnects) {
    Rig rig(jobFor(Task::Info));
    rig.start();
    rig.clock.advance(50);
    rig.session->interrupt();
    EXPECT_EQ(rig.runUntilDone(1000), kExitInterrupted);
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_TRUE(rig.console.outLines.isEmpty());
}

// --- detect ------------------------------------------------------------------------------------

TEST(CliSession, DetectPrintsThePortThatAnswersOrFails) {
    const QStringList names{QStringLiteral("ttyS0"), QStringLiteral("ttyS1"),
                            QStringLiteral("ttyUSB0")};
    const auto lister = [names] {
        QList<link::PortItem> items;
        for (const QString& n : names) {
            items.append(link::PortItem{n, false});
        }
        return items;
    };
    Job job;
    job.task = Task::Detect;
    job.timeoutMs = 120000;

    Rig found(job);
    found.port.answeringPorts = {QStringLiteral("ttyUSB0")};
    found.port.presentPorts = {QStringLiteral("ttyS1"), QStringLiteral("ttyUSB0")};
    found.session->setPortLister(lister);
    ASSERT_EQ(found.run(), kExitOk) << found.console.errText().toStdString();
    EXPECT_EQ(found.console.outLines, QStringList{QStringLiteral("ttyUSB0")});
    EXPECT_FALSE(found.port.isOpen());

    Rig none(job);
    none.port.answeringPorts = {QStringLiteral("ttyACM7")};
    none.session->setPortLister(lister);
    EXPECT_EQ(none.run(), kExitFailure);
    EXPECT_EQ(none.console.errLines, QStringList{QStringLiteral("No LPG Controller")});
    EXPECT_TRUE(none.console.outLines.isEmpty());
}
