#pragma once

// What every fuzz target shares: a property check that ends the run (libFuzzer then keeps the
// input as a finding), game files held in memory, and a scratch folder for the stores that work
// on real files.

#include "platform/Files.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

// A broken property is a finding: say which, then abort so libFuzzer saves the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace Fuzz {

inline QByteArray bytes(const std::string &s)
{
    return QByteArray(s.data(), qsizetype(s.size()));
}

// Text as a player or a file would give it: the bytes as UTF-8 (broken sequences become U+FFFD).
inline QString text(FuzzedDataProvider &in, size_t maxLength = 64)
{
    return QString::fromStdString(in.ConsumeRandomLengthString(maxLength));
}

// One of a few likely names (so writes meet each other and the file's own names), or any text.
inline QString name(FuzzedDataProvider &in, std::initializer_list<const char *> likely)
{
    const uint8_t pick = in.ConsumeIntegral<uint8_t>();
    if (pick < 160 && likely.size() > 0)
        return QString::fromUtf8(likely.begin()[pick % likely.size()]);
    return text(in, 24);
}

// A folder of its own for the whole run, in memory where the machine offers that.
inline QString scratchDir()
{
    static QTemporaryDir *dir = [] {
        const QString shm = QStringLiteral("/dev/shm");
        return QFileInfo(shm).isWritable() ? new QTemporaryDir(shm + QStringLiteral("/zentrel-fuzz-XXXXXX"))
                                           : new QTemporaryDir();
    }();
    FUZZ_CHECK(dir->isValid());
    return dir->path();
}

// Files held in memory, with the last path component matched in any letter case as on the disk.
class MemoryFiles : public Files
{
public:
    QHash<QString, QByteArray> files;
    QSet<QString> readOnly;

    QString resolve(const QString &path) const override
    {
        if (files.contains(path))
            return path;
        const QString dir = QFileInfo(path).path();
        const QString last = QFileInfo(path).fileName();
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            if (QFileInfo(it.key()).path() == dir && QFileInfo(it.key()).fileName().compare(last, Qt::CaseInsensitive) == 0)
                return it.key();
        }
        return path;
    }
    bool exists(const QString &path) const override { return files.contains(resolve(path)); }
    bool dirExists(const QString &path) const override
    {
        return std::any_of(files.keyBegin(), files.keyEnd(),
                           [&](const QString &f) { return f.startsWith(path + QLatin1Char('/')); });
    }
    bool isReadOnly(const QString &path) const override { return readOnly.contains(resolve(path)); }
    bool setReadOnly(const QString &path, bool on) override
    {
        if (on)
            readOnly.insert(resolve(path));
        else
            readOnly.remove(resolve(path));
        return true;
    }
    bool remove(const QString &path) override { return files.remove(resolve(path)) > 0 || fail(); }
    bool copy(const QString &from, const QString &to) override
    {
        const auto data = read(from);
        return data && write(to, *data);
    }
    std::optional<QByteArray> read(const QString &path) const override
    {
        const auto it = files.constFind(resolve(path));
        if (it == files.cend()) {
            fail();
            return std::nullopt;
        }
        return *it;
    }
    std::optional<QByteArray> readStart(const QString &path, qint64 maxBytes) const override
    {
        const auto data = read(path);
        return data ? std::optional<QByteArray>(data->left(maxBytes)) : std::nullopt;
    }
    bool write(const QString &path, const QByteArray &data) override
    {
        const QString target = resolve(path);
        if (readOnly.contains(target))
            return fail();
        files[target] = data;
        return true;
    }
    QStringList list(const QString &dir, const QString &wildcard) const override
    {
        const QRegularExpression pattern(QRegularExpression::wildcardToRegularExpression(wildcard),
                                         QRegularExpression::CaseInsensitiveOption);
        QStringList names;
        for (auto it = files.keyBegin(); it != files.keyEnd(); ++it) {
            if (QFileInfo(*it).path() == dir && pattern.match(QFileInfo(*it).fileName()).hasMatch())
                names << QFileInfo(*it).fileName();
        }
        names.sort();
        return names;
    }
    QString errorString() const override { return m_error; }

private:
    bool fail() const
    {
        m_error = QStringLiteral("no such file in memory");
        return false;
    }
    mutable QString m_error;
};

} // namespace Fuzz
