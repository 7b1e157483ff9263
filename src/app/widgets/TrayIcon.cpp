#include "app/widgets/TrayIcon.h"

#include "app/widgets/MainMenus.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QScopedValueRollback>
#include <QStyle>
#include <QWidget>

namespace {
// The tray's tip holds 63 bytes and a closing zero.
QString tipFor(const QString &caption)
{
    QString tip = caption.isEmpty() ? QStringLiteral("Zentrel") : caption;
    while (tip.toUtf8().size() > 63)
        tip.chop(1);
    return tip;
}
} // namespace

TrayIcon::TrayIcon(QWidget *mainWindow, MainMenus &menus, QObject *parent)
    : QObject(parent), m_main(mainWindow), m_menus(menus)
{
    m_icon.setObjectName(QStringLiteral("trayIcon"));
    connectSignals();
}

TrayIcon::~TrayIcon()
{
    m_icon.hide(); // never leave an icon behind
}

void TrayIcon::connectSignals()
{
    connect(&m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::trayIcon_Activated);
    connect(m_menus.mnuSysUnhide, &QAction::triggered, this, &TrayIcon::mnuSysUnhide_Click);
    connect(m_menus.mnuSysLaunch, &QAction::triggered, this, &TrayIcon::mnuSysLaunch_Click);
    connect(m_menus.mnuSysShow, &QAction::triggered, this, &TrayIcon::mnuSysShow_Click);
    connect(m_menus.mnuSysExit, &QAction::triggered, this, &TrayIcon::mnuSysExit_Click);
}

void TrayIcon::AddTrayIcon()
{
    if (!m_main)
        return;
    if (!trayAvailable()) {
        // No tray to come back from: a minimised window stays in the task bar, where there is one.
        if (!minimisingStrands)
            m_main->showMinimized();
        return;
    }
    QIcon picture = m_main->windowIcon();
    if (picture.isNull()) // an icon without a picture would be invisible in the tray
        picture = m_main->style()->standardIcon(QStyle::SP_ComputerIcon);
    m_icon.setIcon(picture);
    m_icon.setToolTip(tipFor(m_main->windowTitle()));
    m_icon.show();
    m_main->hide(); // a hidden window also leaves the task bar
}

void TrayIcon::RemoveTrayIcon()
{
    m_icon.hide();
}

void TrayIcon::setUnhideEnabled(bool enabled)
{
    m_menus.mnuSysUnhide->setEnabled(enabled);
}

void TrayIcon::showMainWindow()
{
    if (!m_main)
        return;
    if (m_main->isMinimized())
        m_main->showNormal();
    else
        m_main->show();
    m_main->raise();
    m_main->activateWindow();
}

void TrayIcon::trayIcon_Activated(QSystemTrayIcon::ActivationReason reason)
{
    if (m_busy)
        return;
    QScopedValueRollback<bool> busy(m_busy, true);
    switch (reason) {
    // Trays of the StatusNotifierItem kind (KDE, GNOME's AppIndicator extension) report a single
    // click as Trigger and never a double-click: both bring the window back.
    case QSystemTrayIcon::DoubleClick:
    case QSystemTrayIcon::Trigger:
        mnuSysShow_Click();
        break;
    case QSystemTrayIcon::Context:
        if (m_main && m_main->isVisible()) {
            m_main->raise();
            m_main->activateWindow();
        }
        m_menus.mnuSystemTray->exec(QCursor::pos());
        break;
    default:
        break;
    }
}

void TrayIcon::mnuSysUnhide_Click()
{
    emit unhideRequested();
}

void TrayIcon::mnuSysLaunch_Click()
{
    InTray = true;
    emit relaunchRequested();
}

void TrayIcon::mnuSysShow_Click()
{
    showMainWindow();
    RemoveTrayIcon();
    InTray = false;
}

void TrayIcon::mnuSysExit_Click()
{
    emit exitRequested();
}
