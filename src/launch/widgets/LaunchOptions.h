#pragma once

#include <QObject>

class CommandLine;
class Module1;
class QWidget;
struct NetworkValues;
class SinglePlayerPanel;
class MultiPlayerPanel;
class MiscPanel;
class OptionsHost;

// Owns the game switches (CommandLine) and the Single Player, Multi Player and Misc panels with
// the rules between them. The main window puts the panels into its option tabs.
class LaunchOptions : public QObject
{
    Q_OBJECT
public:
    LaunchOptions(Module1 &module1, OptionsHost &host, QObject *parent = nullptr);
    ~LaunchOptions() override;

    QWidget *singlePlayerPanel() const; // contents of picOptions_0
    QWidget *multiPlayerPanel() const;  // contents of picOptions_1
    QWidget *miscPanel() const;         // contents of picOptions_3

    // The same panels with their own operations (what the launch reads, the map and saved-game
    // lists that the saved-game scan and the map buttons fill).
    SinglePlayerPanel *single() const;
    MultiPlayerPanel *multi() const;
    MiscPanel *misc() const;

    CommandLine &commandLine();
    NetworkValues &networkValues(); // filled from duke3d.cfg by its reader

    // fraSingPl, enabled once the game directory is known.
    void setSinglePlayerFrameEnabled(bool enabled);

    void ClearSinglePlayerOptions();
    void ClearMultiPlayerOptions();
    void ClearMiscOptions();
    void ClearAllOptions();

    // The saved games of the game directory into the Single Player panel's list: at start-up,
    // and again whenever a game has ended (it may have saved).
    void ScanSavedGames();

    // The game version changed: the panel that is on is switched off and on again.
    void versionChanged();
    bool isVersion15() const;

private:
    struct Private;
    Private *d;
    Module1 &m;
};
