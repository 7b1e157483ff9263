#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// File operations on the game and program directories. The game's files carry DOS names whose
// letter case on disk is anyone's guess, so every operation resolves the last component of a
// path case-insensitively to an existing entry. A new file gets the given spelling only when no
// entry of any case exists. Every write and copy replaces its target atomically: a failure leaves
// the old file as it was.
class Files
{
public:
    virtual ~Files() = default;

    // The existing entry that matches the path's last component in any letter case, or the path
    // unchanged when there is none.
    virtual QString resolve(const QString &path) const = 0;
    virtual bool exists(const QString &path) const = 0;     // a file (not a directory)
    virtual bool dirExists(const QString &path) const = 0;
    virtual bool isReadOnly(const QString &path) const = 0; // owner has no write permission
    virtual bool setReadOnly(const QString &path, bool readOnly) = 0;
    virtual bool remove(const QString &path) = 0;
    virtual bool copy(const QString &from, const QString &to) = 0;
    virtual std::optional<QByteArray> read(const QString &path) const = 0;
    // At most the first maxBytes bytes: a large file costs no more than a small one.
    virtual std::optional<QByteArray> readStart(const QString &path, qint64 maxBytes) const = 0;
    virtual bool write(const QString &path, const QByteArray &data) = 0;
    // File names in a directory matching a DOS wildcard such as "Game*.sav", any letter case,
    // sorted by name.
    virtual QStringList list(const QString &dir, const QString &wildcard) const = 0;

    // Why the last failing operation failed, in words for the player.
    virtual QString errorString() const = 0;
};
