#include "ui/toggle_switch.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QRadialGradient>
#include <algorithm>

#include "ui/instrument_style.h"

namespace omvi::ui {

ToggleSwitch::ToggleSwitch(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void ToggleSwitch::setClickToggles(bool toggles) {
    clickToggles_ = toggles;
}

void ToggleSwitch::setChecked(bool checked) {
    if (checked == checked_) {
        return;
    }
    checked_ = checked;
    update();
    if (clickToggles_) {
        emit toggled(checked_);
    }
}

void ToggleSwitch::setOnText(const QString& text) {
    if (text != onText_) {
        onText_ = text;
        updateGeometry();
        update();
    }
}

void ToggleSwitch::setOffText(const QString& text) {
    if (text != offText_) {
        offText_ = text;
        updateGeometry();
        update();
    }
}

void ToggleSwitch::setOnColor(const QColor& color) {
    if (color != onColor_) {
        onColor_ = color;
        update();
    }
}

void ToggleSwitch::setOffColor(const QColor& color) {
    if (color != offColor_) {
        offColor_ = color;
        update();
    }
}

QSize ToggleSwitch::sizeHint() const {
    const QFontMetrics fm(style::sizedFont(font(), 13, true));
    const int textW = std::max(fm.horizontalAdvance(onText_), fm.horizontalAdvance(offText_));
    return {std::max(80, textW + 28 + 20), 28};
}

QSize ToggleSwitch::minimumSizeHint() const {
    // Room for the longer text in small print beside the knob.
    const QFontMetrics fm(style::sizedFont(font(), 9, true));
    const int textW = std::max(fm.horizontalAdvance(onText_), fm.horizontalAdvance(offText_));
    return {std::max(56, textW + 20 + 12), 20};
}

void ToggleSwitch::activate() {
    // The toggled() handler may run a long procedure or change the switch again; clicked()
    // must still come after it, and not at all if the switch went away meanwhile.
    QPointer<ToggleSwitch> self(this);
    if (clickToggles_) {
        setChecked(!checked_);
    }
    if (self) {
        emit clicked();
    }
}

void ToggleSwitch::mousePressEvent(QMouseEvent* event) {
    click_.press(event, *this);
}

void ToggleSwitch::mouseReleaseEvent(QMouseEvent* event) {
    if (click_.release(event, *this)) {
        activate();
    }
}

void ToggleSwitch::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && isEnabled()) {
        activate();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ToggleSwitch::paintEvent(QPaintEvent*) {
    if (width() < 16 || height() < 10) {
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Disabled on its own account, not merely inside a disabled panel.
    const bool dead = testAttribute(Qt::WA_ForceDisabled);
    const qreal h = std::min<qreal>(height() - 2, 40);
    const QRectF pill(1, (height() - h) / 2, width() - 2, h);
    const qreal radius = h / 2;

    // Housing.
    QLinearGradient rim(pill.topLeft(), pill.bottomLeft());
    rim.setColorAt(0, QColor(0x1c, 0x1f, 0x23));
    rim.setColorAt(1, QColor(0x6a, 0x72, 0x7b));
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawRoundedRect(pill, radius, radius);

    // Coloured slot.
    const QRectF slot = pill.adjusted(1.5, 1.5, -1.5, -1.5);
    QColor color = currentColor();
    if (dead) {
        color = QColor::fromHsv(color.hsvHue(), color.hsvSaturation() / 3,
                                std::min(color.value(), 150));
    }
    QLinearGradient sg(slot.topLeft(), slot.bottomLeft());
    sg.setColorAt(0, color.darker(135));
    sg.setColorAt(0.5, color);
    sg.setColorAt(1, color.lighter(115));
    p.setBrush(sg);
    p.drawRoundedRect(slot, slot.height() / 2, slot.height() / 2);

    // Knob on the side of the current position.
    const qreal k = slot.height() - 2;
    const QPointF knobCentre(checked_ ? slot.right() - 1 - k / 2 : slot.left() + 1 + k / 2,
                             slot.center().y());
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(knobCentre + QPointF(0.8, 1.2), k / 2, k / 2);
    QRadialGradient kg(knobCentre - QPointF(k * 0.2, k * 0.25), k * 0.7);
    kg.setColorAt(0, dead ? QColor(0xb0, 0xb4, 0xb8) : QColor(0xfa, 0xfb, 0xfc));
    kg.setColorAt(1, dead ? QColor(0x70, 0x74, 0x78) : QColor(0xa3, 0xaa, 0xb2));
    p.setPen(QPen(QColor(0, 0, 0, 110), 0.8));
    p.setBrush(kg);
    p.drawEllipse(knobCentre, k / 2, k / 2);

    // Text in the free part of the slot.
    const QString t = text();
    if (!t.isEmpty()) {
        const qreal gap = std::max<qreal>(3, k * 0.15);
        const QRectF free = checked_ ? QRectF(slot.left() + gap, slot.top(),
                                              slot.width() - k - 2 * gap, slot.height())
                                     : QRectF(slot.left() + k + gap, slot.top(),
                                              slot.width() - k - 2 * gap, slot.height());
        const QFont f = style::fittedFont(font(), t, QSizeF(free.width(), free.height() * 0.7),
                                          std::min<qreal>(14, free.height() * 0.55), true);
        // Too long even in the smallest print: cut at the end rather than at both sides.
        const QString shown =
            QFontMetricsF(f).elidedText(t, Qt::ElideRight, std::max<qreal>(0, free.width()));
        p.setFont(f);
        p.setPen(dead ? QColor(0x60, 0x64, 0x68) : style::contrastText(color));
        p.drawText(free, Qt::AlignCenter, shown);
    }

    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(pill.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    }
}

}  // namespace omvi::ui
