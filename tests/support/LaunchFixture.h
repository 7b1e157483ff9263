#pragma once

#include "ControlDriver.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"
#include "core/Module1.h"
#include "launch/CommandLine.h"
#include "launch/NetworkValues.h"
#include "launch/widgets/LaunchHost.h"
#include "launch/widgets/LaunchOptions.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QWidget>
#include <memory>

// What the main window answers the option panels, recorded.
struct FakeOptionsHost : OptionsHost
{
    bool version15 = false;
    int launchButtonFocused = 0;
    int useConUnticked = 0;
    int conRtsCleared = 0;
    QStringList order; // of the clear steps
    bool gameVersion15() const override { return version15; }
    void focusLaunchButton() override { ++launchButtonFocused; }
    void clearConRtsOptions() override
    {
        ++conRtsCleared;
        order << "con/rts";
    }
    void untickUseCon() override
    {
        ++useConUnticked;
        order << "use con";
    }
};

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
    FakeOptionsHost host;
    LaunchOptions options{module1, host};
    bool &version15 = host.version15;

    LaunchFixture()
    {
        setRoot(&window);
        for (QWidget *panel : {options.singlePlayerPanel(), options.multiPlayerPanel(), options.miscPanel()})
            panel->setParent(&window);
        options.setSinglePlayerFrameEnabled(true);
    }

    CommandLine &cl() { return options.commandLine(); }
    NetworkValues &net() { return options.networkValues(); }
};
