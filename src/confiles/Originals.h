#pragma once

#include "confiles/GameFileReplacement.h"

#include <QList>
#include <QString>

class Files;
class StockStore;

// Putting the game's own files back from the stock copies: DeCON (USER, GAME and DEFS.CON), DeRTS
// (DUKE.RTS), and the silent return at exit. Every stock file needed is found and read before any
// game file is touched, so a missing one leaves all game files as they were; the returned files
// are left read-only.
namespace Originals {

struct Plan
{
    QString missing; // the message for a stock file that is not there; empty when all are
    QList<GameFileReplacement::Replacement> replacements;
};

// DeCON and the exit's return of the CONs: the version's three stock CONs.
Plan conPlan(Files &files, const StockStore &store, const QString &dukePath, bool version15);
// DeRTS: "KVdukep.dat" for both versions; under 1.3d "KVDuke.dat" when there is no "KVdukep.dat".
Plan deRtsPlan(Files &files, const StockStore &store, const QString &dukePath, bool version15);
// The exit's return of DUKE.RTS: "KVDukep.dat" for 1.4/1.5, "KVDuke.dat" for 1.3d.
Plan exitRtsPlan(Files &files, const StockStore &store, const QString &dukePath, bool version15);

// Replaces the game's files and makes them read-only; an empty text when all went well.
QString apply(Files &files, const Plan &plan);

// The exit's return: kind "CON" for the three CON files, anything else for DUKE.RTS. Silent:
// nothing happens when a stock file is missing.
void ReturnToOriginal(Files &files, const StockStore &store, const QString &dukePath, const QString &kind,
                      bool version15);

} // namespace Originals
