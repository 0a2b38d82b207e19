#include "ui/progress_strip.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/instrument_style.h"

namespace omvi::ui {

ProgressStrip::ProgressStrip(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ProgressStrip::setCaption(const QString& caption) {
    if (caption != caption_) {
        caption_ = caption;
        update();
    }
}

void ProgressStrip::setColor(const QColor& color) {
    if (color != color_) {
        color_ = color;
        update();
    }
}

QSize ProgressStrip::sizeHint() const {
    return {400, 24};
}

QSize ProgressStrip::minimumSizeHint() const {
    return {60, 18};
}

void ProgressStrip::mousePressEvent(QMouseEvent* event) {
    click_.press(event, *this);
}

void ProgressStrip::mouseReleaseEvent(QMouseEvent* event) {
    if (click_.release(event, *this)) {
        emit clicked();
    }
}

void ProgressStrip::enterEvent(QEnterEvent* event) {
    const bool clickable = isSignalConnected(QMetaMethod::fromSignal(&ProgressStrip::clicked));
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QWidget::enterEvent(event);
}

void ProgressStrip::paintEvent(QPaintEvent*) {
    if (width() < 4 || height() < 4) {
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = std::min<qreal>(4, r.height() * 0.2);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, color_.lighter(125));
    g.setColorAt(0.5, color_);
    g.setColorAt(1, color_.darker(125));
    p.setPen(QPen(color_.darker(170), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
    // Upper sheen.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 45));
    p.drawRoundedRect(QRectF(r.left() + 1, r.top() + 1, r.width() - 2, r.height() * 0.45), radius,
                      radius);

    if (!caption_.isEmpty()) {
        p.setFont(style::fittedFont(font(), caption_, QSizeF(r.width() - 8, r.height() * 0.7),
                                    std::min<qreal>(16, r.height() * 0.62), true));
        p.setPen(style::contrastText(color_));
        p.drawText(r, Qt::AlignCenter, caption_);
    }
}

}  // namespace omvi::ui
