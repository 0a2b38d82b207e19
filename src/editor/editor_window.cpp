#include "editor/editor_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/led.h"
#include "ui/toggle_switch.h"

namespace omvi::editor {
namespace {

QWidget* makePage(QTabWidget* tabs, const char* name, const QString& caption) {
    auto* page = new QWidget(tabs);
    page->setObjectName(QLatin1String(name));
    tabs->addTab(page, caption);
    return page;
}

}  // namespace

EditorWindow::EditorWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Wykresy"));
    auto* layout = new QVBoxLayout(this);

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("Wykresy_PageControl"));
    makePage(pages_, "Mapa_TabSheet", QStringLiteral("Mapa"));
    makePage(pages_, "Kor_rpm_Sheet", QStringLiteral("Korekta obrotów"));
    makePage(pages_, "kor_temp_Sheet", QStringLiteral("Korekta temp."));
    QWidget* scope = makePage(pages_, "Oscyloskop_TabSheet", QStringLiteral("Oscyloskop"));
    auto* choices = new QVBoxLayout(scope);
    oscilloscopeChoices_ = new QButtonGroup(this);
    const char* names[] = {"OSC_PETROL_LPG", "OSC_MAP_P1",  "TEMP_LPG_RED",
                           "RPM_LAMBDA1",    "RPM_LAMBDA2", "RPM_Obciazenie"};
    const char* captions[] = {"Wtrysk PB / LPG [ms]", "MAP / P1",       "Temp gaz / red [°C]",
                              "RPM / Lambda 1",       "RPM / Lambda 2", "PRM / Obciążenie [%]"};
    for (std::size_t i = 0; i < std::size(names); ++i) {
        auto* choice = new QRadioButton(QString::fromUtf8(captions[i]), scope);
        choice->setObjectName(QLatin1String(names[i]));
        choice->setChecked(i == 0);
        oscilloscopeChoices_->addButton(choice);
        choices->addWidget(choice);
    }
    choices->addStretch(1);
    layout->addWidget(pages_, 1);

    auto* fuel = new QGroupBox(QStringLiteral("Przełącznik"), this);
    fuel->setObjectName(QStringLiteral("Zaplon_panel"));
    auto* fuelLayout = new QHBoxLayout(fuel);
    paliwo_Switch_ = new ui::ToggleSwitch(fuel);
    paliwo_Switch_->setObjectName(QStringLiteral("paliwo_Switch"));
    paliwo_Switch_->setClickToggles(false);
    paliwo_Switch_->setOffText(QStringLiteral("PB"));
    paliwo_Switch_->setOnText(QStringLiteral("LPG"));
    fuelLayout->addWidget(paliwo_Switch_);
    rezerwa_led_gora_ = new ui::Led(fuel);
    rezerwa_led_gora_->setObjectName(QStringLiteral("rezerwa_led_gora"));
    rezerwa_led_gora_->setCaption(QStringLiteral("R"));
    rezerwa_led_gora_->setOnColor(QColor(255, 60, 30));
    fuelLayout->addWidget(rezerwa_led_gora_);
    for (std::size_t n = 0; n < levelLeds_.size(); ++n) {
        auto* led = new ui::Led(fuel);
        led->setObjectName(QStringLiteral("Gaz_led_%1g").arg(n + 1));
        led->setOnColor(QColor(0x30, 0xC0, 0x50));
        levelLeds_[n] = led;
        fuelLayout->addWidget(led);
    }
    fuelLayout->addStretch(1);
    layout->addWidget(fuel);
    connect(paliwo_Switch_, &ui::ToggleSwitch::clicked, this, &EditorWindow::fuelSwitchClicked);
    resize(900, 650);
}

void EditorWindow::Close_Form2() {
    if (isVisible()) {
        close();
    }
}

void EditorWindow::uncheckLambdaChoices() {
    // An exclusive group cannot show nothing checked: the choice falls back to the first pair.
    for (QAbstractButton* choice : oscilloscopeChoices_->buttons()) {
        if (choice->objectName().startsWith(QLatin1String("RPM_LAMBDA")) && choice->isChecked()) {
            oscilloscopeChoices_->buttons().first()->setChecked(true);
        }
    }
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

}  // namespace omvi::editor
