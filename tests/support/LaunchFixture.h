#pragma once

#include "ControlDriver.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"
#include "app/Module1.h"
#include "launch/CommandLine.h"
#include "launch/NetworkValues.h"
#include "launch/widgets/LaunchOptions.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QWidget>
#include <memory>

// The three option panels in one window, as the main window holds them, for tests that drive
// the controls by their names.
struct LaunchFixture : ControlDriver
{
    MemorySettingsStore store;
    DiskFiles files;
    FakePrompts prompts;
    Platform platform{store, files, prompts, QString()};
    Module1 module1{platform};
    QWidget window;
    LaunchOptions options{module1};
    bool version15 = false;

    LaunchFixture()
    {
        setRoot(&window);
        options.isVersion15 = [this] { return version15; };
        for (QWidget *panel : {options.singlePlayerPanel(), options.multiPlayerPanel(), options.miscPanel()})
            panel->setParent(&window);
        options.setSinglePlayerFrameEnabled(true);
    }

    CommandLine &cl() { return options.commandLine(); }
    NetworkValues &net() { return options.networkValues(); }
};
