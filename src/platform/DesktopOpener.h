#pragma once

#include <QString>

// Hands a document or a web address to the desktop, which opens it with the program the player
// has chosen for its kind (xdg-open on Linux).
class DesktopOpener
{
public:
    virtual ~DesktopOpener() = default;
    // False when the request could not even be made (no desktop handler at all).
    virtual bool openFile(const QString &path) = 0;
    virtual bool openAddress(const QString &url) = 0;
};
