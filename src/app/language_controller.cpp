#include "app/language_controller.h"

#include <QActionGroup>
#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QUrl>

#include "app/main_window.h"
#include "editor/editor_window.h"
#include "i18n/flag_icon.h"
#include "i18n/languages.h"
#include "i18n/rows.h"

namespace omvi::app {
namespace {

struct LinkLabel {
    const char* name;
    int addressRow;  // what a click opens
};

constexpr LinkLabel kLinkLabels[] = {
    {"OMVI_Linl_label", i18n::kRowMakerWeb},
    {"OMVI_Linl_new_label", i18n::kRowSecondWeb},
    {"Label23", i18n::kRowMakerMailLink},
    {"Label45", i18n::kRowPartnerMailLink},
};

void setTextColor(QLabel* label, const QColor& color) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
}

}  // namespace

LanguageController::LanguageController(MainWindow& window)
    : QObject(&window), w_(window), applier_(window.languageTable()) {
    group_ = new QActionGroup(this);
    group_->setExclusive(true);
    QMenu* menu = w_.languageMenu();
    for (const i18n::Language& language : i18n::kLanguages) {
        QAction* item = menu->addAction(i18n::flagIcon(QLatin1String(language.name)),
                                        QLatin1String(language.caption));
        item->setObjectName(QLatin1String(language.name));
        item->setCheckable(true);
        item->setChecked(QLatin1String(language.name) == QLatin1String(i18n::kDefaultLanguage));
        group_->addAction(item);
        connect(item, &QAction::triggered, this, [this, item] { Check_jazyk(item); });
        const QString flag = i18n::flagButtonName(QLatin1String(language.name));
        if (auto* button = w_.findChild<QToolButton*>(flag)) {
            connect(button, &QToolButton::clicked, this, [this, flag] { LangClick(flag); });
        }
    }
    for (const LinkLabel& link : kLinkLabels) {
        if (auto* label = w_.findChild<QLabel*>(QLatin1String(link.name))) {
            label->installEventFilter(this);
        }
    }
    if (QWidget* info = w_.findChild<QWidget*>(QStringLiteral("TabSheet12"))) {
        info->setMouseTracking(true);
        info->installEventFilter(this);
    }
}

QAction* LanguageController::itemFor(const QString& languageName) const {
    for (QAction* item : group_->actions()) {
        if (item->objectName() == languageName) {
            return item;
        }
    }
    return nullptr;
}

void LanguageController::restore() {
    if (QAction* item = itemFor(w_.currentLanguage())) {
        item->trigger();
    }
}

void LanguageController::Check_jazyk(QAction* item) {
    const i18n::Language* language = i18n::findLanguage(item->objectName());
    if (language == nullptr) {
        return;
    }
    item->setChecked(true);
    w_.setCurrentLanguage(item->objectName());
    w_.store().saveLanguage(item->objectName());
    w_.languageTable().switchTo(item->objectName());
    applier_.apply(language->column, &w_, w_.editorWindow());
}

void LanguageController::LangClick(const QString& buttonName) {
    if (QAction* item = itemFor(i18n::languageOfFlagButton(buttonName))) {
        item->trigger();
    }
}

void LanguageController::openLink(QLabel* label) {
    for (const LinkLabel& link : kLinkLabels) {
        if (label->objectName() == QLatin1String(link.name)) {
            QDesktopServices::openUrl(QUrl(w_.languageText(link.addressRow)));
        }
    }
}

bool LanguageController::eventFilter(QObject* watched, QEvent* event) {
    auto* label = qobject_cast<QLabel*>(watched);
    if (label != nullptr && event->type() == QEvent::MouseMove) {
        setTextColor(label, QColor(0, 0, 255));
    } else if (label != nullptr && event->type() == QEvent::MouseButtonRelease) {
        openLink(label);
    } else if (label == nullptr && event->type() == QEvent::MouseMove) {
        // Back over the page: every link label returns to the ordinary text colour.
        for (const LinkLabel& link : kLinkLabels) {
            if (auto* l = w_.findChild<QLabel*>(QLatin1String(link.name))) {
                setTextColor(l, w_.palette().color(QPalette::WindowText));
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace omvi::app
