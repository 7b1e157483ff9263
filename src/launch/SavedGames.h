#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class Files;

// The game's saved games in the game directory: GAME0.SAV to GAME9.SAV in any letter case, each
// with its slot (the character after "Game") and the description the game wrote into it.
namespace SavedGames {

struct Entry
{
    QString fileName;    // as on disk
    QChar slot;          // '0' to '9'
    QString description; // readable text, possibly empty

    // The item of the saved-game list: the slot, one blank, the description.
    QString item() const { return QString(slot) + QLatin1Char(' ') + description; }
};

// Where the description starts, and the most of it that is ever read: a description runs up to
// the first lower-case letter or digit, which in the game's files comes within a few bytes.
constexpr qint64 DescriptionOffset = 26;
constexpr qint64 DescriptionMaxBytes = 64;

// The description in head, the file's first bytes: from offset 26 up to, not including, the
// first byte that is a lower-case ASCII letter or an ASCII digit, or the end. Printable ASCII is
// kept; every run of other bytes (the game's zero padding, binary data) shows as one blank, and
// blanks at either end are dropped.
QString description(const QByteArray &head);

// The saved games of the directory, ordered by name. Only regular files are read, and only their
// first bytes; a file that cannot be read is listed with an empty description.
QList<Entry> scan(const Files &files, const QString &directory);

} // namespace SavedGames
