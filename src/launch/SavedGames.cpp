#include "launch/SavedGames.h"

#include "platform/Files.h"

namespace SavedGames {

QString description(const QByteArray &head)
{
    QString text;
    bool gap = false;
    const qint64 end = qMin<qint64>(head.size(), DescriptionOffset + DescriptionMaxBytes);
    for (qint64 i = DescriptionOffset; i < end; ++i) {
        const char c = head.at(i);
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            break;
        if (c >= 0x20 && c <= 0x7e) {
            if (gap && !text.isEmpty())
                text += QLatin1Char(' ');
            gap = false;
            text += QLatin1Char(c);
        } else {
            gap = true;
        }
    }
    return text.trimmed();
}

QList<Entry> scan(const Files &files, const QString &directory)
{
    QList<Entry> entries;
    for (const QString &name : files.list(directory, QStringLiteral("Game*.sav"))) {
        // The game saves only into slots 0 to 9; another name would hand it a switch of its own.
        if (name.size() < 5 || !name.at(4).isDigit() || name.at(4).unicode() > '9')
            continue;
        const QString path = directory + QLatin1Char('/') + name;
        if (!files.exists(path))
            continue; // a folder, a pipe, a device
        const std::optional<QByteArray> head = files.readStart(path, DescriptionOffset + DescriptionMaxBytes);
        entries.append({name, name.at(4), head ? description(*head) : QString()});
    }
    return entries;
}

} // namespace SavedGames
