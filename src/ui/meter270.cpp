#include "ui/meter270.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace omvi::ui {

namespace {

constexpr double kStartAngle = 225;  // degrees, counter-clockwise from three o'clock

QPointF polar(const QPointF& centre, double radius, double degrees) {
    const double a = qDegreesToRadians(degrees);
    return {centre.x() + radius * std::cos(a), centre.y() - radius * std::sin(a)};
}

double angleAt(double fraction) {
    return kStartAngle - Meter270::kSweepDegrees * fraction;
}

}  // namespace

Meter270::Meter270(QWidget* parent) : Instrument(parent) {
    setRange(0, 10);
    setDecimals(2);
}

void Meter270::setSectorOffset(int degrees) {
    if (degrees != sectorOffset_) {
        sectorOffset_ = degrees;
        update();
    }
}

void Meter270::setArrowShape(int shape) {
    shape = std::clamp(shape, 0, 9);
    if (shape != arrowShape_) {
        arrowShape_ = shape;
        update();
    }
}

bool Meter270::isLit() const {
    return std::abs(sectorOffset_) < kSweepDegrees;
}

void Meter270::addZone(double from, double to, const QColor& color) {
    zones_.append({std::min(from, to), std::max(from, to), color});
    update();
}

void Meter270::clearZones() {
    zones_.clear();
    update();
}

QSize Meter270::sizeHint() const {
    return {200, 200};
}

QSize Meter270::minimumSizeHint() const {
    return {90, 90};
}

