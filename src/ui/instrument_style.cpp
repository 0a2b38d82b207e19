#include "ui/instrument_style.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <utility>

namespace omvi::ui::style {

QColor faceTop() {
    return QColor(0x35, 0x3b, 0x44);
}
QColor faceBottom() {
    return QColor(0x17, 0x1a, 0x1f);
}
QColor bezelLight() {
    return QColor(0x9a, 0xa2, 0xab);
}
QColor bezelDark() {
    return QColor(0x2a, 0x2e, 0x33);
}
QColor trackColor() {
    return QColor(0x0b, 0x0d, 0x10);
}
QColor majorTick() {
    return QColor(0xee, 0xf1, 0xf4);
}
QColor minorTick() {
    return QColor(0x8c, 0x95, 0x9e);
}
QColor labelColor() {
    return QColor(0xe3, 0xe7, 0xeb);
}
QColor dimLabelColor() {
    return QColor(0x9d, 0xa8, 0xb3);
}
QColor valueColor() {
    return QColor(0xff, 0xff, 0xff);
}
QColor readoutColor() {
    return QColor(0x8c, 0xe8, 0xff);
}
QColor highlightColor() {
    return QColor(0xff, 0xc8, 0x4a);
}

void drawFace(QPainter& p, const QRectF& r, qreal radius) {
    p.save();
    QLinearGradient rim(r.topLeft(), r.bottomLeft());
    rim.setColorAt(0, bezelLight());
    rim.setColorAt(1, bezelDark());
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawRoundedRect(r, radius, radius);
    const QRectF inner = r.adjusted(1.2, 1.2, -1.2, -1.2);
    QLinearGradient face(inner.topLeft(), inner.bottomLeft());
    face.setColorAt(0, faceTop());
    face.setColorAt(1, faceBottom());
    p.setBrush(face);
    const qreal ir = std::max<qreal>(0, radius - 1);
    p.drawRoundedRect(inner, ir, ir);
    p.restore();
}

void drawTrack(QPainter& p, const QRectF& r, qreal radius) {
    p.save();
    p.setPen(QPen(QColor(0, 0, 0, 150), 1));
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, trackColor());
    g.setColorAt(1, QColor(0x1a, 0x1e, 0x23));
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
    // Light lower edge: the channel looks cut into the face.
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.drawLine(QPointF(r.left() + radius, r.bottom() + 0.5),
               QPointF(r.right() - radius, r.bottom() + 0.5));
    p.restore();
}

void drawBarFill(QPainter& p, const QRectF& r, const QColor& color, Qt::Orientation orientation) {
    if (r.width() <= 0 || r.height() <= 0) {
        return;
    }
    p.save();
    QLinearGradient g = orientation == Qt::Vertical ? QLinearGradient(r.topLeft(), r.topRight())
                                                    : QLinearGradient(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, color.darker(150));
    g.setColorAt(0.35, color.lighter(135));
    g.setColorAt(0.6, color);
    g.setColorAt(1, color.darker(170));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(r);
    p.restore();
}

QColor contrastText(const QColor& background) {
    const double luma =
        0.299 * background.redF() + 0.587 * background.greenF() + 0.114 * background.blueF();
    return luma > 0.55 ? QColor(0x10, 0x12, 0x14) : QColor(0xff, 0xff, 0xff);
}

namespace {
constexpr qreal kMinPixelSize = 7;
}

QFont sizedFont(const QFont& base, qreal pixelSize, bool bold) {
    QFont f(base);
    f.setPixelSize(std::max(static_cast<int>(kMinPixelSize), static_cast<int>(pixelSize)));
    f.setBold(bold);
    return f;
}

QFont fittedFont(const QFont& base, const QString& text, const QSizeF& box, qreal maxPixelSize,
                 bool bold) {
    QFont f = sizedFont(base, std::min(maxPixelSize, box.height()), bold);
    if (text.isEmpty()) {
        return f;
    }
    const qreal width = QFontMetricsF(f).horizontalAdvance(text);
    if (width > box.width() && width > 0) {
        const qreal scaled = f.pixelSize() * box.width() / width;
        f = sizedFont(base, scaled, bold);
    }
    return f;
}

