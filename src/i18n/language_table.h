#pragma once
// The language table: 171 rows of texts in ten columns. Columns 1..9 are the languages (see
// languages.h); column 0 is the working column that other parts read for the current language.
// The texts are a data file compiled in as a resource (language_table.tsv, with the installation
// data in installation.tsv); docs/translations.md describes the format.

#include <QByteArray>
#include <QString>
#include <optional>
#include <span>
#include <vector>

namespace omvi::i18n {

class LanguageTable {
  public:
    static constexpr int kRowCount = 171;
    static constexpr int kColumnCount = 10;
    static constexpr int kWorkingColumn = 0;

    // Every cell empty. Stands in for the table when the built-in data cannot be read, so that
    // callers never have to deal with a missing table.
    LanguageTable();

    // Parses the table file and the installation data. On failure returns nothing and, when
    // `error` is given, says which file and line are at fault.
    static std::optional<LanguageTable> parse(const QByteArray& table,
                                              const QByteArray& installation,
                                              QString* error = nullptr);
    // The table compiled into the program. Should it be malformed, an empty table is returned
    // and `error` receives the reason.
    static LanguageTable builtIn(QString* error = nullptr);

    int rowCount() const { return kRowCount; }
    int columnCount() const { return kColumnCount; }

    // Empty for a row or column out of range.
    QString text(int row, int column) const;
    // The working column: the current language's text of the rows that are copied on a switch,
    // the initial texts otherwise.
    QString current(int row) const { return text(row, kWorkingColumn); }

    // Copies the column of the named language into the working column for the rows that other
    // parts read at run time. A name that is no language changes nothing and returns false.
    bool switchTo(const QString& languageName);
    bool switchToColumn(int column);

    // The rows that a switch copies into the working column, ascending.
    static std::span<const int> copiedRows();

  private:
    std::vector<QString> cells_;  // row-major, kRowCount * kColumnCount
};

}  // namespace omvi::i18n
