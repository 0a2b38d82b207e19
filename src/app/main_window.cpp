#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/dashboard_panel.h"
#include "app/language_controller.h"
#include "app/live_view.h"
#include "app/pages.h"
#include "app/settings_binder.h"
#include "app/settings_page.h"
#include "app/status_panel.h"
#include "editor/editor_window.h"
#include "link/qt_io.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace omvi::app {
namespace {

void showTaskBar(bool show) {
#ifdef Q_OS_WIN
    if (HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr)) {
        ShowWindow(tray, show ? SW_RESTORE : SW_HIDE);
    }
#else
    (void)show;  // only Windows has a task bar window to hide
#endif
}

}  // namespace

MainWindow::MainWindow(SettingsStore& store, const QStringList& presentPorts, LinkIo io,
                       QWidget* parent)
    : QMainWindow(parent), store_(store), languages_(i18n::LanguageTable::builtIn()) {
    setObjectName(QStringLiteral("OMVI"));
    setWindowTitle(QStringLiteral(" ver. 5.01a"));
    resize(1020, 750);

    if (io.port == nullptr) {
        ownPort_ = std::make_unique<link::QtSerialPort>();
        io.port = ownPort_.get();
    }
    if (io.pollTimer == nullptr) {
        ownPollTimer_ = std::make_unique<link::QtTimer>();
        io.pollTimer = ownPollTimer_.get();
    }
    if (io.answerTimer == nullptr) {
        ownAnswerTimer_ = std::make_unique<link::QtTimer>();
        io.answerTimer = ownAnswerTimer_.get();
    }
    if (io.pause == nullptr) {
        ownPause_ = std::make_unique<link::QtPause>();
        io.pause = ownPause_.get();
    }
    port_ = io.port;
    link_ =
        std::make_unique<link::Link>(*io.port, *io.pollTimer, *io.answerTimer, *io.pause, *this);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    dashboard_ = new DashboardPanel(central);
    layout->addWidget(dashboard_, 11);
    tab_control_ = new QTabWidget(central);
    tab_control_->setObjectName(QStringLiteral("tab_control"));
    layout->addWidget(tab_control_, 9);
    setCentralWidget(central);

    buildPages();
    buildMenus(presentPorts);
    buildStatusBar();

    editor_ = new editor::EditorWindow(nullptr);
    liveView_ = std::make_unique<LiveView>(*this);
    settingsBinder_ = std::make_unique<SettingsBinder>(*this);

    connect(editor_, &editor::EditorWindow::closed, this, [this] { setEnabled(true); });

    connect(dashboard_->Polacz_switch, &ui::ToggleSwitch::toggled, this,
            [this](bool on) { link_->setToggle(on); });
    connect(dashboard_->Error_Led, &ui::ProgressStrip::clicked, this, [this] { Error_LedClick(); });

    blipTimer_.setSingleShot(true);
    blipTimer_.setInterval(60);
    connect(&blipTimer_, &QTimer::timeout, this, [this] { dashboard_->ProgressBar1->setValue(0); });

    // Small screens: no minimise button; the window keeps to the top left corner.
    if (smallScreen()) {
        setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    }

    restorePortSettings();
    current_language_ = store_.loadLanguage();
    languageController_ = std::make_unique<LanguageController>(*this);
    languageController_->restore();
}

MainWindow::~MainWindow() {
    delete editor_;
}

bool MainWindow::smallScreen() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr && screen->geometry().width() <= 800;
}

// ---------------------------------------------------------------------------------------------
// building

void MainWindow::buildPages() {
    settings_ = new SettingsPage(tab_control_);
    tab_control_->addTab(settings_, QStringLiteral("Panel Petrol"));
    tab_control_->addTab(buildAdaptationPage(tab_control_), QStringLiteral("Adaptacja"));
    tab_control_->addTab(buildErrorPage(tab_control_), QStringLiteral("Error"));
    tab_control_->addTab(buildServicePage(tab_control_), QStringLiteral("Serwis"));
    tab_control_->addTab(buildHelpPage(tab_control_), QStringLiteral("Help"));
    tab_control_->addTab(buildObdPage(tab_control_), QStringLiteral("OBD"));
    tab_control_->addTab(buildInfoPage(tab_control_), QStringLiteral("Info"));
    tab_control_->setTabVisible(kTabService, false);
    tab_control_->setTabVisible(kTabHelp, false);
    tab_control_->setTabEnabled(kTabObd, false);
    tab_control_->setCurrentIndex(kTabPanelPetrol);
}