namespace {

// Minor divisions that suit a major step whose leading digits are `mantissa`.
int minorsFor(double mantissa) {
    if (std::abs(mantissa - 2) < 1e-9 || std::abs(mantissa - 4) < 1e-9) {
        return 4;
    }
    if (std::abs(mantissa - 3) < 1e-9 || std::abs(mantissa - 6) < 1e-9) {
        return 3;
    }
    return 5;
}

bool isMultiple(double value, double step) {
    const double q = value / step;
    return std::abs(q - std::round(q)) < 1e-6;
}

}  // namespace

Ticks niceTicks(double min, double max, int maxMajor, double fixedStep, int fixedMinor) {
    Ticks t;
    const double span = max - min;
    if (!std::isfinite(span) || span <= 0) {
        t.first = min;
        t.count = 1;
        return t;
    }
    maxMajor = std::max(1, maxMajor);
    double step = fixedStep;
    double mantissa = 1;
    if (step > 0) {
        const double magnitude = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        mantissa = step / magnitude;
    } else {
        // Smallest round step that keeps the labels apart; a step that divides the range so
        // that both ends carry a number wins over a finer one that does not.
        const double raw = span / maxMajor;
        const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
        // Mantissas with how round they read (lower is rounder).
        static constexpr std::pair<double, int> kMantissas[] = {{1, 0}, {2, 0}, {2.5, 1}, {3, 2},
                                                                {4, 1}, {5, 0}, {6, 2}};
        double finest = 0;
        double finestMantissa = 1;
        double best = 0;
        double bestMantissa = 1;
        int bestRank = 99;
        for (double m : {magnitude, magnitude * 10}) {  // candidates in ascending order
            for (const auto& [k, rank] : kMantissas) {
                const double candidate = k * m;
                if (candidate < raw * (1 - 1e-9)) {
                    continue;
                }
                if (finest == 0) {
                    finest = candidate;
                    finestMantissa = k;
                }
                // Numbered ends are not worth halving the number of divisions.
                if (candidate > 2 * finest * (1 - 1e-9)) {
                    break;
                }
                if (rank < bestRank && isMultiple(span, candidate) && isMultiple(min, candidate)) {
                    best = candidate;
                    bestMantissa = k;
                    bestRank = rank;
                }
            }
        }
        if (best == 0) {
            best = finest;
            bestMantissa = finestMantissa;
        }
        step = best;
        mantissa = bestMantissa;
    }
    const int minor = fixedMinor > 0 ? fixedMinor : minorsFor(mantissa);
    // Decimals that show the step exactly (2.5 needs one more than its power of ten).
    int decimals = 0;
    for (double scaled = step; decimals < 6; ++decimals, scaled *= 10) {
        if (std::abs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, scaled)) {
            break;
        }
    }
    t.step = step;
    t.first = std::ceil(min / step - 1e-9) * step;
    t.count = static_cast<int>(std::floor((max - t.first) / step + 1e-9)) + 1;
    t.minorPerMajor = minor;
    t.decimals = decimals;
    return t;
}

QString formatNumber(double value, int decimals, const QLocale& locale) {
    if (!std::isfinite(value)) {
        return QStringLiteral("---");
    }
    QLocale l(locale);
    l.setNumberOptions(l.numberOptions() | QLocale::OmitGroupSeparator);
    QString text = l.toString(value, 'f', std::clamp(decimals, 0, 9));
    const QString minus = l.negativeSign();
    if (text.startsWith(minus)) {
        const QString zero = l.zeroDigit();
        const QString dot = l.decimalPoint();
        QString rest = text.mid(minus.size());
        rest.remove(zero);
        rest.remove(dot);
        if (rest.isEmpty()) {
            text.remove(0, minus.size());
        }
    }
    return text;
}

}  // namespace omvi::ui::style
