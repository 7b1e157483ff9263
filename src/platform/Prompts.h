#pragma once

#include <QString>

class QWidget;

// Message boxes and file choosers. Everything a player is asked goes through here so tests can
// answer it.
class Prompts
{
public:
    enum class Icon { None, Exclamation, Question, Information, Critical };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Prompts() = default;

    // An empty title means the application's title, "Zentrel".
    virtual Answer message(QWidget *parent, const QString &text, Icon icon = Icon::None,
                           Buttons buttons = Buttons::Ok, const QString &title = {}) = 0;

    // The chooser functions return an empty text when the player cancels.
    virtual QString chooseDirectory(QWidget *parent, const QString &caption, const QString &startDir) = 0;
    virtual QString openFile(QWidget *parent, const QString &caption, const QString &startDir,
                             const QString &filter) = 0;
    virtual QString saveFile(QWidget *parent, const QString &caption, const QString &startPath,
                             const QString &filter) = 0;
};
