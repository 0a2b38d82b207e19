#pragma once

#include <QColor>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "ui/click_tracker.h"

namespace omvi::ui {

// Round indicator lamp with an optional caption inside.
//
// A click only reports itself: the lamp never changes its own state, the program decides what
// a click means and sets the state. A lamp that is flashing blinks while it is on. A lamp that
// has been disabled itself looks switched off and dead; one that is only inside a disabled panel
// keeps its look (it still takes no clicks).
class Led : public QWidget {
    Q_OBJECT

  public:
    explicit Led(QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    QString caption() const { return caption_; }

    void setOnColor(const QColor& color);
    QColor onColor() const { return onColor_; }
    void setOffColor(const QColor& color);
    QColor offColor() const { return offColor_; }

    void setChecked(bool checked);
    bool isChecked() const { return checked_; }

    void setFlashing(bool flashing);
    bool isFlashing() const { return flashing_; }
    void setFlashInterval(int milliseconds);
    int flashInterval() const { return blinkTimer_.interval(); }

    // True in the lit half of a blink (always true while not flashing).
    bool blinkPhase() const { return phase_; }
    // Whether the lamp is drawn lit right now.
    bool isLitNow() const { return checked_ && phase_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  public slots:
    // One step of the blink; the flash timer calls it, tests may call it directly.
    void advanceBlink();

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

  private:
    void updateTimer();

    QString caption_;
    QColor onColor_{0x30, 0xff, 0x30};
    QColor offColor_{0x80, 0x80, 0x80};
    bool checked_ = false;
    bool flashing_ = false;
    bool phase_ = true;
    ClickTracker click_;
    QTimer blinkTimer_;
};

}  // namespace omvi::ui
