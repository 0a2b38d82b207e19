#include "i18n/flag_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include "i18n/languages.h"

namespace omvi::i18n {

QIcon flagIcon(const QString& languageName) {
    const Language* language = findLanguage(languageName);
    if (!language) {
        return {};
    }
    // Rendered here rather than left to the SVG icon plugin, which may be missing.
    QSvgRenderer renderer(QStringLiteral(":/i18n/flags/%1.svg").arg(language->flagFile));
    if (!renderer.isValid()) {
        return {};
    }
    QIcon icon;
    for (const QSize size : {QSize(24, 16), QSize(48, 32)}) {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace omvi::i18n
