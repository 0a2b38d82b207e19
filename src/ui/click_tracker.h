#pragma once
// A click as the clickable instruments count it: left button pressed and released over the
// widget while it is enabled.

#include <QMouseEvent>
#include <QWidget>

namespace omvi::ui {

class ClickTracker {
  public:
    void press(QMouseEvent* event, const QWidget& widget) {
        pressed_ = event->button() == Qt::LeftButton && widget.isEnabled();
        event->accept();
    }
    // True when this release completes a click.
    bool release(QMouseEvent* event, const QWidget& widget) {
        const bool wasPressed = pressed_;
        pressed_ = false;
        event->accept();
        return wasPressed && event->button() == Qt::LeftButton && widget.isEnabled() &&
               widget.rect().contains(event->position().toPoint());
    }

  private:
    bool pressed_ = false;
};

}  // namespace omvi::ui
