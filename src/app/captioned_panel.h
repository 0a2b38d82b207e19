#pragma once
// A group with a caption that wraps onto a second line when the column is narrow, where a group
// box would instead widen the whole dashboard to fit its title.

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace omvi::app {

class CaptionedPanel : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)
  public:
    explicit CaptionedPanel(const QString& title, QWidget* parent = nullptr) : QFrame(parent) {
        setFrameShape(QFrame::StyledPanel);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(4, 2, 4, 4);
        layout->setSpacing(2);
        caption_ = new QLabel(title, this);
        caption_->setWordWrap(true);
        QFont bold = caption_->font();
        bold.setBold(true);
        caption_->setFont(bold);
        layout->addWidget(caption_);
    }
    QString title() const { return caption_->text(); }
    void setTitle(const QString& title) { caption_->setText(title); }
    // Where the group's own layout goes.
    QVBoxLayout* outer() { return static_cast<QVBoxLayout*>(layout()); }

  private:
    QLabel* caption_;
};

}  // namespace omvi::app
