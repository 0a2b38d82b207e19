#include "app/pages.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/dashboard_panel.h"
#include "i18n/flag_icon.h"
#include "i18n/languages.h"
#include "ui/vertical_bar.h"

namespace omvi::app {
namespace {

QWidget* makePage(QWidget* parent, const char* name) {
    auto* page = new QWidget(parent);
    page->setObjectName(QLatin1String(name));
    return page;
}

QPlainTextEdit* makeMemo(QWidget* parent, const char* name, const QColor& color) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QLatin1String(name));
    memo->setReadOnly(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font = memo->font();
    font.setBold(true);
    memo->setFont(font);
    QPalette p = memo->palette();
    p.setColor(QPalette::Text, color);
    memo->setPalette(p);
    return memo;
}

QTreeWidget* makeList(QWidget* parent, const char* name) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("Kod"), QStringLiteral("Opis")});
    list->header()->resizeSection(0, 70);
    return list;
}

}  // namespace

QWidget* buildAdaptationPage(QWidget* parent) {
    QWidget* page = makePage(parent, "TabSheet3");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(makeLabel(page, "Label28", QStringLiteral("START – początek kalibracji")));
    auto* buttons = new QHBoxLayout;
    auto* start = new QPushButton(QStringLiteral("START"), page);
    start->setObjectName(QStringLiteral("Button_start"));
    auto* stop = new QPushButton(QStringLiteral("STOP"), page);
    stop->setObjectName(QStringLiteral("Button_stop"));
    buttons->addWidget(start);
    buttons->addWidget(stop);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->addWidget(makeLabel(page, "Adaptacja_info", QStringLiteral(" ")));
    layout->addStretch(1);
    return page;
}

QWidget* buildErrorPage(QWidget* parent) {
    QWidget* page = makePage(parent, "TabSheet5");
    auto* columns = new QHBoxLayout(page);

    auto* omvi = new QVBoxLayout;
    auto* title = makeLabel(page, "Label13", QStringLiteral("OMVI"));
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    title->setFont(big);
    omvi->addWidget(title);
    omvi->addWidget(makeLabel(page, "Label19", QStringLiteral("Błędy aktualne")));
    omvi->addWidget(makeMemo(page, "Actual_errors_Memo", QColor(200, 0, 0)), 1);
    auto* reset = new QPushButton(QStringLiteral("Reset"), page);
    reset->setObjectName(QStringLiteral("Err_Button1"));
    QPalette p = reset->palette();
    p.setColor(QPalette::ButtonText, QColor(200, 0, 0));
    reset->setPalette(p);
    omvi->addWidget(reset, 0, Qt::AlignLeft);
    omvi->addWidget(makeLabel(page, "Label18", QStringLiteral("Błędy zapamiętane")));
    omvi->addWidget(makeMemo(page, "Register_errors_memo", QColor(255, 0, 255)), 1);
    columns->addLayout(omvi, 1);

    auto* obd = new QVBoxLayout;
    auto* obdTitle = makeLabel(page, "Label15", QStringLiteral("OBD"));
    obdTitle->setFont(big);
    obd->addWidget(obdTitle);
    obd->addWidget(makeLabel(page, "blady_oczek_label", QStringLiteral("błędy oczekujące")));
    obd->addWidget(makeList(page, "ListView1"), 1);
    obd->addWidget(makeLabel(page, "Label18_OBD", QStringLiteral("Błędy zapamiętane")));
    obd->addWidget(makeList(page, "ListView2"), 1);
    auto* obdButtons = new QHBoxLayout;
    auto* obdReset = new QPushButton(QStringLiteral("Reset"), page);
    obdReset->setObjectName(QStringLiteral("Button2X"));
    auto* refresh = new QPushButton(QStringLiteral("Odśwież"), page);
    refresh->setObjectName(QStringLiteral("OBD_ref_Button"));
    obdButtons->addWidget(obdReset);
    obdButtons->addWidget(refresh);
    obdButtons->addStretch(1);
    obd->addLayout(obdButtons);
    columns->addLayout(obd, 1);
    return page;
}

QWidget* buildServicePage(QWidget* parent) {
    QWidget* page = makePage(parent, "TabSheet10");
    auto* layout = new QGridLayout(page);
    const struct {
        const char* name;
        const char* title;
    } boxes[] = {{"Praca_na_gazie_Box", "Praca na gazie"},
                 {"Praca_na_benzynie_Box", "Praca na benzynie"},
                 {"Do_przegladu_Box", "Do przeglądu"},
                 {"Korekcja_box", "Korekcja [h/km]"}};
    int i = 0;
    for (const auto& box : boxes) {
        auto* group = new QGroupBox(QString::fromUtf8(box.title), page);
        group->setObjectName(QLatin1String(box.name));
        new QVBoxLayout(group);
        layout->addWidget(group, i / 2, i % 2);
        ++i;
    }
    return page;
}

QWidget* buildHelpPage(QWidget* parent) {
    QWidget* page = makePage(parent, "TabSheet11");
    auto* layout = new QVBoxLayout(page);
    auto* memo = new QPlainTextEdit(page);
    memo->setObjectName(QStringLiteral("Help_Memo"));
    memo->setReadOnly(true);
    layout->addWidget(memo);
    return page;
}

QWidget* buildObdPage(QWidget* parent) {
    return makePage(parent, "TabSheet2");
}

QWidget* buildInfoPage(QWidget* parent) {
    QWidget* page = makePage(parent, "TabSheet12");
    auto* layout = new QVBoxLayout(page);
    auto* title = makeLabel(page, "Label_OMVI_title", QStringLiteral("OMVI ver. 5.01a"));
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    title->setFont(big);
    layout->addWidget(title);

    // The maker's addresses; the language switch fills them in and they open on a click.
    auto* links = new QGridLayout;
    const char* names[] = {"OMVI_Linl_label", "OMVI_Linl_new_label", "Label23", "Label45"};
    int row = 0;
    for (const char* name : names) {
        QLabel* label = makeLabel(page, name, QString());
        label->setCursor(Qt::PointingHandCursor);
        label->setMouseTracking(true);
        links->addWidget(label, row++, 0);
    }
    page->findChild<QLabel*>(QStringLiteral("Label23"))->setVisible(false);
    layout->addLayout(links);

    auto* flags = new QHBoxLayout;
    flags->setObjectName(QStringLiteral("FlagButtons"));
    flags->setSpacing(6);
    for (const i18n::Language& language : i18n::kLanguages) {
        auto* button = new QToolButton(page);
        button->setObjectName(i18n::flagButtonName(QLatin1String(language.name)));
        button->setIcon(i18n::flagIcon(QLatin1String(language.name)));
        button->setIconSize(QSize(36, 24));
        button->setToolTip(QLatin1String(language.caption));
        button->setAutoRaise(true);
        flags->addWidget(button);
    }
    flags->addStretch(1);
    layout->addLayout(flags);

    // The petrol time of the selected cylinder and the gas time of cylinder 1, read by the
    // oscilloscope; not shown.
    auto* petrol = new ui::VerticalBar(page);
    petrol->setObjectName(QStringLiteral("Skala_PB_time"));
    petrol->setRange(0, 30);
    petrol->setSignalName2(QStringLiteral("Cyl 1"));
    petrol->setVisible(false);
    auto* gas = new ui::VerticalBar(page);
    gas->setObjectName(QStringLiteral("Skala_LPG_time"));
    gas->setRange(0, 50);
    gas->setVisible(false);
    layout->addStretch(1);
    return page;
}

}  // namespace omvi::app
