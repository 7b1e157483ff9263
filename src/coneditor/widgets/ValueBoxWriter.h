#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class QWidget;
class TextBuffer;

// Carries one value box of the editor into the text buffer: whatever the box comes to show
// (typed, picked from its list, or filled by the editor) is written over the define value that is
// selected in the buffer, by the write-back rules of DefineEditing.
class ValueBoxWriter : public QObject
{
    Q_OBJECT
public:
    // scope: the page the box sits on. A box disabled within its page writes nothing, so a text
    // set while the selection lies wherever the player clicked never lands in the file.
    ValueBoxWriter(TextBuffer &buffer, QComboBox &box, QWidget &scope, QObject *parent = nullptr);

    // Shows a value in the box; the write-back puts the same text back, which is no change.
    void show(const QString &value);
    // Empties the box without writing anything (the page's reset after a load).
    void clearSilently();
    // A disarmed box writes nothing: its page has no value selected (a define missing from the
    // file, a weapon category chosen without a weapon).
    void setArmed(bool armed) { m_armed = armed; }

private:
    void connectSignals();
    bool writable() const;
    void onTextChanged(const QString &text);
    void onEntryPicked(const QString &entry);

    TextBuffer &m_buffer;
    QComboBox &m_box;
    QWidget &m_scope;
    bool m_armed = true;
};
