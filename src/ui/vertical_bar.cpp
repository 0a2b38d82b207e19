#include "ui/vertical_bar.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace omvi::ui {

VerticalBar::VerticalBar(QWidget* parent) : Instrument(parent) {
    setRange(0, 40);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
}

void VerticalBar::setColor(const QColor& color) {
    if (color != color_) {
        color_ = color;
        update();
    }
}

void VerticalBar::setSignalName2(const QString& name) {
    if (name != signalName2_) {
        signalName2_ = name;
        update();
    }
}

void VerticalBar::setScaleNumbersVisible(bool visible) {
    if (visible != scaleNumbers_) {
        scaleNumbers_ = visible;
        updateGeometry();
        update();
    }
}

QSize VerticalBar::sizeHint() const {
    return {scaleNumbers_ ? 48 : 34, 220};
}

QSize VerticalBar::minimumSizeHint() const {
    return {24, 110};
}

void VerticalBar::paintEvent(QPaintEvent*) {
    if (width() < 12 || height() < 40) {
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    style::drawFace(p, r, std::min<qreal>(5, r.width() * 0.15));

    const qreal pad = std::clamp(r.width() * 0.08, 2.0, 6.0);
    const QRectF inner = r.adjusted(pad, pad, -pad, -pad);

    // Value on top, fitted to the width.
    const QString text = valueText();
    const qreal lineH = std::clamp(r.height() * 0.075, 9.0, 17.0);
    p.setFont(style::fittedFont(font(), text, QSizeF(inner.width(), lineH), lineH, true));
    p.setPen(style::valueColor());
    const QRectF valueBox(inner.left(), inner.top(), inner.width(), lineH);
    p.drawText(valueBox, Qt::AlignCenter, text);

    // Two name lines at the bottom.
    const qreal nameH = lineH * 0.85;
    const QRectF name2Box(inner.left() - pad * 0.5, inner.bottom() - nameH, inner.width() + pad,
                          nameH);
    const QRectF name1Box = name2Box.translated(0, -nameH);
    if (!title().isEmpty()) {
        p.setFont(style::fittedFont(font(), title(), name1Box.size(), nameH * 0.95, false));
        p.setPen(style::labelColor());
        p.drawText(name1Box, Qt::AlignCenter, title());
    }
    if (!signalName2_.isEmpty()) {
        p.setFont(style::fittedFont(font(), signalName2_, name2Box.size(), nameH * 0.95, true));
        p.setPen(style::highlightColor());
        p.drawText(name2Box, Qt::AlignCenter, signalName2_);
    }

    // Scale and channel between them.
    const qreal top = valueBox.bottom() + pad + 2;
    const qreal bottom = name1Box.top() - pad;
    if (bottom - top < 16) {
        return;
    }
    const QFont labelFont = style::sizedFont(
        font(), std::clamp(std::min(r.height() * 0.05, inner.width() * 0.24), 8.0, 12.0), false);
    const QFontMetricsF lfm(labelFont);
    const qreal labelW = lfm.horizontalAdvance(widestTickLabel());
    const qreal tickLen = std::clamp(inner.width() * 0.14, 3.0, 6.0);
    const bool numbers = scaleNumbers_ && inner.width() >= labelW + 2 + tickLen + 8;
    const qreal scaleW = (numbers ? labelW + 2 : 0) + tickLen;
    const qreal trackW = std::clamp(inner.width() - scaleW - 1, 5.0, 22.0);
    const qreal groupW = scaleW + 1 + trackW;
    const qreal groupLeft = inner.left() + (inner.width() - groupW) / 2;
    // Half a label of headroom keeps the top number inside the face.
    const qreal half = lfm.height() / 2;
    const QRectF track(groupLeft + scaleW + 1, top + half, trackW, bottom - top - 2 * half);
    style::drawTrack(p, track, 2);

    const double span = maximum() - minimum();
    auto yOf = [&](double v) {
        return track.bottom() - (span > 0 ? (v - minimum()) / span : 0) * track.height();
    };
    const style::Ticks t = ticks(track.height(), lfm.height() * 1.6);
    p.setFont(labelFont);
    for (int k = 0; k < t.count; ++k) {
        const double v = t.first + k * t.step;
        const qreal y = yOf(v);
        p.setPen(QPen(style::majorTick(), 1.2));
        p.drawLine(QPointF(track.left() - tickLen, y), QPointF(track.left() - 1, y));
        // Faint graduation across the channel helps read the column's height.
        p.setPen(QPen(QColor(255, 255, 255, 28), 1));
        p.drawLine(QPointF(track.left() + 1, y), QPointF(track.right() - 1, y));
        if (numbers) {
            p.setPen(style::labelColor());
            p.drawText(QRectF(groupLeft, y - half, labelW, lfm.height()),
                       Qt::AlignRight | Qt::AlignVCenter, formatted(v, t.decimals));
        }
        for (int m = 1; m < t.minorPerMajor; ++m) {
            const double mv = v + t.step * m / t.minorPerMajor;
            if (mv > maximum() + 1e-9) {
                break;
            }
            const qreal my = yOf(mv);
            p.setPen(QPen(style::minorTick(), 1));
            p.drawLine(QPointF(track.left() - tickLen * 0.55, my), QPointF(track.left() - 1, my));
        }
    }

    const qreal fillH = (track.height() - 2) * position();
    const QRectF fill(track.left() + 1, track.bottom() - 1 - fillH, track.width() - 2, fillH);
    style::drawBarFill(p, fill, color_, Qt::Vertical);
    if (fillH > 1) {
        p.setPen(QPen(color_.lighter(160), 1));
        p.drawLine(QPointF(fill.left(), fill.top() + 0.5), QPointF(fill.right(), fill.top() + 0.5));
    }
}

}  // namespace omvi::ui
