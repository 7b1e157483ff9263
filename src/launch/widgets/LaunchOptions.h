#pragma once

#include <QObject>
#include <functional>

class CommandLine;
class Module1;
class QWidget;

// Owns the game switches (CommandLine) and the Single Player, Multi Player and Misc panels with
// the rules between them. The main window puts the panels into its option tabs.
class LaunchOptions : public QObject
{
    Q_OBJECT
public:
    explicit LaunchOptions(Module1 &module1, QObject *parent = nullptr);
    ~LaunchOptions() override;

    QWidget *singlePlayerPanel() const; // contents of picOptions_0
    QWidget *multiPlayerPanel() const;  // contents of picOptions_1
    QWidget *miscPanel() const;         // contents of picOptions_3

    CommandLine &commandLine();

    void ClearSinglePlayerOptions();
    void ClearMultiPlayerOptions();
    void ClearMiscOptions();
    void ClearAllOptions();

    // The game version changed: the panel that is on is switched off and on again.
    void versionChanged();

    // Set by the main window.
    std::function<bool()> isVersion15;        // mnuVersion15 ticked
    std::function<void()> clearConRtsOptions; // Clear CON/RTS Options
    std::function<void()> untickUseCon;       // untick chkUseCon

private:
    struct Private;
    Private *d;
};
