#pragma once
// Binds the controller's configuration to the settings controls and the controls' changes to
// commands: the configuration display, every settings handler, the firmware-variant switch, the
// cylinder strip, the tank level calibration and the counters record's connection stamp.

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <array>
#include <optional>

#include "model/config_image.h"
#include "model/settings_commands.h"

class QLineEdit;

namespace omvi::app {

class MainWindow;

class SettingsBinder : public QObject {
    Q_OBJECT
  public:
    explicit SettingsBinder(MainWindow& window);

    // The full display of a configuration answer.
    void showConfiguration(const QByteArray& image);
    // The cylinders-only display after a change of the cylinder count.
    void showCylinders(const QByteArray& image);
    void applyFirmwareVariant(const QString& variant);
    void prepareFirstConfiguration();
    void showCounters(const QByteArray& record);

    // The last decoded configuration (for the editor and the service pages).
    const model::ConfigValues& config() const { return config_; }
    std::uint8_t cylinderMask() const { return cylinder_mask_; }
    // True while a display runs: no handler sends then.
    bool displaying() const { return displaying_; }

    // Handlers, public for tests.
    void Sel_cylChange(int item);
    void Cyl_x_ledClick(int index);
    void paliwo_SwitchClick();
    void Ch_U_LPG_X_Enter(int threshold);  // 0..3, or -1 for the sensor-type list
    void Ch_U_LPG_changerValueChange(int value);
    void Ch_U_LPG_X_Change(bool fromSensorType);
    void Ch_U_LPG_X_Exit();
    int markedThreshold() const { return markedThreshold_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void connectHandlers();
    void send(const std::optional<model::SettingCommand>& command);
    void displayCylinders(const model::ConfigValues& values);
    std::array<bool, 6> ledStates() const;

    MainWindow& w_;
    model::ConfigValues config_;
    std::uint8_t cylinder_mask_ = 0;
    bool displaying_ = false;
    int markedThreshold_ = -1;
};

}  // namespace omvi::app
