#include "app/widgets/HelpDesk.h"

#include "app/widgets/frmDirSel.h"
#include "app/widgets/frmMain.h"
#include "app/widgets/frmOptions.h"
#include "app/widgets/frmPrefs.h"
#include "coneditor/widgets/frmRand.h"
#include "core/Module1.h"
#include "gametimer/widgets/frmGameTimer.h"
#include "help/HelpFiles.h"
#include "help/widgets/HelpViewer.h"
#include "platform/DesktopOpener.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"
#include "usermenus/widgets/frmUserDef.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>

HelpDesk::HelpDesk(Module1 &module1, frmMain &mainWindow) : QObject(&mainWindow), m(module1), main(mainWindow) {}

HelpDesk::~HelpDesk()
{
    if (m_listening)
        qApp->removeEventFilter(this);
    delete m_viewer;
}

void HelpDesk::InitHelp()
{
    if (m_listening)
        return;
    qApp->installEventFilter(this);
    m_listening = true;
}

void HelpDesk::CloseHelp()
{
    if (m_viewer)
        m_viewer->close();
}

bool HelpDesk::showPage(const QString &page, QWidget *over)
{
    const QString dir = HelpFiles::directory(m.platform.programDir);
    if (!HelpFiles::present(m.platform.programDir)) {
        m.platform.prompts.message(over ? over : &main,
                                   QDir::toNativeSeparators(QDir(dir).filePath(HelpFiles::EntryPage))
                                       + QStringLiteral(" not found"));
        return false;
    }
    // A modal dialog blocks every window but its own: over one, the manual opens as its child.
    QWidget *modal = QApplication::activeModalWidget();
    HelpViewer *viewer = nullptr;
    if (modal && modal != &main) {
        viewer = modal->findChild<HelpViewer *>(QString(), Qt::FindDirectChildrenOnly);
        if (!viewer) {
            viewer = new HelpViewer(dir, modal);
            viewer->setAttribute(Qt::WA_DeleteOnClose);
        }
    } else {
        if (!m_viewer)
            m_viewer = new HelpViewer(dir);
        viewer = m_viewer;
    }
    viewer->setWindowIcon(main.windowIcon());
    viewer->showPage(page);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return true;
}

void HelpDesk::mnuHelpDuke_Click()
{
    showPage(HelpFiles::EntryPage);
}

void HelpDesk::openWebPage(const QString &page)
{
    // Without a web site of its own, the manual carries the same pages offline.
    const QString site = HelpFiles::webSite();
    if (site.isEmpty() || !m.platform.desktop) {
        showPage(page);
        return;
    }
    const QString url = page == HelpFiles::EntryPage ? site : site + QLatin1Char('/') + page;
    m.platform.desktop->openAddress(url);
}

void HelpDesk::mnuHelpWebMain_Click() { openWebPage(HelpFiles::EntryPage); }
void HelpDesk::mnuHelpWebFaq_Click() { openWebPage(HelpFiles::FaqPage); }

QString HelpDesk::pageFor(QWidget *window) const
{
    for (QWidget *w = window; w; w = w->parentWidget()) {
        if (w == &main)
            return main.shownHelpPage();
        if (qobject_cast<frmPrefs *>(w))
            return QStringLiteral("preferences.html");
        if (qobject_cast<frmOptions *>(w))
            return QStringLiteral("preferences.html#options");
        if (qobject_cast<frmDirSel *>(w))
            return QStringLiteral("first-start.html");
        if (qobject_cast<frmGameTimer *>(w))
            return QStringLiteral("game-timer.html");
        if (qobject_cast<frmRand *>(w))
            return QStringLiteral("randomizer.html");
        if (qobject_cast<frmUserDef *>(w))
            return QStringLiteral("user-menus.html");
        if (qobject_cast<HelpViewer *>(w))
            return {};
    }
    return HelpFiles::EntryPage;
}

bool HelpDesk::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1
        && static_cast<QKeyEvent *>(event)->modifiers() == Qt::NoModifier && watched->isWidgetType()) {
        // Taken here, so it does not go on to the parents and open the page again.
        QWidget *window = static_cast<QWidget *>(watched)->window();
        const QString page = pageFor(window);
        if (!page.isEmpty())
            showPage(page, window);
        return true;
    }
    return QObject::eventFilter(watched, event);
}
