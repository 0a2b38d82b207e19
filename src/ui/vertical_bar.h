#pragma once

#include <QColor>

#include "ui/instrument.h"

namespace omvi::ui {

// Vertical bar from the bottom of its scale: value on top, scale on the left, and two signal
// names underneath (the second carries a short label such as a correction, and may be empty;
// both lines are always kept so that neighbouring bars line up).
class VerticalBar : public Instrument {
    Q_OBJECT
    Q_PROPERTY(QString signalName1 READ signalName1 WRITE setSignalName1)
    Q_PROPERTY(QString signalName2 READ signalName2 WRITE setSignalName2)

  public:
    explicit VerticalBar(QWidget* parent = nullptr);

    void setColor(const QColor& color);
    QColor color() const { return color_; }

    void setSignalName1(const QString& name) { setTitle(name); }
    QString signalName1() const { return title(); }
    void setSignalName2(const QString& name);
    QString signalName2() const { return signalName2_; }

    // Numbers beside the ticks; they are also left out on their own when the bar is too narrow.
    void setScaleNumbersVisible(bool visible);
    bool scaleNumbersVisible() const { return scaleNumbers_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor color_{0x3c, 0xd0, 0x70};
    QString signalName2_;
    bool scaleNumbers_ = true;
};

}  // namespace omvi::ui
