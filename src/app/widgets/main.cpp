#include "core/Module1.h"
#include "app/widgets/MainWindowHost.h"
#include "app/widgets/ProgramIdentity.h"
#include "app/widgets/StartupProbe.h"
#include "app/widgets/frmMain.h"
#include "app/widgets/frmSplash.h"
#include "platform/DiskFiles.h"
#include "platform/IniSettingsStore.h"
#include "platform/Platform.h"
#include "platform/SeededRandom.h"
#include "platform/linux/DesktopBeep.h"
#include "platform/linux/ProcessGameRunner.h"
#include "platform/linux/QtDesktopOpener.h"
#include "platform/linux/QtPrompts.h"
#include "platform/linux/X11GameWindows.h"

#include <QApplication>
#include <QSystemTrayIcon>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ProgramIdentity::apply();

    IniSettingsStore settings(IniSettingsStore::defaultPath());
    DiskFiles files;
    QtPrompts prompts;
    ProcessGameRunner runner;
    X11GameWindows windows;
    Platform platform{settings, files, prompts, QCoreApplication::applicationDirPath()};
    platform.runner = &runner;
    platform.windows = &windows;
    SeededRandom random;
    platform.random = &random;
    DesktopBeep beep;
    platform.beep = &beep;
    QtDesktopOpener desktop;
    platform.desktop = &desktop;
    platform.settingsFile = settings.filePath();
    Module1 module1(platform);
    if (!windows.available())
        module1.SupervisionUnavailable = windows.reason();
    else
        module1.FrontWindowUnknown = !windows.reportsFrontWindow();
    module1.SystemTrayMissing = !QSystemTrayIcon::isSystemTrayAvailable();
    module1.WaylandWindows = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));

    if (!settings.errorString().isEmpty()) {
        // Start all the same, with what could be read; the store never overwrites a file it could
        // not read, so the player's settings are not lost.
        prompts.message(nullptr, settings.errorString(), Prompts::Icon::Exclamation);
        module1.UnsavedSettingsTold = true;
    }

    MainWindowHost host(module1);
    host.onShown = [](frmMain *w) { StartupProbe::watch(w); };
    auto *splash = new frmSplash(module1, host);
    splash->Form_Load();
    return app.exec();
}
