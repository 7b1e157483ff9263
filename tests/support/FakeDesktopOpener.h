#pragma once

#include "platform/DesktopOpener.h"

#include <QStringList>

// Records what would have been handed to the desktop.
class FakeDesktopOpener : public DesktopOpener
{
public:
    QStringList files;
    QStringList addresses;
    bool answer = true;
    bool openFile(const QString &path) override
    {
        files.append(path);
        return answer;
    }
    bool openAddress(const QString &url) override
    {
        addresses.append(url);
        return answer;
    }
};
