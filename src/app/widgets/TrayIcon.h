#pragma once

#include <QObject>
#include <QSystemTrayIcon>

#include <functional>

class QWidget;
struct MainMenus;

// The tray icon of the Launch Preference "Minimized to Tray" and its pop-up menu mnuSystemTray
// (mnuSysUnhide, mnuSysLaunch, mnuSysShow, mnuSysExit of the main window's menus). Without a
// system tray the main window is minimised instead, so it never becomes unreachable.
class TrayIcon : public QObject
{
    Q_OBJECT
public:
    TrayIcon(QWidget *mainWindow, MainMenus &menus, QObject *parent = nullptr);
    ~TrayIcon() override;

    // The program put itself in the tray and has not been restored since; a relaunch from the
    // tray sets it so the launch adds no second icon.
    bool InTray = false;

    void AddTrayIcon();
    void RemoveTrayIcon();
    bool iconShown() const { return m_icon.isVisible(); }

    // mnuSysUnhide follows the supervisor's Unhide state.
    void setUnhideEnabled(bool enabled);

    // Replaceable for tests; a tray exists when this says so.
    std::function<bool()> trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    // Minimising would strand the window (Wayland without a tray): it is left as it is instead.
    bool minimisingStrands = false;

    QSystemTrayIcon &icon() { return m_icon; }

    void trayIcon_Activated(QSystemTrayIcon::ActivationReason reason);
    void mnuSysUnhide_Click();
    void mnuSysLaunch_Click();
    void mnuSysShow_Click();
    void mnuSysExit_Click();

signals:
    void unhideRequested();   // run UnhideGame
    void relaunchRequested(); // run Launch with the options as they stand
    void exitRequested();     // run the exit command

private:
    void connectSignals();
    void showMainWindow();

    QWidget *m_main;
    MainMenus &m_menus;
    QSystemTrayIcon m_icon;
    bool m_busy = false; // a tray event is being handled (the pop-up menu runs its own loop)
};