void Meter270::paintEvent(QPaintEvent*) {
    const qreal side = std::min(width(), height()) - 2;
    if (side < 20) {
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QPointF c = QRectF(rect()).center();
    const qreal R = side / 2;
    const bool lit = isLit();
    const double span = maximum() - minimum();
    auto fractionOf = [&](double v) {
        return span > 0 ? std::clamp((v - minimum()) / span, 0.0, 1.0) : 0.0;
    };

    // Rim and face.
    QLinearGradient rim(c - QPointF(R, R), c + QPointF(R, R));
    rim.setColorAt(0, style::bezelLight());
    rim.setColorAt(0.5, style::bezelDark());
    rim.setColorAt(1, style::bezelLight().darker(140));
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawEllipse(c, R, R);
    const qreal Rf = R * 0.94;
    QRadialGradient face(c, Rf, c - QPointF(0, Rf * 0.35));
    face.setColorAt(0, lit ? QColor(0x3a, 0x41, 0x4b) : QColor(0x1f, 0x22, 0x26));
    face.setColorAt(1, lit ? QColor(0x12, 0x15, 0x19) : QColor(0x0b, 0x0c, 0x0e));
    p.setBrush(face);
    p.drawEllipse(c, Rf, Rf);

    const QColor major = lit ? style::majorTick() : style::minorTick().darker(115);
    const QColor minorColor = lit ? style::minorTick() : style::minorTick().darker(170);
    const QColor labels = lit ? style::labelColor() : style::dimLabelColor().darker(115);

    // Zones, shifted along the sweep by the sector offset and cut at the scale's ends.
    const qreal zoneR = R * 0.835;
    const qreal zoneW = R * 0.055;
    const QRectF zoneRect(c.x() - zoneR, c.y() - zoneR, 2 * zoneR, 2 * zoneR);
    const double shift = static_cast<double>(sectorOffset_) / kSweepDegrees;
    for (const Zone& z : zones_) {
        const double a = std::clamp(fractionOf(z.from) + shift, 0.0, 1.0);
        const double b = std::clamp(fractionOf(z.to) + shift, 0.0, 1.0);
        if (b - a <= 0) {
            continue;
        }
        QPainterPath arc;
        arc.arcMoveTo(zoneRect, angleAt(a));
        arc.arcTo(zoneRect, angleAt(a), -kSweepDegrees * (b - a));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(lit ? z.color : z.color.darker(260), zoneW, Qt::SolidLine, Qt::FlatCap));
        p.drawPath(arc);
    }

    // Ticks and numbers.
    const qreal tickOuter = R * 0.885;
    const QFont labelFont = style::sizedFont(font(), R * 0.15, true);
    const QFontMetricsF lfm(labelFont);
    const qreal labelR = R * 0.63;
    const double arcLength = labelR * qDegreesToRadians(double(kSweepDegrees));
    const style::Ticks t =
        ticks(arcLength, lfm.horizontalAdvance(widestTickLabel()) * 1.1 + lfm.height() * 0.5);
    p.setFont(labelFont);
    for (int k = 0; k < t.count; ++k) {
        const double v = t.first + k * t.step;
        const double a = angleAt(fractionOf(v));
        p.setPen(QPen(major, std::max<qreal>(1.4, R * 0.022), Qt::SolidLine, Qt::FlatCap));
        p.drawLine(polar(c, tickOuter, a), polar(c, tickOuter - R * 0.13, a));
        const QPointF at = polar(c, labelR, a);
        const QString text = formatted(v, t.decimals);
        QRectF box(0, 0, lfm.horizontalAdvance(text) + 2, lfm.height());
        box.moveCenter(at);
        p.setPen(labels);
        p.drawText(box, Qt::AlignCenter, text);
        for (int m = 1; m < t.minorPerMajor; ++m) {
            const double mv = v + t.step * m / t.minorPerMajor;
            if (mv > maximum() + 1e-9) {
                break;
            }
            const double ma = angleAt(fractionOf(mv));
            p.setPen(QPen(minorColor, std::max<qreal>(1.0, R * 0.011)));
            p.drawLine(polar(c, tickOuter, ma), polar(c, tickOuter - R * 0.065, ma));
        }
    }

    // Title above the hub, unit below it.
    if (!title().isEmpty()) {
        p.setFont(style::fittedFont(font(), title(), QSizeF(R * 0.9, R * 0.14), R * 0.13, true));
        p.setPen(labels);
        p.drawText(QRectF(c.x() - R * 0.45, c.y() - R * 0.42, R * 0.9, R * 0.16), Qt::AlignCenter,
                   title());
    }
    if (!unit().isEmpty()) {
        p.setFont(style::fittedFont(font(), unit(), QSizeF(R * 0.7, R * 0.13), R * 0.12, false));
        p.setPen(lit ? style::dimLabelColor() : style::dimLabelColor().darker(160));
        p.drawText(QRectF(c.x() - R * 0.35, c.y() + R * 0.17, R * 0.7, R * 0.15), Qt::AlignCenter,
                   unit());
    }

    // Digital readout in the gap at the bottom of the sweep.
    const QRectF readout(c.x() - R * 0.36, c.y() + R * 0.45, R * 0.72, R * 0.25);
    style::drawTrack(p, readout, R * 0.04);
    const QString text = valueText();
    p.setFont(style::fittedFont(font(), text, readout.size() - QSizeF(R * 0.08, R * 0.04), R * 0.2,
                                true));
    p.setPen(lit ? style::valueColor() : style::dimLabelColor());
    p.drawText(readout, Qt::AlignCenter, text);

    // Needle.
    const double na = angleAt(position());
    const qreal tipR = R * 0.82;
    if (hasBoldNeedle()) {
        const qreal half = R * (0.028 + 0.006 * (arrowShape_ - kBoldShape));
        const qreal tail = R * 0.2;
        QPainterPath needle;
        needle.moveTo(polar(c, tipR, na));
        needle.lineTo(polar(c, half, na + 90));
        needle.lineTo(polar(c, tail, na + 180 - 5));
        needle.lineTo(polar(c, tail, na + 180 + 5));
        needle.lineTo(polar(c, half, na - 90));
        needle.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 90));
        p.drawPath(needle.translated(R * 0.015, R * 0.02));
        QLinearGradient ng(polar(c, half, na + 90), polar(c, half, na - 90));
        ng.setColorAt(0, QColor(0xff, 0x7a, 0x3d));
        ng.setColorAt(1, QColor(0xd0, 0x2a, 0x12));
        p.setPen(QPen(QColor(0x70, 0x12, 0x05), 0.8));
        p.setBrush(ng);
        p.drawPath(needle);
    } else {
        const qreal w = std::max<qreal>(1.3, R * (0.012 + 0.003 * arrowShape_));
        p.setPen(QPen(QColor(0xc8, 0xcf, 0xd6), w, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(polar(c, R * 0.1, na + 180), polar(c, tipR, na));
    }

    // Hub.
    const qreal hub = R * (hasBoldNeedle() ? 0.1 : 0.07);
    QRadialGradient hg(c - QPointF(hub * 0.3, hub * 0.3), hub * 1.2);
    hg.setColorAt(0, QColor(0x8a, 0x92, 0x9b));
    hg.setColorAt(1, QColor(0x1d, 0x20, 0x24));
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.setBrush(hg);
    p.drawEllipse(c, hub, hub);

    // Glass reflection over the upper half.
    QPainterPath glass;
    glass.addEllipse(QRectF(c.x() - Rf * 0.8, c.y() - Rf * 0.95, Rf * 1.6, Rf * 0.95));
    QLinearGradient gg(c - QPointF(0, Rf), c);
    gg.setColorAt(0, QColor(255, 255, 255, lit ? 34 : 18));
    gg.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gg);
    p.drawPath(glass);
}

}  // namespace omvi::ui
