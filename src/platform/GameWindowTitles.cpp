#include "platform/GameWindowTitles.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace GameWindowTitles {

namespace {
const QString kDosBoxPrompt = QStringLiteral("DOSBOX");
const QString kFinished = QStringLiteral("Finished - ");
} // namespace

Query parse(const QString &title)
{
    Query q;
    QString name = title.trimmed();
    if (name.startsWith(kFinished, Qt::CaseInsensitive)) {
        q.finished = true;
        name = name.mid(kFinished.size()).trimmed();
    }
    q.program = name.toUpper();
    q.valid = !q.program.isEmpty();
    return q;
}

QString programWord(const QString &windowTitle)
{
    const int at = windowTitle.lastIndexOf(QLatin1String("Program:"), -1, Qt::CaseInsensitive);
    if (at < 0)
        return {};
    QString word = windowTitle.mid(at + 8).trimmed();
    static const QRegularExpression paused(QStringLiteral("\\s+PAUSED$"),
                                           QRegularExpression::CaseInsensitiveOption);
    word.remove(paused);
    // Only the first word: other builds may put more after the name.
    const int blank = word.indexOf(QRegularExpression(QStringLiteral("[\\s,]")));
    if (blank >= 0)
        word.truncate(blank);
    return word.toUpper();
}

QString programOfFile(const QString &file)
{
    return QFileInfo(file).completeBaseName().toUpper();
}

bool matches(const Query &query, const Window &window)
{
    if (!query.valid)
        return false;
    if (!window.inDosBox)
        return !query.finished && query.program == window.startedProgram;
    if (!query.finished)
        return window.currentWord == query.program;
    return window.currentWord == kDosBoxPrompt && query.program != kDosBoxPrompt
           && window.seenWords.contains(query.program);
}

} // namespace GameWindowTitles
