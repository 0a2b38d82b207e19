#pragma once
// `show_live_data`: binds each accepted live frame onto the dashboard, in the order the display
// has always followed, and feeds the editor window and the current-error list.

#include <QByteArray>

#include "model/live_data.h"

namespace omvi::app {

class MainWindow;

class LiveView {
  public:
    explicit LiveView(MainWindow& window);

    void show_live_data(const QByteArray& frame);

    // The cylinder whose petrol time the oscilloscope shows (the checked Cyl_x_show), 1..6.
    int selectedCylinder() const;

  private:
    void showActualErrors(const model::LiveData& data);

    MainWindow& w_;
    model::LambdaScale lambda1Scale_;
    model::LambdaScale lambda2Scale_;
    model::SampleTable petrol_samples_{};
    model::SampleTable gas_samples_{};
    bool errorLedLight_ = false;
};

}  // namespace omvi::app
