#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include "ui/click_tracker.h"

namespace omvi::ui {

// Slide switch with a text for each position and a colour for each position.
//
// Two ways to use it:
// - click toggles (the default): a click flips the state. Every change of state, whether from a
//   click or from setChecked(), emits toggled(), because the program drives the switch as the
//   user would and relies on its change event running either way.
// - indicator: a click only emits clicked(); the state follows what the program sets with
//   setChecked(), which emits nothing.
// A click emits clicked() in both modes. Space toggles the switch from the keyboard.
class ToggleSwitch : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString onText READ onText WRITE setOnText)
    Q_PROPERTY(QString offText READ offText WRITE setOffText)

  public:
    explicit ToggleSwitch(QWidget* parent = nullptr);

    void setClickToggles(bool toggles);
    bool clickToggles() const { return clickToggles_; }

    void setChecked(bool checked);
    bool isChecked() const { return checked_; }

    void setOnText(const QString& text);
    QString onText() const { return onText_; }
    void setOffText(const QString& text);
    QString offText() const { return offText_; }
    // The text for the current position.
    QString text() const { return checked_ ? onText_ : offText_; }

    void setOnColor(const QColor& color);
    QColor onColor() const { return onColor_; }
    void setOffColor(const QColor& color);
    QColor offColor() const { return offColor_; }
    // The colour for the current position.
    QColor currentColor() const { return checked_ ? onColor_ : offColor_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void toggled(bool checked);
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void activate();

    bool clickToggles_ = true;
    bool checked_ = false;
    ClickTracker click_;
    QString onText_;
    QString offText_;
    QColor onColor_{0x00, 0xff, 0x00};
    QColor offColor_{0xff, 0x00, 0x00};
};

}  // namespace omvi::ui
