#include "app/widgets/CtrlTabSwitcher.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTabBar>
#include <QTabWidget>

CtrlTabSwitcher::CtrlTabSwitcher(QWidget &window, QTabWidget &tabs)
    : QObject(&window), window(window), tabs(tabs)
{
    // Key events go to the focus widget, which may be any control of the window: watch them all.
    QCoreApplication::instance()->installEventFilter(this);
}

CtrlTabSwitcher::~CtrlTabSwitcher()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool CtrlTabSwitcher::inWindow(QObject *watched) const
{
    auto *widget = qobject_cast<QWidget *>(watched);
    return widget && widget->window() == &window;
}

bool CtrlTabSwitcher::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab)
        return false;
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (!(modifiers & Qt::ControlModifier) || !inWindow(watched))
        return false;

    // Claim the key at ShortcutOverride so no shortcut takes it; act once, on the key press.
    if (type == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (key->key() == Qt::Key_Tab && modifiers == Qt::ControlModifier && tabs.tabBar()->isEnabled()
        && tabs.count() > 0)
        tabs.setCurrentIndex((tabs.currentIndex() + 1) % tabs.count());
    // Ctrl with further modifiers is swallowed too: the focused tab widget would switch on it.
    return true;
}