void MainWindow::buildMenus(const QStringList& presentPorts) {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    Pliki1_ = bar->addMenu(QStringLiteral("Plik"));
    Pliki1_->setObjectName(QStringLiteral("Pliki1"));
    Odczyt1_ = Pliki1_->addAction(QStringLiteral("Odczyt"));
    Odczyt1_->setObjectName(QStringLiteral("Odczyt1"));
    Zapis1_ = Pliki1_->addAction(QStringLiteral("Zapis"));
    Zapis1_->setObjectName(QStringLiteral("Zapis1"));
    Reset1_ = Pliki1_->addAction(QStringLiteral("Reset"));
    Reset1_->setObjectName(QStringLiteral("Reset1"));
    for (QAction* a : {Odczyt1_, Zapis1_, Reset1_}) {
        a->setVisible(false);
        a->setEnabled(false);
    }
    connect(Reset1_, &QAction::triggered, this, [this] { link_->Reset1Click(true); });
    QAction* exit = Pliki1_->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    PortCOM_ = bar->addMenu(QStringLiteral("Porty"));
    PortCOM_->setObjectName(QStringLiteral("PortCOM"));
    for (const QString& name : presentPorts) {
        QAction* item = PortCOM_->addAction(name);
        item->setObjectName(name);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, name] {
            // A port chosen directly connects at once.
            link_->zmien_port_COM(name);
        });
    }
    COMAUTO1_ = PortCOM_->addAction(QStringLiteral("COM_AUTO"));
    COMAUTO1_->setObjectName(QStringLiteral("COMAUTO1"));
    COMAUTO1_->setCheckable(true);
    connect(COMAUTO1_, &QAction::triggered, this, [this] {
        COMAUTO1_->setChecked(false);
        link_->COMAUTO1Click();
    });
    polacz_ = PortCOM_->addAction(QStringLiteral("Połącz"));
    polacz_->setObjectName(QStringLiteral("polacz"));
    connect(polacz_, &QAction::triggered, this, [this] { link_->polaczClick(false); });
    rozlacz_ = PortCOM_->addAction(QStringLiteral("Rozłącz"));
    rozlacz_->setObjectName(QStringLiteral("rozlacz"));
    connect(rozlacz_, &QAction::triggered, this, [this] { link_->rozlaczClick(); });

    Jazyk_ = bar->addMenu(QStringLiteral("Język"));
    Jazyk_->setObjectName(QStringLiteral("Jazyk"));
}

void MainWindow::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    statusPanel0_ = new QLabel(QStringLiteral("OMVI ver."), bar);
    statusPanel0_->setObjectName(QStringLiteral("StatusBar1_panel0"));
    statusPanel0_->setFixedWidth(190);
    statusPanel0_->setFrameShape(QFrame::StyledPanel);
    statusPanel1_ = new StatusPanel(bar);
    statusPanel1_->setPanelText(QStringLiteral(" Ostatnie połączenie z PC : "));
    statusPanel1_->setObjectName(QStringLiteral("StatusBar1_panel1"));
    statusPanel1_->setFrameShape(QFrame::StyledPanel);
    bar->addWidget(statusPanel0_);
    bar->addWidget(statusPanel1_, 1);
    setStatusPanel1Plain(false);
}

void MainWindow::restorePortSettings() {
    const QList<QAction*> items = PortCOM_->actions();
    // With no port present the first item is the auto-detection item, as the menu stands.
    port_->close();
    port_->setPortName(items.isEmpty() ? QString() : items.first()->objectName());
    const PortSettings stored = store_.loadPortSettings();
    if (!stored.port.isEmpty()) {
        port_->setPortName(stored.port);
    }
    if (stored.baudRate == QLatin1String("Custom")) {
        port_->setBaudRate(stored.customBaudRate);
    }
    checkPortItem(port_->portName());
}

QList<QAction*> MainWindow::portActions() const {
    QList<QAction*> all = PortCOM_->actions();
    return all.mid(0, std::max<qsizetype>(0, all.size() - 3));
}

// ---------------------------------------------------------------------------------------------
// window events

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    closing_ = true;
    if (smallScreen()) {
        showTaskBar(true);
    }
    link_->rozlaczClick();
    editor_->close();
    event->accept();
}

void MainWindow::changeEvent(QEvent* event) {
    // The editor window behaves as a modal window over this one.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && editor_ != nullptr &&
        editor_->isVisible()) {
        setEnabled(false);
        editor_->raise();
        editor_->activateWindow();
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (smallScreen()) {
        if (pos() != QPoint(3, 0)) {
            move(3, 0);
        }
        showTaskBar(false);
    }
}

void MainWindow::Error_LedClick() {
    tab_control_->setTabVisible(kTabError, true);
    tab_control_->setCurrentIndex(kTabError);
}

// ---------------------------------------------------------------------------------------------
// LinkHost

void MainWindow::showMessage(const QString& text) {
    if (messageHook) {
        messageHook(text);
        return;
    }
    // No parent: a disabled main window would disable its own message box.
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("OMVI"), text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

bool MainWindow::askYesNo(const QString& text) {
    if (questionHook) {
        return questionHook(text);
    }
    QMessageBox box(QMessageBox::Question, QStringLiteral("OMVI"), text,
                    QMessageBox::Yes | QMessageBox::No);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Yes;
}

QString MainWindow::languageText(int row) {
    return languages_.current(row);
}

void MainWindow::setMainWindowEnabled(bool enabled) {
    setEnabled(enabled);
}

void MainWindow::setPanelsGrey(bool grey) {
    dashboard_->setGrey(grey);
}

void MainWindow::repaint() {
    update();
}

void MainWindow::activityBlip() {
    dashboard_->ProgressBar1->setValue(100);
    blipTimer_.start();
}

void MainWindow::setStatusText(const QString& text) {
    statusPanel0_->setText(text);
}

void MainWindow::resetStatusPanel1() {
    // The label up to the character after its colon stays; the date goes.
    const QString text = statusPanel1_->panelText();
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        statusPanel1_->setPanelText(text.left(colon + 2));
    }
    setStatusPanel1Plain(false);
}

