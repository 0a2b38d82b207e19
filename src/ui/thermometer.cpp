#include "ui/thermometer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

namespace omvi::ui {

Thermometer::Thermometer(QWidget* parent) : Instrument(parent) {
    setRange(-40, 120);
    setValue(-40);
    setDecimals(0);
    setUnit(QStringLiteral("°C"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
}

void Thermometer::setColor(const QColor& color) {
    if (color != color_) {
        color_ = color;
        update();
    }
}

QSize Thermometer::sizeHint() const {
    return {64, 220};
}

QSize Thermometer::minimumSizeHint() const {
    return {40, 120};
}

void Thermometer::paintEvent(QPaintEvent*) {
    if (width() < 20 || height() < 60) {
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    style::drawFace(p, r, std::min<qreal>(6, r.width() * 0.12));
    const qreal pad = std::clamp(r.width() * 0.08, 2.0, 6.0);
    const QRectF inner = r.adjusted(pad, pad, -pad, -pad);

    // Reading on top.
    QString reading = valueText();
    if (!unit().isEmpty()) {
        reading += QLatin1Char(' ') + unit();
    }
    const qreal lineH = std::clamp(r.height() * 0.075, 9.0, 17.0);
    const QRectF valueBox(inner.left(), inner.top(), inner.width(), lineH);
    p.setFont(style::fittedFont(font(), reading, valueBox.size(), lineH, true));
    p.setPen(style::valueColor());
    p.drawText(valueBox, Qt::AlignCenter, reading);

    // Name at the bottom.
    const qreal nameH = lineH * 0.9;
    const QRectF nameBox(inner.left(), inner.bottom() - nameH, inner.width(), nameH);
    if (!title().isEmpty()) {
        p.setFont(style::fittedFont(font(), title(), nameBox.size(), nameH, false));
        p.setPen(style::labelColor());
        p.drawText(nameBox, Qt::AlignCenter, title());
    }

    // Tube and bulb.
    const QFont labelFont = style::sizedFont(
        font(), std::clamp(std::min(r.height() * 0.05, inner.width() * 0.24), 8.0, 12.0), false);
    const QFontMetricsF lfm(labelFont);
    const qreal labelW = lfm.horizontalAdvance(widestTickLabel());
    const qreal tubeW = std::clamp(inner.width() * 0.2, 5.0, 14.0);
    const qreal bulbR = tubeW * 0.95;
    const qreal tickLen = std::clamp(inner.width() * 0.1, 3.0, 6.0);
    const bool numbers = inner.width() >= labelW + tickLen + 2 * bulbR + 4;
    const qreal groupW = (numbers ? labelW + 2 : 0) + tickLen + 2 + 2 * bulbR;
    const qreal groupLeft = inner.left() + (inner.width() - groupW) / 2;
    const qreal tubeX = groupLeft + groupW - bulbR;  // tube centre line
    const qreal bulbY = nameBox.top() - pad - bulbR;
    const qreal tubeTop = valueBox.bottom() + pad + lfm.height() / 2;
    const qreal scaleTop = tubeTop + tubeW / 2 + 1;
    const qreal scaleBottom = bulbY - bulbR - 2;
    if (scaleBottom - scaleTop < 16) {
        return;
    }

    QPainterPath glass;
    glass.addRoundedRect(QRectF(tubeX - tubeW / 2, tubeTop, tubeW, bulbY - tubeTop), tubeW / 2,
                         tubeW / 2);
    glass.addEllipse(QPointF(tubeX, bulbY), bulbR, bulbR);
    glass.setFillRule(Qt::WindingFill);
    p.setPen(QPen(QColor(0x6d, 0x76, 0x80), 1.2));
    p.setBrush(style::trackColor());
    p.drawPath(glass.simplified());

    // Mercury: always fills the bulb, rises in the tube to the (clamped) value.
    const qreal level = scaleBottom - (scaleBottom - scaleTop) * position();
    const qreal inset = std::max<qreal>(1.5, tubeW * 0.2);
    const QRectF column(tubeX - tubeW / 2 + inset, level, tubeW - 2 * inset, bulbY - level);
    style::drawBarFill(p, column, color_, Qt::Vertical);
    QRadialGradient bg(QPointF(tubeX - bulbR * 0.3, bulbY - bulbR * 0.3), bulbR);
    bg.setColorAt(0, color_.lighter(150));
    bg.setColorAt(1, color_.darker(150));
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawEllipse(QPointF(tubeX, bulbY), bulbR - inset, bulbR - inset);

    // Scale.
    const double span = maximum() - minimum();
    auto yOf = [&](double v) {
        return scaleBottom - (span > 0 ? (v - minimum()) / span : 0) * (scaleBottom - scaleTop);
    };
    const qreal tickRight = tubeX - tubeW / 2 - 2;
    const style::Ticks t = ticks(scaleBottom - scaleTop, lfm.height() * 1.5);
    p.setFont(labelFont);
    for (int k = 0; k < t.count; ++k) {
        const double v = t.first + k * t.step;
        const qreal y = yOf(v);
        p.setPen(QPen(style::majorTick(), 1.2));
        p.drawLine(QPointF(tickRight - tickLen, y), QPointF(tickRight, y));
        if (numbers) {
            p.setPen(style::labelColor());
            p.drawText(QRectF(groupLeft, y - lfm.height() / 2, labelW, lfm.height()),
                       Qt::AlignRight | Qt::AlignVCenter, formatted(v, t.decimals));
        }
        for (int m = 1; m < t.minorPerMajor; ++m) {
            const double mv = v + t.step * m / t.minorPerMajor;
            if (mv > maximum() + 1e-9) {
                break;
            }
            p.setPen(QPen(style::minorTick(), 1));
            p.drawLine(QPointF(tickRight - tickLen * 0.55, yOf(mv)), QPointF(tickRight, yOf(mv)));
        }
    }

    // Glint along the glass.
    p.setPen(QPen(QColor(255, 255, 255, 60), std::max<qreal>(1, tubeW * 0.12)));
    p.drawLine(QPointF(tubeX - tubeW * 0.22, tubeTop + tubeW * 0.6),
               QPointF(tubeX - tubeW * 0.22, bulbY - bulbR * 1.1));
}

}  // namespace omvi::ui
