#pragma once

#include <QColor>
#include <QFont>
#include <QLocale>
#include <QRectF>
#include <QString>

class QPainter;

// One look for every instrument: dark faces with light markings, so the panel reads like a car
// cluster whether the surrounding window is in its normal or its greyed "busy" colour.
namespace omvi::ui::style {

QColor faceTop();
QColor faceBottom();
QColor bezelLight();
QColor bezelDark();
QColor trackColor();
QColor majorTick();
QColor minorTick();
QColor labelColor();
QColor dimLabelColor();
QColor valueColor();
QColor readoutColor();
QColor highlightColor();

// Rounded instrument face with a thin metallic rim.
void drawFace(QPainter& p, const QRectF& r, qreal radius);
// Recessed dark channel that bars and readouts sit in.
void drawTrack(QPainter& p, const QRectF& r, qreal radius);
// Bar fill shaded across its width (or height) so it reads as a rounded column.
void drawBarFill(QPainter& p, const QRectF& r, const QColor& color, Qt::Orientation orientation);

// Black or white, whichever reads better on the background.
QColor contrastText(const QColor& background);

// Base font at a pixel size (never below a legible minimum).
QFont sizedFont(const QFont& base, qreal pixelSize, bool bold);
// Largest font not above maxPixelSize whose rendering of text fits the box.
QFont fittedFont(const QFont& base, const QString& text, const QSizeF& box, qreal maxPixelSize,
                 bool bold);

// Scale division: majors at first + k * step for k < count, with minorPerMajor sub-steps.
struct Ticks {
    double first = 0;
    double step = 1;
    int count = 0;
    int minorPerMajor = 1;
    int decimals = 0;
};

// A round division of [min, max] into at most maxMajor steps (1, 2, 2.5 or 5 times a power of
// ten); fixedStep > 0 forces the step, fixedMinor > 0 the number of minor divisions.
Ticks niceTicks(double min, double max, int maxMajor, double fixedStep = 0, int fixedMinor = 0);

// Number with a fixed count of decimals, the locale's decimal separator and no group
// separators; a value that rounds to zero shows without a minus sign, a non-number as "---".
QString formatNumber(double value, int decimals, const QLocale& locale);

}  // namespace omvi::ui::style
