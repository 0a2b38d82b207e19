#pragma once

#include "ui/instrument.h"

namespace omvi::ui {

// Digital readout: signal name above, bold digits with their unit in a recessed window.
// It shows the value as given; the range plays no part.
class ValueIndicator : public Instrument {
    Q_OBJECT
    Q_PROPERTY(QString signalName1 READ signalName1 WRITE setSignalName1)

  public:
    explicit ValueIndicator(QWidget* parent = nullptr);

    void setSignalName1(const QString& name) { setTitle(name); }
    QString signalName1() const { return title(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace omvi::ui
