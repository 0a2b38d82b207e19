#include "i18n/languages.h"

namespace omvi::i18n {

const Language* findLanguage(const QString& name) {
    for (const Language& language : kLanguages) {
        if (name == QLatin1String(language.name)) {
            return &language;
        }
    }
    return nullptr;
}

const Language* languageOfColumn(int column) {
    for (const Language& language : kLanguages) {
        if (language.column == column) {
            return &language;
        }
    }
    return nullptr;
}

int columnOfLanguage(const QString& name) {
    const Language* language = findLanguage(name);
    return language ? language->column : -1;
}

QString flagButtonName(const QString& languageName) {
    return findLanguage(languageName) ? QStringLiteral("G") + languageName : QString();
}

QString languageOfFlagButton(const QString& buttonName) {
    if (!buttonName.startsWith(QLatin1Char('G'))) {
        return {};
    }
    const QString name = buttonName.mid(1);
    return findLanguage(name) ? name : QString();
}

}  // namespace omvi::i18n
