#pragma once
// The nine languages: the Language menu item names (also the stored language name), their menu
// captions, their flag buttons and their columns in the language table.

#include <QString>
#include <array>

namespace omvi::i18n {

struct Language {
    int column;            // column of the language table
    const char* name;      // objectName of the menu item and the stored language name
    const char* caption;   // menu item text
    const char* flagFile;  // base name of the flag image
};

inline constexpr std::array<Language, 9> kLanguages{{
    {1, "NiemieckiDE", "Deutsch", "de"},
    {2, "AngielskiGB", "English", "gb"},
    {3, "PolskiPL", "Polski", "pl"},
    {4, "Russian", "Russian", "ru"},
    {5, "Ceski", "Ceski", "cz"},
    {6, "Turkish", "Turkish", "tr"},
    {7, "Thai", "Thai", "th"},
    {8, "Greek", "Greek", "gr"},
    {9, "Italy", "Italy", "it"},
}};

// Used when no language has been stored yet.
inline constexpr const char* kDefaultLanguage = "PolskiPL";
// Where the language name is stored: group and key of the settings store.
inline constexpr const char* kLanguageSettingsGroup = "Lang";
inline constexpr const char* kLanguageSettingsKey = "CurLang";

// The language of a menu item name, or nullptr when the name is no language. Exact match: a
// stored name from another version that matches nothing must not pick a language.
const Language* findLanguage(const QString& name);
const Language* languageOfColumn(int column);
// -1 when the name is no language.
int columnOfLanguage(const QString& name);
// "G" + name; empty when the name is no language.
QString flagButtonName(const QString& languageName);
// The language a flag button stands for ("GRussian" -> "Russian"); empty when none.
QString languageOfFlagButton(const QString& buttonName);

}  // namespace omvi::i18n
