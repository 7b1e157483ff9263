#pragma once

#include "platform/Files.h"

// Files on the real disk, through Qt. Last path components are matched in any letter case; writes
// and copies go through QSaveFile in the target's directory so a failure never leaves a half file.
class DiskFiles : public Files
{
public:
    DiskFiles() = default;

    QString resolve(const QString &path) const override;
    bool exists(const QString &path) const override;
    bool dirExists(const QString &path) const override;
    bool isReadOnly(const QString &path) const override;
    bool setReadOnly(const QString &path, bool readOnly) override;
    bool remove(const QString &path) override;
    bool copy(const QString &from, const QString &to) override;
    std::optional<QByteArray> read(const QString &path) const override;
    std::optional<QByteArray> readStart(const QString &path, qint64 maxBytes) const override;
    bool write(const QString &path, const QByteArray &data) override;
    QStringList list(const QString &dir, const QString &wildcard) const override;

    QString errorString() const override { return m_error; }

private:
    bool fail(const QString &message) const;

    mutable QString m_error;
};
