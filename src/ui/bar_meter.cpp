#include "ui/bar_meter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace omvi::ui {

BarMeter::BarMeter(QWidget* parent) : Instrument(parent) {
    setRange(0, 100);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void BarMeter::setColor(const QColor& color) {
    if (color != color_) {
        color_ = color;
        update();
    }
}

QSize BarMeter::sizeHint() const {
    return {260, title().isEmpty() ? 50 : 66};
}

QSize BarMeter::minimumSizeHint() const {
    return {120, 36};
}

void BarMeter::paintEvent(QPaintEvent*) {
    if (width() < 30 || height() < 20) {
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal h = r.height();
    style::drawFace(p, r, std::min<qreal>(6, h * 0.12));
    const qreal u = std::min(h, r.width() * 0.25);
    const qreal pad = std::clamp(u * 0.09, 3.0, 8.0);
    const qreal titleH = title().isEmpty() ? 0 : std::clamp(u * 0.22, 9.0, 18.0);
    const QFont labelFont = style::sizedFont(font(), std::clamp(u * 0.17, 8.0, 14.0), false);
    const QFontMetricsF lfm(labelFont);
    const qreal labelW = lfm.horizontalAdvance(widestTickLabel());
    const qreal tickLen = std::clamp(u * 0.08, 3.0, 7.0);
    // The bar takes what is left, up to a comfortable thickness; the rest is centred.
    const qreal fixedH =
        pad * 1.2 + (titleH > 0 ? titleH + pad * 0.5 : 0) + tickLen + 1 + lfm.height();
    const qreal trackH = std::clamp(h - fixedH, 6.0, std::max(6.0, u * 0.6));
    qreal top = r.top() + pad * 0.6 + std::max<qreal>(0, (h - fixedH - trackH) / 2);
    if (titleH > 0) {
        const QRectF box(r.left() + pad * 1.5, top, r.width() - 3 * pad, titleH);
        p.setFont(style::fittedFont(font(), title(), box.size(), titleH * 0.9, true));
        p.setPen(style::labelColor());
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, title());
        top = box.bottom() + pad * 0.5;
    }
    const qreal left = r.left() + pad + labelW / 2 + 1;
    const qreal right = r.right() - pad - labelW / 2 - 1;
    const QRectF track(left, top, right - left, trackH);
    const qreal labelsTop = track.bottom() + 1 + tickLen;
    if (track.width() < 10) {
        return;
    }
    style::drawTrack(p, track, 3);
    const QRectF fill(track.left() + 1, track.top() + 1, (track.width() - 2) * position(),
                      track.height() - 2);
    style::drawBarFill(p, fill, color_, Qt::Horizontal);

    // Reading across the bar, shadowed so it stays legible over the fill and the empty channel.
    QString reading = valueText();
    if (!unit().isEmpty()) {
        reading += QLatin1Char(' ') + unit();
    }
    p.setFont(style::fittedFont(font(), reading, QSizeF(track.width() - 8, track.height() * 0.8),
                                std::min<qreal>(18, track.height() * 0.72), true));
    p.setPen(QColor(0, 0, 0, 200));
    p.drawText(track.translated(1, 1), Qt::AlignCenter, reading);
    p.setPen(style::valueColor());
    p.drawText(track, Qt::AlignCenter, reading);

    drawHorizontalScale(p, track, tickLen, 1.2, labelsTop, labelFont, labelW);
}

}  // namespace omvi::ui
