#include "ui/led.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>

#include "ui/instrument_style.h"

namespace omvi::ui {

Led::Led(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    blinkTimer_.setInterval(500);
    connect(&blinkTimer_, &QTimer::timeout, this, &Led::advanceBlink);
}

void Led::setCaption(const QString& caption) {
    if (caption != caption_) {
        caption_ = caption;
        update();
    }
}

void Led::setOnColor(const QColor& color) {
    if (color != onColor_) {
        onColor_ = color;
        update();
    }
}

void Led::setOffColor(const QColor& color) {
    if (color != offColor_) {
        offColor_ = color;
        update();
    }
}

void Led::setChecked(bool checked) {
    if (checked == checked_) {
        return;
    }
    checked_ = checked;
    updateTimer();
    update();
}

void Led::setFlashing(bool flashing) {
    if (flashing == flashing_) {
        return;
    }
    flashing_ = flashing;
    updateTimer();
    update();
}

void Led::setFlashInterval(int milliseconds) {
    blinkTimer_.setInterval(std::max(20, milliseconds));
}

void Led::advanceBlink() {
    if (!flashing_ || !checked_) {
        return;
    }
    phase_ = !phase_;
    update();
}

void Led::updateTimer() {
    // Every blink starts lit, so a lamp switched on is seen at once.
    phase_ = true;
    if (flashing_ && checked_) {
        blinkTimer_.start();
    } else {
        blinkTimer_.stop();
    }
}

QSize Led::sizeHint() const {
    return {26, 26};
}

QSize Led::minimumSizeHint() const {
    return {14, 14};
}

void Led::mousePressEvent(QMouseEvent* event) {
    click_.press(event, *this);
}

void Led::mouseReleaseEvent(QMouseEvent* event) {
    if (click_.release(event, *this)) {
        emit clicked();
    }
}

void Led::enterEvent(QEnterEvent* event) {
    // Only lamps that something listens to look clickable.
    const bool clickable = isSignalConnected(QMetaMethod::fromSignal(&Led::clicked));
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QWidget::enterEvent(event);
}

void Led::paintEvent(QPaintEvent*) {
    const qreal d = std::min(width(), height()) - 2;
    if (d < 4) {
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = QRectF(rect()).center();
    const qreal R = d / 2;
    // Disabled on its own account, not merely inside a disabled panel.
    const bool dead = testAttribute(Qt::WA_ForceDisabled);
    const bool lit = isLitNow() && !dead;

    // Rim.
    QLinearGradient rim(c - QPointF(R, R), c + QPointF(R, R));
    rim.setColorAt(0, QColor(0x5a, 0x61, 0x69));
    rim.setColorAt(1, QColor(0x14, 0x16, 0x19));
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawEllipse(c, R, R);

    const qreal lens = R * 0.8;
    QColor base;
    if (dead) {
        base = QColor(0x3b, 0x3e, 0x42);
    } else if (lit) {
        base = onColor_;
    } else {
        base = offColor_.darker(135);
    }
    QRadialGradient g(c - QPointF(lens * 0.3, lens * 0.35), lens * 1.25);
    if (lit) {
        g.setColorAt(0, base.lighter(175));
        g.setColorAt(0.45, base);
        g.setColorAt(1, base.darker(140));
    } else {
        g.setColorAt(0, base.lighter(125));
        g.setColorAt(1, base.darker(190));
    }
    p.setBrush(g);
    p.drawEllipse(c, lens, lens);

    // Glow spilling onto the rim when lit.
    if (lit) {
        QRadialGradient glow(c, R);
        QColor halo = onColor_;
        halo.setAlpha(0);
        glow.setColorAt(0.78, halo);
        halo.setAlpha(110);
        glow.setColorAt(0.86, halo);
        halo.setAlpha(0);
        glow.setColorAt(1, halo);
        p.setBrush(glow);
        p.drawEllipse(c, R, R);
    }

    // Specular highlight.
    if (!dead) {
        QRadialGradient hl(c - QPointF(lens * 0.35, lens * 0.4), lens * 0.55);
        hl.setColorAt(0, QColor(255, 255, 255, lit ? 170 : 90));
        hl.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(hl);
        p.drawEllipse(c, lens, lens);
    }

    if (!caption_.isEmpty() && lens >= 6) {
        const QRectF box(c.x() - lens, c.y() - lens, 2 * lens, 2 * lens);
        p.setFont(style::fittedFont(font(), caption_, box.size() * 0.8, lens * 1.1, true));
        p.setPen(dead ? QColor(0x70, 0x75, 0x7a) : style::contrastText(base));
        p.drawText(box, Qt::AlignCenter, caption_);
    }
}

}  // namespace omvi::ui
