#include "core/widgets/CompactComboBox.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QtMath>

CompactComboBox::CompactComboBox(QWidget *parent) : QComboBox(parent) {}

// With a minimum contents length, QComboBox's own minimum size ignores the items; the icon
// policy adds room for an icon to that text width and height.
QSize CompactComboBox::minimumSizeHint() const
{
    QSize size = QComboBox::minimumSizeHint();
    if (minimumContentsLength() <= 0)
        return size;
    bool hasItemIcon = false;
    for (int i = 0; i < count() && !hasItemIcon; ++i)
        hasItemIcon = !itemIcon(i).isNull();
    if (!hasItemIcon) {
        const int textHeight = qMax(qCeil(QFontMetricsF(fontMetrics()).height()), 14) + 2;
        size += QSize(iconSize().width() + 4, qMax(0, iconSize().height() + 2 - textHeight));
    }
    return size;
}

QSize CompactComboBox::sizeHint() const
{
    return minimumSizeHint();
}

void CompactComboBox::keyPressEvent(QKeyEvent *event)
{
    const bool moves = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        if (moves) {
            const QScopedValueRollback browse(m_browsing, true);
            QComboBox::keyPressEvent(event);
            return;
        }
        break;
    default:
        break;
    }
    QComboBox::keyPressEvent(event);
}

void CompactComboBox::wheelEvent(QWheelEvent *event)
{
    const QScopedValueRollback browse(m_browsing, true);
    QComboBox::wheelEvent(event);
}
