#include "launch/widgets/LaunchOptions.h"

#include "core/Module1.h"
#include "launch/SavedGames.h"
#include "launch/widgets/LaunchContext.h"
#include "launch/widgets/LaunchHost.h"
#include "launch/widgets/MiscPanel.h"
#include "launch/widgets/MultiPlayerPanel.h"
#include "launch/widgets/SinglePlayerPanel.h"
#include "launch/widgets/UserMapChooser.h"
#include "platform/Platform.h"

bool LaunchContext::isVersion15() const { return host.gameVersion15(); }

struct LaunchOptions::Private
{
    explicit Private(OptionsHost &host) : context{{}, {}, host, {}, {}, {}} {}
    LaunchContext context;
};

LaunchOptions::LaunchOptions(Module1 &module1, OptionsHost &host, QObject *parent)
    : QObject(parent), d(new Private(host)), m(module1)
{
    LaunchContext &ctx = d->context;
    ctx.single = new SinglePlayerPanel(ctx);
    ctx.multi = new MultiPlayerPanel(ctx);
    ctx.misc = new MiscPanel(ctx);
    new UserMapChooser(module1, ctx, this);
}

void LaunchOptions::ScanSavedGames()
{
    if (!d->context.single || m.DukePath.isEmpty())
        return;
    QStringList items;
    for (const SavedGames::Entry &entry : SavedGames::scan(m.platform.files, m.DukePath))
        items << entry.item();
    d->context.single->setSavedGames(items);
}

LaunchOptions::~LaunchOptions()
{
    // The panels may have been put into the main window's tabs; whoever goes first takes them.
    LaunchContext &ctx = d->context;
    delete ctx.single.data();
    delete ctx.multi.data();
    delete ctx.misc.data();
    delete d;
}

QWidget *LaunchOptions::singlePlayerPanel() const { return d->context.single; }
QWidget *LaunchOptions::multiPlayerPanel() const { return d->context.multi; }
QWidget *LaunchOptions::miscPanel() const { return d->context.misc; }
SinglePlayerPanel *LaunchOptions::single() const { return d->context.single; }
MultiPlayerPanel *LaunchOptions::multi() const { return d->context.multi; }
MiscPanel *LaunchOptions::misc() const { return d->context.misc; }
CommandLine &LaunchOptions::commandLine() { return d->context.commandLine; }
NetworkValues &LaunchOptions::networkValues() { return d->context.network; }

void LaunchOptions::setSinglePlayerFrameEnabled(bool enabled)
{
    if (d->context.single)
        d->context.single->setFrameEnabled(enabled);
}

void LaunchOptions::ClearSinglePlayerOptions()
{
    if (d->context.single)
        d->context.single->ClearSinglePlayerOptions();
}

void LaunchOptions::ClearMultiPlayerOptions()
{
    if (d->context.multi)
        d->context.multi->ClearMultiPlayerOptions();
}

void LaunchOptions::ClearMiscOptions()
{
    if (d->context.misc)
        d->context.misc->ClearMiscOptions();
}

void LaunchOptions::ClearAllOptions()
{
    d->context.host.clearConRtsOptions();
    ClearMultiPlayerOptions();
    ClearMiscOptions();
    ClearSinglePlayerOptions();
    d->context.host.untickUseCon();
}

bool LaunchOptions::isVersion15() const { return d->context.isVersion15(); }

void LaunchOptions::versionChanged()
{
    LaunchContext &ctx = d->context;
    if (ctx.single && ctx.single->isOn())
        ctx.single->reinitialise();
    else if (ctx.multi && ctx.multi->isOn())
        ctx.multi->reinitialise();
}
