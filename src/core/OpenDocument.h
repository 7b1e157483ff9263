#pragma once

#include <QString>

struct Platform;

// Opens a file the way a player expects from a menu: a native program or script runs directly
// in its own folder, a DOS program (.exe, .com, .bat) runs in DOSBox with its folder mounted,
// anything else goes to the desktop's program for its kind.
namespace OpenDocument {

// Empty when the request was made; otherwise a sentence for the player.
QString open(Platform &platform, const QString &path);

bool isDosProgramName(const QString &fileName);

} // namespace OpenDocument
