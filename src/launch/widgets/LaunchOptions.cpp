// Placeholder until the option panels are built: empty panels, no rules.
#include "launch/widgets/LaunchOptions.h"

#include "launch/CommandLine.h"

#include <QWidget>

struct LaunchOptions::Private
{
    CommandLine commandLine;
    QWidget *single = new QWidget;
    QWidget *multi = new QWidget;
    QWidget *misc = new QWidget;
};

LaunchOptions::LaunchOptions(Module1 &, QObject *parent) : QObject(parent), d(new Private) {}
LaunchOptions::~LaunchOptions() { delete d; }
QWidget *LaunchOptions::singlePlayerPanel() const { return d->single; }
QWidget *LaunchOptions::multiPlayerPanel() const { return d->multi; }
QWidget *LaunchOptions::miscPanel() const { return d->misc; }
CommandLine &LaunchOptions::commandLine() { return d->commandLine; }
void LaunchOptions::ClearSinglePlayerOptions() {}
void LaunchOptions::ClearMultiPlayerOptions() {}
void LaunchOptions::ClearMiscOptions() {}
void LaunchOptions::ClearAllOptions() {}
void LaunchOptions::versionChanged() {}
