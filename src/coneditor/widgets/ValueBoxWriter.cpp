#include "coneditor/widgets/ValueBoxWriter.h"

#include "coneditor/DefineEditing.h"
#include "coneditor/TextBuffer.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

ValueBoxWriter::ValueBoxWriter(TextBuffer &buffer, QComboBox &box, QWidget &scope, QObject *parent)
    : QObject(parent)
    , m_buffer(buffer)
    , m_box(box)
    , m_scope(scope)
{
    // Every keystroke is written at once: an inline completion would turn a typed "1" into "10"
    // in the file before the player has seen it.
    m_box.setCompleter(nullptr);
    connectSignals();
}

void ValueBoxWriter::connectSignals()
{
    connect(&m_box, &QComboBox::editTextChanged, this, &ValueBoxWriter::onTextChanged);
    connect(&m_box, &QComboBox::textActivated, this, &ValueBoxWriter::onEntryPicked);
}

void ValueBoxWriter::show(const QString &value)
{
    m_box.setEditText(value);
}

void ValueBoxWriter::clearSilently()
{
    const QSignalBlocker blocker(&m_box);
    m_box.setEditText(QString());
}

bool ValueBoxWriter::writable() const
{
    return m_armed && m_box.isEnabledTo(&m_scope);
}

void ValueBoxWriter::onTextChanged(const QString &text)
{
    if (!writable())
        return;
    const DefineEditing::WriteBack result = DefineEditing::ValueBoxWriteBack(m_buffer, text);
    if (result.boxText) {
        // An emptied box stands for 0. Setting it runs this handler once more, which writes "0"
        // over "0" (no change); the "0" is left selected so the next key replaces it.
        m_box.setEditText(*result.boxText);
        if (QLineEdit *edit = m_box.lineEdit())
            edit->selectAll();
    }
}

void ValueBoxWriter::onEntryPicked(const QString &entry)
{
    if (!writable())
        return;
    DefineEditing::PickedEntryWriteBack(m_buffer, entry);
}
