#include "launch/widgets/PanelHelpers.h"

#include <QComboBox>
#include <QRadioButton>
#include <QSignalBlocker>

namespace PanelHelpers {

void fillList(QComboBox *list, const QStringList &items)
{
    const QSignalBlocker blocker(list);
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(-1);
}

void selectIndex(QComboBox *list, int index)
{
    if (index < -1 || index >= list->count())
        return;
    if (list->currentIndex() != index)
        list->setCurrentIndex(index);
}

void selectThenDeselect(QRadioButton *option)
{
    option->setChecked(true);
    const bool exclusive = option->autoExclusive();
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(exclusive);
}

void focusAndSelect(QRadioButton *option, bool moveFocus)
{
    option->setChecked(true);
    if (moveFocus)
        option->setFocus(Qt::OtherFocusReason);
}

} // namespace PanelHelpers
