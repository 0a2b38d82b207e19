#pragma once
// The flag of a language, for the Info page's language buttons and the Language menu.

#include <QIcon>
#include <QString>

namespace omvi::i18n {

// A null icon when the name is no language.
QIcon flagIcon(const QString& languageName);

}  // namespace omvi::i18n
