#include "i18n/language_table.h"

#include <QFile>
#include <QStringDecoder>
#include <array>

#include "i18n/languages.h"
#include "i18n/rows.h"

namespace omvi::i18n {

namespace {

constexpr auto kTableResource = ":/i18n/language_table.tsv";
constexpr auto kInstallationResource = ":/i18n/installation.tsv";

// Rows 0-23, 42-45, 47-52, 128-132, 135, 149, 151, 152, 154, 156, 158-170.
constexpr auto kCopiedRows = [] {
    std::array<int, 58> rows{};
    std::size_t n = 0;
    const auto add = [&](int first, int last) {
        for (int r = first; r <= last; ++r) {
            rows[n++] = r;
        }
    };
    add(kRowFirstError, kRowLockPetrolMap);
    add(kRowCylinders3, kRowCylinders6);
    add(kRowSingleCoil, kRowPulse6Cylinders);
    add(kRowUnitKm, kRowUnitDays);
    add(kRowUseNewerVersion, kRowUseNewerVersion);
    add(kRowLoad, kRowLoad);
    add(kRowMakerWeb, kRowSecondWeb);
    add(kRowMakerMail, kRowMakerMail);
    add(kRowPartnerMail, kRowPartnerMail);
    add(kRowFirstNozzle, kRowLastNozzle);
    return n == rows.size() ? rows : throw "copied row count";
}();

const QStringList& expectedHeader() {
    static const QStringList header{
        QStringLiteral("row"), QStringLiteral("working"), QStringLiteral("de"),
        QStringLiteral("en"),  QStringLiteral("pl"),      QStringLiteral("ru"),
        QStringLiteral("cs"),  QStringLiteral("tr"),      QStringLiteral("th"),
        QStringLiteral("el"),  QStringLiteral("it")};
    return header;
}

bool isInstallationRow(int row) {
    return row >= kRowFirstInstallation && row <= kRowLastInstallation;
}

struct Line {
    int number;  // 1-based, for messages
    QString text;
};

// Splits a data file into its significant lines: decoded, without line ends, comments and blank
// lines. Returns false (with a message) on bytes that are not UTF-8.
bool readLines(const QByteArray& data, const QString& file, std::vector<Line>& lines,
               QString& error) {
    QByteArray bytes = data;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    const QList<QByteArray> raw = bytes.split('\n');
    for (qsizetype i = 0; i < raw.size(); ++i) {
        QByteArray lineBytes = raw[i];
        if (lineBytes.endsWith('\r')) {
            lineBytes.chop(1);
        }
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(lineBytes);
        if (decoder.hasError()) {
            error = QStringLiteral("%1, line %2: not valid UTF-8").arg(file).arg(i + 1);
            return false;
        }
        if (text.trimmed().isEmpty() || text.startsWith(QLatin1Char('#'))) {
            continue;
        }
        lines.push_back({static_cast<int>(i + 1), text});
    }
    return true;
}

bool unescape(const QString& cell, QString& out, QString& problem) {
    out.clear();
    out.reserve(cell.size());
    for (qsizetype i = 0; i < cell.size(); ++i) {
        const QChar c = cell[i];
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++i == cell.size()) {
            problem = QStringLiteral("a backslash ends a cell (write \\\\ for a backslash)");
            return false;
        }
        switch (cell[i].unicode()) {
            case 't':
                out += QLatin1Char('\t');
                break;
            case 'r':
                out += QLatin1Char('\r');
                break;
            case 'n':
                out += QLatin1Char('\n');
                break;
            case 's':
                out += QLatin1Char(' ');
                break;
            case '\\':
                out += QLatin1Char('\\');
                break;
            default:
                problem = QStringLiteral("unknown escape \\%1").arg(cell[i]);
                return false;
        }
    }
    return true;
}

// A row number as written in the first field: plain decimal digits, nothing else.
int parseRowNumber(const QString& field) {
    if (field.isEmpty() || field.size() > 3) {
        return -1;
    }
    for (const QChar c : field) {
        if (!c.isDigit() || c.unicode() > '9') {
            return -1;
        }
    }
    return field.toInt();
}

}  // namespace

LanguageTable::LanguageTable() : cells_(kRowCount * kColumnCount) {}

