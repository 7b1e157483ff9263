#pragma once

#include "app/MainWindowLink.h"

#include <functional>
#include <memory>

class Module1;
class frmMain;

// Brings the main window into being on first use: the first reference creates it and runs its
// load, as the first-start Options dialog and the splash timer expect.
class MainWindowHost : public MainWindowLink
{
public:
    explicit MainWindowHost(Module1 &module1);
    ~MainWindowHost() override;

    frmMain *window();          // created and loaded on the first call
    bool exists() const { return bool(main); }
    void show();

    void gameDirectoryConfigured() override;
    QWidget *mainWindow() override;

    // Called after the main window is first shown (benchmarks and tests hook in here).
    std::function<void(frmMain *)> onShown;

private:
    Module1 &m;
    std::unique_ptr<frmMain> main;
};
