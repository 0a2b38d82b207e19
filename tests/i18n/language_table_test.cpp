#include "i18n/language_table.h"

#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <set>
#include <tuple>

#include "i18n/caption_table.h"
#include "i18n/languages.h"
#include "i18n/rows.h"

using namespace omvi::i18n;

namespace {

constexpr int kEnglish = 2;
constexpr int kPolish = 3;
constexpr int kRussian = 4;
constexpr int kThai = 7;
constexpr int kGreek = 8;
constexpr int kItalian = 9;

QByteArray resource(const char* path) {
    QFile file(QString::fromLatin1(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return file.readAll();
}

QByteArray tableData() {
    return resource(":/i18n/language_table.tsv");
}
QByteArray installationData() {
    return resource(":/i18n/installation.tsv");
}

LanguageTable loadBuiltIn() {
    QString error;
    LanguageTable table = LanguageTable::builtIn(&error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    return table;
}

std::vector<QString> column(const LanguageTable& table, int c) {
    std::vector<QString> texts;
    for (int row = 0; row < table.rowCount(); ++row) {
        texts.push_back(table.text(row, c));
    }
    return texts;
}

bool hasLetterIn(const QString& text, char16_t first, char16_t last) {
    return std::any_of(text.begin(), text.end(),
                       [&](QChar c) { return c.unicode() >= first && c.unicode() <= last; });
}

}  // namespace

TEST(LanguageTableContent, HasEveryRowInEveryColumn) {
    const LanguageTable table = loadBuiltIn();
    ASSERT_EQ(table.rowCount(), 171);
    ASSERT_EQ(table.columnCount(), 10);
    for (int row = 0; row < table.rowCount(); ++row) {
        if (table.text(row, kEnglish).isEmpty()) {
            continue;
        }
        for (int c = 0; c < table.columnCount(); ++c) {
            EXPECT_FALSE(table.text(row, c).isEmpty()) << "row " << row << " column " << c;
        }
    }
    // The only row without an English text is the map window's hint.
    EXPECT_TRUE(table.text(68, kEnglish).isEmpty());
    EXPECT_EQ(table.current(68),
              QStringLiteral("Zmiana korekcji-zaznacz obszar zmian na wykresie i przesuń "
                             "strzałkami góra/dół"));
}

TEST(LanguageTableContent, KeepsTheFixedTextsExactly) {
    const LanguageTable table = loadBuiltIn();
    const QStringList startEngine{
        "Uruchom silnik",      "Motor starten",    "Start Engine",        "Uruchom silnik",
        "Запустить двигатель", "Start motoru",     "Motoru çalıştırınız", "สตาร์ทเครื่องยนต์",
        "εκκίνηση κινητήρας",  "Avviare il motore"};
    const QStringList language{"Język", "Sprache", "Language", "Język",  "Язык",
                               "Jazyk", "Dil",     "ภาษา",     "γλώσσα", "Lingua"};
    for (int c = 0; c < 10; ++c) {
        EXPECT_EQ(table.text(kRowStartEngine, c), startEngine[c]) << c;
        EXPECT_EQ(table.text(109, c), language[c]) << c;
    }
    EXPECT_EQ(table.text(kRowOperatingTimeError, kEnglish), " - Bl¹d czasow pracy(GB)");
    EXPECT_EQ(table.text(kRowOperatingTimeError, kPolish), " - Błąd czasów pracy");
    EXPECT_EQ(table.text(kRowVoltageError, kEnglish), " - Voltage error");
    EXPECT_EQ(table.text(kRowSupplyVoltageError, kEnglish), " - Voltage error");
    EXPECT_EQ(table.text(kRowSupplyVoltageError, kPolish), " - Błąd zasilania");
    EXPECT_EQ(table.text(24, kEnglish), "Batery  ");
    EXPECT_EQ(table.text(30, kEnglish), "Temerature");
    EXPECT_EQ(table.text(kRowLastConnection, kEnglish), " The last connection with PC: ");
    EXPECT_EQ(table.text(65, kEnglish), "START – calibration begins");
    EXPECT_EQ(table.text(82, kEnglish), "Inj. Petrol / Gas  [ms]");
    EXPECT_EQ(table.text(kRowSupplyVoltageError, kItalian),
              " - Tensione alimentazione troppo bassa");
    EXPECT_EQ(table.text(kRowSingleCoil, kPolish), "Cewka pojedyncza");
    EXPECT_EQ(table.text(kRowLoad, kPolish), "Obciążenie");
}

TEST(LanguageTableContent, WorkingColumnStartsWithItsOwnPolishWording) {
    const LanguageTable table = loadBuiltIn();
    EXPECT_EQ(table.current(kRowVoltageError), " - Błąd napięcia");
    EXPECT_EQ(table.text(kRowVoltageError, kPolish), " - Błąd zasilania");
    EXPECT_EQ(table.current(kRowDeflection), "Wyliczono mnożnik = ");
    EXPECT_EQ(table.text(kRowDeflection, kPolish), "Korekta =");
    int differing = 0;
    for (int row = 0; row < table.rowCount(); ++row) {
        differing += table.current(row) != table.text(row, kPolish);
    }
    EXPECT_EQ(differing, 38);
}

TEST(LanguageTableContent, ErrorTextsCanFollowALineNumberInEveryLanguage) {
    const LanguageTable table = loadBuiltIn();
    for (int row = kRowFirstError; row <= kRowLastError; ++row) {
        for (int c = 0; c < 10; ++c) {
            EXPECT_TRUE(table.text(row, c).startsWith(" - ")) << "row " << row << " column " << c;
        }
    }
}

TEST(LanguageTableContent, HelpTextIsMultiLineWithCrLfInEveryColumn) {
    const LanguageTable table = loadBuiltIn();
    for (int c = 0; c < 10; ++c) {
        const QString help = table.text(kRowHelpText, c);
        EXPECT_TRUE(help.startsWith("MENU CD:\r\n")) << c;
        EXPECT_EQ(help.count("\r\n"), 6) << c;
        EXPECT_EQ(help.count('\n'), 6) << "bare line feed in column " << c;
        EXPECT_EQ(help.count("\r\n  "), 6) << c;
        EXPECT_EQ(help.count("\r\n       ("), 1) << c;
        // The download address is the installation's, not a copy of it.
        EXPECT_TRUE(help.endsWith(table.text(kRowMakerWeb, c))) << c;
        EXPECT_FALSE(help.contains("${")) << c;
    }
}

TEST(LanguageTableContent, InstallationDataIsTheSameInAllColumns) {
    const LanguageTable table = loadBuiltIn();
    for (int row = kRowFirstInstallation; row <= kRowLastInstallation; ++row) {
        EXPECT_FALSE(table.text(row, 0).isEmpty()) << row;
        for (int c = 1; c < 10; ++c) {
            EXPECT_EQ(table.text(row, c), table.text(row, 0)) << "row " << row;
        }
    }
    EXPECT_TRUE(table.current(kRowMakerMailLink).startsWith("mailto:"));
    EXPECT_TRUE(table.current(kRowPartnerMailLink).startsWith("mailto:"));
}

TEST(LanguageTableContent, NonLatinColumnsHoldRealUnicode) {
    const LanguageTable table = loadBuiltIn();
    // Texts that are all letters in English must be written in the column's script.
    for (int row : {kRowNoController, kRowCalibrationFinished, 29, 57, 103, 107, 117}) {
        EXPECT_TRUE(hasLetterIn(table.text(row, kRussian), 0x0400, 0x04FF)) << row;
        EXPECT_TRUE(hasLetterIn(table.text(row, kThai), 0x0E00, 0x0E7F)) << row;
        EXPECT_TRUE(hasLetterIn(table.text(row, kGreek), 0x0370, 0x03FF)) << row;
    }
}

TEST(LanguageTableContent, LastConnectionLabelKeepsTheDateInEveryLanguage) {
    const LanguageTable table = loadBuiltIn();
    const QString date = "05.03.2024 10:11:12";
    for (int from = 0; from < 10; ++from) {
        const QString shown = table.text(kRowLastConnection, from) + date;
        for (int to = 0; to < 10; ++to) {
            const QString label = table.text(kRowLastConnection, to);
            EXPECT_EQ(relabelLastConnection(shown, label), label + date)
                << "from " << from << " to " << to;
        }
    }
}

TEST(LanguageTableContent, SomeRussianNozzleTextsAreLongerThanTheCalculatorSlots) {
    // The calculator cuts these; they are kept whole here because the table is also shown in
    // wider places.
    const LanguageTable table = loadBuiltIn();
    EXPECT_GT(table.text(kRowNozzleMaxTime, kRussian).size(), 25);
    EXPECT_GT(table.text(kRowNozzleSequential, kRussian).size(), 23);
    EXPECT_GT(table.text(kRowNozzleSemiSequential, kRussian).size(), 28);
    EXPECT_GT(table.text(kRowNozzleFullGroup, kRussian).size(), 20);
    EXPECT_GT(table.text(kRowNozzleResult, kRussian).size(), 9);
    EXPECT_EQ(table.text(kRowNozzleRecast, kEnglish), "Recast");
}

TEST(LanguageTableAccess, OutOfRangeCellsAreEmpty) {
    const LanguageTable table = loadBuiltIn();
    EXPECT_TRUE(table.text(-1, 0).isEmpty());
    EXPECT_TRUE(table.text(171, 0).isEmpty());
    EXPECT_TRUE(table.text(0, 10).isEmpty());
    EXPECT_TRUE(table.text(0, -1).isEmpty());
    EXPECT_TRUE(LanguageTable().text(kRowStartEngine, kEnglish).isEmpty());
}

TEST(LanguageSwitch, CopiesExactlyTheListedRows) {
    const std::vector<int> listed = [] {
        std::vector<int> rows;
        const auto add = [&](int first, int last) {
            for (int r = first; r <= last; ++r) {
                rows.push_back(r);
            }
        };
        add(0, 23);
        add(42, 45);
        add(47, 52);
        add(128, 132);
        add(135, 135);
        add(149, 149);
        add(151, 152);
        add(154, 154);
        add(156, 156);
        add(158, 170);
        return rows;
    }();
    const auto span = LanguageTable::copiedRows();
    EXPECT_EQ(std::vector<int>(span.begin(), span.end()), listed);

    LanguageTable table = loadBuiltIn();
    const std::vector<QString> before = column(table, 0);
    ASSERT_TRUE(table.switchTo("Italy"));
    int keptButDifferent = 0;
    for (int row = 0; row < table.rowCount(); ++row) {
        const bool copied = std::find(listed.begin(), listed.end(), row) != listed.end();
        EXPECT_EQ(table.current(row), copied ? table.text(row, kItalian) : before[row]) << row;
        keptButDifferent += !copied && before[row] != table.text(row, kItalian);
    }
    // The check above means something only if uncopied rows differ from Italian.
    EXPECT_GT(keptButDifferent, 50);
    EXPECT_EQ(table.current(kRowSupplyVoltageError), " - Tensione alimentazione troppo bassa");
}

TEST(LanguageSwitch, FollowsTheLastChoice) {
    LanguageTable table = loadBuiltIn();
    ASSERT_TRUE(table.switchTo("Russian"));
    EXPECT_EQ(table.current(kRowStartEngine), "Запустить двигатель");
    ASSERT_TRUE(table.switchTo("NiemieckiDE"));
    EXPECT_EQ(table.current(kRowStartEngine), "Motor starten");
    EXPECT_EQ(table.current(kRowCylinders5), "5 Zyl.");
    ASSERT_TRUE(table.switchTo("PolskiPL"));
    EXPECT_EQ(table.current(kRowDeflection), "Korekta =");
}

TEST(LanguageSwitch, NameThatIsNoLanguageChangesNothing) {
    LanguageTable table = loadBuiltIn();
    ASSERT_TRUE(table.switchTo("AngielskiGB"));
    const std::vector<QString> before = column(table, 0);
    for (const char* name : {"", "Klingon", "italy", "GItaly", "English", " Italy"}) {
        EXPECT_FALSE(table.switchTo(name)) << name;
        EXPECT_EQ(column(table, 0), before) << name;
    }
    EXPECT_FALSE(table.switchToColumn(0));
    EXPECT_FALSE(table.switchToColumn(10));
    EXPECT_EQ(column(table, 0), before);
}

TEST(Languages, MenuNamesCaptionsFlagButtonsAndColumnsCorrespond) {
    const QStringList names{"NiemieckiDE", "AngielskiGB", "PolskiPL", "Russian", "Ceski",
                            "Turkish",     "Thai",        "Greek",    "Italy"};
    const QStringList captions{"Deutsch", "English", "Polski", "Russian", "Ceski",
                               "Turkish", "Thai",    "Greek",  "Italy"};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(columnOfLanguage(names[i]), i + 1);
        ASSERT_NE(languageOfColumn(i + 1), nullptr);
        EXPECT_EQ(QLatin1String(languageOfColumn(i + 1)->caption), captions[i]);
        EXPECT_EQ(flagButtonName(names[i]), "G" + names[i]);
        EXPECT_EQ(languageOfFlagButton("G" + names[i]), names[i]);
    }
    EXPECT_EQ(columnOfLanguage("Deutsch"), -1);
    EXPECT_TRUE(flagButtonName("Klingon").isEmpty());
    EXPECT_TRUE(languageOfFlagButton("Russian").isEmpty());
    EXPECT_TRUE(languageOfFlagButton("GKlingon").isEmpty());
    EXPECT_EQ(columnOfLanguage(kDefaultLanguage), kPolish);
}

// A malformed table must be reported with its place, never crash or load half.
class MalformedTable : public ::testing::Test {
  protected:
    static std::string errorFor(const QByteArray& table, const QByteArray& installation) {
        QString error;
        const auto parsed = LanguageTable::parse(table, installation, &error);
        EXPECT_FALSE(parsed.has_value());
        EXPECT_FALSE(error.isEmpty());
        return error.toStdString();
    }
    static QByteArray withLine(QByteArray data, const QByteArray& start,
                               const QByteArray& replacement) {
        const qsizetype at = data.indexOf("\n" + start) + 1;
        EXPECT_GT(at, 0) << start.constData();
        const qsizetype end = data.indexOf('\n', at);
        return data.replace(at, end - at, replacement);
    }
    static QByteArray line(const QByteArray& data, const QByteArray& start) {
        const qsizetype at = data.indexOf("\n" + start) + 1;
        return data.mid(at, data.indexOf('\n', at) - at);
    }
};

TEST_F(MalformedTable, WellFormedDataParsesInAnyLineEnding) {
    QString error;
    const auto plain = LanguageTable::parse(tableData(), installationData(), &error);
    ASSERT_TRUE(plain.has_value()) << error.toStdString();
    QByteArray crlf = tableData();
    crlf.replace("\n", "\r\n");
    const auto windows = LanguageTable::parse("\xEF\xBB\xBF" + crlf, installationData(), &error);
    ASSERT_TRUE(windows.has_value()) << error.toStdString();
    for (int row = 0; row < 171; ++row) {
        for (int c = 0; c < 10; ++c) {
            ASSERT_EQ(windows->text(row, c), plain->text(row, c)) << row << "/" << c;
        }
    }
}

TEST_F(MalformedTable, IsReportedWithFileAndLine) {
    const QByteArray table = tableData();
    const QByteArray install = installationData();
    const QByteArray row12 = line(table, "12\t");

    EXPECT_NE(errorFor(withLine(table, "12\t", row12 + "\textra"), install)
                  .find("language_table.tsv, line"),
              std::string::npos);
    EXPECT_NE(errorFor(withLine(table, "12\t", row12.left(row12.lastIndexOf('\t'))), install)
                  .find("found 10"),
              std::string::npos);
    EXPECT_NE(errorFor(withLine(table, "12\t", "x" + row12), install).find("no row number"),
              std::string::npos);
    EXPECT_NE(
        errorFor(withLine(table, "12\t", "171" + row12.mid(2)), install).find("no row number"),
        std::string::npos);
    EXPECT_NE(errorFor(withLine(table, "12\t", "11" + row12.mid(2)), install).find("already given"),
              std::string::npos);
    EXPECT_NE(errorFor(withLine(table, "12\t", "# gone"), install).find("row 12 is missing"),
              std::string::npos);
    EXPECT_NE(errorFor(withLine(table, "12\t", row12 + "\\q"), install).find("unknown escape"),
              std::string::npos);
    EXPECT_NE(errorFor(withLine(table, "12\t", row12 + "\\"), install).find("backslash"),
              std::string::npos);
    EXPECT_NE(errorFor(withLine(table, "12\t", row12 + "\xFF"), install).find("UTF-8"),
              std::string::npos);
    EXPECT_NE(errorFor(withLine(table, "row\t", "row\tde\ten"), install).find("header"),
              std::string::npos);
    EXPECT_NE(
        errorFor(withLine(table, "12\t", "151" + row12.mid(2)), install).find("installation data"),
        std::string::npos);
    EXPECT_NE(errorFor(QByteArray(), install).find("no header"), std::string::npos);
}

TEST_F(MalformedTable, InstallationDataIsCheckedToo) {
    const QByteArray table = tableData();
    const QByteArray install = installationData();
    EXPECT_NE(errorFor(table, withLine(install, "153\t", "# gone")).find("row 153 is missing"),
              std::string::npos);
    EXPECT_NE(errorFor(table, withLine(install, "153\t", "150\thttp://x")).find("151 to 156"),
              std::string::npos);
    EXPECT_NE(errorFor(table, withLine(install, "153\t", "152\tmailto:x")).find("already given"),
              std::string::npos);
    EXPECT_NE(errorFor(table, withLine(install, "153\t", "153 mailto:x")).find("a tab"),
              std::string::npos);
}

TEST_F(MalformedTable, BlankCellsAndEscapesRoundTrip) {
    QByteArray table = tableData();
    QByteArray row24 = line(table, "24\t");
    row24.replace("Batery\\s\\s", "a\\tb\\\\c\\nd");
    QString error;
    const auto parsed =
        LanguageTable::parse(withLine(table, "24\t", row24), installationData(), &error);
    ASSERT_TRUE(parsed.has_value()) << error.toStdString();
    EXPECT_EQ(parsed->text(24, kEnglish), "a\tb\\c\nd");
}

TEST(CaptionTable, NamesEveryControlOnceWithARealRow) {
    std::set<std::tuple<CaptionWindow, std::string_view, std::string_view>> seen;
    for (const CaptionEntry& entry : captionTable()) {
        EXPECT_TRUE(seen.insert({entry.window, entry.objectName, entry.property}).second)
            << entry.objectName;
        EXPECT_GE(entry.row, 24) << entry.objectName;
        EXPECT_LE(entry.row, kRowNozzleSelect) << entry.objectName;
        EXPECT_EQ(std::count(LanguageTable::copiedRows().begin(), LanguageTable::copiedRows().end(),
                             entry.row) > 0,
                  entry.row == kRowUnitKm || entry.row == kRowLoad ||
                      (entry.row >= kRowFirstInstallation && entry.row <= kRowLastInstallation))
            << entry.objectName;
    }
}

TEST(CaptionTable, ComposedCaptionsPutTheTextBetweenTheirFixedParts) {
    const auto find = [](std::string_view name) {
        for (const CaptionEntry& entry : captionTable()) {
            if (entry.objectName == name) {
                return entry;
            }
        }
        ADD_FAILURE() << name;
        return CaptionEntry{};
    };
    EXPECT_EQ(composeCaption(find("RPM_Obciazenie"), "Last"), "PRM / Last [%]");
    EXPECT_EQ(composeCaption(find("gaz_na_benzyna"), "Gas"), "% Gas");
    EXPECT_EQ(composeCaption(find("Temp_LPG_changer_label"), "Temperatur"), "°C\nTemperatur");
    EXPECT_EQ(composeCaption(find("T_zwloki_changer_Label"), "x"), "ms\nx");
    EXPECT_EQ(composeCaption(find("T_przel_to_LPG_label"), "x"), "s\nx");
    EXPECT_EQ(composeCaption(find("T_CYL_seqence_label"), "x"), "ms\nx");
    EXPECT_EQ(composeCaption(find("GroupBox4"), "Lambdasonde"), "Lambdasonde");
}

TEST(LastConnectionStatus, KeepsWhatFollowsTheLabel) {
    const QString english = " The last connection with PC: ";
    EXPECT_EQ(relabelLastConnection(" Ostatnie połączenie z PC : 05.03.2024 10:11:12", english),
              english + "05.03.2024 10:11:12");
    // Before any connection there is no date to keep.
    EXPECT_EQ(relabelLastConnection(" Ostatnie połączenie z PC : ", english), english);
    EXPECT_EQ(relabelLastConnection("", english), english);
    EXPECT_EQ(relabelLastConnection("no label", english), english);
    // A long locale date and time survives whole.
    const QString longDate = "Tuesday, 5 March 2024 10:11:12 Central European Standard Time";
    EXPECT_EQ(relabelLastConnection(" Letzte Verbindung mit PC: " + longDate, english),
              english + longDate);
}
