#pragma once

#include <QString>

// What the editor's file operations and version items need from the main window.
class EditorHost
{
public:
    virtual ~EditorHost() = default;

    virtual bool gameVersion15() const = 0;
    // Ticks one version item and unticks the other; everything version-dependent follows.
    virtual void tickVersion(bool version15) = 0;
    // The option panel that is on is switched off and on again (its lists follow the version).
    virtual void refreshLaunchOptions() = 0;
    // The CON files' open dialog ("Open Con File" shares it with "Select User Con"); empty and
    // DialogCancelled set when the player cancels.
    virtual QString chooseConFile() = 0;
};
