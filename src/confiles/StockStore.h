#pragma once

#include "confiles/StockNames.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

class Files;

// The game's own USER.CON, GAME.CON, DEFS.CON and DUKE.RTS as the player had them, captured once
// per game directory the first time Zentrel sees it, so that "Return to Original" puts back the
// player's originals and never a file of Zentrel's own writing. Each version has a folder
// (<root>/13d, <root>/15) of stock copies under the stock names, and a manifest with the source,
// size and SHA-256 of every copy and the game directories captured. A captured copy is never
// overwritten; a copy that no longer matches its manifest is not used.
class StockStore
{
public:
    // root: the store's folder; programDir: where a packager may install real stock copies,
    // looked in first.
    StockStore(Files &files, const QString &root, const QString &programDir);

    // $XDG_DATA_HOME/Zentrel/stock
    static QString defaultRoot();

    QString root() const { return m_root; }
    QString programDir() const { return m_programDir; }
    QString versionDir(bool version15) const;

    struct Entry
    {
        QString stockName;
        qint64 size = 0;
        QByteArray sha256; // hex
        QDateTime captured;
        QString source;
    };
    struct Manifest
    {
        QStringList directories; // game directories captured into this version
        QList<Entry> entries;
    };
    static Manifest parseManifest(const QByteArray &text);
    static QByteArray writeManifest(const Manifest &manifest);
    Manifest manifest(bool version15) const;

    // Whether the game directory was captured before (into either version).
    bool hasCaptured(const QString &gameDir) const;

    struct Capture
    {
        bool newDirectory = false; // false: seen before, nothing was done
        bool version15 = false;
        QStringList stored;        // stock names copied now
        QString error;             // empty when all went well
    };
    // The game directory's originals, the first time it is seen; the version comes from its
    // DUKE3D.GRP, or is the one ticked now when there is no readable GRP.
    Capture captureIfNew(const QString &gameDir, bool tickedVersion15);

    // Where the stock copy of that name is to be had: the program directory first, then the
    // captured set (only a copy that still matches its manifest).
    std::optional<QString> find(StockNames::Role role, bool version15) const;
    std::optional<QString> findName(const QString &stockName, bool version15) const;

    // For the player: what originals there are for a version and where they came from; and the
    // short form ("Originals kept for 1.3d: USER.CON, ...").
    QString describe(bool version15) const;
    QString summary(bool version15) const;

private:
    static QString canonical(const QString &dir);
    bool saveManifest(bool version15, const Manifest &manifest, QString *error);

    Files &m_files;
    QString m_root;
    QString m_programDir;
};
