#pragma once
// The language switch of the program: the "Język" menu, the flag buttons and the link labels of
// the Info page, the stored language name and the start-up restore.

#include <QObject>
#include <QString>

#include "i18n/language_applier.h"

class QAction;
class QActionGroup;
class QLabel;

namespace omvi::app {

class MainWindow;

class LanguageController : public QObject {
    Q_OBJECT
  public:
    explicit LanguageController(MainWindow& window);

    // Applies the stored language at start-up; a name that is no language applies nothing.
    void restore();
    // `Check_jazyk`: applies the language of a menu item, stores it and checks the item.
    void Check_jazyk(QAction* item);
    // `LangClick`: a flag button clicks the menu item of its language.
    void LangClick(const QString& buttonName);
    QAction* itemFor(const QString& languageName) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void openLink(QLabel* label);

    MainWindow& w_;
    i18n::LanguageApplier applier_;
    QActionGroup* group_ = nullptr;
};

}  // namespace omvi::app
