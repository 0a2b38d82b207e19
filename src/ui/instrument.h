#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <QWidget>

#include "ui/instrument_style.h"

class QPainter;

namespace omvi::ui {

// What every value-showing instrument shares: a range, a value, its formatting and a title.
//
// The value is held in single precision, as the dashboard's gauges always have been, and is kept
// as given even when it lies outside the range: the pointer or bar stops at the end of the scale
// while the value text shows the true value.
class Instrument : public QWidget {
    Q_OBJECT
    // Properties by name, so that the language switch can set captions on any instrument.
    Q_PROPERTY(QString unit READ unit WRITE setUnit)
    Q_PROPERTY(QString title READ title WRITE setTitle)

  public:
    explicit Instrument(QWidget* parent = nullptr);

    void setValue(double value);
    double value() const { return static_cast<double>(value_); }

    // As with Qt's sliders, a maximum below the minimum collapses the range onto the minimum.
    void setRange(double minimum, double maximum);
    void setMinimum(double minimum);
    void setMaximum(double maximum);
    double minimum() const { return minimum_; }
    double maximum() const { return maximum_; }

    void setDecimals(int decimals);
    int decimals() const { return decimals_; }

    void setUnit(const QString& unit);
    QString unit() const { return unit_; }

    void setTitle(const QString& title);
    QString title() const { return title_; }

    // Forces the scale division; a step of 0 (the default) picks one to suit the size.
    void setTickStep(double majorStep, int minorPerMajor = 0);

    // The value as drawn, in the widget's locale, without the unit.
    QString valueText() const;

    // Where the pointer stands along the scale, from 0 (minimum) to 1 (maximum), clamped.
    double position() const;

  protected:
    void changeEvent(QEvent* event) override;

    // Scale division for a scale drawn over pixelLength pixels with labels needing labelSpacing.
    style::Ticks ticks(double pixelLength, double labelSpacing) const;
    QString formatted(double value, int decimals) const;
    // Widest tick label the scale can show (for layout).
    QString widestTickLabel() const;
    // Ticks and numbers under a horizontal track: major ticks `tickLength` long (minor ones a
    // little over half), numbers from `labelsTop`, in `labelFont`.
    void drawHorizontalScale(QPainter& p, const QRectF& track, qreal tickLength, qreal majorWidth,
                             qreal labelsTop, const QFont& labelFont, qreal labelWidth) const;

  private:
    float value_ = 0;
    double minimum_ = 0;
    double maximum_ = 100;
    int decimals_ = 1;
    QString unit_;
    QString title_;
    double tickStep_ = 0;
    int minorPerMajor_ = 0;
};

}  // namespace omvi::ui
