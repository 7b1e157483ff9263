#pragma once

#include <QString>

// The network values of the Multi Player panel. The saved ones come from duke3d.cfg at start-up
// and follow the launches; TypedPlayerName is the name box's last text.
struct NetworkValues
{
    QString SavedSocket;      // hex digits, without "0x"
    QString SavedPlayerCount; // as found in the file, e.g. "4"
    QString SavedPlayerName;  // without its double quotes
    QString TypedPlayerName;  // upper-cased while multi player is off
    bool SocketGuard = false; // on while the key filter empties the socket box
};
