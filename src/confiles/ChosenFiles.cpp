#include "confiles/ChosenFiles.h"

#include "confiles/GameFileReplacement.h"
#include "core/Module1.h"

bool ChosenFiles::any() const
{
    return !ChosenRts.isEmpty() || !ChosenUserCon.isEmpty() || !ChosenGameCon.isEmpty() || !ChosenDefsCon.isEmpty()
           || editorUserCon.has_value();
}

namespace SwapIn {

Prepared prepare(Files &files, const ChosenFiles &chosen)
{
    using StockNames::Role;
    Prepared out;
    const auto add = [&](Role role, const QString &path) {
        if (path.isEmpty() || !out.error.isEmpty())
            return;
        QByteArray bytes;
        QString why;
        if (!GameFileReplacement::readSource(files, path, &bytes, &why)) {
            out.error = QStringLiteral("The chosen %1 file cannot be read, so the game was not started and none of "
                                       "its files was changed:\n%2\n\nChoose it again on the CON/RTS tab, or clear "
                                       "the CON/RTS options.")
                            .arg(role == Role::Rts ? QStringLiteral("RTS") : StockNames::gameFile(role), why);
            return;
        }
        out.steps.append({role, path, bytes});
    };
    add(Role::Rts, chosen.ChosenRts);
    if (chosen.editorUserCon)
        out.steps.append({Role::User, QStringLiteral("the User Con Editor's text"), *chosen.editorUserCon});
    else
        add(Role::User, chosen.ChosenUserCon);
    add(Role::Game, chosen.ChosenGameCon);
    add(Role::Defs, chosen.ChosenDefsCon);
    if (!out.error.isEmpty())
        out.steps.clear();
    return out;
}

QString SwapInChosenFiles(Files &files, const QString &dukePath, const Prepared &prepared)
{
    QList<GameFileReplacement::Replacement> replacements;
    for (const Step &step : prepared.steps)
        replacements.append({Module1::JoinPath(dukePath, StockNames::gameFile(step.role)), step.sourceName, step.bytes});
    return GameFileReplacement::replaceAll(files, replacements, false);
}

} // namespace SwapIn
