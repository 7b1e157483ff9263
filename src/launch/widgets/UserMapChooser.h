#pragma once

#include <QObject>
#include <QString>

#include <optional>

class Module1;
class QWidget;
struct LaunchContext;

// The two User Map buttons: the map file dialog, the copy of the chosen map into the game
// directory as KVuser.map (which the game is told to load), and the panel's lists and switches.
// A copy that fails is told and chooses nothing: the game never gets an older map unawares.
class UserMapChooser : public QObject
{
    Q_OBJECT
public:
    UserMapChooser(Module1 &module1, LaunchContext &context, QObject *parent = nullptr);

    struct Choice
    {
        QString path;     // the chosen file
        QString fileName; // without its directory
    };
    // The map file dialog, starting in MAPPath; with clearFileName false its name box shows the
    // last choice. Nothing when it is cancelled.
    std::optional<Choice> ChooseMapFile(bool clearFileName, QWidget *owner);

    void cmdSmap_Click(); // Single Player
    void cmdMap_Click();  // Multi Player

    static QString copyName() { return QStringLiteral("KVuser.map"); }

private:
    bool copyIntoGame(const Choice &choice, QWidget *owner);

    Module1 &m;
    LaunchContext &ctx;
    QString m_lastPath;
};