std::optional<LanguageTable> LanguageTable::parse(const QByteArray& table,
                                                  const QByteArray& installation, QString* error) {
    QString message;
    const auto fail = [&](const QString& text) -> std::optional<LanguageTable> {
        if (error) {
            *error = text;
        }
        return std::nullopt;
    };
    const QString tableFile = QStringLiteral("language_table.tsv");
    const QString installationFile = QStringLiteral("installation.tsv");

    std::vector<Line> lines;
    if (!readLines(table, tableFile, lines, message)) {
        return fail(message);
    }
    if (lines.empty()) {
        return fail(tableFile + QStringLiteral(": no header line"));
    }
    if (lines.front().text.split(QLatin1Char('\t')) != expectedHeader()) {
        return fail(QStringLiteral("%1, line %2: the header must be \"%3\"")
                        .arg(tableFile)
                        .arg(lines.front().number)
                        .arg(expectedHeader().join(QStringLiteral(" "))));
    }

    LanguageTable result;
    std::vector<int> definedOn(kRowCount, 0);  // line that defined each row, 0 if none
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const Line& line = lines[i];
        const QString where = QStringLiteral("%1, line %2: ").arg(tableFile).arg(line.number);
        const QStringList fields = line.text.split(QLatin1Char('\t'));
        if (fields.size() != kColumnCount + 1) {
            return fail(where + QStringLiteral("expected %1 tab-separated fields, found %2")
                                    .arg(kColumnCount + 1)
                                    .arg(fields.size()));
        }
        const int row = parseRowNumber(fields[0]);
        if (row < 0 || row >= kRowCount) {
            return fail(where + QStringLiteral("\"%1\" is no row number (0 to %2)")
                                    .arg(fields[0])
                                    .arg(kRowCount - 1));
        }
        if (isInstallationRow(row)) {
            return fail(where + QStringLiteral("row %1 is installation data and belongs in %2")
                                    .arg(row)
                                    .arg(installationFile));
        }
        if (definedOn[row] != 0) {
            return fail(
                where +
                QStringLiteral("row %1 is already given on line %2").arg(row).arg(definedOn[row]));
        }
        definedOn[row] = line.number;
        for (int column = 0; column < kColumnCount; ++column) {
            QString problem;
            if (!unescape(fields[column + 1], result.cells_[row * kColumnCount + column],
                          problem)) {
                return fail(where + QStringLiteral("column %1: ").arg(column) + problem);
            }
        }
    }

    lines.clear();
    if (!readLines(installation, installationFile, lines, message)) {
        return fail(message);
    }
    for (const Line& line : lines) {
        const QString where =
            QStringLiteral("%1, line %2: ").arg(installationFile).arg(line.number);
        const qsizetype tab = line.text.indexOf(QLatin1Char('\t'));
        const int row = tab < 0 ? -1 : parseRowNumber(line.text.left(tab));
        if (!isInstallationRow(row)) {
            return fail(where + QStringLiteral("expected a row number from %1 to %2, a tab and "
                                               "the value")
                                    .arg(kRowFirstInstallation)
                                    .arg(kRowLastInstallation));
        }
        if (definedOn[row] != 0) {
            return fail(
                where +
                QStringLiteral("row %1 is already given on line %2").arg(row).arg(definedOn[row]));
        }
        definedOn[row] = line.number;
        QString value;
        QString problem;
        if (!unescape(line.text.mid(tab + 1), value, problem)) {
            return fail(where + problem);
        }
        for (int column = 0; column < kColumnCount; ++column) {
            result.cells_[row * kColumnCount + column] = value;
        }
    }

    for (int row = 0; row < kRowCount; ++row) {
        if (definedOn[row] == 0) {
            return fail(QStringLiteral("%1: row %2 is missing")
                            .arg(isInstallationRow(row) ? installationFile : tableFile)
                            .arg(row));
        }
    }

    // Texts may name installation data (the Help text names the web address).
    for (QString& cell : result.cells_) {
        if (!cell.contains(QLatin1String("${"))) {
            continue;
        }
        for (int row = kRowFirstInstallation; row <= kRowLastInstallation; ++row) {
            cell.replace(QStringLiteral("${%1}").arg(row),
                         result.cells_[row * kColumnCount + kWorkingColumn]);
        }
    }
    return result;
}

LanguageTable LanguageTable::builtIn(QString* error) {
    QFile tableFile(QString::fromLatin1(kTableResource));
    QFile installationFile(QString::fromLatin1(kInstallationResource));
    if (!tableFile.open(QIODevice::ReadOnly) || !installationFile.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = QStringLiteral("the built-in language table is missing");
        }
        return LanguageTable();
    }
    std::optional<LanguageTable> table =
        parse(tableFile.readAll(), installationFile.readAll(), error);
    return table ? std::move(*table) : LanguageTable();
}

QString LanguageTable::text(int row, int column) const {
    if (row < 0 || row >= kRowCount || column < 0 || column >= kColumnCount) {
        return {};
    }
    return cells_[row * kColumnCount + column];
}

bool LanguageTable::switchTo(const QString& languageName) {
    return switchToColumn(columnOfLanguage(languageName));
}

bool LanguageTable::switchToColumn(int column) {
    if (!languageOfColumn(column)) {
        return false;
    }
    for (const int row : kCopiedRows) {
        cells_[row * kColumnCount + kWorkingColumn] = cells_[row * kColumnCount + column];
    }
    return true;
}

std::span<const int> LanguageTable::copiedRows() {
    return kCopiedRows;
}

}  // namespace omvi::i18n
