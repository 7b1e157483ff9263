#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class Files;

// How Zentrel replaces the game's files (swap-in, return to the originals): every source is read
// whole before any game file is touched, then each target is replaced atomically (its read-only
// bit cleared first), so a failure or a kill at any moment leaves every game file old or new,
// whole, never missing or cut.
namespace GameFileReplacement {

struct Replacement
{
    QString target;     // the game file, in any letter case
    QString sourceName; // for messages: the source's path, or what the text is
    QByteArray bytes;
};

// Reads a source whole; on failure *error says which file could not be read and why.
bool readSource(Files &files, const QString &path, QByteArray *bytes, QString *error);

// Replaces the targets in order. readOnlyAfter: each replaced file is made read-only (the
// originals returned are). Returns an empty text, or a sentence naming the file that could not be
// replaced (those before it are replaced, those after it untouched).
QString replaceAll(Files &files, const QList<Replacement> &replacements, bool readOnlyAfter);

} // namespace GameFileReplacement
