#include "core/Module1.h"

#include "core/SettingsKeys.h"
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

bool Module1::LoadPreferences()
{
    using namespace SettingsKeys;
    SettingsStore &store = platform.settings;
    bool saved = true;
    HideDosWin = store.value(Prefs, SettingsKeys::HideDosWin);
    CloseDosWin = store.value(Prefs, SettingsKeys::CloseDosWin);
    CONpref = store.value(Prefs, SettingsKeys::CONpref);
    RTSpref = store.value(Prefs, SettingsKeys::RTSpref);
    DukeWin = store.value(Prefs, SettingsKeys::DukeWin);
    if (DukeWin.isEmpty()) {
        DukeWin = QStringLiteral("0");
        saved = store.setValue(Prefs, SettingsKeys::DukeWin, DukeWin) && saved;
    }
    if (CloseDosWin.isEmpty()) {
        CloseDosWin = No;
        saved = store.setValue(Prefs, SettingsKeys::CloseDosWin, CloseDosWin) && saved;
    }
    if (HideDosWin.isEmpty()) {
        HideDosWin = No;
        saved = store.setValue(Prefs, SettingsKeys::HideDosWin, HideDosWin) && saved;
    }
    CONPath = store.value(Paths, SettingsKeys::CONPath);
    RTSPath = store.value(Paths, SettingsKeys::RTSPath);
    MAPPath = store.value(Paths, SettingsKeys::MAPPath);

    bool ok = false;
    const int version = store.value(Prefs, SettingsKeys::LastVersion).trimmed().toInt(&ok);
    LastVersion = (ok && version >= INT16_MIN && version <= INT16_MAX) ? std::int16_t(version) : 0;
    return saved;
}

QString Module1::programFile(const QString &name) const
{
    return JoinPath(platform.programDir, name);
}

QString Module1::gameFile(const QString &name) const
{
    return JoinPath(DukePath, name);
}
