#pragma once

#include <QColor>

#include "ui/instrument.h"

namespace omvi::ui {

// Horizontal bar filling from the left, with the value and unit written across it and a scale
// underneath.
class BarMeter : public Instrument {
    Q_OBJECT

  public:
    explicit BarMeter(QWidget* parent = nullptr);

    void setColor(const QColor& color);
    QColor color() const { return color_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor color_{0x3c, 0xd0, 0x70};
};

}  // namespace omvi::ui
