#pragma once

#include "platform/Prompts.h"

#include <QList>
#include <QQueue>
#include <QString>

// Answers every prompt from a queue and records what was asked. With the queue empty a message
// gets Ok when it offers only OK, else Cancel, and a
// chooser returns an empty text (cancelled).
class FakePrompts : public Prompts
{
public:
    struct Shown
    {
        QString text;
        Icon icon;
        Buttons buttons;
        QString title;
    };

    QList<Shown> shown;           // every message box, in order
    QQueue<Answer> answers;       // next answers for message boxes
    QQueue<QString> chosenPaths;  // next answers for the choosers
    QStringList chooserCaptions;  // captions of the choosers shown

    Answer message(QWidget *, const QString &text, Icon icon, Buttons buttons, const QString &title) override
    {
        shown.append({text, icon, buttons, title});
        if (!answers.isEmpty())
            return answers.dequeue();
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
    QString chooseDirectory(QWidget *, const QString &caption, const QString &) override { return choose(caption); }
    QString openFile(QWidget *, const QString &caption, const QString &, const QString &) override
    {
        return choose(caption);
    }
    QString saveFile(QWidget *, const QString &caption, const QString &, const QString &) override
    {
        return choose(caption);
    }

    QStringList texts() const
    {
        QStringList out;
        for (const Shown &s : shown)
            out << s.text;
        return out;
    }

private:
    QString choose(const QString &caption)
    {
        chooserCaptions << caption;
        return chosenPaths.isEmpty() ? QString() : chosenPaths.dequeue();
    }
};
