#pragma once
// The "Panel Petrol" page (`TabSheet1`): engine, sensor and injector settings. It only holds the
// widgets; the settings binder shows the configuration on them and sends their changes.

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QWidget>

namespace omvi::app {

// A button with an on-text and an off-text, of which it shows the one of its state.
class SwitchButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QString onText READ onText WRITE setOnText)
    Q_PROPERTY(QString offText READ offText WRITE setOffText)
  public:
    explicit SwitchButton(const QString& text, QWidget* parent = nullptr)
        : QPushButton(text, parent), onText_(text), offText_(text) {}
    QString onText() const { return onText_; }
    QString offText() const { return offText_; }
    void setOnText(const QString& text) {
        onText_ = text;
        refresh();
    }
    void setOffText(const QString& text) {
        offText_ = text;
        refresh();
    }

  private:
    void refresh() { setText(isChecked() ? onText_ : offText_); }
    QString onText_;
    QString offText_;
};

class SettingsPage : public QWidget {
    Q_OBJECT
  public:
    explicit SettingsPage(QWidget* parent = nullptr);

    QComboBox* Sel_Impuls;
    QDoubleSpinBox* Sel_RPM_signal;
    QComboBox* Sel_Typ_silnika;
    QCheckBox* Check_Injector_plus;
    QComboBox* Sel_cyl;
    QComboBox* Sel_Typ_wtrysku;
    QGroupBox* GroupBox15;
    QRadioButton* LPG_RadioButton;
    QRadioButton* CNG_RadioButton;
    QComboBox* P1_MAP_changer;
    QComboBox* T_RED_changer;
    QComboBox* T_GAZ_changer;
    QDoubleSpinBox* P_pracy_changer;
    QDoubleSpinBox* P_min_changer;
    QDoubleSpinBox* obc_inj_changer;
    QSpinBox* Mazda_changer;
    QCheckBox* Grzalka_CheckBox;
    QCheckBox* Full_group_CheckBox;
    SwitchButton* Przebiegi_button;
    SwitchButton* Dobor_Dysz_BitBtn;
    QComboBox* szybkosc;
};

}  // namespace omvi::app
