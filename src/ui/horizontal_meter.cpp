#include "ui/horizontal_meter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace omvi::ui {

HorizontalMeter::HorizontalMeter(QWidget* parent) : Instrument(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void HorizontalMeter::setColor(const QColor& color) {
    if (color != color_) {
        color_ = color;
        update();
    }
}

void HorizontalMeter::setValueTextVisible(bool visible) {
    if (visible != valueTextVisible_) {
        valueTextVisible_ = visible;
        update();
    }
}

QSize HorizontalMeter::sizeHint() const {
    return {260, 68};
}

QSize HorizontalMeter::minimumSizeHint() const {
    return {130, 48};
}

void HorizontalMeter::paintEvent(QPaintEvent*) {
    if (width() < 30 || height() < 20) {
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal h = r.height();
    style::drawFace(p, r, std::min<qreal>(6, h * 0.12));

    // Sizes follow the height, but a tall, narrow meter does not grow huge print.
    const qreal u = std::min(h, r.width() * 0.45);
    const qreal pad = std::clamp(u * 0.09, 3.0, 8.0);
    const qreal headerH = std::clamp(u * 0.24, 9.0, 24.0);
    const QFont labelFont = style::sizedFont(font(), std::clamp(u * 0.17, 8.0, 15.0), false);
    const QFontMetricsF lfm(labelFont);
    const qreal labelW = lfm.horizontalAdvance(widestTickLabel());
    const qreal trackH = std::clamp(u * 0.15, 5.0, 16.0);
    const qreal majorLen = std::clamp(u * 0.1, 3.0, 10.0);
    const qreal wedgeH = std::clamp(trackH * 0.8, 4.0, 9.0);
    const qreal content =
        pad * 1.2 + headerH + pad * 0.4 + wedgeH + trackH + 1 + majorLen + lfm.height();
    const qreal top = r.top() + std::max<qreal>(0, (h - content) / 2);

    // Header: title on the left, value and unit on the right.
    const QRectF header(r.left() + pad * 1.5, top + pad * 0.6, r.width() - 3 * pad, headerH);
    QString reading;
    if (valueTextVisible_) {
        reading = valueText();
        if (!unit().isEmpty()) {
            reading += QLatin1Char(' ') + unit();
        }
    }
    const QFont valueFont = style::fittedFont(
        font(), reading, QSizeF(header.width() * 0.5, headerH), headerH * 0.95, true);
    const qreal readingW =
        reading.isEmpty() ? 0 : QFontMetricsF(valueFont).horizontalAdvance(reading);
    if (!reading.isEmpty()) {
        p.setFont(valueFont);
        p.setPen(style::valueColor());
        p.drawText(header, Qt::AlignRight | Qt::AlignVCenter, reading);
    }
    if (!title().isEmpty()) {
        const QSizeF room(header.width() - readingW - pad, headerH);
        p.setFont(style::fittedFont(font(), title(), room, headerH * 0.85, true));
        p.setPen(style::labelColor());
        p.drawText(QRectF(header.topLeft(), room), Qt::AlignLeft | Qt::AlignVCenter, title());
    }

    // Scale: the channel sits above its ticks and numbers at the bottom of the face.
    const qreal trackTop = header.bottom() + pad * 0.4 + wedgeH;
    const qreal labelsTop = trackTop + trackH + 1 + majorLen;
    const qreal left = r.left() + pad + labelW / 2 + 2;
    const qreal right = r.right() - pad - labelW / 2 - 2;
    if (right - left < 10) {
        return;
    }
    const QRectF track(left, trackTop, right - left, trackH);
    style::drawTrack(p, track, 2);
    const qreal fillW = track.width() * position();
    style::drawBarFill(p,
                       QRectF(track.left() + 1, track.top() + 1, std::max<qreal>(0, fillW - 2),
                              track.height() - 2),
                       color_, Qt::Horizontal);

    drawHorizontalScale(p, track, majorLen, 1.4, labelsTop, labelFont, labelW);

    // Pointer: a small wedge resting on the channel at the value.
    const qreal px = track.left() + fillW;
    const qreal ph = wedgeH;
    QPainterPath wedge;
    wedge.moveTo(px, track.top() + 1);
    wedge.lineTo(px - ph * 0.7, track.top() - ph);
    wedge.lineTo(px + ph * 0.7, track.top() - ph);
    wedge.closeSubpath();
    p.setPen(QPen(QColor(0, 0, 0, 160), 0.8));
    p.setBrush(style::valueColor());
    p.drawPath(wedge);
}

}  // namespace omvi::ui
