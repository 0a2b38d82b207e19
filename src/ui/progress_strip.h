#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include "ui/click_tracker.h"

namespace omvi::ui {

// Full-width coloured strip with a centred caption that reports clicks. The program changes its
// colour and caption to make it blink as an alarm or to show the progress of a long search.
class ProgressStrip : public QWidget {
    Q_OBJECT

  public:
    explicit ProgressStrip(QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    QString caption() const { return caption_; }

    void setColor(const QColor& color);
    QColor color() const { return color_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

  private:
    QString caption_;
    QColor color_{0xff, 0x00, 0x00};
    ClickTracker click_;
};

}  // namespace omvi::ui
