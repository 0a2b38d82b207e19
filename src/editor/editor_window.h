#pragma once
// The map and correction editor window ("Wykresy"). It exists from start-up, hidden, and is shown
// over the main window as a modal window. Until its charts land it only receives the live-data
// hooks, which do nothing.

#include <QByteArray>
#include <QWidget>

namespace omvi::editor {

class EditorWindow : public QWidget {
    Q_OBJECT
  public:
    explicit EditorWindow(QWidget* parent = nullptr);

    // Close_Form2: hides the window and gives the main window back its input.
    void Close_Form2();
    // Unchecks the oscilloscope choices RPM_LAMBDA1 and RPM_LAMBDA2.
    void uncheckLambdaChoices();

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

  protected:
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace omvi::editor
