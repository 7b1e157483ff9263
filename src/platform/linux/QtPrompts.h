#pragma once

#include "platform/Prompts.h"

// Message boxes and file choosers with Qt's own dialogs.
class QtPrompts : public Prompts
{
public:
    Answer message(QWidget *parent, const QString &text, Icon icon = Icon::None, Buttons buttons = Buttons::Ok,
                   const QString &title = {}) override;
    QString chooseDirectory(QWidget *parent, const QString &caption, const QString &startDir) override;
    QString openFile(QWidget *parent, const QString &caption, const QString &startDir,
                     const QString &filter) override;
    QString saveFile(QWidget *parent, const QString &caption, const QString &startPath,
                     const QString &filter) override;
};
