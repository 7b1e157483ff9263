#include "coneditor/DefineEditing.h"

#include "coneditor/TextBuffer.h"

namespace DefineEditing {

namespace {

// Words on a define line are parted by blanks. A tab counts as a blank: otherwise a line written
// "define NAME<tab>100" would take the name as part of the value and a write would destroy it.
const QString Blanks = QStringLiteral(" \t");
// Where a value can end: a comment, or the line end (CR of a CRLF included).
const QString ValueStops = QStringLiteral("/\r\n");
// Backward over a value: never across a blank nor into the previous line.
const QString WordStops = QStringLiteral(" \t\r\n");

// Selects the word that ends at the caret (the new value after a write).
void reselectWordBeforeCaret(TextBuffer &buffer)
{
    buffer.Span(WordStops, TextBuffer::SpanBackward, true);
}

// After a write the selection is exactly what was written, so the next keystroke in the value
// box replaces all of it (a value typed with a blank would otherwise leave its first word behind
// at every keystroke).
void writeValue(TextBuffer &buffer, const QString &value)
{
    const qsizetype start = buffer.SelStart();
    buffer.setSelText(value);
    buffer.setSelection(start, buffer.SelStart() - start);
}

} // namespace

void LocateDefineValue(TextBuffer &buffer)
{
    // The run R from the name to the comment or the line end.
    buffer.Span(ValueStops, TextBuffer::SpanForward, true);
    const qsizetype end = buffer.SelStart() + buffer.SelLength();
    buffer.setSelStart(end);
    const QString text = buffer.Text();
    if (end > 0 && Blanks.contains(text.at(end - 1))) {
        // Step back over the blanks that end R (before a comment).
        buffer.Span(Blanks, TextBuffer::SpanBackward, false);
        buffer.setSelLength(0);
    }
    reselectWordBeforeCaret(buffer);
}

std::optional<QString> ShowDefineValue(TextBuffer &buffer, qsizetype foundAt)
{
    if (foundAt < 0)
        return std::nullopt;
    LocateDefineValue(buffer);
    return buffer.SelText();
}

void SetYesNoValue(TextBuffer &buffer, int mode)
{
    LocateDefineValue(buffer);
    if (mode == WriteYes)
        writeValue(buffer, QStringLiteral("YES"));
    else if (mode == WriteNo)
        writeValue(buffer, QStringLiteral("NO"));
}

bool selectionIsYesNo(const TextBuffer &buffer)
{
    const QString sel = buffer.SelText();
    return sel == QLatin1String("YES") || sel == QLatin1String("NO");
}

WriteBack ValueBoxWriteBack(TextBuffer &buffer, const QString &boxText)
{
    WriteBack result;
    if (selectionIsYesNo(buffer))
        return result;
    if (boxText.isEmpty() || boxText == QLatin1String(" ")) {
        writeValue(buffer, QStringLiteral("0"));
        result.wrote = true;
        result.boxText = QStringLiteral("0");
        return result;
    }
    if (boxText == BlankMarker)
        return result;
    writeValue(buffer, boxText);
    result.wrote = true;
    return result;
}

bool PickedEntryWriteBack(TextBuffer &buffer, const QString &entry)
{
    if (selectionIsYesNo(buffer))
        return false;
    writeValue(buffer, entry);
    return true;
}

} // namespace DefineEditing
