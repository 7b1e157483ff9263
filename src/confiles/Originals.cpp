#include "confiles/Originals.h"

#include "confiles/StockNames.h"
#include "confiles/StockStore.h"
#include "core/Module1.h"

#include <QDir>

namespace Originals {

namespace {

using StockNames::Role;

QString notFound(const StockStore &store, const QString &stockName, bool version15, const QString &operation)
{
    // The place the player's originals are kept is named first, as where the copy was looked for.
    QString text = Module1::JoinPath(store.versionDir(version15), stockName)
                   + QStringLiteral(" not found. %1 aborted.").arg(operation);
    if (!store.programDir().isEmpty())
        text += QStringLiteral("\nZentrel looked for it in %1 and in %2. Originals are kept the first time Zentrel "
                               "sees a game directory (View > Options).")
                    .arg(QDir::toNativeSeparators(store.programDir()),
                         QDir::toNativeSeparators(store.versionDir(version15)));
    return text;
}

bool addStock(Files &files, Plan &plan, const QString &stockPath, const QString &gameFile)
{
    QByteArray bytes;
    QString why;
    if (!GameFileReplacement::readSource(files, stockPath, &bytes, &why)) {
        plan.missing = why;
        return false;
    }
    plan.replacements.append({gameFile, stockPath, bytes});
    return true;
}

} // namespace

Plan conPlan(Files &files, const StockStore &store, const QString &dukePath, bool version15)
{
    Plan plan;
    for (const Role role : {Role::User, Role::Game, Role::Defs}) {
        const QString stockName = StockNames::stockFile(role, version15);
        const std::optional<QString> stock = store.find(role, version15);
        if (!stock) {
            plan.missing = notFound(store, stockName, version15, QStringLiteral("DeCON"));
            break;
        }
        if (!addStock(files, plan, *stock, Module1::JoinPath(dukePath, StockNames::gameFile(role))))
            break;
    }
    if (!plan.missing.isEmpty())
        plan.replacements.clear();
    return plan;
}

Plan deRtsPlan(Files &files, const StockStore &store, const QString &dukePath, bool version15)
{
    Plan plan;
    std::optional<QString> stock = store.find(Role::Rts, true);
    // A 1.3d player's captured originals hold KVDuke.dat but no KVdukep.dat.
    if (!stock && !version15)
        stock = store.find(Role::Rts, false);
    if (!stock) {
        plan.missing = notFound(store, QStringLiteral("KVdukep.dat"), true, QStringLiteral("DeRTS"));
        return plan;
    }
    addStock(files, plan, *stock, Module1::JoinPath(dukePath, StockNames::gameFile(Role::Rts)));
    return plan;
}

Plan exitRtsPlan(Files &files, const StockStore &store, const QString &dukePath, bool version15)
{
    Plan plan;
    const std::optional<QString> stock = store.find(Role::Rts, version15);
    if (!stock) {
        plan.missing = notFound(store, StockNames::stockFile(Role::Rts, version15), version15, QStringLiteral("DeRTS"));
        return plan;
    }
    addStock(files, plan, *stock, Module1::JoinPath(dukePath, StockNames::gameFile(Role::Rts)));
    return plan;
}

QString apply(Files &files, const Plan &plan)
{
    if (!plan.missing.isEmpty())
        return plan.missing;
    return GameFileReplacement::replaceAll(files, plan.replacements, true);
}

void ReturnToOriginal(Files &files, const StockStore &store, const QString &dukePath, const QString &kind,
                      bool version15)
{
    const Plan plan = kind == QLatin1String("CON") ? conPlan(files, store, dukePath, version15)
                                                   : exitRtsPlan(files, store, dukePath, version15);
    if (plan.missing.isEmpty())
        GameFileReplacement::replaceAll(files, plan.replacements, true);
}

} // namespace Originals
