#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The directory at the front of the game's DUKE3D.GRP: a 12-byte signature, a 32-bit
// little-endian count, then 16-byte entries of a 12-byte name and a 32-bit size. Only the
// directory is read, never the data behind it, and a count the file cannot hold is not trusted.
namespace GrpDirectory {

// The entry names, upper case, or nothing when the file is missing, unreadable or no GRP.
std::optional<QStringList> names(const QString &grpPath);
std::optional<QStringList> namesIn(const QByteArray &head, qint64 fileSize);

// Version 1.4/1.5 ships the fourth episode (E4L1.MAP); 1.3d does not. Nothing without a GRP.
std::optional<bool> isVersion15(const QString &gameDir);

} // namespace GrpDirectory
