#include "launch/widgets/UserMapChooser.h"

#include "core/Module1.h"
#include "launch/widgets/LaunchContext.h"
#include "launch/widgets/MultiPlayerPanel.h"
#include "launch/widgets/SinglePlayerPanel.h"
#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"

#include <QAbstractButton>
#include <QFileInfo>

namespace {
const QString MapFilter = QStringLiteral("MAP Files (*.map)");
}

UserMapChooser::UserMapChooser(Module1 &module1, LaunchContext &context, QObject *parent)
    : QObject(parent), m(module1), ctx(context)
{
    if (ctx.single)
        connect(ctx.single->mapButton(), &QAbstractButton::clicked, this, &UserMapChooser::cmdSmap_Click);
    if (ctx.multi)
        connect(ctx.multi->mapButton(), &QAbstractButton::clicked, this, &UserMapChooser::cmdMap_Click);
}

std::optional<UserMapChooser::Choice> UserMapChooser::ChooseMapFile(bool clearFileName, QWidget *owner)
{
    // The last choice, with its folder, as a file dialog that keeps its name box shows it.
    const QString start = !clearFileName && !m_lastPath.isEmpty() ? m_lastPath : m.MAPPath;
    const QString path = m.platform.prompts.openFile(owner, QStringLiteral("Open"), start, MapFilter);
    m.DialogCancelled = path.isEmpty();
    if (path.isEmpty())
        return std::nullopt;
    m_lastPath = path;
    return Choice{path, QFileInfo(path).fileName()};
}

bool UserMapChooser::copyIntoGame(const Choice &choice, QWidget *owner)
{
    Files &files = m.platform.files;
    const QString copy = m.gameFile(copyName());
    // Replaced in one step: a copy that fails leaves the one before whole, and nothing is chosen.
    if (files.copy(choice.path, copy))
        return true;
    m.platform.prompts.message(owner,
                               files.errorString()
                                   + QStringLiteral("\n\nThe map %1 was not chosen; the game would not get it.")
                                         .arg(choice.fileName),
                               Prompts::Icon::Exclamation);
    return false;
}

void UserMapChooser::cmdSmap_Click()
{
    QWidget *owner = ctx.single ? ctx.single->window() : nullptr;
    const std::optional<Choice> choice = ChooseMapFile(true, owner);
    if (!choice || !copyIntoGame(*choice, owner))
        return;
    ctx.single->showUserMap(choice->fileName);
}

void UserMapChooser::cmdMap_Click()
{
    QWidget *owner = ctx.multi ? ctx.multi->window() : nullptr;
    const std::optional<Choice> choice = ChooseMapFile(false, owner);
    if (!choice || !copyIntoGame(*choice, owner))
        return;
    ctx.multi->showUserMap(choice->fileName);
}
