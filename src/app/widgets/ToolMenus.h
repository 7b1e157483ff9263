#pragma once

#include <QObject>
#include <QString>

class Module1;
class QWidget;

// The game's own tools in the Launch and Help menus: Setup, the Build editor and the two help
// programs. They are DOS programs and run in DOSBox, in a normal window, with the game
// directory mounted and current; nobody waits for them.
class ToolMenus : public QObject
{
    Q_OBJECT
public:
    ToolMenus(Module1 &module1, QWidget &owner);

    void mnuLaunchSetup_Click();
    void mnuLaunchBUild_Click();
    void mnuHelpDuke3d_Click();
    void mnuHelpBuild_Click();

private:
    // notFoundEnd: what the Part's message puts after the path (" not found" or " not found.").
    void startTool(const QString &program, const QString &notFoundEnd);

    Module1 &m;
    QWidget &owner;
};
