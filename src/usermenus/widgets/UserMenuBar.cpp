#include "usermenus/widgets/UserMenuBar.h"

#include "core/Module1.h"
#include "core/OpenDocument.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"

#include <QAction>
#include <QMenu>

UserMenuBar::UserMenuBar(Module1 &module1, QMenu &menu, QAction &separator, QObject *parent)
    : QObject(parent), m(module1), m_menu(menu), m_separator(separator)
{
}

void UserMenuBar::loadFromStore()
{
    QStringList names;
    for (const UserMenu &menu : UserMenus::load(m.platform.settings))
        names << menu.name;
    rebuild(names);
}

void UserMenuBar::rebuild(const QStringList &names)
{
    qDeleteAll(m_items);
    m_items.clear();
    for (const QString &name : names) {
        auto *item = new QAction(m_menu.parent());
        // The caption is the player's text: an "&" in it is shown, not taken for a mnemonic.
        item->setText(QString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setObjectName(QStringLiteral("mnuUserDefSpace_%1").arg(m_items.size() + 1));
        connect(item, &QAction::triggered, this, [this, name] { open(name); });
        m_menu.addAction(item);
        m_items.append(item);
    }
    m_separator.setVisible(!names.isEmpty());
    m_separator.setEnabled(!names.isEmpty());
}

QStringList UserMenuBar::names() const
{
    QStringList out;
    for (const QAction *item : m_items)
        out << QString(item->text()).replace(QStringLiteral("&&"), QStringLiteral("&"));
    return out;
}

void UserMenuBar::open(const QString &name)
{
    const QString path = UserMenus::pathOf(m.platform.settings, name);
    if (path.isEmpty())
        return; // nothing stored for it: nothing to open
    const QString problem = OpenDocument::open(m.platform, path);
    if (!problem.isEmpty())
        m.platform.prompts.message(m_menu.window(), problem);
}
