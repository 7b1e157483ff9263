#include "confiles/StockStore.h"

#include "confiles/GrpDirectory.h"
#include "core/Module1.h"
#include "platform/Files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

namespace {

const QString ManifestName = QStringLiteral("manifest");

QByteArray sha256(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// Manifest fields are tab-separated; a tab, a line break or a % inside a field (a path holding
// one) is written as %XX. So are blanks at a field's ends, which reading trims off a line (a game
// folder "Duke " would otherwise never be found captured again).
QByteArray escaped(const QString &field)
{
    const QByteArray utf8 = field.toUtf8();
    QByteArray out;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        const bool atEnd = i == 0 || i == utf8.size() - 1;
        if (c == '%' || c == '\t' || c == '\n' || c == '\r' || (atEnd && (c == ' ' || c == '\v' || c == '\f')))
            out += '%' + QByteArray::number(uchar(c), 16).rightJustified(2, '0').toUpper();
        else
            out += c;
    }
    return out;
}

QString unescaped(const QByteArray &field)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(field));
}

} // namespace

StockStore::StockStore(Files &files, const QString &root, const QString &programDir)
    : m_files(files), m_root(root), m_programDir(programDir)
{
}

QString StockStore::defaultRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Zentrel/stock");
}

QString StockStore::versionDir(bool version15) const
{
    return Module1::JoinPath(m_root, version15 ? QStringLiteral("15") : QStringLiteral("13d"));
}

QString StockStore::canonical(const QString &dir)
{
    const QString canonicalPath = QFileInfo(dir).canonicalFilePath();
    return QDir::cleanPath(canonicalPath.isEmpty() ? QFileInfo(dir).absoluteFilePath() : canonicalPath);
}

StockStore::Manifest StockStore::parseManifest(const QByteArray &text)
{
    Manifest out;
    for (const QByteArray &line : text.split('\n')) {
        const QList<QByteArray> f = line.trimmed().split('\t');
        if (f.size() == 2 && f[0] == "dir") {
            out.directories << unescaped(f[1]);
        } else if (f.size() == 6 && f[0] == "file") {
            bool ok = false;
            Entry e;
            e.stockName = unescaped(f[1]);
            e.size = f[2].toLongLong(&ok);
            e.sha256 = f[3].toLower();
            e.captured = QDateTime::fromString(QString::fromLatin1(f[4]), Qt::ISODate);
            e.source = unescaped(f[5]);
            if (ok && e.size >= 0 && e.sha256.size() == 64 && !e.stockName.isEmpty())
                out.entries << e;
        }
    }
    return out;
}

QByteArray StockStore::writeManifest(const Manifest &manifest)
{
    QByteArray out = "# Zentrel's captured originals of the game's files: the game directories captured, and "
                     "name, size, SHA-256, time and source of every copy.\n";
    for (const QString &dir : manifest.directories)
        out += "dir\t" + escaped(dir) + '\n';
    for (const Entry &e : manifest.entries)
        out += "file\t" + escaped(e.stockName) + '\t' + QByteArray::number(e.size) + '\t' + e.sha256 + '\t'
               + e.captured.toUTC().toString(Qt::ISODate).toLatin1() + '\t' + escaped(e.source) + '\n';
    return out;
}

StockStore::Manifest StockStore::manifest(bool version15) const
{
    const std::optional<QByteArray> text = m_files.read(Module1::JoinPath(versionDir(version15), ManifestName));
    return text ? parseManifest(*text) : Manifest{};
}

bool StockStore::saveManifest(bool version15, const Manifest &manifest, QString *error)
{
    if (m_files.write(Module1::JoinPath(versionDir(version15), ManifestName), writeManifest(manifest)))
        return true;
    if (error)
        *error = m_files.errorString();
    return false;
}

bool StockStore::hasCaptured(const QString &gameDir) const
{
    const QString wanted = canonical(gameDir);
    for (const bool v15 : {false, true})
        if (manifest(v15).directories.contains(wanted))
            return true;
    return false;
}

