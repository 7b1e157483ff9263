#include "app/widgets/ToolMenus.h"

#include "core/Module1.h"
#include "core/PreparedRunner.h"
#include "platform/GameRunner.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"

#include <QDir>
#include <QWidget>

ToolMenus::ToolMenus(Module1 &module1, QWidget &ownerWindow) : QObject(&ownerWindow), m(module1), owner(ownerWindow) {}

void ToolMenus::startTool(const QString &program, const QString &notFoundEnd)
{
    const QString notFound = QDir::toNativeSeparators(Module1::JoinPath(m.DukePath, program)) + notFoundEnd;
    GameRunner *runner = preparedRunner(m.platform);
    if (!runner || m.DukePath.isEmpty()) {
        m.platform.prompts.message(&owner, notFound);
        return;
    }
    GameRunner::Request request;
    request.directory = m.DukePath;
    request.program = program;
    request.closeWhenDone = true; // the tool's DOSBox goes when the tool ends
    const GameRunner::Result result = runner->start(request);
    if (!result.started)
        // The runner's own sentence says more than "not found" when the file is there (DOSBox
        // missing, a name DOS cannot take).
        m.platform.prompts.message(&owner, result.message.isEmpty() ? notFound : result.message);
}

void ToolMenus::mnuLaunchSetup_Click() { startTool(QStringLiteral("setup.exe"), QStringLiteral(" not found")); }
void ToolMenus::mnuLaunchBUild_Click() { startTool(QStringLiteral("build.exe"), QStringLiteral(" not found")); }
void ToolMenus::mnuHelpBuild_Click() { startTool(QStringLiteral("buildhlp.exe"), QStringLiteral(" not found")); }

void ToolMenus::mnuHelpDuke3d_Click()
{
    if (m.DukePath.isEmpty()) {
        m.platform.prompts.message(&owner, QStringLiteral("Please locate the Duke3d.exe directory using View\\Options."));
        return;
    }
    startTool(QStringLiteral("dn3dhelp.exe"), QStringLiteral(" not found."));
}
