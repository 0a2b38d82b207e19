#pragma once
// The link with the controller: frame coding and pacing (`cod`), the command queue
// (`send_com`), reception and identification, the polling cycle, time-outs, connect, disconnect
// and port auto-detection. One object owns all link state; the port, the two timers, the pauses
// and every effect on the user interface are injected.
//
//            connect                 first chunk            complete, known firmware
//   idle ───────────────> "w_s_0" ─────────────> "w_s_count" ───────────────> "T_C_start"
//    ^                      ^  │ time-out, attempts left                         │ tick
//    │ disconnect           └──┘ (automatic attempt; 5 in all)                   v
//    │ (errors, time-out,        tick: dispatch answer, send request   ┌───> "count"
//    │  toggle off, exit)   ┌──────────────────────────────────────────┘        │ tick
//    │                      │  answer complete, echo and sum good               v
//    └──────────────── "read_count_1" <───────── first chunk ─────────── "read_count"
//                                  time-out: resend up to 3 times (wait_retries)
//
// Auto-detection keeps its work list in link_state: "\tCOM3\n\tCOM1\nCOM_AUTO", then "COM_OK".

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

#include "i18n/rows.h"
#include "link/io.h"
#include "link/link_host.h"

namespace omvi::link {

// Five strings of one send_com call: the command and up to four follow-ups.
using Commands = std::array<QByteArray, 5>;

class Link {
  public:
    // Slots of tx_slots.
    static constexpr int kRxPayload = 0;
    static constexpr int kServiceField1 = 1;  // service_fields 1..4 at 1..4
    static constexpr int kTxCurrent = 5;
    static constexpr int kTxQueue = 6;      // 6..9
    static constexpr int kTxDeferred = 10;  // 10..14
    static constexpr int kSlotCount = 15;

    static constexpr int kPollIntervalMs = 130;
    static constexpr int kSlowFlag = 1024;
    static constexpr int kAnswerTimeoutMs = 3000;
    static constexpr int kConnectAttempts = 5;
    static constexpr int kWaitRetries = 3;
    static constexpr int kCloseBudget = 6;
    static constexpr int kResetFrameLength = 1560;

    // Language rows the link reads.
    static constexpr int kRowResetQuestion = i18n::kRowResetQuestion;
    static constexpr int kRowNoController = i18n::kRowNoController;

    Link(SerialPortIo& port, Timer& pollTimer, Timer& answerTimer, Pause& pause, LinkHost& host);
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    // --- user actions -------------------------------------------------------------------------
    // `polacz`: a user connect (attempts back to 5); `automatic` for the retries of the link.
    void polaczClick(bool automatic = false);
    void rozlaczClick();
    // The connect toggle changed by the user (or by code through setToggle).
    void setToggle(bool on);
    // Factory reset; `askFirst` is a user click, which asks the row-11 question.
    void Reset1Click(bool askFirst = true);
    // A port item of the "Porty" menu chosen directly.
    void zmien_port_COM(const QString& portName);
    void COMAUTO1Click();

    // --- the command queue ------------------------------------------------------------------
    void send_com(Commands commands);
    void send_com(const QByteArray& command) { send_com(Commands{command, {}, {}, {}, {}}); }
    void setRetryCount(int count) { retry_count_ = count; }

    // --- state (read by displays, the counters record and tests) -------------------------------
    const QString& linkState() const { return link_state_; }
    const QByteArray& slot(int index) const {
        return tx_slots_.at(static_cast<std::size_t>(index));
    }
    void setSlot(int index, const QByteArray& value) {
        tx_slots_.at(static_cast<std::size_t>(index)) = value;
    }
    const QByteArray& configImage() const { return config_image_; }
    // The two settings handlers that change the image in place (cylinder count, injector type).
    void setConfigImageByte(int offset, std::uint8_t value);
    const QString& firmwareVariant() const { return firmware_variant_; }
    const QString& statusText() const { return status_text_; }
    int retryCount() const { return retry_count_; }
    int lastCommand() const { return last_command_; }
    int connectAttempts() const { return connect_attempts_; }
    int waitRetries() const { return wait_retries_; }
    std::uint8_t liveCheckByte() const { return live_check_byte_; }
    std::uint8_t lastTxCode() const { return last_tx_code_; }
    bool txBusy() const { return tx_busy_ != 0; }
    bool toggleOn() const { return toggle_on_; }
    const QString& toggleOnText() const { return toggle_on_text_; }
    bool isPortOpen() const { return port_.isOpen(); }
    QString portName() const { return port_.portName(); }
    // True once identified and polling (the toggle is on and no connection is in progress).
    bool isConnected() const;

    // --- port events (wired to the port in the constructor; public for tests) ---------------
    void ComPort1RxChar();
    void ComPort1TxEmpty() { tx_busy_ = 0; }
    void Timer_CountTimer();
    void Timer_Czekaj_na_odczytTimer();
    void portLost(const QString& reason);

    // `cod`: scrambles, frames and writes one plain payload with the pacing of the wire.
    void cod(const QByteArray& payload);

    static QByteArray identificationRequest();
    static QByteArray pollRequest();
    // "5.10.11" -> "ver_3"; empty for unknown firmware.
    static QString variantForVersion(int major, int minor, int patch);
    static QString statusTextForVersion(int major, int minor, int patch);

  private:
    enum class Sender { None, Toggle };

    void Polacz_switchStatusChanged(Sender sender);
    void disconnectOnce();
    bool autoDetectTimeout();
    void closePortForDisconnect();
    void setPollInterval(bool slow);
    bool connectionInProgress() const;
    void receiveIdentificationFirst(const QByteArray& chunk);
    void receiveIdentificationRest(const QByteArray& chunk);
    void receiveAnswerFirst(const QByteArray& chunk);
    void receiveAnswerRest(const QByteArray& chunk);
    int expectedLengthByEcho(const QByteArray& answer) const;
    void failAndReconnect();
    void failWithMessage(const QString& message);
    QByteArray& txCurrent() { return tx_slots_[kTxCurrent]; }
    QByteArray& rxPayload() { return tx_slots_[kRxPayload]; }

    SerialPortIo& port_;
    Timer& Timer_Count_;
    Timer& Timer_Czekaj_na_odczyt_;
    Pause& pause_;
    LinkHost& host_;

    QString link_state_;
    std::array<QByteArray, kSlotCount> tx_slots_{};
    int retry_count_ = 0;
    int last_command_ = -1;
    std::uint8_t tx_busy_ = 0;
    std::uint8_t last_tx_code_ = 0;
    std::uint8_t live_check_byte_ = 0;
    int rx_expected_length_ = 0;
    std::uint8_t rx_checksum_ = 0;
    int wait_retries_ = 0;
    int connect_attempts_ = kConnectAttempts;
    QByteArray config_image_;
    QString firmware_variant_;
    QString status_text_ = QStringLiteral("OMVI ver.");
    bool toggle_on_ = false;
    QString toggle_on_text_;
};

}  // namespace omvi::link
