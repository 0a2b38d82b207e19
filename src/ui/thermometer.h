#pragma once

#include <QColor>

#include "ui/instrument.h"

namespace omvi::ui {

// Glass thermometer: reading on top, scale on the left of the tube, signal name underneath.
// Starts at -40 .. 120 °C showing -40.
class Thermometer : public Instrument {
    Q_OBJECT
    Q_PROPERTY(QString signalName1 READ signalName1 WRITE setSignalName1)

  public:
    explicit Thermometer(QWidget* parent = nullptr);

    void setColor(const QColor& color);
    QColor color() const { return color_; }

    void setSignalName1(const QString& name) { setTitle(name); }
    QString signalName1() const { return title(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor color_{0xe5, 0x39, 0x35};
};

}  // namespace omvi::ui
