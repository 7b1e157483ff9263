#include "help/HelpFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace HelpFiles {

QStringList candidates(const QString &programDir)
{
    QStringList out{QDir::cleanPath(programDir + QStringLiteral("/../share/zentrel/help"))};
    const QString installed = QStringLiteral(ZENTREL_INSTALLED_HELP);
    if (!out.contains(QDir::cleanPath(installed)))
        out << QDir::cleanPath(installed);
    return out;
}

QString directory(const QString &programDir)
{
    const QStringList all = candidates(programDir);
    for (const QString &dir : all)
        if (QFileInfo(QDir(dir).filePath(EntryPage)).isFile())
            return dir;
    return all.first();
}

bool present(const QString &programDir)
{
    return QFileInfo(QDir(directory(programDir)).filePath(EntryPage)).isFile();
}

QString webSite()
{
    return QStringLiteral(ZENTREL_WEB_SITE);
}

QStringList links(const QString &html)
{
    static const QRegularExpression href(QStringLiteral(R"re(href\s*=\s*"([^"]*)")re"),
                                         QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (auto it = href.globalMatch(html); it.hasNext();)
        out << it.next().captured(1);
    return out;
}

} // namespace HelpFiles
