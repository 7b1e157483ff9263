#include "confiles/GameFileReplacement.h"

#include "platform/Files.h"

#include <QDir>

namespace GameFileReplacement {

bool readSource(Files &files, const QString &path, QByteArray *bytes, QString *error)
{
    if (!files.exists(path)) {
        if (error)
            *error = QStringLiteral("%1 cannot be found.").arg(QDir::toNativeSeparators(path));
        return false;
    }
    const std::optional<QByteArray> data = files.read(path);
    if (!data) {
        if (error)
            *error = files.errorString();
        return false;
    }
    *bytes = *data;
    return true;
}

QString replaceAll(Files &files, const QList<Replacement> &replacements, bool readOnlyAfter)
{
    for (const Replacement &r : replacements) {
        const QString target = files.resolve(r.target);
        const bool wasReadOnly = files.isReadOnly(target);
        if (wasReadOnly)
            files.setReadOnly(target, false);
        if (!files.write(target, r.bytes)) {
            const QString why = files.errorString();
            if (wasReadOnly)
                files.setReadOnly(target, true);
            return QStringLiteral("%1 could not be replaced: %2").arg(QDir::toNativeSeparators(target), why);
        }
        if (readOnlyAfter)
            files.setReadOnly(target, true);
    }
    return {};
}

} // namespace GameFileReplacement
