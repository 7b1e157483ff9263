#pragma once

#include "FakePrompts.h"
#include "MemorySettingsStore.h"
#include "app/Module1.h"
#include "launch/CommandLine.h"
#include "launch/NetworkValues.h"
#include "launch/widgets/LaunchOptions.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QWidget>
#include <memory>

// The three option panels in one window, as the main window holds them, for tests that drive
// the controls by their names.
struct LaunchFixture
{
    MemorySettingsStore store;
    DiskFiles files;
    FakePrompts prompts;
    Platform platform{store, files, prompts, QString()};
    Module1 module1{platform};
    QWidget window;
    LaunchOptions options{module1};
    bool version15 = false;

    LaunchFixture()
    {
        options.isVersion15 = [this] { return version15; };
        for (QWidget *panel : {options.singlePlayerPanel(), options.multiPlayerPanel(), options.miscPanel()})
            panel->setParent(&window);
        options.setSinglePlayerFrameEnabled(true);
    }

    CommandLine &cl() { return options.commandLine(); }
    NetworkValues &net() { return options.networkValues(); }

    template <typename T> T *get(const char *name)
    {
        T *child = window.findChild<T *>(QString::fromLatin1(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }
    QAbstractButton *button(const char *name) { return get<QAbstractButton>(name); }
    QComboBox *combo(const char *name) { return get<QComboBox>(name); }
    QWidget *widget(const char *name) { return get<QWidget>(name); }

    void tick(const char *name, bool on = true) { button(name)->setChecked(on); }
    bool ticked(const char *name) { return button(name)->isChecked(); }
    void choose(const char *list, const QString &text)
    {
        QComboBox *box = combo(list);
        const int i = box->findText(text);
        if (i < 0)
            qFatal("%s offers no %s", list, qPrintable(text));
        box->setCurrentIndex(i);
    }
    QStringList items(const char *list)
    {
        QStringList out;
        QComboBox *box = combo(list);
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }
};