StockStore::Capture StockStore::captureIfNew(const QString &gameDir, bool tickedVersion15)
{
    Capture result;
    if (gameDir.isEmpty() || !m_files.dirExists(gameDir) || hasCaptured(gameDir))
        return result;
    result.newDirectory = true;
    result.version15 = GrpDirectory::isVersion15(gameDir).value_or(tickedVersion15);

    const QString dir = versionDir(result.version15);
    if (!QDir().mkpath(dir)) {
        result.error = QStringLiteral("Zentrel could not keep the game's original files: the folder %1 could not "
                                      "be created.").arg(QDir::toNativeSeparators(dir));
        return result;
    }
    Manifest current = manifest(result.version15);
    static const QString Originals[] = {QStringLiteral("USER.CON"), QStringLiteral("GAME.CON"),
                                        QStringLiteral("DEFS.CON"), QStringLiteral("DUKE.RTS")};
    int i = 0;
    for (const StockNames::Role role : StockNames::AllRoles) {
        const QString source = m_files.resolve(Module1::JoinPath(gameDir, Originals[i++]));
        const QString stockName = StockNames::stockFile(role, result.version15);
        const QString target = Module1::JoinPath(dir, stockName);
        // A copy the manifest does not name was left by a start killed before it saved the
        // manifest: it could never be put back, so it is kept anew.
        const bool keptBefore = std::any_of(current.entries.cbegin(), current.entries.cend(), [&](const Entry &e) {
            return e.stockName.compare(stockName, Qt::CaseInsensitive) == 0;
        });
        if (!m_files.exists(source) || (keptBefore && m_files.exists(target)))
            continue; // nothing to keep, or a copy kept before: never overwritten
        const std::optional<QByteArray> bytes = m_files.read(source);
        if (!bytes || !m_files.write(target, *bytes)) {
            result.error = m_files.errorString();
            continue;
        }
        // Read back what was kept: only a copy identical to the source counts.
        const std::optional<QByteArray> kept = m_files.read(target);
        if (!kept || sha256(*kept) != sha256(*bytes)) {
            m_files.remove(target);
            result.error = QStringLiteral("Zentrel could not keep %1: its copy did not read back whole.")
                               .arg(QDir::toNativeSeparators(source));
            continue;
        }
        current.entries.erase(std::remove_if(current.entries.begin(), current.entries.end(),
                                             [&](const Entry &e) {
                                                 return e.stockName.compare(stockName, Qt::CaseInsensitive) == 0;
                                             }),
                              current.entries.end());
        current.entries << Entry{stockName, bytes->size(), sha256(*bytes), QDateTime::currentDateTimeUtc(), source};
        result.stored << stockName;
    }
    current.directories << canonical(gameDir);
    QString error;
    if (!saveManifest(result.version15, current, &error) && result.error.isEmpty())
        result.error = error;
    return result;
}

std::optional<QString> StockStore::findName(const QString &stockName, bool version15) const
{
    if (!m_programDir.isEmpty()) {
        const QString installed = m_files.resolve(Module1::JoinPath(m_programDir, stockName));
        if (m_files.exists(installed))
            return installed;
    }
    const QString captured = m_files.resolve(Module1::JoinPath(versionDir(version15), stockName));
    if (!m_files.exists(captured))
        return std::nullopt;
    for (const Entry &e : manifest(version15).entries) {
        if (e.stockName.compare(stockName, Qt::CaseInsensitive) != 0)
            continue;
        const std::optional<QByteArray> bytes = m_files.read(captured);
        if (bytes && bytes->size() == e.size && sha256(*bytes) == e.sha256)
            return captured;
        return std::nullopt; // damaged since it was captured: never put back
    }
    return std::nullopt;
}

std::optional<QString> StockStore::find(StockNames::Role role, bool version15) const
{
    return findName(StockNames::stockFile(role, version15), version15);
}

QString StockStore::describe(bool version15) const
{
    const Manifest m = manifest(version15);
    QStringList have;
    for (const StockNames::Role role : StockNames::AllRoles)
        if (find(role, version15))
            have << StockNames::gameFile(role).toUpper();
    const QString version = StockNames::versionName(version15);
    if (have.isEmpty())
        return QStringLiteral("No originals of version %1 are kept yet: Zentrel keeps the game's own files the "
                              "first time it sees a game directory of that version.")
            .arg(version);
    QString from;
    if (!m.directories.isEmpty())
        from = QStringLiteral(" from %1").arg(QDir::toNativeSeparators(m.directories.first()));
    return QStringLiteral("Originals of version %1 kept%2: %3 (in %4).")
        .arg(version, from, have.join(QStringLiteral(", ")), QDir::toNativeSeparators(versionDir(version15)));
}

QString StockStore::summary(bool version15) const
{
    QStringList have;
    for (const StockNames::Role role : StockNames::AllRoles)
        if (find(role, version15))
            have << StockNames::gameFile(role).toUpper();
    if (have.isEmpty())
        return QStringLiteral("No originals kept for %1 yet.").arg(StockNames::versionName(version15));
    return QStringLiteral("Originals kept for %1: %2.")
        .arg(StockNames::versionName(version15), have.join(QStringLiteral(", ")));
}
