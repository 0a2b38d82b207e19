#include "ui/instrument.h"

#include <QPen>

#include <QPainter>

#include <QFontMetricsF>

#include <QEvent>
#include <algorithm>
#include <cmath>

namespace omvi::ui {

Instrument::Instrument(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void Instrument::setValue(double value) {
    const float v = static_cast<float>(value);
    // Compare bit patterns too so that a NaN replacing a NaN does not repaint forever.
    if (v == value_ || (std::isnan(v) && std::isnan(value_))) {
        return;
    }
    value_ = v;
    update();
}

void Instrument::setRange(double minimum, double maximum) {
    if (!std::isfinite(minimum) || !std::isfinite(maximum)) {
        return;
    }
    maximum = std::max(minimum, maximum);
    if (minimum == minimum_ && maximum == maximum_) {
        return;
    }
    minimum_ = minimum;
    maximum_ = maximum;
    updateGeometry();
    update();
}

void Instrument::setMinimum(double minimum) {
    setRange(minimum, std::max(minimum, maximum_));
}

void Instrument::setMaximum(double maximum) {
    setRange(std::min(minimum_, maximum), maximum);
}

void Instrument::setDecimals(int decimals) {
    decimals = std::clamp(decimals, 0, 6);
    if (decimals != decimals_) {
        decimals_ = decimals;
        updateGeometry();
        update();
    }
}

void Instrument::setUnit(const QString& unit) {
    if (unit != unit_) {
        unit_ = unit;
        updateGeometry();
        update();
    }
}

void Instrument::setTitle(const QString& title) {
    if (title != title_) {
        title_ = title;
        updateGeometry();
        update();
    }
}

void Instrument::setTickStep(double majorStep, int minorPerMajor) {
    tickStep_ = std::isfinite(majorStep) && majorStep > 0 ? majorStep : 0;
    minorPerMajor_ = std::clamp(minorPerMajor, 0, 20);
    update();
}

QString Instrument::valueText() const {
    return formatted(value(), decimals_);
}

double Instrument::position() const {
    const double span = maximum_ - minimum_;
    const double v = value();
    if (!(span > 0) || std::isnan(v)) {
        return 0;
    }
    return std::clamp((v - minimum_) / span, 0.0, 1.0);
}

void Instrument::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LocaleChange || event->type() == QEvent::FontChange) {
        updateGeometry();
        update();
    }
    QWidget::changeEvent(event);
}

style::Ticks Instrument::ticks(double pixelLength, double labelSpacing) const {
    int maxMajor = labelSpacing > 0 ? static_cast<int>(pixelLength / labelSpacing) : 10;
    maxMajor = std::clamp(maxMajor, 1, 12);
    // A forced step that would crowd the labels is widened to a multiple of itself.
    double step = tickStep_;
    if (step > 0 && maximum_ > minimum_) {
        while ((maximum_ - minimum_) / step > maxMajor + 1e-9) {
            step *= 2;
        }
    }
    return style::niceTicks(minimum_, maximum_, maxMajor, step, minorPerMajor_);
}

QString Instrument::formatted(double value, int decimals) const {
    return style::formatNumber(value, decimals, locale());
}

QString Instrument::widestTickLabel() const {
    const style::Ticks t = style::niceTicks(minimum_, maximum_, 10, tickStep_, minorPerMajor_);
    const QString a = formatted(minimum_, t.decimals);
    const QString b = formatted(maximum_, t.decimals);
    return a.size() > b.size() ? a : b;
}

void Instrument::drawHorizontalScale(QPainter& p, const QRectF& track, qreal tickLength,
                                     qreal majorWidth, qreal labelsTop, const QFont& labelFont,
                                     qreal labelWidth) const {
    const QFontMetricsF lfm(labelFont);
    const double span = maximum() - minimum();
    auto xOf = [&](double v) {
        return track.left() + (span > 0 ? (v - minimum()) / span : 0) * track.width();
    };
    const style::Ticks t = ticks(track.width(), labelWidth + lfm.height() * 1.2);
    p.setFont(labelFont);
    for (int k = 0; k < t.count; ++k) {
        const double v = t.first + k * t.step;
        const qreal x = xOf(v);
        p.setPen(QPen(style::majorTick(), majorWidth));
        p.drawLine(QPointF(x, track.bottom() + 1), QPointF(x, track.bottom() + 1 + tickLength));
        const QString text = formatted(v, t.decimals);
        const qreal tw = lfm.horizontalAdvance(text) + 2;
        p.setPen(style::labelColor());
        p.drawText(QRectF(x - tw / 2, labelsTop, tw, lfm.height()), Qt::AlignCenter, text);
        for (int m = 1; m < t.minorPerMajor; ++m) {
            const double mv = v + t.step * m / t.minorPerMajor;
            if (mv > maximum() + 1e-9) {
                break;
            }
            p.setPen(QPen(style::minorTick(), 1));
            p.drawLine(QPointF(xOf(mv), track.bottom() + 1),
                       QPointF(xOf(mv), track.bottom() + 1 + tickLength * 0.55));
        }
    }
}

}  // namespace omvi::ui
