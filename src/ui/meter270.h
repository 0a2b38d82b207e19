#pragma once

#include <QColor>
#include <QList>

#include "ui/instrument.h"

namespace omvi::ui {

// Round gauge whose scale sweeps 270 degrees, from bottom left clockwise to bottom right, with
// the value read out in the gap at the bottom.
//
// Two settings give the dial its "engine off" and "engine on" looks:
// - the sector offset pushes the coloured zones along the sweep by that many degrees; once they
//   are pushed off the dial (an offset of 270 or more) the face is drawn unlit;
// - the arrow shape picks the needle: shapes below 4 are a thin pale line, 4 and above a bold
//   tapered needle with a counterweight, broader as the number grows.
class Meter270 : public Instrument {
    Q_OBJECT

  public:
    struct Zone {
        double from;
        double to;
        QColor color;
    };

    explicit Meter270(QWidget* parent = nullptr);

    void setSectorOffset(int degrees);
    int sectorOffset() const { return sectorOffset_; }

    void setArrowShape(int shape);
    int arrowShape() const { return arrowShape_; }

    // True when the face is drawn lit (the zones are at least partly on the dial).
    bool isLit() const;
    // True when the needle is the bold one.
    bool hasBoldNeedle() const { return arrowShape_ >= kBoldShape; }

    void addZone(double from, double to, const QColor& color);
    void clearZones();
    QList<Zone> zones() const { return zones_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int kSweepDegrees = 270;
    static constexpr int kBoldShape = 4;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int sectorOffset_ = 0;
    int arrowShape_ = 6;
    QList<Zone> zones_;
};

}  // namespace omvi::ui
