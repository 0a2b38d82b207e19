#pragma once
// Puts a language column of the language table onto the controls of the main window and the
// chart window: every entry of the caption table, the two selection lists, the last-connection
// status text. Controls are found by objectName; what is missing is skipped.

class QWidget;

namespace omvi::i18n {

class LanguageTable;

class LanguageApplier {
  public:
    // The table must outlive the applier.
    explicit LanguageApplier(const LanguageTable& table) : table_(table) {}

    // Either window may be null. A column outside the table changes nothing and returns false.
    bool apply(int column, QWidget* mainWindow, QWidget* chartWindow) const;

  private:
    void refillSelectionLists(int column, QWidget* mainWindow, const QWidget* chartWindow) const;
    void relabelStatusBar(int column, QWidget* mainWindow, const QWidget* chartWindow) const;

    const LanguageTable& table_;
};

}  // namespace omvi::i18n
