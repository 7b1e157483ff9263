#pragma once

#include "platform/DesktopOpener.h"

// Through QDesktopServices, which asks the desktop (the XDG portal or xdg-open).
class QtDesktopOpener : public DesktopOpener
{
public:
    bool openFile(const QString &path) override;
    bool openAddress(const QString &url) override;
};
