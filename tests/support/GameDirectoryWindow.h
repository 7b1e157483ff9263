#pragma once

#include "app/widgets/frmMain.h"
#include "core/Module1.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"

#include "FakeGameRunner.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <memory>

// A real main window over a game directory on disk that holds DUKE3D.EXE, with the settings in
// memory, recorded prompts and a game runner that only records what it is asked to start.
struct GameDirectoryWindow
{
    QTemporaryDir dir;
    MemorySettingsStore store;
    DiskFiles files;
    FakePrompts prompts;
    FakeGameRunner runner;
    Platform platform{store, files, prompts, QString()};
    Module1 m{platform};
    std::unique_ptr<frmMain> window;

    GameDirectoryWindow()
    {
        platform.programDir = dir.filePath(QStringLiteral("program"));
        platform.runner = &runner;
        QFile exe(dir.filePath(QStringLiteral("DUKE3D.EXE")));
        if (!exe.open(QIODevice::WriteOnly))
            qFatal("cannot make the game directory's DUKE3D.EXE");
    }

    // Loads the preferences, makes the window (beforeLoad runs before its Form_Load) and loads it.
    frmMain &open(const std::function<void(frmMain &)> &beforeLoad = {})
    {
        m.LoadPreferences();
        m.DukePath = dir.path();
        window = std::make_unique<frmMain>(m);
        window->quitProgram = [] {};
        if (beforeLoad)
            beforeLoad(*window);
        window->Form_Load();
        return *window;
    }
};
