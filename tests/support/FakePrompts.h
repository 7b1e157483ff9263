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
    QStringList chooserStarts;    // where each chooser started: a folder, or a file in one

    Answer message(QWidget *, const QString &text, Icon icon, Buttons buttons, const QString &title) override
    {
        shown.append({text, icon, buttons, title});
        if (!answers.isEmpty())
            return answers.dequeue();
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
    QString chooseDirectory(QWidget *, const QString &caption, const QString &start) override
    {
        return choose(caption, start);
    }
    QString openFile(QWidget *, const QString &caption, const QString &start, const QString &) override
    {
        return choose(caption, start);
    }
    QString saveFile(QWidget *, const QString &caption, const QString &start, const QString &) override
    {
        return choose(caption, start);
    }

    QStringList texts() const
    {
        QStringList out;
        for (const Shown &s : shown)
            out << s.text;
        return out;
    }

private:
    QString choose(const QString &caption, const QString &start)
    {
        chooserCaptions << caption;
        chooserStarts << start;
        return chosenPaths.isEmpty() ? QString() : chosenPaths.dequeue();
    }
};
