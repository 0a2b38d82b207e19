#include "i18n/language_applier.h"

#include <QAbstractAxis>
#include <QAbstractSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QWidget>
#include <array>
#include <span>

#include "i18n/caption_table.h"
#include "i18n/language_table.h"
#include "i18n/rows.h"

namespace omvi::i18n {

namespace {

bool isInside(const QObject* object, const QObject* ancestor) {
    for (const QObject* o = object; o; o = o->parent()) {
        if (o == ancestor) {
            return true;
        }
    }
    return false;
}

// Every object called `name` in `root`, leaving out those inside `other` (the other window, in
// case one window is a child of the other). Charts and their series are not QObject children of
// their views, so they are looked up through the views.
QList<QObject*> namedObjects(QWidget* root, const QString& name, const QWidget* other) {
    QList<QObject*> found;
    if (!root) {
        return found;
    }
    const auto add = [&](QObject* object) {
        if ((!other || !isInside(object, other)) && !found.contains(object)) {
            found.append(object);
        }
    };
    for (QObject* object : root->findChildren<QObject*>(name)) {
        add(object);
    }
    for (QChartView* view : root->findChildren<QChartView*>()) {
        QChart* chart = view->chart();
        if (!chart || (other && isInside(view, other))) {
            continue;
        }
        if (chart->objectName() == name) {
            add(chart);
        }
        for (QAbstractSeries* series : chart->series()) {
            if (series->objectName() == name) {
                add(series);
            }
        }
    }
    return found;
}

QComboBox* namedComboBox(QWidget* root, const QString& name, const QWidget* other) {
    for (QObject* object : namedObjects(root, name, other)) {
        if (auto* box = qobject_cast<QComboBox*>(object)) {
            return box;
        }
    }
    return nullptr;
}

bool hasProperty(const QObject* object, const char* name) {
    return object->metaObject()->indexOfProperty(name) >= 0 ||
           object->dynamicPropertyNames().contains(name);
}

void setTabText(QObject* page, const QString& text) {
    auto* widget = qobject_cast<QWidget*>(page);
    if (!widget) {
        return;
    }
    for (QWidget* w = widget->parentWidget(); w; w = w->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            const int index = tabs->indexOf(widget);
            if (index >= 0) {
                tabs->setTabText(index, text);
                return;
            }
        }
    }
}

void setAxisTitle(QObject* object, Qt::Orientation orientation, Qt::Alignment side,
                  const QString& text) {
    QChart* chart = qobject_cast<QChart*>(object);
    if (auto* view = qobject_cast<QChartView*>(object)) {
        chart = view->chart();
    }
    if (!chart) {
        return;
    }
    const QList<QAbstractAxis*> axes = chart->axes(orientation);
    for (QAbstractAxis* axis : axes) {
        if (axis->alignment() & side) {
            axis->setTitleText(text);
            return;
        }
    }
    if (!axes.isEmpty()) {
        axes.first()->setTitleText(text);
    }
}

void setCaption(QObject* object, const QByteArray& property, const QString& text) {
    // Instruments and custom views may expose any of these as a property of their own.
    if (hasProperty(object, property.constData())) {
        object->setProperty(property.constData(), text);
        return;
    }
    if (property == "tabText") {
        setTabText(object, text);
    } else if (property == "leftAxisTitle") {
        setAxisTitle(object, Qt::Vertical, Qt::AlignLeft, text);
    } else if (property == "bottomAxisTitle") {
        setAxisTitle(object, Qt::Horizontal, Qt::AlignBottom, text);
    } else if (property == "seriesName") {
        if (auto* series = qobject_cast<QAbstractSeries*>(object)) {
            series->setName(text);
        }
    } else if ((property == "title" || property == "plainText") && hasProperty(object, "text")) {
        // A caption is a title on a group box and a text on a label or a panel-like button.
        object->setProperty("text", text);
    } else if (property == "text" && hasProperty(object, "title")) {
        object->setProperty("title", text);
    }
}

QString forWidgets(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Replaces the items of `box` from `first` on with the rows' texts, where such items exist.
void replaceItems(QComboBox* box, int first, std::span<const int> rows, const LanguageTable& table,
                  int column) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int index = first + static_cast<int>(i);
        if (index < box->count()) {
            box->setItemText(index, table.text(rows[i], column));
        }
    }
}

}  // namespace

bool LanguageApplier::apply(int column, QWidget* mainWindow, QWidget* chartWindow) const {
    if (column < 0 || column >= table_.columnCount()) {
        return false;
    }
    for (const CaptionEntry& entry : captionTable()) {
        const bool main = entry.window == CaptionWindow::Main;
        QWidget* root = main ? mainWindow : chartWindow;
        const QWidget* other = main ? chartWindow : mainWindow;
        const QString name = QString::fromLatin1(entry.objectName.data(),
                                                 static_cast<qsizetype>(entry.objectName.size()));
        const QByteArray property(entry.property.data(),
                                  static_cast<qsizetype>(entry.property.size()));
        const QString text = forWidgets(composeCaption(entry, table_.text(entry.row, column)));
        for (QObject* object : namedObjects(root, name, other)) {
            setCaption(object, property, text);
        }
    }
    refillSelectionLists(column, mainWindow, chartWindow);
    relabelStatusBar(column, mainWindow, chartWindow);
    return true;
}

void LanguageApplier::refillSelectionLists(int column, QWidget* mainWindow,
                                           const QWidget* chartWindow) const {
    static constexpr std::array kCylinderRows{kRowCylinders3, kRowCylinders4, kRowCylinders5,
                                              kRowCylinders6};
    static constexpr std::array kPulseRows{kRowSingleCoil,      kRowDoubleCoil,
                                           kRowPulse3Cylinders, kRowPulse4Cylinders,
                                           kRowPulse5Cylinders, kRowPulse6Cylinders};
    QComboBox* cylinders = namedComboBox(mainWindow, QStringLiteral("Sel_cyl"), chartWindow);
    QComboBox* pulses = namedComboBox(mainWindow, QStringLiteral("Sel_Impuls"), chartWindow);
    // The lists lose their 5- and 6-cylinder items together on a 4-cylinder controller.
    const bool longLists = !cylinders || cylinders->count() > 2;

    // Renaming items is no selection by the user: nothing may reach the controller.
    if (cylinders) {
        const QSignalBlocker blocker(cylinders);
        const int selected = cylinders->currentIndex();
        replaceItems(cylinders, 0, std::span(kCylinderRows).first(2), table_, column);
        if (cylinders->count() > 2) {
            replaceItems(cylinders, 2, std::span(kCylinderRows).subspan(2), table_, column);
        }
        cylinders->setCurrentIndex(selected);
    }
    if (pulses) {
        const QSignalBlocker blocker(pulses);
        const int selected = pulses->currentIndex();
        replaceItems(pulses, 0, std::span(kPulseRows).first(4), table_, column);
        if (longLists) {
            replaceItems(pulses, 4, std::span(kPulseRows).subspan(4), table_, column);
        }
        pulses->setCurrentIndex(selected);
    }
}

void LanguageApplier::relabelStatusBar(int column, QWidget* mainWindow,
                                       const QWidget* chartWindow) const {
    const QString label = table_.text(kRowLastConnection, column);
    for (QObject* panel :
         namedObjects(mainWindow, QStringLiteral("StatusBar1_panel1"), chartWindow)) {
        if (hasProperty(panel, "text")) {
            panel->setProperty("text",
                               relabelLastConnection(panel->property("text").toString(), label));
        }
    }
}

}  // namespace omvi::i18n
