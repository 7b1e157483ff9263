#pragma once

#include "launch/NetworkValues.h"

#include <QString>

class Files;
class TextBuffer;

// The network keys of duke3d.cfg ("SocketNumber =", "NumberPlayers =", "PlayerName =") and
// commit.dat ("SOCKETNUMBER =", "NumPlayers ="). Each key stands on a line of its own: the key,
// one blank, the value up to the line end. The files are edited in a buffer of their own, so the
// USER.CON in the editor (its text, its FileName and its unsaved-changes state) is never touched.
// A file is written only when every key it needs was found, and always atomically.
namespace NetworkKeys {

inline const QString CfgName = QStringLiteral("duke3d.cfg");
inline const QString CommitName = QStringLiteral("commit.dat");

// Selects the value of the key's first occurrence that stands as a word of its own on its left (so
// "NumPlayers =" is not found inside "MaxNumPlayers ="): one token, as the game reads it, either
// a text between double quotes or everything up to the next blank or the line end. False when
// the key is missing; the selection is then left as it was.
bool SelectKeyValue(TextBuffer &buffer, const QString &key);

struct Outcome
{
    bool cfgWritten = false;
    bool commitWritten = false;
    QString error; // empty when all went well; otherwise sentences for the player
    bool ok() const { return error.isEmpty(); }
};

// Start-up: reads SavedSocket (without "0x"), SavedPlayerCount and SavedPlayerName (without its
// double quotes) from duke3d.cfg. A missing file or key leaves those values as they were.
Outcome ReadCfgKeys(Files &files, const QString &dukePath, NetworkValues &values);

// The socket box's rule: 1 to 4 hex digits and nothing else.
bool isSocketText(const QString &text);

// The socket box's text as a number: 1 to 4 hex digits (so 9999 is 39321). Empty when the text
// is no socket (the "~" placeholder, nothing, or anything but exactly 1 to 4 hex digits).
QString socketDecimal(const QString &socketText);

// Launch: the socket (duke3d.cfg "0x" + the box's hex text, commit.dat its decimal value) and the
// number of players go into both files, each file written only when its own value differs, so
// the two never stay out of step. A box without a socket ("~") writes no socket. The saved values
// follow only what both files hold.
Outcome EditNetworkKeys(Files &files, const QString &dukePath, NetworkValues &values, const QString &socketText,
                        const QString &playerCount);

// Why a player name cannot go into duke3d.cfg's double quotes and onto the DOS command line, or
// empty when it can: only printable ASCII, and none of " < > |.
QString playerNameProblem(const QString &name);

// Exit: a typed name that differs from SavedPlayerName and is not empty goes into duke3d.cfg in
// upper case between double quotes. A missing duke3d.cfg is not created.
Outcome WritePlayerName(Files &files, const QString &dukePath, NetworkValues &values);

} // namespace NetworkKeys
