#include "core/widgets/DialogPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centreOnScreen(QWidget *dialog)
{
    // A dialog given a size of its own keeps it; others take the size their layout asks for.
    if (!dialog->testAttribute(Qt::WA_Resized))
        dialog->adjustSize();
    QScreen *screen = dialog->parentWidget() ? dialog->parentWidget()->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = dialog->frameGeometry().size().expandedTo(dialog->size());
    dialog->move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
}
