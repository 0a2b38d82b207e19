#include "link/link_state_machine.h"

#include "i18n/language_table.h"
#include "i18n/languages.h"
#include "link/bytes.h"
#include "link/frame_coding.h"
#include "link/wire_constants.h"

namespace omvi::link {
namespace {

const QString kStateConnecting = QStringLiteral("w_s_0");
const QString kStateIdentifying = QStringLiteral("w_s_count");
const QString kStateIdentified = QStringLiteral("T_C_start");
const QString kStateCount = QStringLiteral("count");
const QString kStateReadCount = QStringLiteral("read_count");
const QString kStateReadCount1 = QStringLiteral("read_count_1");
const QString kStateComAuto = QStringLiteral("COM_AUTO");
const QString kStateComOk = QStringLiteral("COM_OK");
const QString kStatusIdle = QStringLiteral("OMVI ver.");
const QByteArray kQueueMarker(1, '\xFF');

bool isSlowCode(int code) {
    return code == 0x02 || code == 0x05 || code == 0x26 || code == 0x66;
}

bool isConfigurationCode(int code) {
    return code == 0x66 || code == 0x26 || code == 0x05;
}

bool isCountersCode(int code) {
    return code == wire::kCmdCountersWrite || code == wire::kCmdCountersRead;
}

}  // namespace

QString LinkHost::languageText(int row) {
    // Without a window there is no language choice: the English texts.
    static const i18n::LanguageTable table = i18n::LanguageTable::builtIn();
    static const int english = i18n::columnOfLanguage(QStringLiteral("AngielskiGB"));
    return table.text(row, english);
}

Link::Link(SerialPortIo& port, Timer& pollTimer, Timer& answerTimer, Pause& pause, LinkHost& host)
    : port_(port),
      Timer_Count_(pollTimer),
      Timer_Czekaj_na_odczyt_(answerTimer),
      pause_(pause),
      host_(host) {
    Timer_Count_.setInterval(kPollIntervalMs);
    Timer_Czekaj_na_odczyt_.setInterval(kAnswerTimeoutMs);
    Timer_Count_.onTimeout = [this] { Timer_CountTimer(); };
    Timer_Czekaj_na_odczyt_.onTimeout = [this] { Timer_Czekaj_na_odczytTimer(); };
    port_.onReadyRead = [this] { ComPort1RxChar(); };
    port_.onTxEmpty = [this] { ComPort1TxEmpty(); };
    port_.onLost = [this](const QString& reason) { portLost(reason); };
}

QByteArray Link::identificationRequest() {
    return bytes({0xF0, 0x66, 0x01, 0x57});
}
QByteArray Link::pollRequest() {
    return bytes({0xF0, 0x99, 0x01, 0x8A});
}

QString Link::variantForVersion(int major, int minor, int patch) {
    const QString text = QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(patch);
    if (text == QLatin1String("3.7.7")) {
        return QStringLiteral("ver_1");
    }
    if (text == QLatin1String("5.9.11")) {
        return QStringLiteral("ver_2");
    }
    if (text == QLatin1String("5.10.11")) {
        return QStringLiteral("ver_3");
    }
    return {};
}

QString Link::statusTextForVersion(int major, int minor, int patch) {
    return QStringLiteral("OMVI ver. %1.%2.%3")
        .arg(major)
        .arg(minor % 100, 2, 10, QLatin1Char('0'))
        .arg(patch % 100, 2, 10, QLatin1Char('0'));
}

bool Link::isConnected() const {
    return toggle_on_ && port_.isOpen() && !connectionInProgress() && !link_state_.isEmpty() &&
           !link_state_.contains(kStateComAuto) && link_state_ != kStateComOk;
}

bool Link::connectionInProgress() const {
    return link_state_ == kStateIdentified || link_state_ == kStateConnecting ||
           link_state_ == kStateIdentifying;
}

void Link::setConfigImageByte(int offset, std::uint8_t value) {
    if (offset >= 0 && offset < config_image_.size()) {
        config_image_[offset] = static_cast<char>(value);
    }
}

void Link::setPollInterval(bool slow) {
    const int base = Timer_Count_.interval();
    Timer_Count_.setInterval(slow ? (base | kSlowFlag) : (base & (kSlowFlag - 1)));
}

// ---------------------------------------------------------------------------------------------
// cod

void Link::cod(const QByteArray& payload) {
    if (!port_.isOpen()) {
        return;
    }
    Timer_Count_.stop();
    last_tx_code_ = byteAt(payload, 1);
    if (tx_busy_ != 0) {
        pause_.sleep(100);
    }
    const QByteArray frame = buildRequestFrame(payload);
    port_.clearError();
    tx_busy_ = 'd';
    if (frame.size() <= wire::kPieceSize) {
        const qint64 written = port_.write(frame);
        pause_.sleep(1);
        port_.clearError();
        pause_.sleep(0);
        if (written < frame.size()) {
            Timer_Czekaj_na_odczyt_.start();
        }
    } else {
        const qsizetype pieces = frame.size() / wire::kPieceSize;
        for (qsizetype j = 0; j < pieces; ++j) {
            tx_busy_ = 'd';
            const QByteArray piece = frame.mid(j * wire::kPieceSize, wire::kPieceSize);
            const qint64 written = port_.write(piece);
            pause_.sleep(122);
            port_.clearError();
            pause_.sleep(5);
            if (written < piece.size()) {
                Timer_Czekaj_na_odczyt_.start();
                pause_.sleep(102);
            }
        }
        // The remainder is written even when it is empty, with its pauses.
        const QByteArray rest = frame.mid(pieces * wire::kPieceSize);
        pause_.sleep(2);
        tx_busy_ = 'd';
        const qint64 written = port_.write(rest);
        pause_.sleep(122);
        port_.clearError();
        pause_.sleep(5);
        if (written < rest.size()) {
            Timer_Czekaj_na_odczyt_.start();
        }
    }
    port_.clearError();
}

// ---------------------------------------------------------------------------------------------
// send_com

void Link::send_com(Commands c) {
    if (!port_.isOpen()) {
        return;
    }
    if (connectionInProgress()) {
        return;
    }
    bool allEmpty = true;
    for (const QByteArray& s : c) {
        allEmpty = allEmpty && s.isEmpty();
    }
    if (allEmpty) {
        return;
    }
    const bool placeNow = c[4] == kQueueMarker;
    if (!placeNow) {
        bool busy = false;
        for (int i = kTxCurrent; i < kTxDeferred; ++i) {
            busy = busy || !tx_slots_[static_cast<std::size_t>(i)].isEmpty();
        }
        if (busy) {
            for (std::size_t k = 0; k < c.size(); ++k) {
                tx_slots_[kTxDeferred + k] = c[k];
            }
            return;
        }
    } else {
        c[4].clear();
    }
    pause_.sleep(10);
    Timer_Count_.stop();

    QByteArray& c0 = c[0];
    if (c0.startsWith(';')) {
        // ';' + service fields 1 and 2 + the caller's 8 bytes + service field 3 + the rest.
        QByteArray rewritten(1, ';');
        rewritten.append(tx_slots_[kServiceField1]);
        rewritten.append(tx_slots_[kServiceField1 + 1]);
        rewritten.append(c0.mid(1, 8));
        rewritten.append(tx_slots_[kServiceField1 + 2]);
        rewritten.append(c0.mid(9, 45));
        c0 = rewritten;
    }
    c0.prepend(static_cast<char>(wire::kLead));

    --retry_count_;
    if (retry_count_ == 0) {
        rozlaczClick();
        host_.showMessage(QStringLiteral("Time out - Error1"));
        return;
    }
    for (std::size_t k = 1; k <= 4; ++k) {
        if (!c[k].isEmpty()) {
            tx_slots_[kTxCurrent + k] = c[k];
        }
    }
    txCurrent() = c0;
    txCurrent().append(static_cast<char>(additiveSum(c0)));
    link_state_ = kStateCount;
    last_command_ = byteAt(c0, 1);
    Timer_Count_.start();
}

// ---------------------------------------------------------------------------------------------
// reception

int Link::expectedLengthByEcho(const QByteArray& answer) const {
    const QByteArray& current = tx_slots_[kTxCurrent];
    if (current.isEmpty() || byteAt(answer, 3) == byteAt(current, 1)) {
        return wordBe(answer, 1);
    }
    return 0;
}

void Link::failAndReconnect() {
    rozlaczClick();
    polaczClick(true);
}

void Link::failWithMessage(const QString& message) {
    rozlaczClick();
    host_.showMessage(message);
}

void Link::ComPort1RxChar() {
    port_.clearError();
    bool readOk = true;
    const QByteArray raw = port_.readAll(&readOk);
    if (!readOk) {
        host_.showMessage(QStringLiteral("Read error..."));
    }
    rx_expected_length_ = 0;
    Timer_Czekaj_na_odczyt_.stop();
    host_.activityBlip();
    const QByteArray chunk = decodeAnswerBytes(raw, last_tx_code_);
    if (chunk.isEmpty()) {
        return;
    }
    if (link_state_.contains(kStateComAuto) || link_state_ == kStateComOk) {
        rxPayload().append(chunk);
        // Two bytes are needed to see a length below 256; one byte alone proves nothing.
        if (rxPayload().size() >= 2 && byteAt(rxPayload(), 0) == wire::kLead &&
            byteAt(rxPayload(), 1) == 0x00) {
            link_state_ = kStateComOk;
        }
        Timer_Czekaj_na_odczyt_.start();
    } else if (link_state_ == kStateConnecting) {
        receiveIdentificationFirst(chunk);
    } else if (link_state_ == kStateIdentifying) {
        receiveIdentificationRest(chunk);
    } else if (link_state_ == kStateReadCount) {
        receiveAnswerFirst(chunk);
    } else if (link_state_ == kStateReadCount1) {
        receiveAnswerRest(chunk);
    }
    // In any other state (idle, "count", "T_C_start") the chunk is dropped.
}

void Link::receiveIdentificationFirst(const QByteArray& chunk) {
    rxPayload().clear();
    if (byteAt(chunk, 0) != wire::kLead) {
        rozlaczClick();
        host_.showMessage(QStringLiteral("- Init Error -"));
        rozlaczClick();
        return;
    }
    if (chunk.size() < 7) {
        rxPayload() = chunk;
        link_state_ = kStateIdentifying;
        Timer_Czekaj_na_odczyt_.start();
        return;
    }
    if (byteAt(chunk, 3) != wire::kCmdIdentify) {
        failAndReconnect();
        return;
    }
    rx_expected_length_ = wordBe(chunk, 1);
    if (chunk.size() < rx_expected_length_) {
        rxPayload() = chunk;
        link_state_ = kStateIdentifying;
        Timer_Czekaj_na_odczyt_.start();
        return;
    }
    if (chunk.size() > rx_expected_length_) {
        failAndReconnect();
        return;
    }
    link_state_ = kStateIdentifying;
    receiveIdentificationRest(chunk);
}

void Link::receiveIdentificationRest(const QByteArray& chunk) {
    QByteArray& rx = rxPayload();
    rx.append(chunk);
    if (rx.size() < 7) {
        Timer_Czekaj_na_odczyt_.start();
        return;
    }
    if (byteAt(rx, 0) != wire::kLead || byteAt(rx, 3) != wire::kCmdIdentify) {
        failAndReconnect();
        return;
    }
    rx_expected_length_ = wordBe(rx, 1);
    if (rx.size() < rx_expected_length_) {
        Timer_Czekaj_na_odczyt_.start();
        return;
    }
    if (rx.size() > rx_expected_length_) {
        failAndReconnect();
        return;
    }
    const int n = rx_expected_length_;
    if (additiveSum(rx, 0, n - 1) != byteAt(rx, n - 1)) {
        failAndReconnect();
        return;
    }
    if (status_text_ == kStatusIdle) {
        const int major = byteAt(rx, 4);
        const int minor = byteAt(rx, 5);
        const int patch = byteAt(rx, 6);
        firmware_variant_ = variantForVersion(major, minor, patch);
        if (firmware_variant_.isEmpty()) {
            rozlaczClick();
            return;
        }
        status_text_ = statusTextForVersion(major, minor, patch);
        host_.setStatusText(status_text_);
    }
    link_state_ = kStateIdentified;
    Timer_Count_.start();
}

void Link::receiveAnswerFirst(const QByteArray& chunk) {
    rx_checksum_ = 0;
    rxPayload().clear();
    Timer_Count_.stop();
    if (byteAt(chunk, 0) != wire::kLead) {
        failWithMessage(QStringLiteral("Init Error"));
        return;
    }
    rxPayload() = chunk;
    link_state_ = kStateReadCount1;
    if (chunk.size() < 5) {
        Timer_Czekaj_na_odczyt_.start();
        return;
    }
    rx_expected_length_ = expectedLengthByEcho(chunk);
    if (rx_expected_length_ == 0) {
        failWithMessage(QStringLiteral("-CRC ERROR-"));
        return;
    }
    if (chunk.size() < rx_expected_length_) {
        Timer_Czekaj_na_odczyt_.start();
        return;
    }
    if (chunk.size() > rx_expected_length_) {
        failWithMessage(QStringLiteral("-CRC ERROR-"));
        return;
    }
    rxPayload().clear();
    receiveAnswerRest(chunk);
}

void Link::receiveAnswerRest(const QByteArray& chunk) {
    Timer_Count_.stop();
    QByteArray& rx = rxPayload();
    rx.append(chunk);
    if (rx.size() < 5) {
        Timer_Czekaj_na_odczyt_.start();
        return;
    }
    rx_expected_length_ = expectedLengthByEcho(rx);
    if (rx_expected_length_ == 0) {
        failWithMessage(QStringLiteral("-CRC ERROR-"));
        return;
    }
    if (rx.size() < rx_expected_length_) {
        Timer_Czekaj_na_odczyt_.start();
        return;
    }
    if (rx.size() > rx_expected_length_) {
        failWithMessage(QStringLiteral("-CRC ERROR-"));
        return;
    }
    const int n = rx_expected_length_;
    rx_checksum_ = additiveSum(rx, 0, n - 1);
    if (rx_checksum_ != byteAt(rx, n - 1)) {
        failWithMessage(QStringLiteral("CRC ERROR"));
        return;
    }
    link_state_ = kStateCount;
    if (!txCurrent().isEmpty() && byteAt(rx, 3) == byteAt(txCurrent(), 1)) {
        retry_count_ = 0;
        txCurrent().clear();
    }
    Timer_Czekaj_na_odczyt_.stop();
    wait_retries_ = kWaitRetries;
    port_.clearError();
    Timer_Count_.start();
}

// ---------------------------------------------------------------------------------------------
// polling tick

void Link::Timer_CountTimer() {
    if (!port_.isOpen() || tx_busy_ != 0) {
        return;
    }
    Timer_Count_.stop();
    setPollInterval(false);
    QByteArray& current = txCurrent();

    if (current.isEmpty() && link_state_ == kStateCount && isConfigurationCode(last_command_)) {
        link_state_ = kStateIdentifying;
        host_.setMainWindowEnabled(false);
        host_.setPanelsGrey(true);
        host_.repaint();
        config_image_ = rxPayload();
        live_check_byte_ = byteAt(config_image_, wire::kLiveCheckOffset);
        host_.showConfiguration(config_image_);
        link_state_ = kStateCount;
        // A settings-file load keeps the window busy until the read after its block write.
        if (byteAt(tx_slots_[kTxQueue], 0) != wire::kCmdConfigBlockWrite) {
            host_.setPanelsGrey(false);
            host_.setMainWindowEnabled(true);
            setPollInterval(false);
        }
        host_.repaint();
        last_command_ = -1;
        if (txCurrent().isEmpty() && tx_slots_[kTxQueue].isEmpty() &&
            tx_slots_[kTxQueue + 1] == "ZAPIS") {
            tx_slots_[kTxQueue + 1].clear();
            host_.writeSettingsFile();
        }
        rxPayload().clear();
        Timer_Count_.start();
        host_.setAdaptationButtonsEnabled(true);
        return;
    }

    if (current.isEmpty() && link_state_ == kStateCount && isCountersCode(last_command_)) {
        host_.showCounters(rxPayload().mid(4, 255));
        last_command_ = -1;
        rxPayload().clear();
        setPollInterval(false);
        Timer_Count_.start();
        host_.setPanelsGrey(false);
        host_.setMainWindowEnabled(true);
        return;
    }

    if (current.isEmpty()) {
        last_command_ = -1;
    }

    if (link_state_ == kStateIdentified) {
        config_image_ = rxPayload();
        live_check_byte_ = byteAt(config_image_, wire::kLiveCheckOffset);
        host_.prepareFirstConfiguration();
        host_.showConfiguration(config_image_);
        rxPayload().clear();
        link_state_ = kStateCount;
        Polacz_switchStatusChanged(Sender::None);
        toggle_on_text_ = port_.portName() + QStringLiteral(" - ON");
        host_.setToggleOnText(toggle_on_text_);
        if (!firmware_variant_.isEmpty()) {
            host_.applyFirmwareVariant(firmware_variant_);
        }
        host_.setReserveFlashing(true);
        host_.setFileMenuAvailable(true);
        setPollInterval(false);
        wait_retries_ = kWaitRetries;
        Timer_Count_.start();
        return;
    }

    // The request step.
    Timer_Count_.stop();
    if (link_state_ == kStateCount && txCurrent().isEmpty()) {
        host_.showLiveData(rxPayload());
    }
    rx_checksum_ = 0;
    rx_expected_length_ = 0;
    rxPayload().clear();
    link_state_ = kStateReadCount;

    if (txCurrent().isEmpty() && !tx_slots_[kTxQueue].isEmpty()) {
        for (int i = kTxCurrent; i < kTxQueue + 3; ++i) {
            tx_slots_[static_cast<std::size_t>(i)] = tx_slots_[static_cast<std::size_t>(i + 1)];
        }
        tx_slots_[kTxQueue + 3].clear();
        retry_count_ = 7;
        send_com(Commands{txCurrent(), tx_slots_[kTxQueue], tx_slots_[kTxQueue + 1],
                          tx_slots_[kTxQueue + 2], kQueueMarker});
        Timer_Count_.start();
        return;
    }
    if (!txCurrent().isEmpty()) {
        setPollInterval(isSlowCode(byteAt(txCurrent(), 1)));
        // Whatever waits in the input now is the tail of an answer this link no longer expects
        // (a poll overtaken by the command); read with the command's code it would look broken.
        port_.discardBuffers();
        cod(txCurrent());
    }
    bool queueEmpty = true;
    for (int i = kTxQueue; i < kTxDeferred; ++i) {
        queueEmpty = queueEmpty && tx_slots_[static_cast<std::size_t>(i)].isEmpty();
    }
    if (txCurrent().isEmpty() && queueEmpty && !tx_slots_[kTxDeferred].isEmpty()) {
        retry_count_ = 7;
        Commands deferred;
        for (std::size_t k = 0; k < deferred.size(); ++k) {
            deferred[k] = tx_slots_[kTxDeferred + k];
        }
        send_com(deferred);
        for (std::size_t k = 0; k < deferred.size(); ++k) {
            tx_slots_[kTxDeferred + k].clear();
        }
        Timer_Count_.start();
        return;
    }
    if (txCurrent().isEmpty()) {
        cod(pollRequest());
        setPollInterval(false);
    }
    Timer_Czekaj_na_odczyt_.start();
}

// ---------------------------------------------------------------------------------------------
// answer time-out

void Link::Timer_Czekaj_na_odczytTimer() {
    Timer_Czekaj_na_odczyt_.stop();
    if (autoDetectTimeout()) {
        return;
    }
    host_.setMainWindowEnabled(true);
    host_.setPanelsGrey(false);
    const auto identifying = [this] {
        return link_state_ == kStateConnecting || link_state_ == kStateIdentifying;
    };
    if (connect_attempts_ > 0 && identifying()) {
        polaczClick(true);
    }
    if (connect_attempts_ > 0 && identifying()) {
        return;
    }
    if (wait_retries_ > 0 && tx_busy_ == 0) {
        if (link_state_ == kStateReadCount && txCurrent().isEmpty() && last_command_ == -1) {
            --wait_retries_;  // an unanswered poll: the next tick polls again
            Timer_Count_.start();
            return;
        }
        if (link_state_ == kStateReadCount && !txCurrent().isEmpty()) {
            --wait_retries_;  // an unanswered command: the next tick sends it again
            Timer_Count_.start();
            return;
        }
        if (link_state_ == kStateReadCount1 && !txCurrent().isEmpty()) {
            Timer_Count_.stop();
            --wait_retries_;
            port_.clearError();
            Timer_Czekaj_na_odczyt_.start();
            return;
        }
    }
    rozlaczClick();
    host_.showMessage(QLatin1Char('-') + host_.languageText(kRowNoController) + QLatin1Char('-'));
    host_.repaint();
}

void Link::portLost(const QString& reason) {
    (void)reason;
    if (link_state_.isEmpty() && !toggle_on_) {
        port_.close();
        return;
    }
    rozlaczClick();
    host_.showMessage(QLatin1Char('-') + host_.languageText(kRowNoController) + QLatin1Char('-'));
}

// ---------------------------------------------------------------------------------------------
// connect

void Link::polaczClick(bool automatic) {
    host_.closeEditor();
    firmware_variant_.clear();
    status_text_ = kStatusIdle;
    host_.setStatusText(status_text_);
    host_.resetStatusPanel1();
    host_.setCylinderPanelEnabled(true);
    host_.setAdaptationButtonsEnabled(true);
    if (automatic) {
        --connect_attempts_;
    } else {
        connect_attempts_ = kConnectAttempts;
    }
    if (port_.baudRate() != wire::kBaudRate) {
        port_.setBaudRate(wire::kBaudRate);
    }
    host_.setBaudRateText(QString::number(wire::kBaudRate));
    rx_checksum_ = 0;
    rx_expected_length_ = 0;
    rxPayload().clear();
    if (connect_attempts_ == 0) {
        rozlaczClick();  // the attempt still goes on
    }
    if (connect_attempts_ == 2) {
        port_.close();
        pause_.sleep(50);
        host_.setMainWindowEnabled(true);
    }
    const bool wasOpen = port_.isOpen();
    if (!wasOpen) {
        pause_.sleep(100);
        if (!port_.open()) {
            port_.clearError();
            if (port_.isOpen()) {
                port_.close();
            }
            host_.showMessage(host_.languageText(kRowNoController));
            rozlaczClick();
            return;
        }
        port_.discardBuffers();
        pause_.sleep(200);
        port_.clearError();
    }
    Timer_Czekaj_na_odczyt_.stop();
    link_state_ = kStateConnecting;
    Timer_Count_.stop();
    port_.clearError();
    pause_.sleep(200);
    if (wasOpen) {
        // Over a port that stayed open, the answer to the last request may still be arriving; read
        // with the identification's code it would look like a broken frame.
        port_.discardBuffers();
    }
    host_.uncheckOscilloscopeLambda();
    host_.setMainWindowEnabled(false);
    host_.setPanelsGrey(true);
    host_.repaint();
    host_.resetAdaptation();
    setPollInterval(true);
    Timer_Czekaj_na_odczyt_.start();
    Timer_Count_.start();
    if (!port_.isOpen()) {
        rozlaczClick();
        host_.showMessage(host_.languageText(kRowNoController));
    } else {
        cod(identificationRequest());
    }
}

// ---------------------------------------------------------------------------------------------
// disconnect

void Link::closePortForDisconnect() {
    int budget = kCloseBudget;
    bool firstRound = true;
    while (port_.isOpen() && budget > 0) {
        if (!firstRound) {
            pause_.sleep(1000, PauseKind::Settle);
        }
        firstRound = false;
        port_.flush();
        port_.abortTransfers();
        if (port_.discardBuffers()) {
            pause_.sleep(2000, PauseKind::Settle);
        }
        if (port_.isOpen() && !port_.close()) {
            --budget;
        }
    }
}

void Link::rozlaczClick() {
    host_.applyFirmwareVariant(QStringLiteral("ver_2"));
    host_.hideServiceTab();
    host_.resetStatusPanel1();
    host_.setErrorLedVisible(false);
    // Kept per call: the nested disconnect run by the toggle must not lose the outer one's text.
    const QString link_scratch = host_.actualErrorsText();

    host_.setCylinderPanelEnabled(true);
    Timer_Count_.stop();
    Timer_Czekaj_na_odczyt_.stop();
    host_.stopAdaptation();
    Timer_Count_.stop();
    host_.resetAdaptation();
    host_.setAdaptationButtonsEnabled(true);

    closePortForDisconnect();

    link_state_.clear();
    last_command_ = -1;
    for (int i = kTxCurrent; i < kSlotCount; ++i) {
        tx_slots_[static_cast<std::size_t>(i)].clear();
    }
    retry_count_ = 0;
    Timer_Count_.stop();
    Timer_Czekaj_na_odczyt_.stop();

    setToggle(false);

    QByteArray zeroFrame(kResetFrameLength, '\0');
    zeroFrame[4] = static_cast<char>(live_check_byte_);
    rxPayload() = zeroFrame;
    host_.showLiveData(rxPayload());
    rxPayload().clear();

    host_.setErrorLedVisible(false);
    host_.setFileMenuAvailable(false);
    host_.setReserveFlashing(false);
    host_.resetCylinderLeds();
    host_.resetErrorLed();
    host_.checkPortItem(port_.portName());
    host_.saveSettings();
    host_.setMainWindowEnabled(true);
    host_.setPanelsGrey(false);
    host_.setActualErrorsText(link_scratch);
}

// ---------------------------------------------------------------------------------------------
// toggle, reset, port choice

void Link::setToggle(bool on) {
    if (on == toggle_on_) {
        return;
    }
    toggle_on_ = on;
    host_.showToggle(on);
    Polacz_switchStatusChanged(Sender::Toggle);
}

void Link::Polacz_switchStatusChanged(Sender sender) {
    txCurrent().clear();
    if (!(link_state_ == kStateCount && tx_slots_[kTxQueue].startsWith(';'))) {
        tx_slots_[kTxQueue].clear();
    }
    for (int i = kTxQueue + 1; i < kTxDeferred; ++i) {
        tx_slots_[static_cast<std::size_t>(i)].clear();
    }
    if (sender == Sender::None) {
        if (!toggle_on_) {
            setToggle(true);
        }
        return;
    }
    if (toggle_on_) {
        if (port_.portName().isEmpty()) {
            return;
        }
        toggle_on_text_ = QStringLiteral("COM x");
        host_.setToggleOnText(toggle_on_text_);
        if (link_state_ != kStateCount) {
            polaczClick(false);
        }
    } else if (!port_.portName().isEmpty()) {
        rozlaczClick();
    }
}

void Link::Reset1Click(bool askFirst) {
    if (askFirst && !host_.askYesNo(host_.languageText(kRowResetQuestion))) {
        return;
    }
    host_.setErrorLedVisible(false);
    retry_count_ = 5;
    host_.setPanelsGrey(true);
    host_.setMainWindowEnabled(false);
    send_com(QByteArray(1, static_cast<char>(wire::kCmdFactoryReset)));
}

void Link::zmien_port_COM(const QString& portName) {
    port_.close();
    port_.setPortName(portName);
    port_.setBaudRate(wire::kBaudRate);
    host_.uncheckPortItems();
    host_.checkPortItem(portName);
    polaczClick(false);
}

// ---------------------------------------------------------------------------------------------
// auto-detection

void Link::COMAUTO1Click() {
    if (toggle_on_) {
        return;
    }
    link_state_.clear();
    if (port_.isOpen()) {
        port_.close();
    }
    const QList<PortItem> items = host_.portItems();
    for (qsizetype i = items.size() - 1; i >= 0; --i) {
        link_state_ += QLatin1Char('\t') + items.at(i).name + QLatin1Char('\n');
    }
    for (qsizetype i = items.size() - 1; i >= 0; --i) {
        if (items.at(i).checked) {
            link_state_.prepend(QLatin1Char('\t') + items.at(i).name + QLatin1Char('\n'));
        }
    }
    host_.uncheckPortItems();
    link_state_ += kStateComAuto;
    rxPayload().clear();
    Timer_Czekaj_na_odczyt_.start();
    host_.uncheckOscilloscopeLambda();
    host_.setMainWindowEnabled(false);
    host_.setPanelsGrey(true);
    host_.setErrorLedProgress(QStringLiteral("COMx . . ."));
    host_.repaint();
}

bool Link::autoDetectTimeout() {
    for (;;) {
        if (link_state_ == kStateComOk) {
            if (port_.isOpen() && !port_.abortTransfers()) {
                port_.close();
            }
            port_.close();
            link_state_.clear();
            rozlaczClick();
            pause_.sleep(1000, PauseKind::Settle);
            for (int check = 0; check < 2; ++check) {
                if (port_.isOpen()) {
                    pause_.sleep(1000, PauseKind::Settle);
                }
            }
            polaczClick(false);
            return true;
        }
        if (link_state_ == kStateComAuto) {
            Timer_Czekaj_na_odczyt_.stop();
            link_state_.clear();
            host_.showMessage(host_.languageText(kRowNoController));
            rozlaczClick();
            return true;
        }
        if (!link_state_.contains(kStateComAuto)) {
            return false;
        }
        if (port_.isOpen()) {
            if (!port_.abortTransfers()) {
                port_.close();
            }
            port_.close();
        }
        const qsizetype tab = link_state_.indexOf(QLatin1Char('\t'));
        const qsizetype lf = link_state_.indexOf(QLatin1Char('\n'));
        if (lf < 0) {
            link_state_ = kStateComAuto;  // a malformed list ends the search
            continue;
        }
        const QString name = link_state_.mid(tab + 1, lf - tab - 1);
        port_.setPortName(name);
        host_.setErrorLedProgress(name + QStringLiteral(" . . ."));
        link_state_.remove(0, lf + 1);
        // Probe at the controller's rate even on a first start without stored settings.
        port_.setBaudRate(wire::kBaudRate);
        if (!port_.open() || !port_.isOpen()) {
            continue;
        }
        rxPayload().clear();
        pause_.sleep(300);
        host_.repaint();
        Timer_Czekaj_na_odczyt_.start();
        cod(pollRequest());
        return true;
    }
}

}  // namespace omvi::link
