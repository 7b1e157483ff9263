#pragma once

#include "confiles/StockNames.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

class Files;

// The replacement CON and RTS files chosen for the launch, and the swap-in that copies them over
// the game's files: RTS, User, Game, Defs, each only when chosen.
struct ChosenFiles
{
    QString ChosenRts;
    QString ChosenUserCon;
    QString ChosenGameCon;
    QString ChosenDefsCon;
    // "Use This Con When Launching Duke3d": the editor's text goes in as User.con (it wins over a
    // chosen file, which the tick replaces in the list).
    std::optional<QByteArray> editorUserCon;

    bool any() const;
};

namespace SwapIn {

struct Step
{
    StockNames::Role role;
    QString sourceName;
    QByteArray bytes;
};

struct Prepared
{
    QString error;     // empty: ready; otherwise names the chosen file that cannot be read
    QList<Step> steps; // in the swap-in order
};

// Reads every chosen file before anything is touched. A chosen file that vanished or cannot be
// read stops the launch with one message naming it, and no game file changes.
Prepared prepare(Files &files, const ChosenFiles &chosen);

// Replaces the game's files; an empty text when all went well.
QString SwapInChosenFiles(Files &files, const QString &dukePath, const Prepared &prepared);

} // namespace SwapIn
