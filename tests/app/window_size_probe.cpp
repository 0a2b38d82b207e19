// Prints the minimum size hints of the main window's parts (a development aid).
#include <QApplication>
#include <QGroupBox>
#include <QTemporaryDir>
#include <cstdio>

#include "app/dashboard_panel.h"
#include "app/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    omvi::app::SettingsStore store(dir.filePath("s.ini"));
    omvi::app::MainWindow w(store, {});
    w.show();
    app.processEvents();
    auto print = [](const char* what, QSize s) {
        std::printf("%-28s %4d x %4d\n", what, s.width(), s.height());
    };
    print("window", w.size());
    print("window min", w.minimumSizeHint());
    print("dashboard min", w.dashboard()->minimumSizeHint());
    print("tabs min", w.tabs()->minimumSizeHint());
    for (QWidget* c :
         w.dashboard()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        std::printf(
            "  %-26s %4d x %4d  (now %d)\n",
            qPrintable(c->objectName().isEmpty() ? c->metaObject()->className() : c->objectName()),
            c->minimumSizeHint().width(), c->minimumSizeHint().height(), c->width());
        for (QWidget* g : c->findChildren<QGroupBox*>(QString(), Qt::FindDirectChildrenOnly)) {
            std::printf("      %-22s %4d x %4d\n", qPrintable(g->objectName()),
                        g->minimumSizeHint().width(), g->minimumSizeHint().height());
        }
    }
    for (int i = 0; i < w.tabs()->count(); ++i) {
        QWidget* p = w.tabs()->widget(i);
        std::printf("  page %-21s %4d x %4d\n", qPrintable(p->objectName()),
                    p->minimumSizeHint().width(), p->minimumSizeHint().height());
    }
    for (const char* n : {"Kor_1", "Bank_1_ComBox", "Ch_U_LPG_1", "Rodz_czuj_LPG", "Polacz_switch",
                          "paliwo_Switch", "Slala_P_MAP", "P_MAP_edit", "RPM_zegar"}) {
        QWidget* x = w.findChild<QWidget*>(QLatin1String(n));
        std::printf("  %-26s %4d x %4d  hint %4d\n", n, x->minimumSizeHint().width(),
                    x->minimumSizeHint().height(), x->sizeHint().width());
    }
    return 0;
}
