#pragma once
// Status bar panel 1: it keeps its text (the last-connection label and date) while it is
// owner-drawn, which shows nothing, and shows it once switched to plain text.

#include <QLabel>

namespace omvi::app {

class StatusPanel : public QLabel {
    Q_OBJECT
    // The panel's own text, whatever it shows: the language switch relabels it through this.
    Q_PROPERTY(QString text READ panelText WRITE setPanelText)
  public:
    explicit StatusPanel(QWidget* parent = nullptr) : QLabel(parent) {}

    QString panelText() const { return text_; }
    void setPanelText(const QString& text) {
        text_ = text;
        QLabel::setText(plain_ ? text_ : QString());
    }
    bool isPlain() const { return plain_; }
    void setPlain(bool plain) {
        plain_ = plain;
        QLabel::setText(plain_ ? text_ : QString());
    }

  private:
    QString text_;
    bool plain_ = false;
};

}  // namespace omvi::app
