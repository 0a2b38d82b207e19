#include "cli/session.h"

#include <QJsonDocument>
#include <QLocale>

#include "cli/report.h"
#include "link/bytes.h"
#include "link/frame_coding.h"
#include "link/port_list.h"
#include "link/wire_constants.h"
#include "model/config_image.h"
#include "model/control_catalogue.h"
#include "model/live_data.h"

namespace omvi::cli {
namespace {

const QString kStateCount = QStringLiteral("count");
const QString kStateConnecting = QStringLiteral("w_s_0");
const QString kStateIdentifying = QStringLiteral("w_s_count");

QString seconds(std::int64_t ms) {
    return QString::number(static_cast<double>(ms) / 1000.0);
}

}  // namespace

Session::Session(Job job, link::SerialPortIo& port, link::Timer& pollTimer,
                 link::Timer& answerTimer, link::Pause& pause, Console& console)
    : job_(std::move(job)),
      console_(console),
      tap_(port),
      link_(tap_, pollTimer, answerTimer, pause, *this),
      clock_([] { return QDateTime::currentDateTime(); }) {
    tap_.onBytesRead = [this](const QByteArray& raw) {
        lastRead_ = clock_();
        // Kept beside the link, which drops the answer of an unknown firmware without a word.
        const QString& state = link_.linkState();
        if (state == kStateConnecting) {
            identification_ = link::decodeAnswerBytes(raw, link_.lastTxCode());
        } else if (state == kStateIdentifying) {
            identification_ += link::decodeAnswerBytes(raw, link_.lastTxCode());
        }
    };
}

Session::~Session() {
    if (!exitCode_) {
        finish(kExitFailure);
    }
}

void Session::start(std::int64_t nowMs) {
    deadlineMs_ = nowMs + job_.timeoutMs;
    if (job_.task == Task::Ports) {
        finish(kExitOk);
        return;
    }
    if (job_.task == Task::Detect) {
        link_.COMAUTO1Click();
        return;
    }
    tap_.setPortName(job_.port);
    link_.setToggle(true);
}

std::optional<int> Session::poll(std::int64_t nowMs) {
    if (exitCode_) {
        return exitCode_;
    }
    if (interrupted_) {
        if (job_.task == Task::Watch && phase_ == Phase::Working) {
            return finish(kExitOk);
        }
        console_.err(QStringLiteral("omvi-cli: interrupted"));
        return finish(kExitInterrupted);
    }
    const bool connected = link_.isConnected();
    if (phase_ == Phase::Connecting) {
        if (connected) {
            onConnected();
            return exitCode_;
        }
        if (linkEnded()) {
            return fail(whyLinkEnded());
        }
        if (nowMs >= deadlineMs_) {
            return fail(
                job_.task == Task::Detect
                    ? QStringLiteral("no controller found within %1 s").arg(seconds(job_.timeoutMs))
                    : QStringLiteral("the controller did not identify itself within %1 s")
                          .arg(seconds(job_.timeoutMs)));
        }
        return std::nullopt;
    }
    // Working.
    if (!connected) {
        return fail(whyLinkEnded());
    }
    if (job_.task == Task::Watch) {
        if (!console_.outputOpen() || (job_.count > 0 && framesPrinted_ >= job_.count)) {
            return finish(kExitOk);
        }
        return std::nullopt;
    }
    if (job_.task == Task::Set) {
        workOnSetting();
        if (!exitCode_ && nowMs >= deadlineMs_) {
            return fail(QStringLiteral("the controller did not acknowledge the setting within %1 s")
                            .arg(seconds(job_.timeoutMs)));
        }
    }
    return exitCode_;
}

void Session::onConnected() {
    switch (job_.task) {
        case Task::Ports:
        case Task::Detect:
            console_.out(link_.portName());
            finish(kExitOk);
            return;
        case Task::Info:
            printIdentity();
            finish(kExitOk);
            return;
        case Task::Config:
            printConfiguration();
            finish(kExitOk);
            return;
        case Task::Watch:
            if (job_.liveFormat == LiveFormat::Csv) {
                console_.out(liveHeaderLine());
            }
            phase_ = Phase::Working;
            return;
        case Task::Set:
            phase_ = Phase::Working;
            prepareSetting();
            return;
    }
}

// ---------------------------------------------------------------------------------------------
// set

void Session::prepareSetting() {
    const auto control = model::findControl(job_.control);
    if (!control) {
        fail(control.error());
        return;
    }
    // Checked again now that the firmware is known: some limits depend on it.
    const QString& variant = link_.firmwareVariant();
    const auto value = (*control)->parse(job_.value, variant);
    if (!value) {
        fail(value.error());
        return;
    }
    const model::ConfigValues config =
        model::decodeConfigImage(link_.configImage(), variant, QLocale::c());
    const auto command = (*control)->command(*value, model::CommandContext{variant, &config});
    if (!command) {
        fail(command.error());
        return;
    }
    setting_ = *command;
}

void Session::workOnSetting() {
    if (!setting_) {
        return;
    }
    if (!settingSent_) {
        // Placed between two cycles, once polling runs: no answer is then on its way that the
        // command could be mistaken for.
        if (framesSeen_ == 0 || link_.linkState() != kStateCount || !requestSlotsEmpty()) {
            return;
        }
        if (setting_->retryCount) {
            link_.setRetryCount(*setting_->retryCount);
        }
        for (const model::ImageEdit& edit : setting_->imageEdits) {
            link_.setConfigImageByte(edit.offset, edit.value);
        }
        link_.send_com(setting_->commands);
        settingSent_ = true;
        if (requestSlotsEmpty() && link_.isConnected()) {
            fail(QStringLiteral("the link did not take the command"));
        }
        return;
    }
    if (!requestSlotsEmpty()) {
        return;
    }
    int commands = 0;
    for (const QByteArray& c : setting_->commands) {
        commands += c.isEmpty() ? 0 : 1;
    }
    console_.out(QStringLiteral("%1 = %2: %3 acknowledged by the controller")
                     .arg(job_.control, job_.value,
                          commands == 1 ? QStringLiteral("1 command")
                                        : QStringLiteral("%1 commands").arg(commands)));
    finish(kExitOk);
}

bool Session::requestSlotsEmpty() const {
    for (int i = link::Link::kTxCurrent; i < link::Link::kSlotCount; ++i) {
        if (!link_.slot(i).isEmpty()) {
            return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// the link's host

void Session::showMessage(const QString& text) {
    ++messagesShown_;
    console_.err(text);
}

QList<link::PortItem> Session::portItems() {
    if (portLister_) {
        return portLister_();
    }
    QList<link::PortItem> items;
    for (const QString& name : link::presentPortNames()) {
        items.append(link::PortItem{name, false});
    }
    return items;
}

void Session::showLiveData(const QByteArray& frame) {
    // The disconnect clears the dashboard with a zero frame that passes the check byte: only
    // frames shown while polling are the controller's.
    if (phase_ != Phase::Working || !link_.isConnected() ||
        !model::acceptable(frame, link_.liveCheckByte())) {
        return;
    }
    ++framesSeen_;
    if (job_.task != Task::Watch || (job_.count > 0 && framesPrinted_ >= job_.count)) {
        return;
    }
    // The frame was complete at its last read; the display takes it a tick later.
    const QDateTime when = lastRead_.isValid() ? lastRead_ : clock_();
    console_.out(liveLine(model::decodeLiveFrame(frame), when, job_.liveFormat));
    ++framesPrinted_;
}

// ---------------------------------------------------------------------------------------------
// ending

bool Session::linkEnded() const {
    return link_.linkState().isEmpty() && !link_.toggleOn() && !link_.isPortOpen();
}

std::optional<QString> Session::unknownFirmware() const {
    const QByteArray& a = identification_;
    const int n = wordBe(a, 1);
    if (a.size() < 7 || byteAt(a, 0) != wire::kLead || byteAt(a, 3) != wire::kCmdIdentify ||
        n != a.size() || additiveSum(a, 0, n - 1) != byteAt(a, n - 1)) {
        return std::nullopt;
    }
    const int major = byteAt(a, 4);
    const int minor = byteAt(a, 5);
    const int patch = byteAt(a, 6);
    if (!link::Link::variantForVersion(major, minor, patch).isEmpty()) {
        return std::nullopt;
    }
    return QStringLiteral(
               "the controller reports firmware %1.%2.%3, which this tool does not know "
               "(it knows 3.7.7, 5.9.11 and 5.10.11)")
        .arg(major)
        .arg(minor)
        .arg(patch);
}

QString Session::whyLinkEnded() const {
    if (const auto firmware = unknownFirmware()) {
        return *firmware;
    }
    if (tap_.lastOpenFailed() && job_.task != Task::Detect) {
        return QStringLiteral("cannot open %1: %2").arg(job_.port, tap_.lastOpenError());
    }
    if (messagesShown_ > 0) {
        return QString();  // the link has said why
    }
    return QStringLiteral("the link to the controller ended");
}

int Session::fail(const QString& reason) {
    if (!reason.isEmpty()) {
        console_.err(QStringLiteral("omvi-cli: ") + reason);
    }
    return finish(kExitFailure);
}

int Session::finish(int code) {
    if (!exitCode_) {
        exitCode_ = code;
        phase_ = Phase::Finished;
        if (link_.isPortOpen() || link_.toggleOn() || !link_.linkState().isEmpty()) {
            link_.rozlaczClick();
        }
    }
    return *exitCode_;
}

// ---------------------------------------------------------------------------------------------
// output

void Session::printIdentity() {
    const Identity identity{job_.port, link_.statusText(), link_.firmwareVariant()};
    const model::ConfigValues config =
        model::decodeConfigImage(link_.configImage(), link_.firmwareVariant(), QLocale::c());
    for (const QString& line : infoLines(identity, config)) {
        console_.out(line);
    }
}

void Session::printConfiguration() {
    const model::ConfigValues config =
        model::decodeConfigImage(link_.configImage(), link_.firmwareVariant(), QLocale::c());
    if (job_.configFormat == ConfigFormat::Json) {
        const Identity identity{job_.port, link_.statusText(), link_.firmwareVariant()};
        console_.out(
            QString::fromUtf8(
                QJsonDocument(configJson(identity, config)).toJson(QJsonDocument::Indented))
                .trimmed());
        return;
    }
    for (const QString& line : configTextLines(config)) {
        console_.out(line);
    }
}

}  // namespace omvi::cli