void MainWindow::setStatusPanel1Plain(bool plain) {
    statusPanel1_->setPlain(plain);
}

QString MainWindow::statusPanel1Text() const {
    return statusPanel1_->panelText();
}

void MainWindow::setStatusPanel1Text(const QString& text) {
    statusPanel1_->setPanelText(text);
}

void MainWindow::showToggle(bool on) {
    const QSignalBlocker block(dashboard_->Polacz_switch);
    dashboard_->Polacz_switch->setChecked(on);
}

void MainWindow::setToggleOnText(const QString& text) {
    dashboard_->Polacz_switch->setOnText(text);
}

void MainWindow::setFileMenuAvailable(bool available) {
    for (QAction* a : {Odczyt1_, Zapis1_, Reset1_}) {
        a->setVisible(available);
        a->setEnabled(available);
    }
}

void MainWindow::checkPortItem(const QString& name) {
    for (QAction* item : portActions()) {
        if (item->objectName() == name) {
            item->setChecked(true);
        }
    }
}

void MainWindow::uncheckPortItems() {
    for (QAction* item : portActions()) {
        item->setChecked(false);
    }
    COMAUTO1_->setChecked(false);
}

QList<link::PortItem> MainWindow::portItems() {
    QList<link::PortItem> items;
    for (QAction* item : portActions()) {
        items.append({item->objectName(), item->isChecked()});
    }
    return items;
}

void MainWindow::setBaudRateText(const QString& text) {
    settings_->szybkosc->setItemText(0, text);
    settings_->szybkosc->setCurrentIndex(0);
}

void MainWindow::saveSettings() {
    PortSettings settings;
    settings.port = port_->portName();
    settings.baudRate = QStringLiteral("Custom");
    settings.customBaudRate = port_->baudRate();
    store_.savePortSettings(settings);
    store_.saveLanguage(current_language_);
}

void MainWindow::showConfiguration(const QByteArray& image) {
    settingsBinder_->showConfiguration(image);
}

void MainWindow::showLiveData(const QByteArray& frame) {
    liveView_->show_live_data(frame);
}

void MainWindow::showCounters(const QByteArray& record) {
    settingsBinder_->showCounters(record);
}

void MainWindow::applyFirmwareVariant(const QString& variant) {
    settingsBinder_->applyFirmwareVariant(variant);
}

void MainWindow::prepareFirstConfiguration() {
    settingsBinder_->prepareFirstConfiguration();
}

void MainWindow::setReserveFlashing(bool flashing) {
    for (ui::Led* led : {dashboard_->rezerwa_led_gora, dashboard_->Rezerwa_led_panel}) {
        led->setFlashing(flashing);
        if (!flashing) {
            led->setChecked(false);
        }
    }
}

void MainWindow::resetCylinderLeds() {
    for (ui::Led* led : dashboard_->cylinderLeds) {
        led->setOffColor(QColor(128, 128, 128));
        led->setChecked(false);
    }
}

void MainWindow::setCylinderPanelEnabled(bool enabled) {
    dashboard_->Panel_slupki->setEnabled(enabled);
}

void MainWindow::setAdaptationButtonsEnabled(bool enabled) {
    for (const char* name : {"Button_start", "Button_stop"}) {
        if (auto* button = findChild<QPushButton*>(QLatin1String(name))) {
            button->setEnabled(enabled);
        }
    }
}

void MainWindow::setErrorLedVisible(bool visible) {
    dashboard_->Error_Led->setVisible(visible);
}

void MainWindow::setErrorLedProgress(const QString& caption) {
    dashboard_->Error_Led->setCaption(caption);
    dashboard_->Error_Led->setColor(QColor(0, 255, 0));
    dashboard_->Error_Led->setVisible(true);
}

void MainWindow::resetErrorLed() {
    dashboard_->Error_Led->setCaption(QStringLiteral("*  *  *  E r r o r  *  *  *"));
    dashboard_->Error_Led->setColor(QColor(255, 0, 0));
}

QString MainWindow::actualErrorsText() {
    auto* memo = findChild<QPlainTextEdit*>(QStringLiteral("Actual_errors_Memo"));
    return memo != nullptr ? memo->toPlainText() : QString();
}

void MainWindow::setActualErrorsText(const QString& text) {
    if (auto* memo = findChild<QPlainTextEdit*>(QStringLiteral("Actual_errors_Memo"))) {
        memo->setPlainText(text);
    }
}

void MainWindow::hideServiceTab() {
    tab_control_->setTabVisible(kTabService, false);
}

void MainWindow::closeEditor() {
    editor_->Close_Form2();
}

void MainWindow::uncheckOscilloscopeLambda() {
    editor_->uncheckLambdaChoices();
}

}  // namespace omvi::app
