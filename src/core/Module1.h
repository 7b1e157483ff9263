#pragma once

#include <QString>
#include <cstdint>

struct Platform;

// Values shared by all of Zentrel's windows for the whole run, and the routines that go with them.
// One instance lives in main(); windows get it through their constructors.
class Module1
{
public:
    explicit Module1(Platform &platform);

    Platform &platform;

    // Directories, from the settings store.
    QString DukePath;
    QString CONPath;
    QString RTSPath;
    QString MAPPath;

    // Preferences, as stored ("Yes"/"No", "0".."3").
    QString Splash;
    QString HideDosWin;
    QString CloseDosWin;
    QString CONpref;
    QString RTSpref;
    QString DukeWin;
    std::int16_t LastVersion = 0;

    bool AboutMode = false;
    // The last CON file dialog (or the editor's save dialog) was cancelled or failed.
    bool DialogCancelled = false;
    bool ConModified = false;
    bool FileFound = false;

    // Which directory the Select Directory dialog picks: "Duke", "Con", "Rts" or "Map".
    QString DirSelMode;

    // The player has been told this run that the settings cannot be saved; start-up and exit
    // then say it no second time.
    bool UnsavedSettingsTold = false;

    // Why the game's window cannot be supervised on this desktop (no X11); empty when it can.
    QString SupervisionUnavailable;
    // What the desktop offers, found once at start-up (tests set them).
    bool SystemTrayMissing = false;   // no tray to hide in or come back from
    bool WaylandWindows = false;      // Zentrel's own windows are Wayland surfaces: once minimised
                                      // without a tray, nothing can bring them back
    bool FrontWindowUnknown = false;  // the window manager does not say which window is in front

    // Game supervision (filled by the launch).
    QString GameCommand;
    QString FinishedTitle;

    // The directory, one separator, then the name; no second separator when the directory
    // already ends in one.
    static QString JoinPath(const QString &directory, const QString &name);

    // Sets FileFound when a file matches the path in any letter case; never clears it.
    void FileExists(const QString &path);

    // Reads the preferences and default directories, writing the defaults of missing ones.
    // False when a default could not be saved (it is in effect for this run all the same).
    bool LoadPreferences();

    // The program directory joined with a name.
    QString programFile(const QString &name) const;
    // The game directory joined with a name.
    QString gameFile(const QString &name) const;
};
