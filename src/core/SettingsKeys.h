#pragma once

#include <QString>

// Every section and key of Zentrel's settings store, by the names players see in the file.
// Names match without regard to letter case; the spelling here is the one first written.
namespace SettingsKeys {

// [Paths]
inline const QString Paths = QStringLiteral("Paths");
inline const QString DukePath = QStringLiteral("DukePath");
inline const QString CONPath = QStringLiteral("CONPath");
inline const QString RTSPath = QStringLiteral("RTSPath");
inline const QString MAPPath = QStringLiteral("MAPPath");
inline const QString DOSBox = QStringLiteral("DOSBox"); // the DOSBox program; empty: dosbox on the PATH

// [Prefs]
inline const QString Prefs = QStringLiteral("Prefs");
inline const QString Splash = QStringLiteral("Splash");
inline const QString HideDosWin = QStringLiteral("HideDosWin");
inline const QString CloseDosWin = QStringLiteral("CloseDosWin");
inline const QString CONpref = QStringLiteral("CONpref");
// The same key as CONpref: Preferences writes a ticked box under this spelling.
inline const QString CONPrefTicked = QStringLiteral("CONPref");
inline const QString RTSpref = QStringLiteral("RTSpref");
inline const QString DukeWin = QStringLiteral("DukeWin");
inline const QString LastVersion = QStringLiteral("LastVersion");

// [Network]: network games between DOSBoxes, through DOSBox's IPX tunnel.
inline const QString Network = QStringLiteral("Network");
inline const QString NetRole = QStringLiteral("Role"); // "Host" or "Join"
inline const QString NetHost = QStringLiteral("Host"); // the hosting computer, for "Join"
inline const QString NetPort = QStringLiteral("Port"); // UDP; empty: 213
inline const QString RoleHost = QStringLiteral("Host");
inline const QString RoleJoin = QStringLiteral("Join");

// The user-defined menus: one key per menu in each.
inline const QString MenuName = QStringLiteral("MenuName");
inline const QString MenuPath = QStringLiteral("MenuPath");

// Stored values.
inline const QString Yes = QStringLiteral("Yes");
inline const QString No = QStringLiteral("No");
inline const QString Version13d = QStringLiteral("13d");
inline const QString Version15 = QStringLiteral("15");

} // namespace SettingsKeys
