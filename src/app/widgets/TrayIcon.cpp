#include "app/widgets/TrayIcon.h"

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

TrayIcon::TrayIcon(QWidget *mainWindow, QMenu *mnuSystemTray, QObject *parent)
    : QObject(parent), m_main(mainWindow), m_menu(mnuSystemTray)
{
    m_icon.setObjectName(QStringLiteral("trayIcon"));
    connectSignals();
}

TrayIcon::~TrayIcon()
{
    m_icon.hide(); // never leave an icon behind
}

QAction *TrayIcon::action(const char *name) const
{
    const QString wanted = QLatin1String(name);
    if (m_menu) {
        for (QAction *a : m_menu->actions())
            if (a->objectName() == wanted)
                return a;
        if (auto *a = m_menu->findChild<QAction *>(wanted))
            return a;
    }
    return m_main ? m_main->findChild<QAction *>(wanted) : nullptr;
}

void TrayIcon::connectSignals()
{
    connect(&m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::trayIcon_Activated);
    const struct
    {
        const char *name;
        void (TrayIcon::*handler)();
    } items[] = {
        {"mnuSysUnhide", &TrayIcon::mnuSysUnhide_Click},
        {"mnuSysLaunch", &TrayIcon::mnuSysLaunch_Click},
        {"mnuSysShow", &TrayIcon::mnuSysShow_Click},
        {"mnuSysExit", &TrayIcon::mnuSysExit_Click},
    };
    for (const auto &item : items)
        if (QAction *a = action(item.name))
            connect(a, &QAction::triggered, this, item.handler);
}

void TrayIcon::AddTrayIcon()
{
    if (!m_main)
        return;
    if (!trayAvailable()) {
        // No tray to come back from: a minimised window stays in the task bar.
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
    if (QAction *a = action("mnuSysUnhide"))
        a->setEnabled(enabled);
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
    case QSystemTrayIcon::DoubleClick:
        mnuSysShow_Click();
        break;
    case QSystemTrayIcon::Context:
        if (m_main && m_main->isVisible()) {
            m_main->raise();
            m_main->activateWindow();
        }
        if (m_menu)
            m_menu->exec(QCursor::pos());
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
