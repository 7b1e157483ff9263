#pragma once

#include <QObject>
#include <QString>

class ConEditorPage;
class EditorHost;
class Module1;

// Which USER.CON the editor holds: Open, Save, Load default and Revert, the save prompt that
// guards them, and the two version items, which switch the catalogue and, when the buffer holds
// the other version's stock file, the stock file too.
class ConEditorFiles : public QObject
{
    Q_OBJECT
public:
    ConEditorFiles(Module1 &module1, ConEditorPage &page, EditorHost &host, QObject *parent = nullptr);

    // Full path of the file last opened or saved; empty when none was this run.
    QString CurrentConFile;

    // "Save changes to current con file?" when the text has unsaved changes. False: the caller
    // stops (Cancel, or a save the player cancelled).
    bool SaveGuard();

    void Save();        // "Save Current Con"; DialogCancelled tells whether it was cancelled
    void Open();        // "Open Con File"
    void LoadDefault(); // "Load Default User Con"
    void Revert();      // "Clear All Changes Since Last Save"
    void mnuVersion13d_Click();
    void mnuVersion15_Click();

    // Start-up's choice of version: no save prompt can be due yet.
    void chooseVersion(bool version15) { versionItem(version15); }

private:
    // A file of the name Zentrel deletes from the game directory at exit.
    bool isWorkingCopy(const QString &path) const;
    void connectSignals();
    void versionItem(bool version15);
    void showFile(const QString &path); // lblUserCon and CurrentConFile

    Module1 &m;
    ConEditorPage &page;
    EditorHost &host;
};
