#pragma once

#include "FakePrompts.h"
#include "MemorySettingsStore.h"
#include "app/MainWindowLink.h"
#include "core/Module1.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"

#include <QTemporaryDir>
#include <QWidget>

// What the configuration dialogs need around them: a Module1 over a memory store, prompts that
// record every message, real files in a temporary directory and a main window that counts calls.
class CountingMainWindow : public MainWindowLink
{
public:
    int configured = 0;
    QWidget window;
    void gameDirectoryConfigured() override { ++configured; }
    QWidget *mainWindow() override { return &window; }
};

struct DialogTestBed
{
    explicit DialogTestBed(SettingsStore &store)
        : platform{store, files, prompts, dir.filePath(QStringLiteral("program"))}, m(platform)
    {
    }

    // A directory under the temporary one, with the named empty files in it.
    QString makeDir(const QString &name, const QStringList &files = {}) const
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(path);
        for (const QString &file : files) {
            QFile f(path + QLatin1Char('/') + file);
            f.open(QIODevice::WriteOnly);
        }
        return path;
    }

    QTemporaryDir dir;
    DiskFiles files;
    FakePrompts prompts;
    Platform platform;
    Module1 m;
    CountingMainWindow mainWindow;
};
