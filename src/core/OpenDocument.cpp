#include "core/OpenDocument.h"

#include "core/PreparedRunner.h"
#include "platform/DesktopOpener.h"
#include "platform/Files.h"
#include "platform/GameRunner.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace OpenDocument {

bool isDosProgramName(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    for (const char *dos : {"exe", "com", "bat"})
        if (suffix.compare(QLatin1String(dos), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString open(Platform &platform, const QString &path)
{
    const QFileInfo info(path);
    const QString directory = info.path();
    const QString shown = QDir::toNativeSeparators(path);
    if (!info.isAbsolute() || !platform.files.dirExists(directory))
        return QCoreApplication::translate("OpenDocument", "The folder %1 is not there any more, so %2 cannot be opened.")
            .arg(QDir::toNativeSeparators(directory), info.fileName());
    if (!platform.files.exists(path))
        return shown + QStringLiteral(" not found.");

    GameRunner *runner = preparedRunner(platform);
    if (runner && (isDosProgramName(info.fileName()) || runner->runsNatively(path))) {
        GameRunner::Request request;
        request.directory = directory;
        request.program = info.fileName();
        request.closeWhenDone = true; // a tool's DOSBox goes when the tool ends
        const GameRunner::Result result = runner->start(request);
        if (result.started)
            return {};
        return result.message.isEmpty() ? shown + QStringLiteral(" not found.") : result.message;
    }
    if (!platform.desktop || !platform.desktop->openFile(path))
        return shown + QStringLiteral(" not found.");
    return {};
}

} // namespace OpenDocument
