#pragma once

#include "platform/Prompts.h"

class QMessageBox;

// Message boxes and file choosers with Qt's own dialogs.
class QtPrompts : public Prompts
{
public:
    // A message's text as the box shows it: a path is never broken inside a name; it stays on
    // one line, and only a path too long for a line wraps, after a "/".
    static QString displayText(const QString &text);
    static void setMessageText(QMessageBox &box, const QString &text);

    Answer message(QWidget *parent, const QString &text, Icon icon = Icon::None, Buttons buttons = Buttons::Ok,
                   const QString &title = {}) override;
    QString chooseDirectory(QWidget *parent, const QString &caption, const QString &startDir) override;
    QString openFile(QWidget *parent, const QString &caption, const QString &startDir,
                     const QString &filter) override;
    QString saveFile(QWidget *parent, const QString &caption, const QString &startPath,
                     const QString &filter) override;
};
