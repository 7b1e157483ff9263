#pragma once

#include <QDialog>

class QPlainTextEdit;

// What the last randomizer run did, define by define (page, item, value before, value after),
// in a text the player can read and copy.
class RandomizerChanges : public QDialog
{
    Q_OBJECT
public:
    RandomizerChanges(const QString &summary, const QString &table, QWidget *parent = nullptr);
    QPlainTextEdit *text() const { return m_text; }
    void copyToClipboard() const;

private:
    QPlainTextEdit *m_text;
};
