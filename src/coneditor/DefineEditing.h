#pragma once

#include <QString>
#include <optional>

class TextBuffer;

// The editor's routines on a define line ("define NAME VALUE  // comment"): find the value,
// show it, write the yes/no defines and write a value box's text back. The widgets call these;
// nothing here touches a widget.
namespace DefineEditing {

// Run right after a successful Find of a define's name (or a prefix of it): selects the value,
// the last word on the line before a comment ("/") or the line's end. Blanks (space, tab) part
// words; a CR before the line feed is part of the line end, never of the value.
void LocateDefineValue(TextBuffer &buffer);

// The value the page's box should show for a Find result: nothing for -1 (the box keeps its
// text), otherwise the located value, which is left selected.
std::optional<QString> ShowDefineValue(TextBuffer &buffer, qsizetype foundAt);

enum YesNoMode { WriteYes = 0, WriteNo = 1, SelectOnly = 3 };
// Locates the value, then writes "YES" (mode 0) or "NO" (mode 1) over it and selects the new
// value; any other mode only selects it.
void SetYesNoValue(TextBuffer &buffer, int mode);

// True when the selection is exactly "YES" or "NO": such defines change only through their
// option buttons, never through a value box.
bool selectionIsYesNo(const TextBuffer &buffer);

inline const QString BlankMarker = QStringLiteral("  ");

struct WriteBack
{
    bool wrote = false; // the selection was replaced (by the box's text or by "0")
    // Set when the box must show another text ("0" for an empty or one-space box). The caller
    // sets it; the change handling that runs again then writes "0" over "0", which is no change.
    std::optional<QString> boxText;
};

// A value box's text changed (typed, or filled by the editor).
WriteBack ValueBoxWriteBack(TextBuffer &buffer, const QString &boxText);

// The user picked an entry from a value box's list; every entry, "0" included, is written.
bool PickedEntryWriteBack(TextBuffer &buffer, const QString &entry);

} // namespace DefineEditing
