#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class GameRunner;
class Prompts;
class QWidget;

// Looks at a DOSBox just started for a few seconds: one that ends in that time never ran the game
// (no display, a broken setting of the player's), and the player is told so with DOSBox's last
// lines. It deletes itself when done.
class EarlyExitWatch : public QObject
{
    Q_OBJECT
public:
    static inline int WatchMs = 5000;

    EarlyExitWatch(GameRunner &runner, Prompts &prompts, QWidget *owner, qint64 pid, const QString &program);
    static QString message(const QString &program, const QString &lastOutput);

private:
    void check();

    GameRunner &m_runner;
    Prompts &m_prompts;
    QPointer<QWidget> m_owner;
    qint64 m_pid;
    QString m_program;
    QTimer m_timer;
    QElapsedTimer m_since;
};
