// The OMVI desktop program.

#include <QApplication>
#include <QScreen>

#include "app/main_window.h"
#include "app/settings_store.h"
#include "app/single_instance.h"
#include "link/port_list.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("OMVI"));
    QApplication::setOrganizationName(QStringLiteral("OMVI"));

    // A second start ends silently while the first runs.
    omvi::app::SingleInstance instance;
    if (!instance.acquired()) {
        return 0;
    }

    omvi::app::SettingsStore store;
    omvi::app::MainWindow window(store, omvi::link::presentPortNames());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        if (area.width() > 800) {
            window.move(area.center() - window.rect().center());
        }
    }
    window.show();
    return QApplication::exec();
}
