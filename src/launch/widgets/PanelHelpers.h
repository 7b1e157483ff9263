#pragma once

#include <QStringList>

class QComboBox;
class QRadioButton;

namespace PanelHelpers {

// Empties a list and adds the items with nothing selected. Emptying or filling a list is not a
// choice of the player, so the list's handler does not run (Qt would report the auto-selection
// of the first item and the loss of the current one).
void fillList(QComboBox *list, const QStringList &items = {});

// Sets a list's selection from code; its handler runs unless the selection is already that one.
void selectIndex(QComboBox *list, int index);

// Selects the option button (its handler runs), then takes the selection away again so that no
// option of its group is selected.
void selectThenDeselect(QRadioButton *option);

// Selects the option and moves the keyboard focus to it.
// Ticks the option and moves the focus to it, or only ticks it while the player is browsing a
// list with the arrow keys.
void focusAndSelect(QRadioButton *option, bool moveFocus = true);

} // namespace PanelHelpers
