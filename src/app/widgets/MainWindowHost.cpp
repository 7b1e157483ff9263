#include "app/widgets/MainWindowHost.h"

#include "app/widgets/frmMain.h"

MainWindowHost::MainWindowHost(Module1 &module1) : m(module1) {}

MainWindowHost::~MainWindowHost() = default;

frmMain *MainWindowHost::window()
{
    if (!main) {
        main = std::make_unique<frmMain>(m);
        main->Form_Load();
    }
    return main.get();
}

void MainWindowHost::show()
{
    frmMain *w = window();
    w->show();
    if (onShown)
        onShown(w);
}

void MainWindowHost::gameDirectoryConfigured()
{
    window()->gameDirectoryConfigured();
}

QWidget *MainWindowHost::mainWindow()
{
    return window();
}
