#pragma once

class QWidget;

// Gives every control under a widget an accessible name where its form left none: a button's
// caption (without the mnemonic's "&") or else its tool tip, and for other controls the caption
// of the label that names them (its buddy).
namespace AccessibleNames {
void fill(QWidget *root);
}
