#pragma once
// The main window `OMVI`: the dashboard panel, the page control, the menus and the status bar. It
// owns the link and is the link's host: everything the link does to the user interface lands in
// the overrides below.

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QTabWidget>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/settings_store.h"
#include "i18n/language_table.h"
#include "link/io.h"
#include "link/link_host.h"
#include "link/link_state_machine.h"

namespace omvi::editor {
class EditorWindow;
}

namespace omvi::app {

class DashboardPanel;
class SettingsPage;
class LiveView;
class SettingsBinder;
class LanguageController;
class StatusPanel;

// The port, timers and pauses the link runs on. The program uses the Qt-backed ones; tests pass
// their own.
struct LinkIo {
    link::SerialPortIo* port = nullptr;
    link::Timer* pollTimer = nullptr;
    link::Timer* answerTimer = nullptr;
    link::Pause* pause = nullptr;
};

class MainWindow : public QMainWindow, public link::LinkHost {
    Q_OBJECT
  public:
    static constexpr int kTabPanelPetrol = 0;
    static constexpr int kTabAdaptation = 1;
    static constexpr int kTabError = 2;
    static constexpr int kTabService = 3;
    static constexpr int kTabHelp = 4;
    static constexpr int kTabObd = 5;
    static constexpr int kTabInfo = 6;

    // `presentPorts`: the port names found at start-up (already sorted and limited).
    MainWindow(SettingsStore& store, const QStringList& presentPorts, LinkIo io = {},
               QWidget* parent = nullptr);
    ~MainWindow() override;

    link::Link& link() { return *link_; }
    editor::EditorWindow* editorWindow() const { return editor_; }
    DashboardPanel* dashboard() const { return dashboard_; }
    SettingsPage* settingsPage() const { return settings_; }
    LanguageController* languages() const { return languageController_.get(); }
    SettingsBinder& settingsBinder() { return *settingsBinder_; }
    SettingsStore& store() { return store_; }
    QMenu* languageMenu() const { return Jazyk_; }
    QTabWidget* tabs() const { return tab_control_; }
    const QString& currentLanguage() const { return current_language_; }
    void setCurrentLanguage(const QString& name) { current_language_ = name; }
    i18n::LanguageTable& languageTable() { return languages_; }

    // Tests answer message boxes and questions through these; unset, real modal boxes are shown.
    std::function<void(const QString&)> messageHook;
    std::function<bool(const QString&)> questionHook;

    // --- LinkHost ------------------------------------------------------------------------------
    void showMessage(const QString& text) override;
    bool askYesNo(const QString& text) override;
    QString languageText(int row) override;
    void setMainWindowEnabled(bool enabled) override;
    void setPanelsGrey(bool grey) override;
    void repaint() override;
    void activityBlip() override;
    void setStatusText(const QString& text) override;
    void resetStatusPanel1() override;
    void showToggle(bool on) override;
    void setToggleOnText(const QString& text) override;
    void setFileMenuAvailable(bool available) override;
    void checkPortItem(const QString& name) override;
    void uncheckPortItems() override;
    QList<link::PortItem> portItems() override;
    void setBaudRateText(const QString& text) override;
    void saveSettings() override;
    void showConfiguration(const QByteArray& image) override;
    void showLiveData(const QByteArray& frame) override;
    void showCounters(const QByteArray& record) override;
    void applyFirmwareVariant(const QString& variant) override;
    void prepareFirstConfiguration() override;
    void setReserveFlashing(bool flashing) override;
    void resetCylinderLeds() override;
    void setCylinderPanelEnabled(bool enabled) override;
    void setAdaptationButtonsEnabled(bool enabled) override;
    void setErrorLedVisible(bool visible) override;
    void setErrorLedProgress(const QString& caption) override;
    void resetErrorLed() override;
    QString actualErrorsText() override;
    void setActualErrorsText(const QString& text) override;
    void hideServiceTab() override;
    void closeEditor() override;
    void uncheckOscilloscopeLambda() override;

    // Status bar panel 1: shown as plain text, or owner-drawn (nothing shown).
    void setStatusPanel1Plain(bool plain);
    QString statusPanel1Text() const;
    void setStatusPanel1Text(const QString& text);
    QLabel* statusPanel0() const { return statusPanel0_; }

    // The port items of "Porty" (indexes 0 .. count - 4).
    QList<QAction*> portActions() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void buildMenus(const QStringList& presentPorts);
    void buildPages();
    void buildStatusBar();
    void restorePortSettings();
    void Error_LedClick();
    bool smallScreen() const;

    SettingsStore& store_;
    std::unique_ptr<link::SerialPortIo> ownPort_;
    std::unique_ptr<link::Timer> ownPollTimer_;
    std::unique_ptr<link::Timer> ownAnswerTimer_;
    std::unique_ptr<link::Pause> ownPause_;
    link::SerialPortIo* port_ = nullptr;
    std::unique_ptr<link::Link> link_;

    DashboardPanel* dashboard_ = nullptr;
    SettingsPage* settings_ = nullptr;
    QTabWidget* tab_control_ = nullptr;
    editor::EditorWindow* editor_ = nullptr;
    std::unique_ptr<LiveView> liveView_;
    std::unique_ptr<SettingsBinder> settingsBinder_;
    std::unique_ptr<LanguageController> languageController_;

    QMenu* Pliki1_ = nullptr;
    QMenu* PortCOM_ = nullptr;
    QMenu* Jazyk_ = nullptr;
    QAction* Odczyt1_ = nullptr;
    QAction* Zapis1_ = nullptr;
    QAction* Reset1_ = nullptr;
    QAction* COMAUTO1_ = nullptr;
    QAction* polacz_ = nullptr;
    QAction* rozlacz_ = nullptr;

    QLabel* statusPanel0_ = nullptr;
    StatusPanel* statusPanel1_ = nullptr;

    QString current_language_;
    i18n::LanguageTable languages_;
    QTimer blipTimer_;
    bool closing_ = false;
};

}  // namespace omvi::app
