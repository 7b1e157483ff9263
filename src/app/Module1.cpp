#include "app/Module1.h"

#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/SettingsStore.h"

Module1::Module1(Platform &platform) : platform(platform) {}

QString Module1::JoinPath(const QString &directory, const QString &name)
{
    if (directory.endsWith(QLatin1Char('/')))
        return directory + name;
    return directory + QLatin1Char('/') + name;
}

void Module1::FileExists(const QString &path)
{
    if (platform.files.exists(path))
        FileFound = true;
}

void Module1::LoadPreferences()
{
    SettingsStore &store = platform.settings;
    const QString prefs = QStringLiteral("Prefs");
    HideDosWin = store.value(prefs, QStringLiteral("HideDosWin"));
    CloseDosWin = store.value(prefs, QStringLiteral("CloseDosWin"));
    CONpref = store.value(prefs, QStringLiteral("CONpref"));
    RTSpref = store.value(prefs, QStringLiteral("RTSpref"));
    DukeWin = store.value(prefs, QStringLiteral("DukeWin"));
    if (DukeWin.isEmpty()) {
        DukeWin = QStringLiteral("0");
        store.setValue(prefs, QStringLiteral("DukeWin"), DukeWin);
    }
    if (CloseDosWin.isEmpty()) {
        CloseDosWin = QStringLiteral("No");
        store.setValue(prefs, QStringLiteral("CloseDosWin"), CloseDosWin);
    }
    if (HideDosWin.isEmpty()) {
        HideDosWin = QStringLiteral("No");
        store.setValue(prefs, QStringLiteral("HideDosWin"), HideDosWin);
    }
    const QString paths = QStringLiteral("Paths");
    CONPath = store.value(paths, QStringLiteral("CONPath"));
    RTSPath = store.value(paths, QStringLiteral("RTSPath"));
    MAPPath = store.value(paths, QStringLiteral("MAPPath"));

    bool ok = false;
    const int version = store.value(prefs, QStringLiteral("LastVersion")).trimmed().toInt(&ok);
    LastVersion = (ok && version >= INT16_MIN && version <= INT16_MAX) ? std::int16_t(version) : 0;
}

QString Module1::programFile(const QString &name) const
{
    return JoinPath(platform.programDir, name);
}

QString Module1::gameFile(const QString &name) const
{
    return JoinPath(DukePath, name);
}
