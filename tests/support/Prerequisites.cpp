#include "Prerequisites.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace Prerequisites {

QString dosStubDir()
{
    return QStringLiteral(ZENTREL_BIN_DIR "/../dosstub");
}

namespace {

QString tool(const char *program)
{
    if (!QStandardPaths::findExecutable(QLatin1String(program)).isEmpty())
        return {};
    return QStringLiteral("%1 is not installed (scripts/bootstrap.sh installs it).").arg(QLatin1String(program));
}

} // namespace

QString missing(std::initializer_list<Need> needs)
{
    QStringList out;
    for (const Need need : needs) {
        QString why;
        switch (need) {
        case Need::DosStubs:
            for (const char *stub : {"DUKE3D.EXE", "COMMIT.EXE"})
                if (!QFileInfo(dosStubDir() + QLatin1Char('/') + QLatin1String(stub)).isFile())
                    why = QStringLiteral("The stand-in DOS programs were not built into %1: the build needs "
                                         "nasm (scripts/bootstrap.sh installs it; re-run cmake afterwards).")
                              .arg(dosStubDir());
            break;
        case Need::DosBox: why = tool("dosbox"); break;
        case Need::Xvfb: why = tool("Xvfb"); break;
        case Need::Openbox: why = tool("openbox"); break;
        case Need::Xdotool: why = tool("xdotool"); break;
        case Need::Trayer: why = tool("trayer"); break;
        case Need::Nasm: why = tool("nasm"); break;
        }
        if (!why.isEmpty())
            out << why;
    }
    return out.join(QLatin1Char(' '));
}

} // namespace Prerequisites
