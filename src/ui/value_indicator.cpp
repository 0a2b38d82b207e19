#include "ui/value_indicator.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace omvi::ui {

ValueIndicator::ValueIndicator(QWidget* parent) : Instrument(parent) {
    setDecimals(2);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

QSize ValueIndicator::sizeHint() const {
    return {130, 52};
}

QSize ValueIndicator::minimumSizeHint() const {
    return {70, 34};
}

void ValueIndicator::paintEvent(QPaintEvent*) {
    if (width() < 24 || height() < 16) {
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    style::drawFace(p, r, std::min<qreal>(6, r.height() * 0.14));
    const qreal pad = std::clamp(r.height() * 0.08, 2.0, 6.0);
    QRectF inner = r.adjusted(pad, pad * 0.7, -pad, -pad);

    if (!title().isEmpty()) {
        const qreal nameH = std::clamp(inner.height() * 0.3, 8.0, 14.0);
        const QRectF nameBox(inner.left() + 2, inner.top(), inner.width() - 4, nameH);
        p.setFont(style::fittedFont(font(), title().trimmed(), nameBox.size(), nameH, true));
        p.setPen(style::labelColor());
        p.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter, title().trimmed());
        inner.setTop(nameBox.bottom() + 1);
    }

    style::drawTrack(p, inner, 3);
    const QRectF window = inner.adjusted(4, 1, -5, -1);
    const QString digits = valueText();
    const QString u = unit().trimmed();
    // The unit takes what it needs (up to almost half the window); the digits fit the rest.
    const qreal digitH = window.height() * 0.8;
    QFont unitFont = style::sizedFont(font(), digitH * 0.5, true);
    qreal unitW = 0;
    if (!u.isEmpty()) {
        const qreal room = window.width() * 0.45;
        unitFont = style::fittedFont(font(), u, QSizeF(room - 4, digitH * 0.5), digitH * 0.5, true);
        unitW = QFontMetricsF(unitFont).horizontalAdvance(u) + 4;
    }
    const QFont digitFont =
        style::fittedFont(QFontDatabase::systemFont(QFontDatabase::FixedFont), digits,
                          QSizeF(window.width() - unitW, digitH), digitH, true);

    p.setFont(digitFont);
    p.setPen(style::readoutColor());
    p.drawText(QRectF(window.left(), window.top(), window.width() - unitW, window.height()),
               Qt::AlignRight | Qt::AlignVCenter, digits);
    if (!u.isEmpty()) {
        p.setFont(unitFont);
        p.setPen(style::dimLabelColor());
        const QFontMetricsF dfm(digitFont);
        // Unit sits on the digits' baseline.
        const qreal baseline = window.center().y() + (dfm.ascent() - dfm.descent()) / 2;
        p.drawText(QPointF(window.right() - unitW + 4, baseline), u);
    }
}

}  // namespace omvi::ui
