#pragma once

#include <QColor>

#include "ui/instrument.h"

namespace omvi::ui {

// Linear horizontal scale: title and value above, a filled channel with a pointer, ticks and
// numbers below.
class HorizontalMeter : public Instrument {
    Q_OBJECT

  public:
    explicit HorizontalMeter(QWidget* parent = nullptr);

    void setColor(const QColor& color);
    QColor color() const { return color_; }

    // The dashboard shows the value in a box beside some meters; the meter can then leave it out.
    void setValueTextVisible(bool visible);
    bool isValueTextVisible() const { return valueTextVisible_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor color_{0x2f, 0x9b, 0xff};
    bool valueTextVisible_ = true;
};

}  // namespace omvi::ui
