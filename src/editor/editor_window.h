#pragma once
// The map and correction editor window ("Wykresy"). It exists from start-up, hidden, and is shown
// over the main window as a modal window. It holds its pages (map, rpm correction, temperature
// correction, oscilloscope) and the fuel switch that mirrors the main window's; the charts and
// their editing live in their own views as they land, and the live-data hooks feed them.

#include <QButtonGroup>
#include <QByteArray>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>
#include <array>

namespace omvi::ui {
class Led;
class ToggleSwitch;
}  // namespace omvi::ui

namespace omvi::editor {

class EditorWindow : public QWidget {
    Q_OBJECT
  public:
    explicit EditorWindow(QWidget* parent = nullptr);

    // Close_Form2: hides the window and gives the main window back its input.
    void Close_Form2();
    // Unchecks the oscilloscope choices RPM_LAMBDA1 and RPM_LAMBDA2.
    void uncheckLambdaChoices();

    // Mirrors of the main window's fuel switch and tank LEDs.
    ui::ToggleSwitch* paliwoSwitch() const { return paliwo_Switch_; }
    ui::Led* reserveLed() const { return rezerwa_led_gora_; }
    const std::array<ui::Led*, 4>& levelLeds() const { return levelLeds_; }

    // The maximum of the map charts' pressure axis: 256 for a turbo engine, 100 otherwise.
    void setPressureAxisMaximum(int maximum) { pressureAxisMaximum_ = maximum; }
    int pressureAxisMaximum() const { return pressureAxisMaximum_; }

    // Live-data hooks, called by the dashboard in the order of its display.
    virtual void feedOscilloscope(double channel1, double channel2) {
        (void)channel1;
        (void)channel2;
    }
    virtual void storeLearnedSamples(const QByteArray& frame) { (void)frame; }
    virtual void rysuj_map(int mode) { (void)mode; }
    virtual void markOperatingPoint(double rpm, double petrolMs, double gasTemperature) {
        (void)rpm;
        (void)petrolMs;
        (void)gasTemperature;
    }

  signals:
    void closed();
    // A click on this window's fuel switch (forwarded to the main window's handler).
    void fuelSwitchClicked();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QTabWidget* pages_ = nullptr;
    ui::ToggleSwitch* paliwo_Switch_ = nullptr;
    ui::Led* rezerwa_led_gora_ = nullptr;
    std::array<ui::Led*, 4> levelLeds_{};
    QButtonGroup* oscilloscopeChoices_ = nullptr;
    int pressureAxisMaximum_ = 100;
};

}  // namespace omvi::editor
