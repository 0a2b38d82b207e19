#pragma once
// A group with a caption that wraps onto a second line when the column is narrow, where a group
// box would instead widen the whole dashboard to fit its title.

#include <QEvent>
#include <QFrame>
#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QToolTip>
#include <QVBoxLayout>

namespace omvi::app {

class CaptionedPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)
  public:
    explicit CaptionedPanel(const QString& title, QWidget* parent = nullptr) : QWidget(parent) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(1);
        caption_ = new QLabel(title, this);
        caption_->setWordWrap(true);
        layout->addWidget(caption_);
        body_ = new QFrame(this);
        body_->setFrameShape(QFrame::StyledPanel);
        auto* inner = new QVBoxLayout(body_);
        inner->setContentsMargins(4, 3, 4, 3);
        inner->setSpacing(2);
        layout->addWidget(body_, 1);
    }
    QString title() const { return caption_->text(); }
    void setTitle(const QString& title) { caption_->setText(title); }
    // Where the group's own contents go.
    QVBoxLayout* outer() { return static_cast<QVBoxLayout*>(body_->layout()); }

  private:
    QLabel* caption_;
    QFrame* body_;
};

// A label whose lines are cut short with an ellipsis rather than wrapped when its column is
// narrow, so that a row keeps the height of its spin box; the whole text shows as a tooltip.
class ElidedLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override {
        const int lines = static_cast<int>(text().count(QLatin1Char('\n'))) + 1;
        return {fontMetrics().averageCharWidth() * 4, fontMetrics().lineSpacing() * lines};
    }
    QSize sizeHint() const override {
        const QSize full = QLabel::sizeHint();
        return {full.width(), minimumSizeHint().height()};
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                 QPalette::WindowText));
        const QStringList lines = text().split(QLatin1Char('\n'));
        const int spacing = fontMetrics().lineSpacing();
        int y = (height() - spacing * static_cast<int>(lines.size())) / 2;
        for (const QString& line : lines) {
            p.drawText(QRect(0, y, width(), spacing), Qt::AlignLeft | Qt::AlignVCenter,
                       fontMetrics().elidedText(line, Qt::ElideRight, width()));
            y += spacing;
        }
    }
    bool event(QEvent* e) override {
        if (e->type() == QEvent::ToolTip && toolTip().isEmpty()) {
            QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), text(), this);
            return true;
        }
        return QLabel::event(e);
    }
};

}  // namespace omvi::app
